// Checks of the header and the title above a block: a units row under the header, a block read
// a line early or late, and blocks framed by the title of the table after them (TitledBlocks).
#include "find_tables/candidate_checks.h"
#include "find_tables/candidates.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <vector>

namespace cellwright::finder {

// The label whose span takes in the blank cell `c` of the header of `cols` at `first` ("Mass"
// over "min g", "max g"): the last one before it, given a unit below; -1 when none.
int SpanningLabel(const Profile &profile, int first, int cols, int c)
{
    const std::vector<Cell> &cells = profile.cells;
    if (c == 0 || !IsBlankCell(cells[first + c]))
        return -1;
    int label = c - 1;
    while (label > 0 && IsBlankCell(cells[first + label]))
        --label;
    return IsBlankCell(cells[first + label]) || IsBlankCell(cells[first + cols + label]) ? -1
                                                                                         : label;
}

namespace {

// True when a header of `cols` with a units row under it can stand at `first` at all: rows
// enough without a break, the first cell a text or empty, the others texts or numbers (years or
// periods heading the columns, "2024/25" over "£ a week"), or blank beside a label spanning columns
// that the units row tells apart. Apart from the rest, to be asked cheaply: every candidate asks it
// of the rows above it, and most rows asked are no header at all.
inline bool HeaderCanStand(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (!(cols >= 2 && first + 3 * cols <= profile.size()
            && profile.breaksBefore[first + 3 * cols - 1] == profile.breaksBefore[first]
            && (IsText(cells[first].kind) || cells[first].kind == Kind::Empty)
            && !cells[first].note))
        return false;
    // (Counted, not asked cell by cell: every blank is among the cells that head nothing, so the
    // header stands only if its blanks are all of them.)
    const int unheading
        = profile.unheadingBefore[first + cols] - profile.unheadingBefore[first + 1];
    if (unheading == 0)
        return true;
    if (unheading != profile.emptyBefore[first + cols] - profile.emptyBefore[first + 1])
        return false;
    for (int c = 1; c < cols; ++c)
        if (IsBlankCell(cells[first + c]) && SpanningLabel(profile, first, cols, c) < 0)
            return false;
    return true;
}

// Two habits of the units row under the header of `cols` at `first`, each worked out when a cell
// first needs it: most rows asked hold a value that is plainly no unit, refused at their first
// cell.
struct UnitsRowHabits {
    const std::vector<Cell> &cells;
    int units; // the units row's first line
    int cols;
    int repeatedKnown = -1, bracketedKnown = -1;

    // The same unit again in every column that gives one ("£ per hour"): it may be longer.
    bool Repeated()
    {
        if (repeatedKnown < 0) {
            const Cell *unit = nullptr;
            int given = 0;
            repeatedKnown = 1;
            for (int c = 0; c < cols && repeatedKnown; ++c) {
                const Cell &u = cells[units + c];
                if (IsBlankCell(u))
                    continue;
                unit = unit ? unit : &u;
                repeatedKnown = u.text == unit->text && u.length <= RemarkLength && !u.note;
                ++given;
            }
            repeatedKnown = repeatedKnown && given >= 2;
        }
        return repeatedKnown == 1;
    }

