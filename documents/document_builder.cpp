#include "document_builder.h"

#include <algorithm>
#include <utility>

namespace cellwright {

namespace {

// Text units (UTF-16) a document may produce, lines and repeated cells included: past this the
// package is an attack or a mistake, and memory stays bounded.
constexpr size_t MaxTextUnits = 16 * 1024 * 1024;
// Grid places a document's tables may have, counted as rows are laid out: rows of covered places
// repeated a million times give no line, yet each costs a pass over the row.
constexpr size_t MaxGridPlaces = 16 * 1024 * 1024;
// Past MaxDocumentLines, whether counted as lines given or as table rows read.
constexpr char16_t TooManyLines[]
    = u"The document is too long to read: it has more than 100 000 lines.";

bool IsXmlSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Calls emit with each UTF-16 unit of the UTF-8 text. The parser passes a part's bytes through as
// they are, so a broken sequence, an overlong form or an encoded surrogate each give U+FFFD.
template <typename Emit> void ForEachUnit(std::string_view utf8, Emit &&emit)
{
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            emit(char16_t(b0));
            ++i;
            continue;
        }
        const int length = b0 >= 0xF8 ? 1 : b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 1;
        char32_t cp = b0 & (0x7F >> length);
        int k = 1;
        for (; k < length && i + size_t(k) < n; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + size_t(k)]);
            if ((b & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (b & 0x3F);
        }
        constexpr char32_t Smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (length == 1 || k < length || cp < Smallest[length] || cp > 0x10FFFF
            || (cp >= 0xD800 && cp <= 0xDFFF)) {
            emit(char16_t(0xFFFD));
            i += size_t(k);
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            emit(char16_t(0xD800 + (cp >> 10)));
            emit(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            emit(char16_t(cp));
        }
        i += size_t(length);
    }
}

} // namespace

void DocumentBuilder::Refuse(std::u16string why)
{
    if (refusal_.empty())
        refusal_ = std::move(why);
}

bool DocumentBuilder::Charge(size_t units)
{
    units_ += units;
    if (units_ > MaxTextUnits) {
        Refuse(u"The document is too large to read: its text runs past 16 million characters.");
        return false;
    }
    return true;
}

void DocumentBuilder::BeginParagraph()
{
    // A paragraph inside a paragraph (only damaged packages have one) splits the outer one.
    if (paragraphs_ > 0) {
        CloseParagraph();
        --paragraphs_;
    }
    ++paragraphs_;
}

void DocumentBuilder::EndParagraph()
{
    if (paragraphs_ == 0)
        return;
    CloseParagraph();
    --paragraphs_;
}

void DocumentBuilder::CloseParagraph()
{
    // White space that collapsed at the end of an OpenDocument paragraph shows as nothing.
    if (trailingCollapsed_)
        paragraph_.pop_back();
    std::u16string text = std::exchange(paragraph_, {});
    collapsible_ = true;
    trailingCollapsed_ = false;
    if (std::exchange(markDeleted_, false)) {
        carried_ += text;
        return;
    }
    if (!carried_.empty())
        text.insert(0, std::exchange(carried_, {}));
    Deliver(std::move(text));
}

void DocumentBuilder::AddText(std::string_view utf8)
{
    if (paragraphs_ == 0 || !Charge(utf8.size()))
        return;
    ForEachUnit(utf8, [this](char16_t c) { paragraph_ += IsXmlSpace(c) ? u' ' : c; });
    trailingCollapsed_ = false;
}

void DocumentBuilder::AddCollapsingText(std::string_view utf8)
{
    if (paragraphs_ == 0 || !Charge(utf8.size()))
        return;
    ForEachUnit(utf8, [this](char16_t c) {
        if (c == u'\r') {
            // Written line ends reach here as line feeds, so this came from a character
            // reference, which the word processor keeps as a character: a space that stays.
            paragraph_ += u' ';
            collapsible_ = true;
            trailingCollapsed_ = false;
        } else if (IsXmlSpace(c)) {
            if (collapsible_)
                return;
            paragraph_ += u' ';
            collapsible_ = trailingCollapsed_ = true;
        } else {
            paragraph_ += c;
            collapsible_ = trailingCollapsed_ = false;
        }
    });
}

void DocumentBuilder::AddSpaces(size_t count)
{
    if (paragraphs_ == 0 || !Charge(count))
        return;
    paragraph_.append(count, u' ');
    // Spaces given as such stay; plain white space right after them collapses into them.
    collapsible_ = true;
    trailingCollapsed_ = false;
}

void DocumentBuilder::AddCharacter(char16_t c)
{
    if (paragraphs_ == 0 || !Charge(1))
        return;
    paragraph_ += c;
    collapsible_ = trailingCollapsed_ = false;
}

void DocumentBuilder::Deliver(std::u16string &&piece)
{
    if (depth_ == 0) {
        EmitLine(std::move(piece));
    } else if (cellOpen_ && !piece.empty()) {
        // A cell's paragraphs, nested tables' cells included, make one line.
        std::u16string &text = row_.Cells.back().Text;
        if (!text.empty())
            text += u' ';
        text += piece;
    }
}

