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
        Refuse(u"The document is too long to read: it has more than 100 000 lines.");
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
        const int rowIndex = int(table_.Rows.size());
        ShapeRow shape;
        shape.Cells.reserve(row_.Cells.size());
        std::vector<std::u16string *> &texts = texts_; // each entry's line, empty for covered ones
        texts.clear();
        std::vector<Cover> &below = below_; // what this row puts on each grid column
        below.clear();
        const auto place = [&below](int column, int span, const Cover &cover) {
            if (below.size() < size_t(column + span))
                below.resize(size_t(column + span));
            std::fill(below.begin() + column, below.begin() + column + span, cover);
        };
        std::u16string empty;
        int x = row_.Before;
        int coveredFromLeft = 0; // covered cells still to come for a span to their left
        for (Cell &cell : row_.Cells) {
            for (int k = 0; k < cell.Repeat; ++k) {
                if (x > MaxTableColumns) {
                    Refuse(u"The document has a table wider than 1000 columns.");
                    return;
                }
                if (++placesRead_ > MaxGridPlaces) {
                    Refuse(u"The document is too long to read: its tables have more than 16 "
                           u"million cells.");
                    return;
                }
                const Cover *up = size_t(x) < above_.size() && above_[size_t(x)].Row >= 0
                    ? &above_[size_t(x)]
                    : nullptr;
                if (cell.Kind == Cell::Covered) {
                    if (coveredFromLeft > 0) {
                        --coveredFromLeft;
                        continue;
                    }
                    if (up && up->RowsLeft > 0) {
                        ShapeCell &anchor = Anchor(*up);
                        Cover next = *up;
                        --next.RowsLeft;
                        if (anchor.Column == x) {
                            // The first place under a cell that spans rows stands for all of it.
                            ++anchor.RowSpan;
                            shape.Cells.push_back({ x, anchor.ColSpan, 1, true });
                            texts.push_back(&empty);
                            place(x, anchor.ColSpan, next);
                            coveredFromLeft = anchor.ColSpan - 1;
                            x += anchor.ColSpan;
                            continue;
                        }
                        place(x, 1, next);
                    }
                    // Covered from the left, or by nothing at all: a place without a line.
                    ++x;
                    continue;
                }
                if (cell.Kind == Cell::Continued && up && up->Column == x
                    && up->ColSpan == cell.ColSpan) {
                    ++Anchor(*up).RowSpan;
                    shape.Cells.push_back({ x, cell.ColSpan, 1, true });
                    texts.push_back(&empty);
                    place(x, cell.ColSpan, { up->Row, up->Entry, x, cell.ColSpan, 0 });
                    x += cell.ColSpan;
                    coveredFromLeft = 0;
                    continue;
                }
                place(x, cell.ColSpan,
                    { rowIndex, int(shape.Cells.size()), x, cell.ColSpan, cell.RowSpan - 1 });
                shape.Cells.push_back({ x, cell.ColSpan, 1, false });
                texts.push_back(&cell.Text);
                x += cell.ColSpan;
                coveredFromLeft = cell.ColSpan - 1;
            }
        }
        const int width = x + row_.After;
        if (width > MaxTableColumns) {
            Refuse(u"The document has a table wider than 1000 columns.");
            return;
        }
        if (shape.Cells.empty())
            continue;
        if (!EmitRowLines(copy))
            return;
        KeepRow(std::move(shape), width);
    }
}

// Repeated rows count one by one: each copy is laid out and gives lines of its own.
bool DocumentBuilder::ChargeRow()
{
    if (++rowsRead_ > MaxDocumentLines) {
        Refuse(u"The document is too long to read: it has more than 100 000 lines.");
        return false;
    }
    return true;
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