    // How many units are in brackets. (A rate's unit in brackets, "(1/yr)", reads as a number
    // with a unit.)
    int BracketedUnits()
    {
        if (bracketedKnown < 0) {
            bracketedKnown = 0;
            for (int c = 0; c < cols; ++c) {
                const Cell &u = cells[units + c];
                bracketedKnown += !IsBlankCell(u) && u.length <= RemarkLength
                    && (((u.flags & Bracketed) && IsText(u.kind))
                        || (IsNumeric(u.kind) && (u.flags & WithUnit) && u.lead == u'('));
            }
        }
        return bracketedKnown;
    }
};

// True when `u` is a unit in brackets ("[h:mm]", "(km)").
bool BracketedUnit(const Cell &u)
{
    return (u.flags & Bracketed) && u.length <= RemarkLength;
}

// True when the cell `u` of a units row, not blank, reads as a unit: on its own or in brackets,
// and not a value of the table's.
bool ReadsAsUnit(const Cell &u, UnitsRowHabits &habits)
{
    const bool bracketed = BracketedUnit(u);
    // (The same figure in every column, "(000)", is a scale, not a value.)
    // (Among units in brackets, a number with a unit is a scale too: "(1000 lb)".)
    const bool scale = IsNumeric(u.kind) && (u.flags & WithUnit) && habits.BracketedUnits() >= 2;
    // (A compound unit may take a blank, "J/kg °C", "kWh m²"; its symbols tell it from words.)
    const bool compound = u.a == 2 && (u.flags & WithSymbols) && u.length <= RemarkLength;
    // (So may units joined by short words, "g or ml", "£ per kg": no word longer than a few
    // letters on average.)
    // (Two words, "per min", "max g", hold no figure: "Mon 1", "LX 22" are keys.)
    const bool joined = u.a >= 2 && u.a <= UnitsPhraseWords
        && u.length - (u.a - 1) <= UnitsPhraseLetters * u.a
        && (u.a >= 3 || !(u.flags & WithDigits));
    // (A unit's symbol alone, "kg", "£", reads as a code.)
    const bool symbol = u.kind == Kind::Code && u.length <= UnitsRowLength;
    return (IsText(u.kind) || symbol || scale || (IsNumeric(u.kind) && habits.Repeated()))
        && (bracketed || scale || compound || joined || !(u.length > UnitsRowLength || u.a > 1)
            || habits.Repeated());
}

// The line where the values start under the units row of the header of `cols` at `first`. (A
// section's title alone in its row may stand between the units and the values.)
int ValuesUnderUnits(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    int values = first + 2 * cols;
    if (first + 4 * cols <= profile.size() && IsShortText(cells[values])
        && profile.emptyBefore[values + cols] - profile.emptyBefore[values + 1] == cols - 1
        && profile.breaksBefore[values + 2 * cols] == profile.breaksBefore[values])
        values += cols;
    return values;
}

// True when the header of `cols` at `first`, over a units row, starts a block, or follows a title
// on its own line (no word that heads columns) without running on from the rows above: a units
// row under it vouches for the rest. (Asked last: every candidate asks it of the rows above it.)
bool HeaderSetApart(
    const Profile &profile, int first, int cols, bool allBracketed, UnitsRowHabits &habits)
{
    if (Opened(profile, first))
        return true;
    const Cell &above = profile.cells[first - 1];
    // Units all in brackets, or the same unit in every column, are no data of the table above:
    // they vouch for the header under any text or numbered title, however alike its rows, and
    // right under the last number of a table above.
    if ((allBracketed || habits.Repeated()) && !above.label
        && (IsText(above.kind) || (above.flags & SectionNumber) || IsNumeric(above.kind)))
        return true;
    return (IsTitle(above) || above.note) && !RunsOnFromAbove(profile, first, cols);
}

// UnitsRowBelow where a header can stand.
bool UnitsRowUnderHeader(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    UnitsRowHabits habits { cells, first + cols, cols };
    const int values = ValuesUnderUnits(profile, first, cols);
    int units = 0, overNumbers = 0, overBlanks = 0;
    bool allBracketed = true;
    for (int c = 0; c < cols; ++c) {
        const Cell &u = cells[first + cols + c];
        if (IsBlankCell(u))
            continue;
        if (!ReadsAsUnit(u, habits))
            return false;
        allBracketed = allBracketed && BracketedUnit(u);
        ++units;
        // (A value not given yet leaves the cell under a unit blank.)
        const Cell &v = cells[values + c];
        // (Or a text holding the figure, a direction before a speed: "SE 22" under "dir/kn".)
        overNumbers
            += IsNumeric(v.kind) || (v.kind == Kind::Phrase && HoldsDigits(v) && !v.note) ? 1 : 0;
        overBlanks += IsBlankCell(v) ? 1 : 0;
    }
    if (units == 0 || overNumbers == 0 || overNumbers + overBlanks != units)
        return false;
    return HeaderSetApart(profile, first, cols, allBracketed, habits);
}

// True when two cells are written alike: of one kind, with the same flags and number of words.
bool SameHabit(const Cell &x, const Cell &y)
{
    return x.kind == y.kind && x.flags == y.flags && x.a == y.a;
}

// True when the `cols` cells at `first` are all written alike: a row of header words, where the
// first is as much a header cell as the rest ("Rev" beside "Date", "Author").
bool SameHabitRow(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    for (int c = 1; c < cols; ++c)
        if (!SameHabit(cells[first], cells[first + c]))
            return false;
    return true;
}

} // namespace

// True when the row under the header at `first` gives the columns' units ("°C", "mm", or
// nothing): short texts and blanks over a row that has a number under a unit.
bool UnitsRowBelow(const Profile &profile, int first, int cols)
{
    return HeaderCanStand(profile, first, cols) && UnitsRowUnderHeader(profile, first, cols);
}

// True when the short text right above the header row of `cols` at `first` is written like every
// header cell but the last, and neither the line above it nor that last cell is: the header's
// first word left out, the first value of the rows taken for its last cell, read a line late.
bool HeaderWordAbove(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 3 || first < 2 || first + cols > profile.size())
        return false;
    const Cell &word = cells[first - 1];
    if (!IsShortText(word) || word.leadIn || SameHabit(cells[first - 2], word))
        return false;
    for (int c = 0; c + 1 < cols; ++c)
        if (!SameHabit(word, cells[first + c]))
            return false;
    // (Read a line late, that last cell opens the first column: alike to the value a row below.)
    const int value = first + cols - 1;
    return !SameHabit(word, cells[value])
        && (value + cols >= profile.size()
            || Similarity(cells[value], cells[value + cols]) >= CompatibleAt);
}

