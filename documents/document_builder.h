// Builds a document's lines and table shapes from the structure both readers report: paragraphs,
// tables, rows and cells. The readers decide what text a package shows; this decides how it
// becomes lines.
#pragma once

#include "word_document.h"

#include <string>
#include <string_view>
#include <vector>

namespace cellwright {

// A reader stops early past these; a paper is far below them.
inline constexpr size_t MaxDocumentLines = 100'000;
inline constexpr int MaxTableDepth = 32;
inline constexpr int MaxTableColumns = 1000;

class DocumentBuilder {
public:
    // A top-level table cell as read, before its place on the grid is known.
    struct Cell {
        enum Type {
            Content,
            Continued, // w:vMerge without restart: merged into the cell above when one is there
            Covered, // table:covered-table-cell: a grid place another cell covers
        };
        Type Kind = Content;
        int ColSpan = 1;
        int RowSpan = 1; // rows spanned as declared (OpenDocument)
        int Repeat = 1; // identical cells in a row (OpenDocument)
        bool MergedLeft = false; // w:hMerge without restart: part of the cell to its left
        std::u16string Text;
    };
    struct Row {
        int Before = 0; // grid places skipped before the first cell
        int After = 0; // and after the last
        int Repeat = 1; // identical rows (OpenDocument)
        bool Header = false;
        bool Deleted = false; // a tracked deletion: accepting it removes the row
        std::vector<Cell> Cells;
    };

    // Paragraph text. Text outside any paragraph is dropped.
    void BeginParagraph();
    void EndParagraph();
    // The paragraph's mark is a tracked deletion: accepting it joins the paragraph to the next.
    void DeleteParagraphMark() { markDeleted_ = true; }
    // Word text: tabs and line ends are spaces. OpenDocument text: white space also collapses.
    void AddText(std::string_view utf8);
    void AddCollapsingText(std::string_view utf8);
    void AddSpaces(size_t count);
    void AddCharacter(char16_t c);

    // False, with a refusal, when tables nest too deep.
    bool BeginTable();
    void EndTable();
    void BeginRow();
    void EndRow();
    void BeginCell(Cell::Type kind = Cell::Content);
    void EndCell();
    // The row and cell of the top-level table being read, or null where there is none.
    Row *CurrentRow() { return depth_ == 1 && rowOpen_ ? &row_ : nullptr; }
    Cell *CurrentCell() { return depth_ == 1 && cellOpen_ ? &row_.Cells.back() : nullptr; }

    // False once the document proved too large to read; Refusal says why.
    bool Ok() const { return refusal_.empty(); }
    void Refuse(std::u16string why);
    const std::u16string &Refusal() const { return refusal_; }

    WordDocumentRead Finish();

private:
    struct Cover {
        int Row = -1; // the cell above that a cell merged into this place joins, in table_.Rows
        int Entry = -1;
        int Column = 0; // the place's entry in the previous row: where it starts, how wide it is
        int ColSpan = 0;
        int RowsLeft = 0; // rows still covered from above (OpenDocument)
    };

    // One copy of the row being laid out on the grid.
    struct RowLayout {
        ShapeRow Shape;
        int Column = 0; // the grid place the next cell starts at
        int CoveredFromLeft = 0; // covered cells still to come for a span to their left
        std::u16string NoText; // the line of each entry merged into the cell above
    };

    void CloseParagraph();
    void Deliver(std::u16string &&piece);
    void DeliverCarried();
    void EmitLine(std::u16string line);
    bool Charge(size_t units);
    void ResolveRow();
    bool ChargeRow();
    bool LayOutRow(RowLayout &layout);
    bool FitsWidth(int width);
    bool ChargePlace();
    const Cover *CoverAbove(int column) const;
    void MarkBelow(int column, int span, const Cover &cover);
    void PlaceCovered(RowLayout &layout, const Cover *up);
    static bool Continues(const Cell &cell, const Cover *up, int column);
    void PlaceContinued(RowLayout &layout, const Cover &up, int span);
    void PlaceMerged(RowLayout &layout, int span, const Cover &cover);
    void PlaceContent(RowLayout &layout, Cell &cell);
    bool EmitRowLines(int copy);
    void KeepRow(ShapeRow &&shape, int width);
    ShapeCell &Anchor(const Cover &cover) { return table_.Rows[cover.Row].Cells[cover.Entry]; }

    WordDocument document_;
    std::u16string refusal_;
    size_t units_ = 0; // text units produced, bounded so memory is

    int paragraphs_ = 0; // open paragraph elements
    std::u16string paragraph_;
    bool collapsible_ = true; // OpenDocument: the last character was white space, or none yet
    bool trailingCollapsed_ = false; // the last character is white space that collapsed
    bool markDeleted_ = false;
    std::u16string carried_; // paragraphs whose mark was deleted, waiting for the next

    int depth_ = 0; // open tables
    TableShape table_;
    Row row_;
    bool rowOpen_ = false;
    bool cellOpen_ = false;
    std::vector<Cover> above_; // per grid column: what the last row put there
    std::vector<Cover> below_; // the same for the row being laid out, its room kept
    std::vector<std::u16string *> texts_; // that row's lines in order, its room kept
    size_t rowsRead_ = 0; // rows laid out, repeated ones included
    size_t placesRead_ = 0; // grid places laid out, in all tables
};

} // namespace cellwright
