// Read, convert and save at the 5000-line limit, on two documents:
//   typical      six tables of 300 cells (50 rows x 6 columns) among 3200 lines of prose;
//   pathological 5000 empty lines, a first box of only spaces, 1 row x 2 columns, so that every
//                other line matches and every match closes a gap over the rest of the document.
// FindTables also runs on the finder's own worst case:
//   alternating  5000 lines of short words and numbers in turn, so that every even period reads
//                as one long run of alike rows from every line;
//   scattered    5000 lines drawn at random from words, numbers, dates, codes and empty lines,
//                so that short runs of alike rows start everywhere;
//   headers      5000 lines of tables whose columns are all numbers alike, each under a header
//                row of words and after a short sentence, so that only the headers give widths.
// ReadDocx reads a .docx of 5000 lines as a word processor writes it (revision ids, run and
// paragraph properties on everything): four tables of 200 rows x 5 cells among 1000 paragraphs;
// ParseDocxPart times pugixml alone on its main part, the floor under that figure.
#include "conversion.h"
#include "document_file.h"
#include "document_reading.h"
#include "find_tables.h"
#include "package_writer.h"
#include "table_sizing.h"
#include "text_codec.h"
#include "word_document.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pugixml.hpp>
#include <random>
#include <string>

using namespace cellwright;

namespace {

enum Document { Typical, Pathological, Alternating, Scattered, Headers };

std::string TypicalBytes()
{
    std::string bytes;
    int line = 0;
    const auto add = [&](const std::string &text) {
        bytes += text + "\r\n";
        ++line;
    };
    for (int t = 1; t <= MaxTables; ++t) {
        for (int p = 0; p < 3200 / MaxTables + (t <= 3200 % MaxTables); ++p)
            add("    Prose line " + std::to_string(line) + " of the paper, with some words in it.");
        add("Star" + std::to_string(t));
        for (int cell = 1; cell < 50 * 6; ++cell)
            add(std::to_string(t * 1000 + cell) + "." + std::to_string(cell % 97));
    }
    return bytes;
}

std::string PathologicalBytes()
{
    std::string bytes;
    for (int i = 0; i < MaxLines; ++i)
        bytes += "\r\n";
    return bytes;
}

std::string AlternatingBytes()
{
    std::string bytes;
    for (int i = 0; i < MaxLines; ++i)
        bytes += (i % 2 ? std::to_string(i % 89) + "." + std::to_string(i % 7) : "Name") + "\r\n";
    return bytes;
}

std::string ScatteredBytes()
{
    const char *const cells[] = { "Name", "12", "1.5", "", "EUR", "Two words", "1996-06-17",
        "\xce\xb1 Cen", "-", "2:01:09" };
    std::mt19937 random(12);
    std::string bytes;
    for (int i = 0; i < MaxLines; ++i)
        bytes += std::string(cells[random() % std::size(cells)]) + "\r\n";
    return bytes;
}

std::string HeadersBytes()
{
    const char *const words[] = { "Year", "Mass", "Error", "Value", "Type", "Name", "Distance" };
    std::mt19937 random(12);
    std::string bytes;
    int line = 0;
    const auto add = [&](const std::string &text) {
        if (line++ < MaxLines)
            bytes += text + "\r\n";
    };
    while (line < MaxLines) {
        add("Some prose paragraph that explains things, with punctuation.");
        const int cols = 2 + int(random() % 5), rows = 5 + int(random() % 20);
        for (int c = 0; c < cols; ++c)
            add(words[(line + c) % std::size(words)]);
        for (int cell = 0; cell < rows * cols; ++cell)
            add(std::to_string(random() % 100) + "." + std::to_string(10 + random() % 90));
    }
    return bytes;
}

std::string Bytes(Document document)
{
    switch (document) {
    case Typical:
        return TypicalBytes();
    case Pathological:
        return PathologicalBytes();
    case Alternating:
        return AlternatingBytes();
    case Scattered:
        return ScatteredBytes();
    case Headers:
        return HeadersBytes();
    }
    return {};
}

struct Bench {
    std::filesystem::path folder;
    ConversionState state;
    std::vector<TableBoxes> boxes;

