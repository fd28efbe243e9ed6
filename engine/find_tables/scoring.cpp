#include "find_tables/scoring.h"

#include "find_tables/candidate_checks.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>

namespace cellwright::finder {

namespace {

// Evidence x >= 0 as a confidence from 0 towards 1: x / (1 + x), which needs no maths library.
double Saturation(double x)
{
    return x > 0 ? x / (1 + x) : 0;
}

// True when line `outside` is a title on its own line right above a block whose first row holds
// `inside`: a short text (no note, no word that heads columns) after a paragraph, an empty line
// or a note, over a header.
bool TitleAbove(const Profile &profile, int outside, int inside)
{
    const std::vector<Cell> &cells = profile.cells;
    const int first = outside + 1;
    if (outside < 1 || outside >= inside)
        return false;
    const Cell &t = cells[outside], &above = cells[outside - 1];
    // (A caption or a heading above is the block's title already: the line under it is a cell.)
    const bool opened = above.kind == Kind::Empty || above.kind == Kind::Prose
        || above.kind == Kind::ListItem || above.note;
    if (!opened || !IsTitle(t) || (t.flags & SectionNumber))
        return false;
    // Under it, a header: more of its columns stand apart from the cells under them than when
    // the title is read as the first header cell (a title is unlike the column it would head),
    // or three or more header cells more alike to each other than to it, the short words heading
    // columns. (Not under a note: two titles stacked, either may be the table's; nor under a
    // lead-in, whose next line is the table's first cell.)
    const int cols = inside - outside;
    return IsText(cells[first].kind) && !cells[first].note
        && (ApartColumns(profile, first, cols) > ApartColumns(profile, outside, cols)
            || (cols >= 3 && !above.note && !above.leadIn
                && UnlikeTitle(profile, outside, first, cols)));
}

} // namespace

// True when the pairs of `rows` from `first` are read a line early: a title on its own line
// taken for the first cell, so that every row holds a value beside the next key. Keys come first
// in a table of pairs: short texts without digits, beside values that hold digits or run longer.
// Read a line early, the keys stand in the second column and the last key is the line after the
// table (a heading, the next table's first cell).
bool KeysSecond(const Profile &profile, int first, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    const int last = first + 2 * rows; // one past the block
    if (rows < 3 || first < 1 || last > profile.size())
        return false;
    const Cell &title = cells[first], &above = cells[first - 1];
    const bool opened
        = above.kind == Kind::Empty || Breaks(above) || above.note || (title.flags & SectionNumber);
    // (A title is no value: one holding digits is the first key of pairs keyed by numbers.)
    const bool numbered = HoldsDigits(title) && !(title.flags & SectionNumber);
    // (Nor is a row with a word that heads columns in it: it is the header.)
    if (!opened || !IsTitle(title) || cells[first + 1].label || numbered)
        return false;
    // (The last key, the line after the pairs, is only a short text: a heading may be numbered.)
    const Cell &after = cells[last - 1];
    if (!IsShortText(after) || (HoldsDigits(after) && !(after.flags & SectionNumber)))
        return false;
    int values = 0;
    for (int r = 1; r + 1 < rows; ++r) {
        const Cell &value = cells[first + 2 * r], &key = cells[first + 2 * r + 1];
        if (!(IsShortText(key) || key.kind == Kind::Code) || HoldsDigits(key) || IsBlankCell(value))
            return false;
        values += HoldsDigits(value) || value.length > KeyValueLengthRatio * key.length ? 1 : 0;
    }
    return values == rows - 2;
}

bool TitleTo(const Profile &profile, int t, int from, int to)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &title = cells[t];
    if (!IsTitle(title) || title.note)
        return false;
    return std::none_of(cells.begin() + from, cells.begin() + to, [&](const Cell &c) {
        return c.kind == title.kind && c.flags == title.flags && c.a == title.a;
    });
}

int ApartColumns(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    int apart = 0;
    for (int c = 0; c < cols && first + 2 * cols + c < profile.size(); ++c)
        apart += Apartness(cells[first + c], cells[first + cols + c], cells[first + 2 * cols + c])
                >= HeaderApartAt
            ? 1
            : 0;
    return apart;
}

double Apartness(const Cell &header, const Cell &below, const Cell &belowThat)
{
    return Similarity(below, belowThat) - Similarity(header, below);
}

double Boundary(const Profile &profile, int outside, int inside)
{
    if (outside < 0 || outside >= profile.size())
        return TextBoundary;
    const Cell &c = profile.cells[outside];
    if (c.kind == Kind::Caption) {
        // A caption followed by cells is the next table's: to the block above it is only text.
        const int next = outside + 1;
        const bool heads = outside > inside && next < profile.size()
            && profile.cells[next].kind != Kind::Empty && !Breaks(profile.cells[next]);
        return heads ? TextBoundary : CaptionBoundary;
    }
    if (c.kind == Kind::Empty) {
        // An empty line under a block of columns, followed by a cell alike to the next column's,
        // is a blank cell of a row going on, not spacing: the block is read out of step.
        const bool goesOn = outside - inside >= 2 && outside + 1 < profile.size()
            && profile.cells[outside + 1].kind != Kind::Empty
            && Similarity(profile.cells[outside + 1], profile.cells[inside + 1]) >= CompatibleAt;
        return goesOn ? TextBoundary : EmptyBoundary;
    }
    // A title on its own line over a block bounds it as the text above the title would: else the
    // block read a line early, the title taken for a header cell, bounds better than the block.
    if (TitleAbove(profile, outside, inside))
        return Boundary(profile, outside - 1, outside);
    // (So do the title of the next table under the block and a note under it.)
    if (IsBlankCell(c) || Breaks(c)
        || (outside > inside && (profile.nextTitle[outside] == outside || c.note)))
        return TextBoundary;
    return ContinuationBoundary * Similarity(c, profile.cells[inside]);
}

