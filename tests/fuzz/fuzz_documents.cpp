// libFuzzer entry point: the document reader on arbitrary bytes.
//
// The bytes are read as they are: a package, a compound file, or anything else. Bytes that are
// neither a zip nor a compound file are also read as the main part of a .docx and of an .odt,
// wrapped in a stored package here, so that mutations reach the XML readers instead of stopping
// at a checksum.
#include "package_writer.h"
#include "word_document.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace cellwright;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// What every answer must satisfy: a document or a refusal, never both; tables inside the lines,
// in order and apart; cells on the grid, left to right; covered places empty and under a cell
// whose row span reaches them.
void CheckRead(const WordDocumentRead &read)
{
    Check(read.Document.has_value() == read.Refusal.empty());
    if (!read.Document)
        return;
    const WordDocument &document = *read.Document;
    int next = 1;
    for (const TableShape &table : document.Tables) {
        Check(table.FirstLine >= next && !table.Rows.empty());
        Check(table.Cols >= 1 && table.Cols <= 1000);
        Check(table.HeaderRows >= 0 && size_t(table.HeaderRows) <= table.Rows.size());
        next = table.FirstLine + table.LineCount();
        Check(size_t(next - 1) <= document.Lines.size());
        int line = table.FirstLine - 1;
        for (size_t r = 0; r < table.Rows.size(); ++r) {
            const ShapeRow &row = table.Rows[r];
            Check(!row.Cells.empty());
            int column = 0;
            for (const ShapeCell &cell : row.Cells) {
                Check(cell.Column >= column && cell.ColSpan >= 1 && cell.RowSpan >= 1);
                column = cell.Column + cell.ColSpan;
                Check(column <= table.Cols);
                if (cell.CoveredFromAbove) {
                    Check(document.Lines[size_t(line)].empty() && cell.RowSpan == 1);
                    bool anchored = false;
                    for (size_t above = 0; above < r && !anchored; ++above) {
                        for (const ShapeCell &a : table.Rows[above].Cells)
                            anchored = anchored
                                || (!a.CoveredFromAbove && a.Column == cell.Column
                                    && above + size_t(a.RowSpan) > r);
                    }
                    Check(anchored);
                }
                ++line;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const WordDocumentRead read = ReadWordDocument(bytes);
    CheckRead(read);
    if (IsWordProcessorFile(bytes)) {
        Check(read.Document || !read.Refusal.empty());
        return 0;
    }
    Check(!read.Document);

    const std::string part(bytes);
    const std::string docx
        = WritePackage({ { "_rels/.rels",
                             "<Relationships xmlns=\"http://schemas.openxmlformats."
                             "org/package/2006/relationships\"><Relationship "
                             "Id=\"r\" Type=\"x/officeDocument\" "
                             "Target=\"word/document.xml\"/></Relationships>" },
                           { "word/document.xml", part } },
            false);
    CheckRead(ReadWordDocument(docx));
    const std::string odt = WritePackage(
        { { "mimetype", "application/vnd.oasis.opendocument.text" }, { "content.xml", part } },
        false);
    CheckRead(ReadWordDocument(odt));
    return 0;
}