    explicit Bench(Document document)
    {
        // In TMPDIR when set, so that a memory file system can take the disk out of the figures.
        std::string name
            = (std::filesystem::temp_directory_path() / "cellwright-bench-XXXXXX").string();
        if (!mkdtemp(name.data()))
            std::abort();
        folder = name;
        std::ofstream(folder / "paper.txt", std::ios::binary) << Bytes(document);
        if (document == Typical) {
            for (int t = 1; t <= MaxTables; ++t)
                boxes.push_back({ u"Star" + std::u16string(1, char16_t(u'0' + t)), u"50", u"6" });
        } else {
            boxes.push_back({ u"   ", u"1", u"2" });
        }
    }
    ~Bench()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    void read(benchmark::State &s)
    {
        DocumentRead read = ReadTextDocument(folder / "paper.txt");
        if (!read.Document || read.Document->Lines.size() != MaxLines + 1)
            return s.SkipWithError("the document was not read");
        TakeDocument(state, std::move(*read.Document));
    }
    void convert(benchmark::State &s)
    {
        CaptureTableSettings(state, static_cast<int>(boxes.size()) - 1, boxes);
        if (!ConvertTables(state, boxes).empty() || state.WorkLineCount >= MaxLines)
            s.SkipWithError("nothing was converted");
    }
    void write(benchmark::State &s)
    {
        if (!SaveFileAtomically(folder / "paper.tex", EncodeDocument(state)).empty())
            s.SkipWithError("the document was not saved");
    }
};

void Read(benchmark::State &s)
{
    Bench bench(Document(s.range(0)));
    for (auto _ : s)
        bench.read(s);
}

void Convert(benchmark::State &s)
{
    Bench bench(Document(s.range(0)));
    bench.read(s);
    for (auto _ : s) {
        s.PauseTiming();
        ResetConversion(bench.state);
        s.ResumeTiming();
        bench.convert(s);
    }
}

void Write(benchmark::State &s)
{
    Bench bench(Document(s.range(0)));
    bench.read(s);
    bench.convert(s);
    for (auto _ : s)
        bench.write(s);
}

void ReadConvertWrite(benchmark::State &s)
{
    Bench bench(Document(s.range(0)));
    for (auto _ : s) {
        bench.read(s);
        bench.convert(s);
        bench.write(s);
    }
}

void FindTables(benchmark::State &s)
{
    Bench bench(Document(s.range(0)));
    bench.read(s);
    size_t found = 0;
    for (auto _ : s) {
        const auto proposals = cellwright::FindTables(bench.state);
        found = proposals.size();
        benchmark::DoNotOptimize(proposals.data());
    }
    s.counters["tables"] = double(found);
}

// word/document.xml of the .docx ReadDocx reads.
std::string DocxPart()
{
    const std::string run
        = "<w:r w:rsidRPr=\"00C41A7B\"><w:rPr><w:rFonts w:ascii=\"Times New Roman\" "
          "w:hAnsi=\"Times New Roman\"/><w:sz w:val=\"20\"/></w:rPr><w:t "
          "xml:space=\"preserve\">";
    const auto paragraph = [&](const std::string &text, const char *justify) {
        return "<w:p w14:paraId=\"3F2A1B7C\" w14:textId=\"77777777\" w:rsidR=\"00A1B2C3\" "
               "w:rsidRDefault=\"00A1B2C3\" w:rsidP=\"00D4E5F6\"><w:pPr><w:spacing w:after=\"120\" "
               "w:line=\"276\" w:lineRule=\"auto\"/><w:jc w:val=\""
            + std::string(justify) + "\"/></w:pPr>" + run + text + "</w:t></w:r></w:p>";
    };
    std::string body;
    int line = 0;
    for (int t = 1; t <= 4; ++t) {
        for (int p = 0; p < 250; ++p, ++line)
            body += paragraph(
                "Prose line " + std::to_string(line) + " of the paper, with some words in it.",
                "both");
        body += "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/><w:tblW w:w=\"0\" "
                "w:type=\"auto\"/>"
                "</w:tblPr><w:tblGrid>";
        for (int c = 0; c < 5; ++c)
            body += "<w:gridCol w:w=\"1870\"/>";
        body += "</w:tblGrid>";
        for (int r = 0; r < 200; ++r) {
            body += "<w:tr w:rsidR=\"00B2C3D4\" w14:paraId=\"1C2D3E4F\">";
            if (r == 0)
                body += "<w:trPr><w:tblHeader/></w:trPr>";
            for (int c = 0; c < 5; ++c, ++line) {
                body += "<w:tc><w:tcPr><w:tcW w:w=\"1870\" w:type=\"dxa\"/></w:tcPr>";
                body += paragraph(r == 0
                        ? "Column " + std::to_string(c)
                        : std::to_string(t * 1000 + r) + "." + std::to_string(c * 7 % 97),
                    "center");
                body += "</w:tc>";
            }
            body += "</w:tr>";
        }
        body += "</w:tbl>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\"><w:body>"
        + body + "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr></w:body></w:document>";
}

std::string DocxBytes()
{
    return WritePackage(
        { { "_rels/.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
              "relationships\"><Relationship Id=\"rId1\" Type=\"http://"
              "schemas.openxmlformats.org/officeDocument/2006/relationships/"
              "officeDocument\" Target=\"word/document.xml\"/></Relationships>" },
            { "word/document.xml", DocxPart() } });
}

void ReadDocx(benchmark::State &s)
{
    const std::string package = DocxBytes();
    size_t lines = 0;
    for (auto _ : s) {
        const WordDocumentRead read = ReadWordDocument(package);
        if (!read.Document) {
            s.SkipWithError("the document was not read");
            break;
        }
        lines = read.Document->Lines.size();
        benchmark::DoNotOptimize(read.Document->Lines.data());
    }
    s.counters["lines"] = double(lines);
    s.counters["package_kB"] = double(package.size()) / 1000;
}

// The floor under ReadDocx: pugixml alone parsing the same main part in place.
void ParseDocxPart(benchmark::State &s)
{
    const std::string part = DocxPart();
    std::string copy;
    for (auto _ : s) {
        copy = part;
        pugi::xml_document tree;
        if (!tree.load_buffer_inplace(copy.data(), copy.size(),
                pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype))
            s.SkipWithError("the part is not well-formed");
        benchmark::DoNotOptimize(tree.first_child());
    }
    s.counters["part_kB"] = double(part.size()) / 1000;
}

void Documents(benchmark::internal::Benchmark *b)
{
    b->ArgName("pathological")->Arg(Typical)->Arg(Pathological)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(Read)->Apply(Documents);
BENCHMARK(Convert)->Apply(Documents);
BENCHMARK(Write)->Apply(Documents);
BENCHMARK(ReadConvertWrite)->Apply(Documents);

BENCHMARK(FindTables)
    ->ArgName("document")
    ->Arg(Typical)
    ->Arg(Pathological)
    ->Arg(Alternating)
    ->Arg(Scattered)
    ->Arg(Headers)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(ReadDocx)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseDocxPart)->Unit(benchmark::kMillisecond);
// Careless input the command line must answer quickly and in bounded memory:
//   a text without a size that starts a thousand blocks, each sized where the finder proposed
//   none would rebuild the finder (refused after one FindTables);
//   one line of backslashes escaped, 16 characters each: past 256 MiB refused before any row is
//   built (64 MiB of them, the largest document read), within it converted (8 MiB, 128 MiB out).
namespace careless {

ConversionState ReadBytes(benchmark::State &s, std::string_view bytes)
{
    ConversionState state { ConversionState::GrowingLineStores {} };
    DocumentRead read = DecodeTextDocument(bytes);
    if (!read.Document)
        s.SkipWithError("the document was not read");
    else
        TakeDocument(state, std::move(*read.Document));
    return state;
}

void SizeManyBlocks(benchmark::State &s)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i) {
        bytes += "ID\r\nMag\r\n" + std::to_string(i) + "\r\n12." + std::to_string(i % 10) + "\r\n";
        if (i % 2)
            bytes += "A note between tables.\r\n";
    }
    const ConversionState state = ReadBytes(s, bytes);
    for (auto _ : s) {
        const TextSizing sizing = SizeBlocksHolding(state, u"ID", cellwright::FindTables(state));
        benchmark::DoNotOptimize(sizing.Proposals.data());
    }
}

void EscapeLongLine(benchmark::State &s)
{
    const std::string bytes = "T\r\n" + std::string(size_t(s.range(0)) << 20, '\\') + "\r\n";
    ConversionState state = ReadBytes(s, bytes);
    state.EscapeSpecialCharacters = true;
    const std::vector<TableBoxes> boxes { { u"T", u"1", u"2" } };
    CaptureTableSettings(state, 0, boxes);
    bool refused = false;
    for (auto _ : s) {
        s.PauseTiming();
        ResetConversion(state);
        s.ResumeTiming();
        refused = !ConvertTables(state, boxes).empty();
        if (!refused)
            benchmark::DoNotOptimize(EncodeDocument(state).size());
    }
    s.counters["refused"] = refused;
}

} // namespace careless

BENCHMARK(careless::SizeManyBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(careless::EscapeLongLine)->ArgName("MiB")->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