void DocumentBuilder::DeliverCarried()
{
    if (!carried_.empty())
        Deliver(std::exchange(carried_, {}));
}

void DocumentBuilder::EmitLine(std::u16string line)
{
    if (!Ok())
        return;
    if (document_.Lines.size() >= MaxDocumentLines) {
        Refuse(TooManyLines);
        return;
    }
    document_.Lines.push_back(std::move(line));
}

bool DocumentBuilder::BeginTable()
{
    if (depth_ >= MaxTableDepth) {
        Refuse(u"The document has tables nested more than 32 deep.");
        return false;
    }
    // A table inside a paragraph (damaged packages again) ends what came before it.
    if (paragraphs_ > 0)
        CloseParagraph();
    DeliverCarried();
    if (++depth_ == 1) {
        table_ = {};
        above_.clear();
        rowOpen_ = cellOpen_ = false;
    }
    return true;
}

void DocumentBuilder::EndTable()
{
    if (depth_ == 0)
        return;
    DeliverCarried();
    if (depth_ == 1) {
        EndRow();
        if (!table_.Rows.empty() && Ok())
            document_.Tables.push_back(std::move(table_));
    }
    --depth_;
}

void DocumentBuilder::BeginRow()
{
    if (depth_ != 1)
        return;
    EndRow();
    // The cells' room is kept from row to row: a table's rows are mostly alike.
    std::vector<Cell> cells = std::move(row_.Cells);
    cells.clear();
    row_ = {};
    row_.Cells = std::move(cells);
    rowOpen_ = true;
}

void DocumentBuilder::EndRow()
{
    if (depth_ != 1 || !rowOpen_)
        return;
    EndCell();
    rowOpen_ = false;
    // An old-style horizontal merge: the continuing cell widens the one to its left, no line.
    if (std::any_of(row_.Cells.begin(), row_.Cells.end(),
            [](const Cell &cell) { return cell.MergedLeft; })) {
        std::vector<Cell> cells;
        for (Cell &cell : row_.Cells) {
            if (cell.MergedLeft && !cells.empty())
                cells.back().ColSpan
                    = std::min(cells.back().ColSpan + cell.ColSpan, MaxTableColumns + 1);
            else
                cells.push_back(std::move(cell));
        }
        row_.Cells = std::move(cells);
    }
    if (!row_.Deleted)
        ResolveRow();
}

void DocumentBuilder::BeginCell(Cell::Type kind)
{
    DeliverCarried();
    if (depth_ != 1 || !rowOpen_)
        return;
    row_.Cells.push_back({});
    row_.Cells.back().Kind = kind;
    cellOpen_ = true;
}

void DocumentBuilder::EndCell()
{
    DeliverCarried();
    if (depth_ == 1)
        cellOpen_ = false;
}

void DocumentBuilder::ResolveRow()
{
    for (int copy = 0; copy < row_.Repeat && Ok(); ++copy) {
        if (!ChargeRow())
            return;
        RowLayout layout;
        if (!LayOutRow(layout))
            return;
        const int width = layout.Column + row_.After;
        if (!FitsWidth(width))
            return;
        if (layout.Shape.Cells.empty())
            continue;
        if (!EmitRowLines(copy))
            return;
        KeepRow(std::move(layout.Shape), width);
    }
}

// Repeated rows count one by one: each copy is laid out and gives lines of its own.
bool DocumentBuilder::ChargeRow()
{
    if (++rowsRead_ > MaxDocumentLines) {
        Refuse(TooManyLines);
        return false;
    }
    return true;
}

// Places each of the row's cells, repeated ones once per copy, on the grid beside the ones
// before it and under what the row above left there. False, with a refusal, when the row runs
// too wide or the tables too large.
bool DocumentBuilder::LayOutRow(RowLayout &layout)
{
    layout.Shape.Cells.reserve(row_.Cells.size());
    layout.Column = row_.Before;
    texts_.clear();
    below_.clear();
    for (Cell &cell : row_.Cells) {
        for (int k = 0; k < cell.Repeat; ++k) {
            if (!FitsWidth(layout.Column) || !ChargePlace())
                return false;
            const Cover *up = CoverAbove(layout.Column);
            if (cell.Kind == Cell::Covered)
                PlaceCovered(layout, up);
            else if (Continues(cell, up, layout.Column))
                PlaceContinued(layout, *up, cell.ColSpan);
            else
                PlaceContent(layout, cell);
        }
    }
    return true;
}

// Checked as each cell is placed, and once more with the places left empty after the last.
bool DocumentBuilder::FitsWidth(int width)
{
    if (width > MaxTableColumns) {
        Refuse(u"The document has a table wider than 1000 columns.");
        return false;
    }
    return true;
}

// Places are counted, not lines: rows of covered places repeated many times give no line, yet
// each costs a pass over the row.
bool DocumentBuilder::ChargePlace()
{
    if (++placesRead_ > MaxGridPlaces) {
        Refuse(u"The document is too long to read: its tables have more than 16 million cells.");
        return false;
    }
    return true;
}