// How well line `last` closes the block before it. Under empty last rows (left for entries to
// come) the text is told from the last filled row, and the empty rows set the block apart as an
// empty paragraph would.
double EndBoundary(const Profile &profile, int first, int last, int cols)
{
    const auto empty = [&](const Cell &c) { return c.kind == Kind::Empty; };
    int inside = last - cols;
    while (inside - cols > first
        && std::all_of(
            profile.cells.begin() + inside, profile.cells.begin() + inside + cols, empty))
        inside -= cols;
    const double boundary = Boundary(profile, last, inside);
    return inside == last - cols ? boundary : std::max(boundary, EmptyBoundary);
}

double RowsGain(const Profile &profile, const Candidate &block, double evidence,
    const HeaderRow &header, bool runsOnFromAbove)
{
    const int first = block.first, cols = block.cols;
    const int last = first + block.rows * cols; // one past the block
    const double dataLines = double(block.rows - 1) * cols;
    double gain = dataLines * evidence;
    if (header.text == cols)
        gain += ApartColumnGain * header.apartCols + OverNumberGain * header.overNumbers
            + ApartnessGain * header.apartness;
    else
        gain += header.alike - PlainHeaderCost * cols;
    gain -= TableCostPerColumn * cols + TableCost;
    // Words that head columns ("Year", "Name") make the first row the header, not a title or
    // a row of data read out of step.
    for (int c = 0; c < cols; ++c)
        gain += profile.cells[first + c].label ? LabelGain : 0;
    if (runsOnFromAbove)
        gain -= RunsOnCost;
    // Captions, prose, empty lines and the document's ends are where tables start and stop; a
    // neighbour that would continue the block's columns means the block is misplaced.
    // (Pairs under a title that reads as their first key out of step are framed by it, and by
    // the line after them, as by text.)
    if (cols == 2 && KeysSecond(profile, first - 1, block.rows + 1))
        gain += 2 * TextBoundary;
    else {
        // A title under a caption (a subtitle, a section's name) takes the caption's place over
        // the block: else the block read a line early, the title for its first cell, bounds
        // better.
        const bool subtitled = first >= 2 && profile.cells[first - 2].kind == Kind::Caption
            && TitleTo(profile, first - 1, first, last);
        const double top = Boundary(profile, first - 1, first + cols - 1);
        gain += (subtitled ? std::max(top, CaptionBoundary) : top)
            + EndBoundary(profile, first, last, cols);
    }
    // Numbers left over after the block, fewer than a row, before the text resumes: the rows
    // are read out of step (a title above taken for a header cell).
    int left = 0;
    bool numbers = true;
    const auto opens = [&](int i) {
        return i >= profile.size() || profile.cells[i].kind == Kind::Empty
            || Breaks(profile.cells[i]);
    };
    while (left < cols && !opens(last + left)) {
        numbers = numbers && IsNumeric(profile.cells[last + left].kind);
        ++left;
    }
    if (left > 0 && left < cols && numbers)
        gain -= StrandedCellsCost;
    // So are pairs whose keys stand in the second column.
    if (cols == 2 && KeysSecond(profile, first, block.rows))
        gain -= KeysSecondCost;
    return gain;
}

double RowsConfidence(double gain, int cols, double evidence)
{
    return Saturation(gain / (ConfidenceExtraCols + cols))
        * std::min(1.0, evidence * EvidenceConfidence);
}

double HeaderRunGain(const Profile &profile, int first, int end, int cols)
{
    const double gain = HeaderRunLineGain * (end - first - cols) + HeaderRunColumnGain * cols
        + Boundary(profile, first - 1, first + cols - 1) + Boundary(profile, end, end - cols);
    return std::max(gain, HeaderRunMinGain);
}

double HeaderRunConfidence(double gain, int cols)
{
    return HeaderRunConfidenceScale * Saturation(gain / (ConfidenceExtraCols + cols));
}

double ChooserCorrection(const Profile &profile, const Candidate &c)
{
    if (c.first == 0)
        return 0;
    const std::vector<Cell> &cells = profile.cells;
    const Cell &above = cells[c.first - 1];
    if (above.kind == Kind::Empty)
        return ChooserEmptyAbove;
    // Under a lead-in the table's first cell is the line after the colon: a block starting up to
    // a row lower leaves its first cells to no one, unless a caption or a heading between starts
    // it, or a title names it over a header row.
    const bool header = std::all_of(cells.begin() + c.first, cells.begin() + c.first + c.cols,
        [](const Cell &x) { return x.label; });
    for (int p = c.first - 1; p > 0 && p >= c.first - c.cols; --p) {
        if (OpensBlock(profile, p) || cells[p].leadIn || (header && IsTitle(cells[p])))
            return 0;
        if (cells[p - 1].leadIn)
            return ChooserLeadInLate;
    }
    return 0;
}

} // namespace cellwright::finder