// True when the header row of `cols` at `first` is read a line late under two titles stacked:
// the short text above it stands under a title of its own (no sentence, set apart above or
// naming that text, "Planets" over "Planet"), is more alike to the header's cells than to that
// title, and the header's last cell is alike to the value a row below it (the first key of the
// rows). A table has one title; the second is its first header cell.
bool FirstHeaderCellAbove(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 2 || first < 2 || first + 2 * cols > profile.size())
        return false;
    const Cell &word = cells[first - 1], &title = cells[first - 2];
    const bool titled
        = (IsShortText(title) || title.kind == Kind::Long || title.kind == Kind::Heading)
        && !title.label && !title.leadIn && !(title.flags & SentenceEnd);
    if (!IsShortText(word) || word.leadIn || HoldsDigits(word) || !titled
        || !(profile.namesHeaderBelow[first - 2] || ClosesBlock(profile, first - 3)))
        return false;
    const int value = first + cols - 1;
    if (Similarity(cells[value], cells[value + cols]) < CompatibleAt)
        return false;
    double header = 0;
    for (int c = 0; c + 1 < cols; ++c)
        header += Similarity(word, cells[first + c]);
    // (A title that names the word under it, "Fields" over "Field", names that column.)
    return profile.namesHeaderBelow[first - 2] || header / (cols - 1) > Similarity(word, title);
}

// True when the block of `cols` from `first` to `last` (one past it) is a table without a header
// read a line early: a title (a short text, no word that heads columns) for its first cell, the
// rest of its first row as alike to the rows below as data, and its last cell on the text after
// the table, standing apart from its column the way a header would.
bool ReadLineEarly(const Profile &profile, int first, int last, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    // (Or the only line after it is the document's last, empty: the last cell of the table's
    // last row, left empty, read a line late.)
    const bool raggedEnd = last + 1 == profile.size() && cells[last].kind == Kind::Empty;
    if (cols < 2 || first < 1 || last - first < (raggedEnd ? 3 : 4) * cols
        || !IsTitle(cells[first]))
        return false;
    // (Under a title of its own, set apart from what is above it and written unlike the first
    // cell, the block has its title: that cell heads the columns.)
    if (first >= 2 && IsTitle(cells[first - 1]) && OpensBlock(profile, first - 2)
        && !SameHabit(cells[first - 1], cells[first]))
        return false;
    for (int c = 1; c < cols; ++c)
        if (Apartness(cells[first + c], cells[first + cols + c], cells[first + 2 * cols + c])
            >= HeaderApartAt)
            return false;
    if (raggedEnd)
        return true;
    const Cell &end = cells[last - 1], &up = cells[last - 1 - cols];
    return IsText(end.kind) && Apartness(end, up, cells[last - 1 - 2 * cols]) >= HeaderApartAt;
}

// True when the cell at `i` is a text that is a word heading columns or stands apart from the
// two cells under it in a table `cols` wide: a header cell. (The caller keeps two rows below.)
bool HeaderLikeCell(const Profile &profile, int i, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &h = cells[i];
    return IsText(h.kind) && !h.note
        && (h.label || Apartness(h, cells[i + cols], cells[i + 2 * cols]) >= HeaderApartAt);
}

// True when each of the `cols` cells at `first` is a header cell: a header row, even right under
// a table whose rows it looks like.
bool HeaderLikeRow(const Profile &profile, int first, int cols)
{
    if (first + 3 * cols > profile.size())
        return false;
    for (int c = 0; c < cols; ++c)
        if (!HeaderLikeCell(profile, first + c, cols))
            return false;
    return true;
}