// What the row above left on a grid column, or null where it left nothing.
const DocumentBuilder::Cover *DocumentBuilder::CoverAbove(int column) const
{
    const size_t at = size_t(column);
    return at < above_.size() && above_[at].Row >= 0 ? &above_[at] : nullptr;
}

// Records for the next row what this one puts on span grid columns from column on.
void DocumentBuilder::MarkBelow(int column, int span, const Cover &cover)
{
    if (below_.size() < size_t(column + span))
        below_.resize(size_t(column + span));
    std::fill(below_.begin() + column, below_.begin() + column + span, cover);
}

// An OpenDocument place another cell covers: it gives no line of its own.
void DocumentBuilder::PlaceCovered(RowLayout &layout, const Cover *up)
{
    if (layout.CoveredFromLeft > 0) {
        --layout.CoveredFromLeft;
        return;
    }
    if (up && up->RowsLeft > 0) {
        ShapeCell &anchor = Anchor(*up);
        Cover next = *up;
        --next.RowsLeft;
        if (anchor.Column == layout.Column) {
            // The first place under a cell that spans rows stands for all of it.
            ++anchor.RowSpan;
            PlaceMerged(layout, anchor.ColSpan, next);
            layout.CoveredFromLeft = anchor.ColSpan - 1;
            return;
        }
        MarkBelow(layout.Column, 1, next);
    }
    // Covered from the left, or by nothing at all: a place without a line.
    ++layout.Column;
}

// A continued cell joins the cell above only where it starts and spans as that one does;
// elsewhere it stands as a cell of its own.
bool DocumentBuilder::Continues(const Cell &cell, const Cover *up, int column)
{
    return cell.Kind == Cell::Continued && up && up->Column == column
        && up->ColSpan == cell.ColSpan;
}

// A Word cell merged into the one above it: that cell spans one row more.
void DocumentBuilder::PlaceContinued(RowLayout &layout, const Cover &up, int span)
{
    ++Anchor(up).RowSpan;
    PlaceMerged(layout, span, { up.Row, up.Entry, layout.Column, span, 0 });
    layout.CoveredFromLeft = 0;
}

// An entry merged into the cell above keeps its places on the grid, with an empty line.
void DocumentBuilder::PlaceMerged(RowLayout &layout, int span, const Cover &cover)
{
    layout.Shape.Cells.push_back({ layout.Column, span, 1, true });
    texts_.push_back(&layout.NoText);
    MarkBelow(layout.Column, span, cover);
    layout.Column += span;
}

// A cell of its own: its text is its line, and the places under it stay covered for as many
// rows as it declares it spans.
void DocumentBuilder::PlaceContent(RowLayout &layout, Cell &cell)
{
    const int rowIndex = int(table_.Rows.size());
    MarkBelow(layout.Column, cell.ColSpan,
        { rowIndex, int(layout.Shape.Cells.size()), layout.Column, cell.ColSpan,
            cell.RowSpan - 1 });
    layout.Shape.Cells.push_back({ layout.Column, cell.ColSpan, 1, false });
    texts_.push_back(&cell.Text);
    layout.Column += cell.ColSpan;
    layout.CoveredFromLeft = cell.ColSpan - 1;
}

// The laid-out row's entries become lines, one each, in order (texts_). False once the document
// proves too large.
bool DocumentBuilder::EmitRowLines(int copy)
{
    if (table_.Rows.empty())
        table_.FirstLine = int(document_.Lines.size()) + 1;
    const bool lastCopy = copy == row_.Repeat - 1;
    for (size_t i = 0; i < texts_.size(); ++i) {
        std::u16string &text = *texts_[i];
        // The first copy's text was counted as it was read; further copies are new text.
        if (copy > 0 && !Charge(text.size()))
            return false;
        // A text's last use moves it to the lines: the row is done with after its last
        // copy, and a repeated cell's entries follow one another.
        const bool lastUse = lastCopy && (i + 1 == texts_.size() || texts_[i + 1] != &text);
        EmitLine(lastUse ? std::move(text) : text);
    }
    return Ok();
}

// The row joins the table, and what it put on each grid column becomes what the next row finds
// above it.
void DocumentBuilder::KeepRow(ShapeRow &&shape, int width)
{
    // Header rows count only as long as they run unbroken from the top.
    if (row_.Header && table_.HeaderRows == int(table_.Rows.size()))
        ++table_.HeaderRows;
    table_.Cols = std::max(table_.Cols, width);
    table_.Rows.push_back(std::move(shape));
    above_.swap(below_);
}

WordDocumentRead DocumentBuilder::Finish()
{
    while (paragraphs_ > 0)
        EndParagraph();
    while (depth_ > 0)
        EndTable();
    DeliverCarried();
    if (!Ok())
        return { std::nullopt, refusal_ };
    return { std::move(document_), {} };
}

} // namespace cellwright
