// libFuzzer entry point: read -> find tables -> convert -> write -> reset on arbitrary bytes and
// boxes.
//
// Input: the boxes, then a NUL byte, then the document's bytes. The boxes are fields separated
// by byte 1: the selector's index first (its first byte, '0' to '6' giving -1 to 5; an odd second
// byte turns escaping on), then the first-cell, rows and columns boxes of tables 1, 2, ... in
// turn.
#include "conversion.h"
#include "document_file.h"
#include "document_reading.h"
#include "find_tables.h"
#include "text_codec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

using namespace cellwright;

namespace {

std::u16string Widen(std::string_view bytes)
{
    return { bytes.begin(), bytes.end() };
}

// A folder of its own for the run's files, removed at the end.
const std::string &ScratchFolder()
{
    static const struct Scratch {
        std::string folder;
        Scratch()
        {
            char name[] = "/tmp/cellwright-fuzz-XXXXXX";
            if (!mkdtemp(name))
                std::abort();
            folder = name;
        }
        ~Scratch()
        {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    } scratch;
    return scratch.folder;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const size_t nul = input.find('\0');
    const std::string_view boxes = input.substr(0, nul);
    const std::string_view document
        = nul == input.npos ? std::string_view {} : input.substr(nul + 1);

    int listIndex = 1;
    std::vector<TableBoxes> rows(MaxTables);
    bool escape = false;
    size_t field = 0, start = 0;
    for (;;) {
        const size_t end = boxes.find('\1', start);
        const std::string_view text
            = boxes.substr(start, end == boxes.npos ? boxes.npos : end - start);
        if (field == 0) {
            listIndex = text.empty() ? 1 : (text[0] - '0') % 7 - 1;
            escape = text.size() > 1 && (text[1] & 1);
        } else if (field <= 18) {
            const int k = int(field - 1) / 3;
            TableBoxes &row = rows[k];
            auto &box = (field - 1) % 3 == 0 ? row.FirstCell
                : (field - 1) % 3 == 1       ? row.Rows
                                             : row.Cols;
            box = Widen(text);
        }
        ++field;
        if (end == boxes.npos)
            break;
        start = end + 1;
    }

    const std::string &folder = ScratchFolder();
    {
        std::ofstream out(folder + "/in.txt", std::ios::binary | std::ios::trunc);
        out.write(document.data(), std::streamsize(document.size()));
    }

    static ConversionState state; // one state for the whole run, as in the program
    state.EscapeSpecialCharacters = escape;
    if (DocumentRead read = ReadTextDocument(folder + "/in.txt"); read.Document)
        TakeDocument(state, std::move(*read.Document));
    const int16_t lines = state.SourceLineCount;
    Check(lines >= 0 && lines <= MaxLines && state.WorkLineCount == lines);

    // Proposals lie inside the document, in order, apart, each starting with its first cell; and
    // converting them all by their place is never refused.
    std::vector<TableAt> found;
    int after = 0;
    for (const TableProposal &p : FindTables(state)) {
        Check(p.FirstLine > after && p.Rows >= 1 && p.Cols >= 1);
        after = p.FirstLine + p.Rows * p.Cols - 1;
        Check(after <= lines);
        Check(ProposeTableAt(state, p.FirstLine).has_value());
        found.push_back({ p.FirstLine, p.FirstCell, p.Rows, p.Cols });
    }
    for (int line = 1; line <= lines && line <= 64; ++line) {
        if (const auto p = ProposeTableAt(state, line))
            Check(p->FirstLine == line && p->Rows >= 1 && p->Cols >= 1
                && line + p->Rows * p->Cols - 1 <= lines);
    }
    if (!found.empty()) {
        Check(ConvertTablesAt(state, found).empty());
        ResetConversion(state);
    }

    CaptureTableSettings(state, listIndex, rows);
    const std::vector<TableBoxes> described(rows.begin(), rows.begin() + state.TableCount);
    ConvertTables(state, described);
    Check(state.WorkLineCount >= 0 && state.WorkLineCount <= lines);
    for (int t = 1; t <= MaxTables; ++t)
        Check(state.TableStart[t] >= 0 && state.TableStart[t] <= MaxLines);
    Check(SaveFileAtomically(folder + "/out.txt", EncodeDocument(state)).empty());

    ResetConversion(state);
    Check(state.WorkLineCount == lines);
    for (int i = 1; i <= lines; ++i)
        Check(state.WorkLines[i] == state.SourceLines[i]);
    return 0;
}