// True when the block of `cols` at `first` opens on a title (a short text, no word that heads
// columns) and its second row on a word that heads columns, with a header row a line down, or
// when the row a line down is written alike throughout and the title is not.
bool HeaderReadLineEarly(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < 2 || first + 4 * cols >= profile.size())
        return false;
    // (Or a caption, a longer text, and at most one more text written unlike the words that head
    // columns, three or more, right after them: titles before the header, its last words pushed
    // into the first data row. A short text there is as often the header's first cell.)
    const Cell &caption = cells[first];
    const bool longer = caption.note || caption.kind == Kind::Long || caption.kind == Kind::Caption;
    for (int k = 1; longer && k <= 2 && k + HeaderOverRowsLabels <= cols; ++k) {
        const Cell &t = cells[first + k - 1];
        if (!IsText(t.kind) || t.label || SameHabit(t, cells[first + k]))
            break;
        if (LabelRun(profile, first + k) >= HeaderOverRowsLabels)
            return true;
    }
    // (A first cell written like the rest of its row is a header cell, no title.)
    if (!IsTitle(cells[first]) || SameHabitRow(profile, first, cols))
        return false;
    const Cell &h = cells[first + cols];
    if (!IsText(h.kind) || h.note)
        return false;
    // (Or the row a line down is written alike throughout, the title unlike it: the header.)
    if (cols >= 3 && !SameHabit(cells[first], cells[first + 1]) && !cells[first + 1].note
        && SameHabitRow(profile, first + 1, cols))
        return true;
    return h.label && HeaderLikeRow(profile, first + 1, cols);
}

// True when the header row of `cols` at `first` opens on a title to the rows below it (a block of
// `rows`), no more alike to the other header cells than they are to each other, beside a word
// that heads columns: a title taken for the first header cell, the block read a line early.
bool TitleHeaderCell(const Profile &profile, int first, int cols, int rows)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < TitleHeaderMinCols || !TitleTo(profile, first, first + cols, first + rows * cols)
        || SameHabitRow(profile, first, cols))
        return false;
    return std::any_of(cells.begin() + first + 1, cells.begin() + first + cols, [](const Cell &c) {
        return c.label;
    }) && UnlikeTitle(profile, first, first + 1, cols - 1);
}

bool UnlikeTitle(const Profile &profile, int t, int from, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    double toTitle = 0, among = 0;
    int pairs = 0;
    for (int c = 0; c < cols; ++c) {
        toTitle += Similarity(cells[t], cells[from + c]);
        for (int d = c + 1; d < cols; ++d, ++pairs)
            among += Similarity(cells[from + c], cells[from + d]);
    }
    return toTitle / cols <= among / pairs;
}

// Blocks that run into the next table read on through its title: between a title of their own
// (under text or a sentence) and the title of a sure table after them, they are framed as by
// text, and proposed at that size, however little their columns tell.
void TitledBlocks(const Profile &profile, std::vector<Candidate> &all)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> titlesNext(n + 1, false);
    for (const Candidate &c : all) {
        if (c.cols < 2 || c.confidence < SureStartAt || c.first == 0)
            continue;
        const Cell &title = cells[c.first - 1];
        titlesNext[c.first - 1] = titlesNext[c.first - 1] || IsTitle(title);
    }
    // (Such titles before each line: most lines have none within reach of a block.)
    std::vector<int> titlesBefore(n + 2, 0);
    for (int i = 0; i <= n; ++i)
        titlesBefore[i + 1] = titlesBefore[i] + (titlesNext[i] ? 1 : 0);
    std::vector<Candidate> framed;
    for (int first = 1; first < n; ++first) {
        // (A note under the rows above is no title's frame: a short line under one is as often a
        // cell.)
        if (!OpensBlock(profile, first - 1)
            && !(IsShortText(cells[first - 1])
                && (OpensBlock(profile, first - 2) || IsSentenceNote(cells[first - 2]))))
            continue;
        // (Blocks end from three rows of two columns down to the longest cut.)
        const int nearest = first + 3 * 2, reach = std::min(n, first + MaxCutRows * MaxCols);
        if (nearest > reach || titlesBefore[reach + 1] == titlesBefore[nearest])
            continue;
        for (int cols = 2; cols <= MaxCols; ++cols)
            for (int rows = 3; rows <= MaxCutRows && first + rows * cols <= n; ++rows)
                if (titlesNext[first + rows * cols])
                    CandidatesAt(profile, first, cols, framed, rows, false, &titlesNext);
    }
    all.insert(all.end(), framed.begin(), framed.end());
}

} // namespace cellwright::finder
