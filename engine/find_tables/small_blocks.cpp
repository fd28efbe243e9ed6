// Blocks too small or too plain for their rows to tell: keys beside values, glossaries, lists of
// names, small tables of a row or two, blank forms, and the checks on pairs.
#include "find_tables/candidate_checks.h"
#include "find_tables/scoring.h"
#include "find_tables/similarity.h"
#include "find_tables/tuning.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace cellwright::finder {

namespace {

// A key: a short name without digits, capitalised, as in "First ascent" (at most `words`).
bool IsKey(const Cell &c, int words = KeyWords)
{
    return IsShortText(c) && c.a <= words && (c.flags & Capitalised)
        && !(c.flags & (WithDigits | SectionNumber | SentenceEnd));
}

// A key written as letters in capitals alone ("VAT", "PIN"): a short form, as keys often are.
bool IsCapitalsKey(const Cell &c)
{
    return c.kind == Kind::Code && (c.flags & AllCapitals)
        && !(c.flags & (WithDigits | WithSymbols | SectionNumber));
}

// Traits that mark a cell, for columns or rows told apart by what all or none of their cells have.
using Trait = bool (*)(const Cell &);
bool SeveralWords(const Cell &c)
{
    return IsText(c.kind) && c.a >= 2;
}
bool TitleCased(const Cell &c)
{
    return IsText(c.kind) && (c.flags & TitleCase);
}
bool CapitalisedText(const Cell &c)
{
    return IsText(c.kind) && (c.flags & Capitalised);
}
bool SymbolText(const Cell &c)
{
    return IsText(c.kind) && (c.flags & WithSymbols);
}
bool DecimalNumber(const Cell &c)
{
    return c.kind == Kind::Decimal;
}
bool SentenceText(const Cell &c)
{
    return IsText(c.kind) && (c.flags & SentenceEnd);
}

// True when `cell` breaks a trait that the cells of lines [from, to), every other line, all keep
// (blank, with digits, of several words, capitalised, with symbols, ending as a sentence).
bool BreaksColumn(const Profile &profile, int from, int to, const Cell &cell)
{
    const std::vector<Cell> &cells = profile.cells;
    static constexpr std::array<Trait, 6> traits {
        IsBlankCell,
        HoldsDigits,
        SeveralWords,
        CapitalisedText,
        SymbolText,
        SentenceText,
    };
    for (Trait trait : traits) {
        bool kept = true;
        for (int i = from + 2; i < to && kept; i += 2)
            kept = trait(cells[i]) == trait(cells[from]);
        if (kept && trait(cell) != trait(cells[from]))
            return true;
    }
    return false;
}

// True when each cell of the row at `first + cols` is unlike the cell above it (a row of values
// under a row of labels), as no two lines of one column are.
bool RowsApart(const Profile &profile, int first, int cols)
{
    for (int c = 0; c < cols; ++c)
        if (Similarity(profile.cells[first + c], profile.cells[first + cols + c])
            >= SingleColumnCompatibleAt)
            return false;
    return true;
}

// True when some trait marks every cell of the row at `first` and none of the row under it, or
// the other way round: a row of labels over its values, told apart as wholes.
bool RowTraitApart(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    // (Not the count of words: keys of two words beside values of one are pairs, not rows.)
    static constexpr std::array<Trait, 6> traits {
        [](const Cell &c) { return c.kind == Kind::Decimal; },
        [](const Cell &c) { return c.lead == 0; },
        TitleCased,
        SymbolText,
        HoldsDigits,
        CapitalisedText,
    };
    // (Each row opening with one letter of its own: "Year 7", "Year 9" over "Thu 6 Nov".)
    bool leads = true;
    for (int c = 1; c < cols; ++c)
        leads = leads && cells[first + c].lead == cells[first].lead
            && cells[first + cols + c].lead == cells[first + cols].lead;
    if (leads && cells[first].lead != cells[first + cols].lead)
        return true;
    for (Trait trait : traits) {
        int top = 0, under = 0;
        for (int c = 0; c < cols; ++c) {
            top += trait(cells[first + c]) ? 1 : 0;
            under += trait(cells[first + cols + c]) ? 1 : 0;
        }
        if ((top == cols && under == 0) || (top == 0 && under == cols))
            return true;
    }
    return false;
}

// A short cell of a small table: no sentence, no numbered title, no paragraph.
bool ShortCell(const Cell &c)
{
    return (IsNumeric(c.kind) || c.kind == Kind::Word || c.kind == Kind::Phrase
               || c.kind == Kind::Code)
        && !c.note && !(c.flags & (SectionNumber | SentenceEnd));
}

// True when the first row of the pairs in lines [first, end) is a header: its second cell is no
// sentence over values that all are ("What it says" over the rules), where the value beside a
// title taken for a key would be one like them.
bool HeadsValues(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    if (end - first < 6 || !IsText(cells[first + 1].kind) || SentenceText(cells[first + 1]))
        return false;
    for (int i = first + 3; i < end; i += 2)
        if (!SentenceText(cells[i]))
            return false;
    return true;
}

// True when `code` reads as a short form of `words` beside it ("W" for "Widowed", "Dau" for
// "Daughter"): one short token, opening with the same letter as the longer text.
bool Abbreviates(const Cell &code, const Cell &words)
{
    return (code.kind == Kind::Word || code.kind == Kind::Code) && code.a == 1
        && code.length <= AbbreviationMaxLength && IsText(words.kind) && words.length > code.length
        && LowerAscii(code.lead) == LowerAscii(words.lead);
}

} // namespace

// True when the pairs in lines [first, end) keep their two columns apart: no text stands in
// both, the keys are said once each, and either values are said again (people in charge of
// several things), or some trait of a cell (several words, each capitalised, symbols, digits)
// marks nearly all of one column and nearly none of the other, or each key is a short form of its
// value. Names beside names, days beside days, a list of one kind read two at a time, keep no
// such difference.
bool PairsApart(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    bool keysAgain = false;
    int valuesAgain = 0;
    // (Said again an even number of lines on, a text stays in its column.)
    for (int i = first; i < end; ++i) {
        const int j = profile.nextSame[i];
        if (IsBlankCell(cells[i]) || j >= end)
            continue;
        if ((j - i) % 2 != 0)
            return false;
        if ((i - first) % 2 == 0)
            keysAgain = true;
        else
            ++valuesAgain;
    }
    if (valuesAgain >= PairsValuesAgain && !keysAgain)
        return true;
    // (Numbers with a point beside counts or names; names or codes in capitals beside words in
    // small letters or numbers.)
    static constexpr std::array<Trait, 6> traits { SeveralWords, TitleCased, SymbolText,
        HoldsDigits, DecimalNumber, CapitalisedText };
    if (keysAgain)
        return false;
    // (The first row may be a header of two labels, whatever traits its words have.)
    for (int from : { first, first + 2 }) {
        const int rows = (end - from) / 2;
        // (A short form beside the words it stands for, row by row: a key to codes.)
        bool abbreviated = rows > 0;
        for (int i = from; i < end && abbreviated; i += 2)
            abbreviated = Abbreviates(cells[i], cells[i + 1]);
        if (abbreviated)
            return true;
        for (Trait trait : traits) {
            int keys = 0, values = 0;
            for (int i = from; i < end; i += 2) {
                keys += trait(cells[i]) ? 1 : 0;
                values += trait(cells[i + 1]) ? 1 : 0;
            }
            if (std::abs(keys - values) >= PairsApartShare * rows)
                return true;
        }
    }
    return false;
}

// What a block of `rows` x `cols` with text at both its ends gains from `evidence` for each of
// its lines.
double FramedBlockGain(double evidence, int rows, int cols)
{
    return evidence * cols * rows - TableCost - cols * TableCostPerColumn + 2 * TextBoundary;
}

// Adds the block of `rows` x `cols` from `first`, text at both its ends, when `evidence` for each
// of its lines makes it a table worth proposing, at most `sure` of it, gaining at least `floor`.
void AddFramedBlock(std::vector<Candidate> &out, int first, int rows, int cols, double evidence,
    double sure, double floor)
{
    Candidate c;
    c.first = first;
    c.rows = rows;
    c.cols = cols;
    c.gain = std::max(FramedBlockGain(evidence, rows, cols), floor);
    c.confidence = std::min(sure, RowsConfidence(c.gain, cols, evidence));
    if (c.gain > MinGain && c.confidence >= MinConfidence)
        out.push_back(c);
}

// True when the last row of the two columns in lines [first, end) breaks, in both its cells, a
// trait its column keeps in every row between the first (perhaps a header) and the last: a
// caption and a heading under a list of prefixes, a greeting or a signature under contacts.
bool OddLastPair(const Profile &profile, int first, int end)
{
    return BreaksColumn(profile, first + 2, end - 2, profile.cells[end - 2])
        && BreaksColumn(profile, first + 3, end - 1, profile.cells[end - 1]);
}

// True when pairs in lines [first, end) are read a line early: a title taken for the first key,
// so that the last value is empty or a note under the table, unlike the values above it, while its
// key is like the keys.
bool PairsLineEarly(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &value = cells[end - 1];
    // (A first key said again elsewhere with the key under it, as far apart, is a key: pairs
    // said again, each left its own title.)
    for (const int again : { profile.prevSame[first], profile.nextSame[first] })
        if (again >= 0 && again + 2 < profile.size() && (again - first) % 2 == 0
            && cells[again + 2].text == cells[first + 2].text)
            return false;
    // (Under a title of its own the first line heads the keys: a table has one title.)
    if (first >= 2 && IsTitle(cells[first - 1]) && !(cells[first - 1].flags & SentenceEnd)
        && ClosesBlock(profile, first - 2))
        return false;
    return IsText(cells[first].kind) && !cells[first].label && !cells[first + 1].label
        && (value.kind == Kind::Empty || SentenceText(value))
        && BreaksColumn(profile, first + 1, end - 1, value)
        && !BreaksColumn(profile, first + 2, end - 2, cells[end - 2])
        && !HeadsValues(profile, first, end - 2);
}

// True when pairs in lines [first, end) are read across a title from the pairs in lines [above,
// first - 1), a row short: the first row is the pairs' last key's value beside the title, each
// unlike the column it would open, while that key keeps every trait of the keys over it.
bool PairsAcrossTitle(const Profile &profile, int above, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &key = cells[first - 1], &value = cells[first], &title = cells[first + 1];
    // (A value written as a key could head the column under it, beside a header's second label.)
    return first - above >= 5 && IsTitle(title) && !(title.flags & SentenceEnd) && !value.label
        && !IsBlankCell(value) && !IsKey(value) && BreaksColumn(profile, first + 2, end, value)
        && BreaksColumn(profile, first + 3, end + 1, title)
        && !BreaksColumn(profile, above, first - 1, key)
        && Similarity(key, cells[first - 3]) >= CompatibleAt
        && Similarity(key, cells[first - 5]) >= CompatibleAt;
}

// True when the pairs in lines [first, end) stop above a last key whose value is left empty: the
// line at `end` is alike to the last two keys, the empty line after it is its value, and text or
// a title follows. (Else the reading a line later wins, taking that key for its last value.)
bool KeyLeftEmpty(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    if (end - 4 < first || end + 2 > n || cells[end + 1].kind != Kind::Empty
        || !IsShortText(cells[end]))
        return false;
    return (end + 2 == n || ClosesBlock(profile, end + 2) || IsShortText(cells[end + 2]))
        && Similarity(cells[end], cells[end - 2]) >= CompatibleAt
        && Similarity(cells[end], cells[end - 4]) >= CompatibleAt;
}

// How many lines pairs in lines [first, end) are read out of step, told by the lone line they
// leave between them and what closes them (0 when in step): a title taken for the first key
// leaves the last value out (+1: start a line late), a header's label read as the first key over
// an empty corner leaves it out too (-1: start a line early, a row more). The lone line is no
// note, and no capitalised title unless alike to the values above it.
int PairsOutOfStep(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    if (end >= n || OpensBlock(profile, end) || first < 1)
        return 0;
    const Cell &lone = cells[end];
    if (lone.note || lone.label
        || !(end + 1 == n || ClosesBlock(profile, end + 1) || IsShortText(cells[end + 1])))
        return 0;
    if (IsShortText(lone) && (lone.flags & Capitalised)
        && Similarity(lone, cells[end - 2]) < CompatibleAt)
        return 0;
    const Cell &top = cells[first], &above = cells[first - 1];
    // (A title is unlike the keys under it; the value beside it is alike to the values.)
    if (IsTitle(top) && !cells[first + 1].label && Similarity(top, cells[first + 2]) < CompatibleAt
        && Similarity(cells[first + 1], cells[first + 3]) >= CompatibleAt
        && !HeadsValues(profile, first, end))
        return 1;
    // (An empty corner over keys, left out, where the header's label heads the values.)
    if (top.label && above.kind == Kind::Empty)
        return -1;
    return 0;
}

bool ValueHabit(const Cell &c)
{
    return HoldsDigits(c) || SymbolText(c) || c.kind == Kind::Missing;
}

std::array<double, PairHabits> ValuesKeepHabits(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    static constexpr std::array<Trait, PairHabits> traits { HoldsDigits, SymbolText, ValueHabit };
    const int rows = (end - first) / 2;
    std::array<double, PairHabits> shares {};
    for (int t = 0; t < PairHabits && rows > 0; ++t) {
        int kept = 0;
        for (int i = first; i + 1 < end; i += 2) {
            const bool key = traits[t](cells[i]), value = traits[t](cells[i + 1]);
            kept += value && !key ? 1 : key && !value ? -1 : 0;
        }
        shares[t] = double(kept) / rows;
    }
    return shares;
}

// Tables of keys beside values without a header ("Height", "8,849 m"): read upwards in pairs
// from where the text around them resumes or the next table starts, up to a line that is no key
// (the title above).
void KeyValueTables(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int end = 1; end <= n; ++end) {
        // (A long value that is no sentence, an address or a firm's name, closes nothing.)
        const auto closes = [&](int i) {
            return OpensBlock(profile, i) || IsSentenceNote(cells[i]) || cells[i].oneSentence;
        };
        // (So does a sure table starting right after, or under a title of its own, or a heading
        // over a sentence that leads in to what follows.)
        const bool nextTable = end < n
            && (tableStarts[end]
                || (IsShortText(cells[end])
                    && (tableStarts[end + 1] || (end + 1 < n && cells[end + 1].leadIn)))
                // (Or a title of any length over a header of words that head columns.)
                || (IsText(cells[end].kind) && !(cells[end].flags & SentenceEnd)
                    && LabelRun(profile, end + 1) >= 2));
        if (!(closes(end) || nextTable) || closes(end - 1))
            continue;
        // (A line that leads in to what follows, "Office and warehouse:", is no value.)
        const auto up = [&](int words) {
            int from = end;
            // (A key in capitals only among others: initials beside initials are no pairs.)
            while (from - 2 >= 0
                && (IsKey(cells[from - 2], words)
                    || (from < end && from - 4 >= 0 && IsCapitalsKey(cells[from - 2])
                        && IsKey(cells[from - 4], words)))
                && !OpensBlock(profile, from - 1) && !Breaks(cells[from - 1])
                && !IsSentenceNote(cells[from - 1]) && !cells[from - 1].leadIn)
                from -= 2;
            return from;
        };
        int first = up(KeyWords), values = 0, meanings = 0;
        // Keys among others may run longer ("Yorkshire and The Humber") where the two columns
        // keep apart; the first key is no longer than a title above it would be.
        int longer = up(InnerKeyWords);
        while (longer < first && !IsKey(cells[longer]))
            longer += 2;
        if (longer < first && PairsApart(profile, longer, end))
            first = longer;
        for (int i = first + 1; i < end; i += 2) {
            values += HoldsDigits(cells[i]) ? 1 : 0;
            meanings += IsText(cells[i].kind) && !(cells[i].flags & Capitalised) ? 1 : 0;
        }
        const int rows = (end - first) / 2;
        // Values that are all names could be anything; some must be numbers or hold digits, or
        // all be written in small letters beside the capitalised keys (a term and its meaning).
        const bool names = values == 0 && meanings < rows;
        const bool apart = names && PairsApart(profile, first, end);
        if (rows < KeyValueMinRows || (names && !apart))
            continue;
        // The same pairs found only by their frame are a table of their own: the keys tell it.
        for (Candidate &o : out)
            if (o.first == first && o.rows == rows && o.cols == 2)
                o.frameOnly = false;
        // Lines read some other way as a whole (four columns of two kinds, say) are no pairs.
        // (Pairs whose columns stand apart are no list read one line at a time.)
        if (std::any_of(out.begin(), out.end(), [&](const Candidate &o) {
                return o.first == first && o.rows * o.cols == 2 * rows && !(apart && o.cols <= 2);
            }))
            continue;
        // (An empty last row left for a pair to come counts as one of its rows.)
        const int empty = std::min(EmptyRowsAfter(profile, first, rows, 2), 1);
        AddFramedBlock(out, first, rows + empty, 2, apart ? PairsApartEvidence : KeyValueEvidence);
    }
}

// Glossaries: terms beside definitions of one sentence each (as long as a paragraph), at least
// KeyValueMinRows of them, under an optional header of two labels, between a title and the text
// resuming.
void Glossaries(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const auto definition = [&](int i) {
        return i < n && (cells[i].kind == Kind::Prose || cells[i].kind == Kind::Long)
            && cells[i].oneSentence;
    };
    const auto label = [&](int i) {
        return i >= 0 && i < n && IsText(cells[i].kind) && !cells[i].note
            && !(cells[i].flags & SentenceEnd);
    };
    for (int first = 0; first + 1 < n; ++first) {
        if (!IsKey(cells[first]) || !definition(first + 1))
            continue;
        int end = first;
        while (end + 1 < n && IsKey(cells[end]) && definition(end + 1))
            end += 2;
        int start = first, rows = (end - first) / 2;
        // Two labels right above are the header.
        if (label(first - 2) && label(first - 1)) {
            start -= 2;
            ++rows;
        } else if (!Opened(profile, first)) {
            first = end - 1;
            continue;
        }
        if ((end - first) / 2 >= KeyValueMinRows && Framed(profile, end)) {
            AddFramedBlock(out, start, rows, 2, GlossaryEvidence);
        }
        first = end - 1;
    }
}

namespace {

// True when line `i` closes pairs where a key would stand: a frame, a line that leads in, a sure
// table starting there or a title over one.
bool ClosesPairs(const Profile &profile, const std::vector<bool> &tableStarts, int i)
{
    const std::vector<Cell> &cells = profile.cells;
    return OpensBlock(profile, i) || cells[i].leadIn || tableStarts[i]
        || (IsTitle(cells[i]) && i + 1 < profile.size() && tableStarts[i + 1]);
}

// True when line `i` closes pairs as their next key: a sentence on its own closes them too, where
// beside a key it is a value.
bool ClosesKey(const Profile &profile, const std::vector<bool> &tableStarts, int i)
{
    const Cell &cell = profile.cells[i];
    return ClosesPairs(profile, tableStarts, i) || IsSentenceNote(cell) || cell.oneSentence;
}

// True when pairs may open at `first`: under a frame, the end of a table (or a title under one),
// a title over a header of two labels, a row said again two lines as it stood above (the header
// of the next table, whatever the line above it), or a line that leads in, which says pairs
// follow as much as a frame does.
bool PairsMayOpen(const Profile &profile, const std::vector<bool> &tableEnds, int first)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &above = cells[first - 1];
    const bool underTable
        = tableEnds[first] || (IsTitle(above) && first >= 2 && tableEnds[first - 1]);
    const bool headed = IsTitle(above) && !(above.flags & SentenceEnd) && cells[first].label
        && cells[first + 1].label;
    const bool rowAgain = profile.prevSame[first] >= 0
        && profile.prevSame[first + 1] == profile.prevSame[first] + 1;
    return Opened(profile, first) || underTable || headed || rowAgain || above.leadIn;
}

// True when the key at `end` is the first key, at `first`, said again: it opens the next table,
// and the pairs stop above it.
bool FirstKeyAgain(const Profile &profile, int first, int end)
{
    return end + 1 < profile.size() && profile.prevSame[end] == first;
}

// Where the pairs from `first` stop, two lines at a time: at a line that closes them as a key or
// as a value, or at their first key said again.
int PairsEnd(const Profile &profile, const std::vector<bool> &tableStarts, int first)
{
    const int n = profile.size();
    int end = first;
    bool restarts = false;
    while (end + 1 < n && !ClosesKey(profile, tableStarts, end)
        && !ClosesPairs(profile, tableStarts, end + 1) && !restarts) {
        end += 2;
        restarts = FirstKeyAgain(profile, first, end);
    }
    return end;
}

// True when the pairs in lines [first, end) read a line early or late, a title taken for a key:
// their last value is a heading over the text after it, breaking a trait the values above it
// keep (a title above was taken for the first key); or the title above is alike to the values
// and unlike the keys (it is their first key), unless the header under it says it again.
bool PairsOutOfLine(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &last = cells[end - 1];
    if (IsTitle(last) && !(last.flags & SentenceEnd) && OpensBlock(profile, end)
        && BreaksColumn(profile, first + 1, end - 1, last))
        return true;
    const Cell &above = cells[first - 1];
    return !OpensBlock(profile, first - 1) && above.text != cells[first + 1].text
        && Similarity(above, cells[first]) < CompatibleAt
        && Similarity(above, cells[first + 2]) < CompatibleAt
        && Similarity(above, cells[first + 1]) >= CompatibleAt
        && Similarity(above, cells[first + 3]) >= CompatibleAt;
}

// True when a text said again among lines [first, end) starts the pairs again: two tables, or a
// wider one.
bool SaidAgainAmong(const Profile &profile, int first, int end)
{
    for (int i = first; i < end; ++i)
        if (!IsBlankCell(profile.cells[i]) && profile.nextSame[i] < end)
            return true;
    return false;
}

// True when the lines in [first, end) alternate as two columns: each far more alike to the line
// two below than to the one beside it, and the columns kept apart by some trait, or else more
// alike still with every key a text (values with digits under keys that hold a few too). The first
// row may be a header of two labels, unlike the rows under it, and is left out of the likeness.
bool ColumnsAlternate(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const int from = cells[first].label || cells[first + 1].label ? first + 2 : first;
    bool textKeys = true;
    for (int i = from; i < end && textKeys; i += 2)
        textKeys = IsText(cells[i].kind);
    const double margin = profile.MeanAlike(from, end, 2) - profile.MeanAlike(from, end, 1);
    return margin >= PairsAlternateMargin
        && (PairsApart(profile, first, end) || (margin >= PairsAlternatePlainMargin && textKeys));
}

} // namespace

// Pairs told by their columns alone: lines that read in pairs, every key alike to the keys and
// every value alike to the values, each side unlike the other as a whole, from under a frame
// (text, an empty line, the end of a table, or a title standing under one) to where the pairs
// stop: a frame, or their first key said again. Whatever the keys are (codes, words in small
// letters, names with remarks), a block of an even number of lines between frames, each line alike
// to the one two below it more than to the one beside it, is two columns.
void AlternatingPairs(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out)
{
    const int n = profile.size();
    for (int first = 1; first + 2 * KeyValueMinRows <= n; ++first) {
        if (!PairsMayOpen(profile, tableEnds, first) || ClosesKey(profile, tableStarts, first)
            || ClosesPairs(profile, tableStarts, first + 1))
            continue;
        const int end = PairsEnd(profile, tableStarts, first);
        const int rows = (end - first) / 2;
        // (An odd line left before the frame is no pair: the run is not two columns.)
        const bool framed = end == n || ClosesKey(profile, tableStarts, end)
            || FirstKeyAgain(profile, first, end);
        if (rows < KeyValueMinRows || !framed || PairsOutOfLine(profile, first, end)
            || SaidAgainAmong(profile, first, end) || !ColumnsAlternate(profile, first, end))
            continue;
        AddFramedBlock(out, first, rows, 2, PairsAlternateEvidence);
    }
}

int EmptyLinesFrom(const Profile &profile, int from)
{
    int k = from;
    while (k < profile.size() && profile.cells[k].kind == Kind::Empty)
        ++k;
    return k - from;
}

// How many empty lines from `end` on are a list's rows left for items to come: a few, when a
// sentence, a heading or a paragraph follows them (before a title they are the gap a writer
// leaves); 0 otherwise.
int EmptyRowsLeft(const Profile &profile, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const int k = end + EmptyLinesFrom(profile, end);
    const bool textFollows = k < n
        && (IsSentenceNote(cells[k]) || cells[k].kind == Kind::Heading
            || cells[k].kind == Kind::Prose);
    return k > end && k - end <= MaxEmptyLastRows && textFollows ? k - end : 0;
}

namespace {

// The wider readings that only their frame holds, by the line they start on: a list read in
// their place takes what they gain.
std::vector<std::vector<int>> FrameOnlyAt(const std::vector<Candidate> &out, int n)
{
    std::vector<std::vector<int>> framedAt(n);
    for (int k = 0; k < int(out.size()); ++k)
        if (out[k].frameOnly && out[k].cols > 1)
            framedAt[out[k].first].push_back(k);
    return framedAt;
}

// A name of a list: a short word, phrase or code without digits (longer when most of its words
// are capitalised, as titles of works are), or any line with a remark in brackets; no key and
// its value on one line.
bool IsListName(const Cell &c)
{
    if (c.keyed)
        return false;
    if (c.remarked)
        return true;
    return (c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code) && !c.note
        && !(c.flags & (WithDigits | SectionNumber | (c.initialEnd ? 0 : SentenceEnd)))
        && (c.a <= NameListWords || (c.a <= TitleListWords && 2 * c.capitals > c.a));
}

// Under a lead-in, an item may hold a number, a mark or a remark in brackets ("Fridge R1",
// "Costume skips x3", "11-42 (1x)"): the lead-in says a list follows, the items' kind and
// length say where it stops.
bool IsMarkedItem(const Cell &c)
{
    return (c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code) && !c.note
        && !c.keyed && !c.leadIn && c.a <= TitleListWords
        && ((c.flags & Capitalised) || OpensWithDigit(c))
        && !(c.flags & (SectionNumber | SentenceEnd));
}

// How the line above a run of names from `first` stands to it: a title over a list of its own,
// the list's own header, or neither. What it is tells what the run may hold and how few names
// make a list.
struct ListTitle {
    // A title that names the header under it ("Stations" over "Station"), as plain as a heading.
    bool named = false;
    // A note under the table above, which ends it as text would.
    bool afterNote = false;
    // A phrase in sentence case between names capitalised word by word.
    bool betweenNames = false;
    // Any title that a list may stand under.
    bool afterTitle = false;
    // A phrase holding a digit under a table's last cell: the list's title.
    bool dated = false;
    // A phrase in sentence case under a table's last cell: the list's own header.
    bool headed = false;
    // A sentence leading in: it announces a list, not a row of labels.
    bool sentenceLead = false;
};

ListTitle ReadListTitle(const Profile &profile, int first, bool nextList)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &above = cells[first - 1];
    ListTitle title;
    // A note under the table above ends it as text would (a phrase in sentence case right
    // after it is the title of what follows). So does a caption under the table's last cell.
    const bool underTable = first >= 2 && !OpensBlock(profile, first - 2);
    const bool titleFirst = cells[first].kind == Kind::Phrase && !(cells[first].flags & TitleCase);
    title.afterNote = IsSentenceNote(above) && underTable && !titleFirst;
    const bool captionUnder = above.kind == Kind::Caption && underTable && titleFirst;
    title.named = profile.namesHeaderBelow[first - 1];
    // The line above written as a list's title or header is: capitalised in sentence case, no
    // digit, no number of a part, no sentence's end.
    const bool sentenceCase = !above.note && (above.flags & Capitalised)
        && !(above.flags & (TitleCase | WithDigits | SectionNumber | SentenceEnd));
    // A phrase in sentence case between names capitalised word by word ("Waiting list" after
    // a table's last name, over names) is a title: the names under it are a list of their own
    // when all of them are names (roles beside people, "Head of Science" over "Mrs K. Osei",
    // are keys beside values).
    title.betweenNames = first >= 2 && !title.named && !nextList && above.kind == Kind::Phrase
        && sentenceCase && !above.label && IsShortText(cells[first - 2])
        && (cells[first - 2].flags & TitleCase) && !(cells[first - 2].flags & WithDigits);
    title.afterTitle = title.named || above.kind == Kind::Heading
        || (above.kind == Kind::Caption && !captionUnder) || above.leadIn || title.afterNote
        || nextList
        || (above.kind == Kind::Phrase && !(above.flags & TitleCase) && !above.note
            && ClosesBlock(profile, first - 2))
        || title.betweenNames;
    // Under the last cell of a table (a value, a code, a word in small letters: no name that
    // could head the list, no numbered title), a phrase in sentence case is the list's own
    // header; under a number, so is a single word ("Era" over "Cenozoic"; under words, a word
    // is as often the next table's first cell or a title).
    const Cell &before = cells[std::max(first - 2, 0)];
    const bool lastCell = IsNumeric(before.kind) || before.kind == Kind::Missing
        || (before.kind == Kind::Code && !(before.flags & SectionNumber))
        || (IsShortText(before) && !(before.flags & (Capitalised | SectionNumber)));
    // (Holding a digit, as a date or a count does, it is the list's title: no header holds
    // one.)
    title.dated = !title.afterTitle && first >= 2 && lastCell && above.kind == Kind::Phrase
        && !above.note && (above.flags & WithDigits)
        && !(above.flags & (SectionNumber | SentenceEnd));
    title.headed = !title.afterTitle && !title.dated && first >= 2 && lastCell
        && (above.kind == Kind::Phrase || (above.kind == Kind::Word && IsNumeric(before.kind)))
        && sentenceCase;
    title.sentenceLead = above.leadIn && above.kind == Kind::Prose;
    return title;
}

// Names more alike at some period, at least three rows of it, are the rows of a wider table of
// words in lines [first, end) (measured on the whole run, a table about them included).
bool ReadsWider(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const auto mean = [&](int lag, int from) { return profile.MeanAlike(from, end, lag); };
    bool wider = false;
    for (int k = 2; k <= std::min(MaxCols, (end - first) / WiderTableMinRows) && !wider; ++k) {
        wider = mean(k, first) >= mean(1, first) + SingleColumnPairedAt;
        // (Under a header row of k labels, "Old code" and "New code", measured from the first
        // row of values: the labels alike one after the other hide the values' period.)
        if (!wider && end - first - k >= k * WiderTableMinRows
            && std::all_of(cells.begin() + first, cells.begin() + first + k,
                [](const Cell &c) { return IsShortText(c) && !HoldsDigits(c); }))
            wider = mean(k, first + k) >= mean(1, first + k) + SingleColumnPairedAt;
    }
    return wider;
}

// Names written again in the same order start a table about them that follows the list: down
// its first column under a header row as wide as the step between them, or across one row. Cuts
// `end` back to where that table starts, and says whether it did.
bool CutBeforeTableAbout(const Profile &profile, int first, int &end)
{
    for (int i = first; i + 1 < end; ++i) {
        const int again = profile.nextSame[i], step = profile.nextSame[i + 1] - again;
        const int cut = step == 1 ? again : again - step;
        if (again < end && step >= 1 && step <= MaxCols && again + step < end && cut > i) {
            end = cut;
            return true;
        }
    }
    return false;
}

// True when the names in lines [first, end) are what their `title` lets a list hold.
bool ItemsFitTitle(const Profile &profile, const ListTitle &title, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const Cell &above = cells[first - 1];
    // Found only by what stands around them, such lists hold names alone. (A lead-in announces
    // a list of anything: "csv", "json".)
    if ((title.headed || (title.afterNote && !above.leadIn) || title.dated)
        && std::any_of(cells.begin() + first, cells.begin() + end,
            [](const Cell &c) { return !(c.flags & Capitalised); }))
        return false;
    // Digits in some items are a mark or a remark; in half of them or more (and not all,
    // like codes), an address's or a signature's lines.
    if (above.leadIn) {
        const auto digits = std::count_if(cells.begin() + first, cells.begin() + end,
            [](const Cell &c) { return IsText(c.kind) && (c.flags & WithDigits); });
        if (digits < end - first && 2 * digits >= end - first)
            return false;
    }
    return !title.betweenNames
        || std::none_of(cells.begin() + first, cells.begin() + end, [](const Cell &c) {
               return !((c.flags & TitleCase) || (c.a == 1 && (c.flags & Capitalised)));
           });
}

// A wider reading of the same lines that only their frame holds (titles of works two by two) is
// the list read wrongly: the list of `cells` lines takes its place and what it gains, the most
// among the readings `framed` (from FrameOnlyAt) of as many cells.
double FrameOnlyGain(const std::vector<Candidate> &out, const std::vector<int> &framed, int cells)
{
    double floor = 0;
    for (int k : framed)
        if (out[k].rows * out[k].cols == cells)
            floor = std::max(floor, out[k].gain);
    return floor;
}

// What ends a run of names at the line after it, when it ends as a list does (`closes`).
struct RunEnd {
    // A name that heads columns, starting the next list.
    bool labelNext = false;
    // A name or a short phrase that breaks the items' habit.
    bool habitEnds = false;
    // Under a lead-in, the next lead-in.
    bool leadsOn = false;
    bool closes = false;
};

// A run of names from `first` under its `title`, grown line by line while its items keep one
// habit and nothing ends it. The tests that stop it are asked again of the line after it, to
// tell whether it ends there as a list does.
struct NameRun {
    const Profile &profile;
    const std::vector<bool> &tableStarts;
    const ListTitle &title;
    const int first;
    const bool nextList;
    // Codes with digits ("I-70", "WQ-03") are items too under a lead-in or a header of words.
    const bool codesUnder;
    // Whether every item after the first so far is capitalised word by word, or in small
    // letters: kept as the run grows, for the line after it alone.
    bool allTitleCase = true, allSmall = true;

    NameRun(const Profile &profile, const std::vector<bool> &tableStarts, const ListTitle &title,
        int first, bool nextList)
        : profile(profile)
        , tableStarts(tableStarts)
        , title(title)
        , first(first)
        , nextList(nextList)
        , codesUnder(profile.cells[first - 1].leadIn || profile.cells[first].label
              || profile.cells[first].kind == Kind::Phrase)
    {
    }

    static bool InSmallLetters(const Cell &c) { return !(c.flags & Capitalised); }

    // Under a plain title, points in plain words run as long as titles of works ("Chain oiled
    // and not loose"): capitalised, no comma between things (a cell of a wider table), no meaning
    // in small letters beside a term.
    bool Point(const Cell &c) const
    {
        return title.afterTitle && c.kind == Kind::Phrase && !c.note && !c.keyed
            && c.a <= TitleListWords && (c.flags & Capitalised)
            && !(c.flags & (WithDigits | WithSymbols | SectionNumber | SentenceEnd));
    }

    // A line that may be one of the run's items: a name, a point, a marked item under a lead-in.
    bool Item(int i) const
    {
        const std::vector<Cell> &cells = profile.cells;
        return IsListName(cells[i]) || Point(cells[i])
            || (cells[first - 1].leadIn && IsMarkedItem(cells[i]))
            || (codesUnder && i > first && cells[i].kind == Kind::Code
                && (cells[i].flags & WithDigits) && !(cells[i].flags & SectionNumber));
    }

    // A word that heads columns among the names starts another list ("Present" ...,
    // "Apologies" ...), once the names above it make a list of their own; sooner it is one of the
    // names ("Software" over "R", "Mplus", "SPSS").
    bool Heads(int i) const
    {
        return profile.cells[i].label && (nextList || i - first >= ShortListMinRows);
    }

    // Names keep one habit: under names capitalised word by word (the first line may be their
    // header), a phrase in sentence case is a note or a title after them ("Three wins each",
    // "Fire warden"), unless names go on after it ("Station Road (part)"); under words in small
    // letters ("csv", "json"), a capitalised line is the next block's title. (The document's
    // last line titles nothing: it is the last name.)
    bool Habit(int i) const
    {
        const std::vector<Cell> &cells = profile.cells;
        const int n = profile.size();
        if (i - first - 1 < HabitMinItems)
            return true;
        const bool titleCase = !allTitleCase || (cells[i].flags & TitleCase) || cells[i].a < 2
            || i + 1 == n || (cells[i + 1].flags & TitleCase);
        const bool smallLetters = !allSmall || InSmallLetters(cells[i])
            || (i + 1 < n && IsListName(cells[i + 1]) && InSmallLetters(cells[i + 1]));
        return titleCase && smallLetters;
    }

    // A title over a caption over a sure table: a table is set out title, caption, rows, so the
    // line over a caption that states what the table holds ("Site days, March" over "Job numbers
    // by day; ...") opens it. (A lead-in over the table runs on from the text above it: the line
    // over it is the list's last, unless it breaks the items' habit, capitalised word by word
    // after items that are not: "Healthy Start" after "Soup x 2".)
    bool OverCaption(int i) const
    {
        const std::vector<Cell> &cells = profile.cells;
        const Cell &caption = cells[i + 1];
        const bool titled
            = !caption.leadIn || (!allTitleCase && (cells[i].flags & TitleCase) && cells[i].a >= 2);
        return i + 2 < profile.size() && IsTitle(cells[i]) && tableStarts[i + 2] && titled
            && (caption.flags & SentenceEnd) && (Breaks(caption) || IsText(caption.kind));
    }

    // A title over the next table ends the list as text would: one that names its header
    // ("Terms" over "Term"), a phrase in sentence case over a sure table ("Receipts and
    // payments"; a name there is the list's last, the table about it), or one over a caption.
    bool TitleNext(int i) const
    {
        const std::vector<Cell> &cells = profile.cells;
        return i > first && i + 1 < profile.size()
            && (profile.namesHeaderBelow[i]
                || (IsTitle(cells[i]) && cells[i].a >= 2 && !(cells[i].flags & TitleCase)
                    && tableStarts[i + 1])
                || OverCaption(i));
    }

    // How the run ends at line `end`: as a list does, or not.
    RunEnd EndAt(int end) const
    {
        const std::vector<Cell> &cells = profile.cells;
        const int n = profile.size();
        const Cell &above = cells[first - 1];
        RunEnd ending;
        // (A line after a run of at least one: the line each ending asks about.)
        const bool lineAfter = end < n && end > first;
        const bool name = lineAfter && IsListName(cells[end]);
        ending.labelNext = name && Heads(end);
        // (So does a longer phrase that breaks the habit: "The year at a glance" after names.)
        ending.habitEnds
            = lineAfter && (name || (IsShortText(cells[end]) && !cells[end].keyed)) && !Habit(end);
        // Under a sentence leading in, a numbered title after the names ends them as text would.
        const bool numbered = title.sentenceLead && lineAfter && IsText(cells[end].kind)
            && (cells[end].flags & SectionNumber);
        // A key and its value on one line ("Apologies: Ines Moreau") is a paragraph after them.
        const bool keyedNext = end < n && cells[end].keyed;
        // Under a lead-in, the next lead-in ends the list as text would: it announces what follows.
        ending.leadsOn = above.leadIn && end < n && cells[end].leadIn;
        ending.closes = ClosesBlock(profile, end) || keyedNext || tableStarts[end]
            || ending.labelNext || numbered || ending.habitEnds || TitleNext(end) || ending.leadsOn;
        return ending;
    }

    // Grows the run and returns the line after it.
    int Grow()
    {
        const std::vector<Cell> &cells = profile.cells;
        const int n = profile.size();
        int end = first;
        while (end < n && Item(end) && Habit(end)
            && !(end > first && (tableStarts[end] || Heads(end) || TitleNext(end)))) {
            if (end > first) {
                allTitleCase = allTitleCase && (cells[end].flags & TitleCase);
                allSmall = allSmall && InSmallLetters(cells[end]);
            }
            ++end;
        }
        // A last item that holds a colon ("Reporting sickness: 48 hours clear") reads as a key
        // and its value on its own; right over a heading or a paragraph, with no empty line
        // between, it is the list's last item all the same.
        if (end > first + 1 && end + 1 < n && cells[end].keyed && IsShortText(cells[end])
            && !(cells[end].flags & SentenceEnd) && !cells[end].leadIn && Breaks(cells[end + 1])
            && Habit(end))
            ++end;
        return end;
    }
};

} // namespace

// Lists of names standing alone (a table of one column without a header): short names without
// digits between a title (a heading, a caption, a line that leads in, a phrase in sentence case
// on its own line, unlike a name, a note under a table) and the text resuming, a sure table or a
// table about them. Right under a table, the phrase in sentence case is the list's own header.
void NameLists(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const std::vector<std::vector<int>> framedAt = FrameOnlyAt(out, n);
    // Where a list stopped at a word that heads columns, the next list starts under it.
    int stopped = -1;
    for (int first = 1; first < n; ++first) {
        const Cell &above = cells[first - 1];
        if (!IsListName(cells[first]) && !(above.leadIn && IsMarkedItem(cells[first])))
            continue;
        const bool nextList = first == stopped;
        const ListTitle title = ReadListTitle(profile, first, nextList);
        if (!title.afterTitle && !title.headed && !title.dated)
            continue;
        NameRun run { profile, tableStarts, title, first, nextList };
        int end = run.Grow();
        const RunEnd ending = run.EndAt(end);
        if (!ending.closes)
            continue;
        const bool wider = ReadsWider(profile, first, end);
        const bool about = CutBeforeTableAbout(profile, first, end);
        if (!ItemsFitTitle(profile, title, first, end))
            continue;
        const int top = title.headed ? first - 1 : first;
        const int rows = end - top;
        if (rows < ShortListMinRows)
            continue;
        // Two names over two unlike them are a row of labels over its values.
        // (Not under a sentence leading in: it announces a list, not a row of labels.)
        if (wider || (rows == 4 && RowsApart(profile, top, 2) && !title.sentenceLead))
            continue;
        // Fewer names need a plainer title: a heading, a caption, a word that heads columns or a
        // note of the table above over them, a header of their own, a table about them or a note
        // in another habit after (a sentence leading in to three short lines is as often a list of
        // points; to four, enough; a word that heads columns leading in, "Apologies:", is their
        // header, where "Identified by:" over a signature is none).
        const bool plainTitle = title.named || above.kind == Kind::Heading
            || above.kind == Kind::Caption || cells[first].label || title.afterNote || title.headed
            || about || ending.habitEnds || (title.sentenceLead && rows >= LeadInListMinRows)
            || above.labelLead
            // (A shorter lead-in, "Bring:", to four items or more with the text resuming after
            // them.)
            || (above.leadIn && rows >= LeadInListMinRows
                && (ClosesBlock(profile, end) || ending.leadsOn));
        // Empty lines under a list, a few, are rows left for items to come.
        // (Under a lead-in, as LeadInLists reads it, the last empty line is the gap before the
        // text.)
        const int left = EmptyRowsLeft(profile, end);
        const int rowsWithEmpty
            = rows + (top > 0 && cells[top - 1].leadIn ? std::max(0, left - 1) : left);
        const double floor = FrameOnlyGain(out, framedAt[top], rowsWithEmpty);
        if (rows >= SingleColumnMinRows)
            AddFramedBlock(out, top, rowsWithEmpty, 1, NameListEvidence, 1, floor);
        else if (plainTitle)
            AddFramedBlock(out, top, rowsWithEmpty, 1, ShortListEvidence, GuessConfidence, floor);
        else
            continue;
        const bool another = ending.labelNext && !about;
        stopped = another ? end : -1;
        first = another ? end - 1 : end;
    }
}

namespace {

// An item of a list under a lead-in, plainly one: a short line of text or a date, no sentence, no
// lead-in of its own. Bulleted items are the word processor's list, not a column.
bool LeadInItem(const Cell &c)
{
    const bool text = c.kind == Kind::Word || c.kind == Kind::Phrase || c.kind == Kind::Code
        || (c.kind == Kind::Long && c.a <= NoteWords);
    return (text || c.kind == Kind::Date) && !c.leadIn && !(c.flags & SentenceEnd);
}

// True when the line at `i` closes a list under a lead-in right above it: a paragraph, a heading,
// a bulleted list, a sentence, the next lead-in or the next table.
bool ClosesLeadInList(const Profile &profile, const std::vector<bool> &tableStarts, int i)
{
    const Cell &c = profile.cells[i];
    return Breaks(c) || IsSentenceNote(c) || c.leadIn || tableStarts[i];
}

// True when the item at `last` is written as the items above it from `first`: of their kind (a
// date among dates), capitalised as they are, each word or not.
bool KeepsItemsHabit(const Profile &profile, int first, int last)
{
    const std::vector<Cell> &cells = profile.cells;
    // (A single item has no habit to keep.)
    if (last <= first + 1)
        return false;
    const Cell &c = cells[last];
    const auto alike = [&](const Cell &o) {
        return (o.kind == Kind::Date) == (c.kind == Kind::Date)
            && (o.flags & Capitalised) == (c.flags & Capitalised)
            && ((o.flags & TitleCase) != 0) == ((c.flags & TitleCase) != 0);
    };
    // (The first line may be the items' header.)
    return std::any_of(cells.begin() + first + 1, cells.begin() + last, alike);
}

} // namespace

// Short lines one to a line under a lead-in ("Keyholders for the lake gate:"), up to an empty
// line, the text, the next lead-in or the next table: the lead-in says what follows belongs
// together, and unbulleted lines are no list of the word processor's own, so they are a column.
// Right over the text the last line may be its title, so the list is read only up to an empty
// line, or up to a lead-in or a table when its last line is written as the items. An empty line
// under them, before the text, is the gap a writer leaves; any more are empty rows.
void LeadInLists(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int first = 1; first < n; ++first) {
        if (!cells[first - 1].leadIn || cells[first - 1].kind == Kind::ListItem
            || !LeadInItem(cells[first]))
            continue;
        int end = first;
        while (end < n && LeadInItem(cells[end]) && !(end > first && tableStarts[end]))
            ++end;
        const int empty = EmptyLinesFrom(profile, end);
        const int resumes = end + empty;
        // (Short lines that end the document with no empty line after them are as often an
        // address or a signature.)
        const bool gap = empty > 0;
        const bool direct = !gap && end < n && ClosesLeadInList(profile, tableStarts, end);
        if (!gap && !direct)
            continue;
        // A line right over a paragraph is the title of what follows; so is one unlike the items
        // over a note, a lead-in (a paragraph may lead in) or a table, or a phrase in sentence
        // case right over a table.
        const Cell &last = cells[end - 1];
        if (direct
            && ((Breaks(cells[end]) && !cells[end].leadIn)
                || !KeepsItemsHabit(profile, first, end - 1)
                || (tableStarts[end] && IsTitle(last) && last.a >= 2 && !(last.flags & TitleCase))))
            --end;
        // (Three lines under a lead-in of a word or two, "Group 4:", are as often names signing.)
        const int least = cells[first - 1].a < 3 ? LeadInListMinRows : ShortListMinRows;
        if (end - first < least || ReadsWider(profile, first, end))
            continue;
        // A word that heads columns under the first line is a header row of a wider table, or
        // the next table's; digits in half the lines or more, but not all, an address.
        // (The first line may be the column's header; a remark in brackets is no address's.)
        const auto digits = std::count_if(cells.begin() + first + 1, cells.begin() + end,
            [](const Cell &c) { return HoldsDigits(c) && !c.remarked; });
        if (std::any_of(cells.begin() + first + 1, cells.begin() + end,
                [](const Cell &c) { return c.label; })
            || (digits < end - first - 1 && 2 * digits >= end - first - 1))
            continue;
        // Two single words over longer lines are a header of two over pairs ("Do", "Don't").
        if (cells[first].a == 1 && cells[first + 1].a == 1
            && std::all_of(cells.begin() + first + 2, cells.begin() + end,
                [](const Cell &c) { return c.a > 1; }))
            continue;
        // Items keyed or not alike: a key and its value on one line after them is a paragraph.
        const bool keyed = cells[first + 1].keyed;
        if (std::any_of(cells.begin() + first + 1, cells.begin() + end,
                [&](const Cell &c) { return c.keyed != keyed; }))
            continue;
        // Any wider reading of the lines, or a list read over them already, goes first.
        // (At the document's end no text resumes, so no empty line is a gap before it.)
        const int emptyRows = resumes == n ? empty : std::max(0, empty - 1);
        if (std::any_of(out.begin(), out.end(), [&](const Candidate &c) {
                return c.first < end && End(c) > first && !c.frameOnly
                    && (c.cols > 1 || (c.first == first && End(c) >= end + emptyRows));
            }))
            continue;
        AddFramedBlock(out, first, end - first + emptyRows, 1, ShortListEvidence, GuessConfidence);
        first = end;
    }
}

// Sentences or questions one to a line under a lead-in or a heading, each a single short one,
// and then the text stops or a note follows: a one-column table of points ("Plot the data before
// fitting a model.") or of a survey's items. A paragraph's sentences run on in one line; a list's
// items would carry their bullets.
void SentenceLists(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const auto point = [&](int i, bool question) {
        const Cell &c = cells[i];
        return IsText(c.kind) && !c.leadIn && !c.keyed
            && (question ? c.question && c.a < ProseWords : c.oneSentence && c.a <= NoteWords);
    };
    for (int first = 1; first < n; ++first) {
        const Cell &above = cells[first - 1];
        const bool question = cells[first].question;
        if (!(above.leadIn || above.kind == Kind::Heading) || !point(first, question))
            continue;
        int end = first;
        while (end < n && point(end, question))
            ++end;
        // (Under questions, a sentence is a note on them.)
        const bool closed = end == n || cells[end].kind == Kind::Empty || Breaks(cells[end])
            || (question && IsSentenceNote(cells[end]));
        if (end - first >= LeadInListMinRows && end - first <= SentenceListMaxRows && closed)
            AddFramedBlock(out, first, end - first, 1, ShortListEvidence, GuessConfidence);
        first = end;
    }
}

// A header and one row of numbers under it ("Jan" ... "Dec" over days), standing between the
// text around it: a table of two rows, which only its labels over numbers tell from text.
void TwoRowTable(const Profile &profile, int first, int cols, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    if (cols < TwoRowMinCols || first + 2 * cols > profile.size()
        || !Framed(profile, first + 2 * cols))
        return;
    // (Months or weekdays in turn across the header may stand over a key for the row, under a
    // word or an empty corner, and over values some left out: "Jan" ... "Dec" over "£" and sums.
    // Their empty corner opens the block under a title.)
    const bool calendar = CalendarRun(profile, first, cols);
    if (!Opened(profile, first) && !(calendar && IsBlankCell(cells[first])))
        return;
    HeaderRow header;
    for (int c = 0; c < cols; ++c) {
        const Cell &h = cells[first + c], &d = cells[first + cols + c];
        const bool key = calendar && c == 0 && IsText(d.kind) && !d.note;
        const bool value = IsNumeric(d.kind) || (calendar && c > 0 && IsBlankCell(d));
        if ((!IsText(h.kind) && !(key && IsBlankCell(h))) || h.note || !(value || key))
            return;
        ++header.text;
        ++header.overNumbers;
    }
    Candidate candidate;
    candidate.first = first;
    candidate.rows = 2;
    candidate.cols = cols;
    candidate.gain = RowsGain(profile, candidate, NumbersUnderWordsEvidence, header, false);
    candidate.confidence = RowsConfidence(candidate.gain, cols, FramedEvidence);
    if (candidate.gain > MinGain && candidate.confidence >= MinConfidence)
        out.push_back(candidate);
}

namespace {

// True when the cells of lines [from, to) are short cells each at least `at` alike to the one
// before, the first filled and any other perhaps left blank: the values of one row read across.
bool ValuesAlike(const Profile &profile, int from, int to, double at)
{
    const std::vector<Cell> &cells = profile.cells;
    int last = -1;
    for (int i = from; i < to; ++i) {
        const Cell &x = cells[i];
        if (IsBlankCell(x) && i > from)
            continue;
        if (!ShortCell(x) || (last >= 0 && Similarity(cells[last], x) < at))
            return false;
        last = i;
    }
    return true;
}

// True when a trait (digits, capitals, several words, symbols) marks every filled value of one
// run of `count` lines and none of the other's: two rows of values of other habits.
bool RunsApart(const Profile &profile, int a, int b, int count)
{
    const std::vector<Cell> &cells = profile.cells;
    static constexpr std::array<Trait, 4> traits {
        HoldsDigits,
        CapitalisedText,
        SeveralWords,
        SymbolText,
    };
    for (Trait trait : traits) {
        int inA = 0, inB = 0, filledA = 0, filledB = 0;
        for (int k = 0; k < count; ++k) {
            if (!IsBlankCell(cells[a + k])) {
                ++filledA;
                inA += trait(cells[a + k]) ? 1 : 0;
            }
            if (!IsBlankCell(cells[b + k])) {
                ++filledB;
                inB += trait(cells[b + k]) ? 1 : 0;
            }
        }
        if ((inA == filledA && inB == 0) || (inA == 0 && inB == filledB))
            return true;
    }
    return false;
}

// True when `label` can open a row read across: a short text or a unit ("mm") without digits
// that leads into nothing.
bool RowLabel(const Cell &label)
{
    return (IsShortText(label) || label.kind == Kind::Code) && !HoldsDigits(label) && !label.note
        && !label.leadIn && !label.labelLead;
}

// True when `label` is much alike to half the values of lines [from, to) or more: it goes on
// their run rather than opening one.
bool LabelLike(const Profile &profile, const Cell &label, int from, int to)
{
    int alike = 0;
    for (int i = from; i < to; ++i)
        alike += Similarity(label, profile.cells[i]) >= SingleColumnCompatibleAt ? 1 : 0;
    return 2 * alike >= to - from;
}

// For each line, true when a block may start there: the text opens it, a note or a lead-in
// stands above, or a sure table or a block read so far (pairs, a list, a table) ends there.
std::vector<bool> OpenedOrAfterBlock(
    const Profile &profile, const std::vector<bool> &tableEnds, const std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> opened(n + 1, false);
    for (const Candidate &c : out)
        opened[End(c)] = opened[End(c)] || !c.frameOnly;
    for (int first = 0; first < n; ++first)
        opened[first] = opened[first] || Opened(profile, first) || tableEnds[first]
            || (first > 0 && (cells[first - 1].note || cells[first - 1].leadIn));
    return opened;
}

} // namespace

// Two rows read across, each opened by its label ("Course", 1 ... 10 over "mm", 75 ... 750),
// between what opens a block and what closes one: the export writes them as two runs of lines
// as long as each other, each a label before values alike, the second label unlike the values
// before it. A single column stops at that label, and pairs cut both runs across.
void LabelledRows(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const std::vector<bool> opened = OpenedOrAfterBlock(profile, tableEnds, out);
    for (int first = 0; first + 2 * LabelledRowsMinCols <= n; ++first) {
        if (!opened[first] || !RowLabel(cells[first]))
            continue;
        // (Rows of a table above read on, or a header's first cell above: no table of their own.)
        if (RowAlikeAbove(profile, first, LabelledRowsMinCols)
            || (first > 0 && (cells[first - 1].label || tableStarts[first - 1])))
            continue;
        for (int cols = LabelledRowsMinCols; cols <= MaxCols && first + 2 * cols <= n; ++cols) {
            // (The first run's values grow with the width: once they differ, no wider reading
            // holds.)
            if (!ValuesAlike(profile, first + 1, first + cols, CompatibleAt))
                break;
            const int second = first + cols, end = first + 2 * cols;
            // (Each run's values much alike, or loosely alike and of another habit than the
            // other run's.)
            const bool alike = ValuesAlike(profile, first + 1, second, SingleColumnCompatibleAt)
                && ValuesAlike(profile, second + 1, end, SingleColumnCompatibleAt);
            const bool apart = ValuesAlike(profile, second + 1, end, CompatibleAt)
                && RunsApart(profile, first + 1, second + 1, cols - 1);
            // (The labels keep their column: alike, and a word heading columns for the first only
            // where the second is one too; alone, it heads a header row. The second is unlike most
            // values before it: "Seats" after "A" ... "L" and a "Total".)
            if (!RowLabel(cells[second]) || Similarity(cells[first], cells[second]) < CompatibleAt
                || (cells[first].label && !cells[second].label)
                || LabelLike(profile, cells[second], first + 1, second) || !(alike || apart))
                continue;
            // (Values as alike to their neighbours as to the values two on: keys beside values read
            // along a run are more alike every other line. Means from sums in another order may
            // differ in the last bits.)
            constexpr double Tie = 1e-9;
            if (profile.MeanAlike(first + 1, second, 1) + Tie
                    < profile.MeanAlike(first + 1, second, 2)
                || profile.MeanAlike(second + 1, end, 1) + Tie
                    < profile.MeanAlike(second + 1, end, 2))
                continue;
            // (Text, an empty line, a title unlike the values or another table after the second
            // run: it is as long as the first. Not a third label over values alike to the second
            // run's: rows of a longer table.)
            const bool third = end + cols <= n
                && ValuesAlike(profile, end + 1, end + cols, SingleColumnCompatibleAt)
                && Similarity(cells[end + 1], cells[second + 1]) >= SingleColumnCompatibleAt;
            const bool closed = Framed(profile, end) || TitleNext(profile, end) || tableStarts[end]
                || (end < n && IsTitle(cells[end]) && !third
                    && Similarity(cells[end], cells[end - 1]) < CompatibleAt);
            if (closed)
                AddFramedBlock(out, first, 2, cols, LabelledRowsEvidence, GuessConfidence);
        }
    }
}

namespace {

// True when `c` can head a column of a record: a short capitalised text without digits that
// leads into nothing and ends no sentence.
bool RecordLabel(const Cell &c)
{
    return IsShortText(c) && (c.flags & Capitalised) && c.a <= KeyWords && !HoldsDigits(c)
        && !c.leadIn && !c.labelLead && !(c.flags & SentenceEnd);
}

// True when `c` can be a record's value: a short cell, or last a short note ("Facility report
// sent.").
bool RecordValue(const Cell &c, bool last)
{
    return ShortCell(c) || (last && IsText(c.kind) && !Breaks(c) && !c.leadIn);
}

// True when the row of `cols` values from `values` reads as one record under its labels: no value
// heads columns and a third of them or more hold digits where no label does (dates, sums,
// counts), the first filled and only the last perhaps left empty. Read in pairs instead, the
// columns would change kind halfway; a list of names read two by two keeps its digits rare.
bool RecordUnder(const Profile &profile, int values, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    int filled = 0, digits = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &v = cells[values + c];
        if (c == cols - 1 && c > 1 && v.kind == Kind::Empty)
            continue;
        if (!RecordValue(v, c == cols - 1) || v.label)
            return false;
        ++filled;
        digits += HoldsDigits(v) ? 1 : 0;
    }
    return digits > 0 && 3 * digits >= filled;
}

// True when the `cols` lines from `end` read as another row under the record: each alike to the
// value above it or left blank (an empty first cell frames nothing), one filled at least.
bool RecordGoesOn(const Profile &profile, int end, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    if (end + cols > profile.size())
        return false;
    int alike = 0;
    for (int c = 0; c < cols; ++c) {
        const Cell &x = cells[end + c];
        if (IsBlankCell(x))
            continue;
        if (Breaks(x) || Similarity(cells[end + c - cols], x) < CompatibleAt)
            return false;
        ++alike;
    }
    return alike > 0;
}

// True when a table as wide or up to two columns wider, from `first` or a line either side, runs
// on over the record: its third row goes on from its second (the header of a wider table over
// its first rows, or one read a line late, framed by a blank cell or a note in its rows).
bool WiderTableRunsOn(const Profile &profile, int first, int cols)
{
    for (int start = std::max(0, first - 1); start <= first + 1; ++start)
        for (int width = cols; width <= cols + 2; ++width)
            if ((start != first || width != cols)
                && RecordGoesOn(profile, start + 2 * width, width))
                return true;
    return false;
}

} // namespace

// A header over one row of values ("Who", "Time", "Place" over "All marshals", "08:15", "Scout
// hut car park") between what opens a block and what closes one: labels that head columns, then
// a record unlike them. Read as pairs, labels would stand beside labels and values beside values.
void HeaderOverRecord(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const std::vector<bool> opened = OpenedOrAfterBlock(profile, tableEnds, out);
    for (int first = 0; first + 2 * RecordMinCols <= n; ++first) {
        if (!opened[first] || (first > 0 && cells[first - 1].label))
            continue;
        // (Labels grow with the width: once one is no label, no wider reading holds.)
        int heads = 0;
        for (int cols = 1; cols <= RecordMaxCols && first + 2 * cols <= n; ++cols) {
            if (!RecordLabel(cells[first + cols - 1]))
                break;
            heads += cells[first + cols - 1].label ? 1 : 0;
            const int end = first + 2 * cols;
            if (cols < RecordMinCols || heads == 0 || RowAlikeAbove(profile, first, cols)
                || RowAlikeAbove(profile, first, 2 * cols)
                || !RecordUnder(profile, first + cols, cols))
                continue;
            // (Text or another table after the record, and no row like it.)
            const bool closed = Framed(profile, end) || TitleNext(profile, end) || tableStarts[end];
            // (A title over the table after it is that table's, no value.)
            const bool nextTitle = tableStarts[end] && IsTitle(cells[end - 1]);
            if (closed && !nextTitle && !RecordGoesOn(profile, end, cols)
                && !WiderTableRunsOn(profile, first, cols))
                AddFramedBlock(out, first, 2, cols, RecordEvidence, GuessConfidence);
        }
    }
}

namespace {

// True when the lines above `first` are the few short lines that head the document, a letterhead
// or a record's title: a small table may stand right under them.
bool UnderDocumentHead(const Profile &profile, int first)
{
    const std::vector<Cell> &cells = profile.cells;
    return first <= 3 && first > 0
        && std::all_of(cells.begin(), cells.begin() + first,
            [](const Cell &c) { return IsShortText(c) || c.kind == Kind::Code; });
}

// How the two rows of `cols` from `first` stand between the lines around them, which is most of
// what tells a small table from headings and addresses.
struct SmallFrame {
    bool closed = false; // something ends the rows, and no blank cells run on under them
    bool framed = false; // ended as text would end them, not only by a title over a short line
    bool ownTitle = false; // under a title of their own
};

SmallFrame FrameOfSmallTable(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &blockStarts, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    const int end = first + 2 * cols;
    SmallFrame frame;
    // Empty lines a row apart with cells between them are blank cells of the same table, not its
    // end.
    const bool blankCell = end + cols < n && cells[end].kind == Kind::Empty
        && !ClosesBlock(profile, end + 1) && cells[end + cols].kind == Kind::Empty;
    // A title (no digits, no word that heads columns) over text or another block ends the table
    // as text would; not where the rows run on from above alike (unless a title of their own
    // stands between), nor under a sentence leading in to a list. A title over another short line
    // (the next title, a list's first item, a signature) ends it too, but frames it loosely.
    const bool ends = Framed(profile, end) || tableStarts[end] || TitleNext(profile, end);
    frame.framed = ends || ClosesBlock(profile, end + 1) || blockStarts[end + 1];
    const bool shortNext
        = end + 1 < n && IsShortText(cells[end + 1]) && !HoldsDigits(cells[end + 1]);
    frame.ownTitle = first >= 2 && IsTitle(cells[first - 1]) && ClosesBlock(profile, first - 2);
    const bool titleNext = end + 1 < n && IsTitle(cells[end]) && !HoldsDigits(cells[end])
        && (first == 0 || !cells[first - 1].leadIn)
        && (ClosesBlock(profile, end + 1) || blockStarts[end + 1] || shortNext)
        && (frame.ownTitle || !RowAlikeAbove(profile, first, cols));
    frame.closed = (ends || titleNext) && !blankCell;
    return frame;
}

// True when a title above that holds digits and is alike the first value is a row's last cell:
// the block would be read a line late ("Sun 30 June" over "Club dinner", "Sun 7 July"). (Not
// where an empty line closes the block: the earlier reading would end on its last value.)
bool ReadsLineLate(const Profile &profile, int first, int end)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    return first >= 1 && IsShortText(cells[first - 1]) && HoldsDigits(cells[first - 1])
        && Similarity(cells[first - 1], cells[first + 1]) >= CompatibleAt
        && !(end < n && cells[end].kind == Kind::Empty && IsShortText(cells[end - 1]));
}

// What the first of two rows of `cols` from `first` says as a row of labels over the second.
struct LabelRow {
    bool labels = true; // short, capitalised, no label holds a digit
    bool names = true; // every label is a name (an address capitalises every word)
    bool values = false; // some value holds a digit (or, of two, both are unlike their labels)
    bool headed = false; // some label heads columns
    bool digitValues = false; // every value holds a digit

    // Labels over values, and not all names ("Highfield School").
    bool OverValues() const { return labels && !names && values; }
};

LabelRow ReadLabelRow(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    const int end = first + 2 * cols;
    LabelRow row;
    row.values = cols == 2 && RowsApart(profile, first, cols);
    // (Over numbers alone, labels may be longer and hold digits: "Drug 2 better" over 9.)
    const bool numbers = std::all_of(cells.begin() + first + cols, cells.begin() + end,
        [](const Cell &c) { return IsNumeric(c.kind); });
    for (int c = 0; c < cols; ++c) {
        const Cell &label = cells[first + c];
        row.labels = row.labels && IsText(label.kind) && (label.flags & Capitalised)
            && (numbers || (label.a <= KeyWords && !HoldsDigits(label)));
        row.names = row.names && (label.flags & TitleCase) != 0;
        row.values = row.values || HoldsDigits(cells[first + cols + c]);
        row.headed = row.headed || label.label;
    }
    row.digitValues = std::all_of(cells.begin() + first + cols, cells.begin() + end, HoldsDigits);
    return row;
}

// True when two rows of `cols` from `first` are two keys beside their values: keys that are no
// names, a value holding a digit.
bool TwoKeysBesideValues(const Profile &profile, int first, int cols)
{
    const std::vector<Cell> &cells = profile.cells;
    return cols == 2 && IsKey(cells[first]) && IsKey(cells[first + 2])
        && !(cells[first].flags & TitleCase) && !(cells[first + 2].flags & TitleCase)
        && (HoldsDigits(cells[first + 1]) || HoldsDigits(cells[first + 3]));
}

// True when rows from `first` that are only loosely framed still make a small table: they stand
// apart above (under a title of their own or an empty line: under text, their first line may be
// a title, unless it heads columns, "Date" under a sentence) and say more: keys beside two values
// with digits, or labels (one that heads columns, or over a row of values that all hold digits).
bool LooseRowsSayMore(
    const Profile &profile, int first, bool ownTitle, bool keys, const LabelRow &row)
{
    const std::vector<Cell> &cells = profile.cells;
    const bool apart
        = ownTitle || (first > 0 && cells[first - 1].kind == Kind::Empty) || cells[first].label;
    return apart
        && ((keys && HoldsDigits(cells[first + 1]) && HoldsDigits(cells[first + 3]))
            || ((row.headed || row.digitValues) && row.OverValues()));
}

} // namespace

// Small tables standing alone: a row of labels over one row of values ("Next AGM", "Venue" over
// "9 May 2024", "Church Hall"), or two keys beside their values, between a title or text above
// and the text resuming (or a sure table right before or after). Short lines make headings and
// addresses too: only the frame and a value unlike the labels (one holding digits) tell them
// apart, so they are proposed unsure.
void SmallTables(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    std::vector<bool> blockStarts(n + 1, false);
    for (const Candidate &c : out)
        blockStarts[c.first] = true;
    for (int first = 0; first < n; ++first) {
        const bool opened
            = Opened(profile, first) || (first > 0 && cells[first - 1].note) || tableEnds[first];
        if (!opened && !UnderDocumentHead(profile, first))
            continue;
        for (int cols = 2; cols <= SmallTableMaxCols && first + 2 * cols <= n; ++cols) {
            const int end = first + 2 * cols;
            if (!std::all_of(cells.begin() + first, cells.begin() + end, ShortCell))
                break;
            const SmallFrame frame
                = FrameOfSmallTable(profile, tableStarts, blockStarts, first, cols);
            if (!frame.closed)
                continue;
            // (Under the document's head, only text or an empty line after closes the rows.)
            if (!opened && !Framed(profile, end))
                continue;
            if (ReadsLineLate(profile, first, end))
                continue;
            const LabelRow row = ReadLabelRow(profile, first, cols);
            const bool keys = TwoKeysBesideValues(profile, first, cols);
            if (!frame.framed && !LooseRowsSayMore(profile, first, frame.ownTitle, keys, row))
                continue;
            // (Rows told apart as wholes, three cells wide at least, where labels on their own
            // need not look like labels: "4 to 6 items", "Year 7", "Player of the year".)
            const bool rowsApart
                = frame.framed && cols >= RowsApartMinCols && RowTraitApart(profile, first, cols);
            // (Or a first label said again where a table opens right after: the two rows keep
            // the columns of the table under them, "Field" over "Field".)
            const bool headAgain = tableStarts[end] && profile.nextSame[first] == end
                && cols >= RowsApartMinCols && row.values;
            if (row.OverValues() || keys || rowsApart || headAgain)
                AddFramedBlock(out, first, 2, cols, SmallTableEvidence, GuessConfidence);
        }
    }
}

// Adds the small table of two rows of `cols` from `first` that ends a table above it, when its
// rows read as one on their own: labels over values, two keys beside values with a digit, or
// columns alike down and unlike across ("Fri 14 June" over "Sat 6 July", each beside a place).
// True when its rows read as one, whether or not it gains enough to be added.
bool SmallTableUnder(
    const Profile &profile, int first, int cols, bool titled, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int end = first + 2 * cols;
    if (first < 1 || end > profile.size()
        || !std::all_of(cells.begin() + first, cells.begin() + end, ShortCell))
        return false;
    bool labels = true, values = false, down = true, across = false;
    for (int c = 0; c < cols; ++c) {
        const Cell &label = cells[first + c], &value = cells[first + cols + c];
        labels = labels && IsText(label.kind) && (label.flags & Capitalised) && label.a <= KeyWords
            && !HoldsDigits(label) && !(label.flags & TitleCase);
        values = values || HoldsDigits(value);
        down = down && Similarity(label, value) >= CompatibleAt;
    }
    const bool keys = TwoKeysBesideValues(profile, first, cols);
    // (A trait that marks one column in both rows and another in neither sets them apart:
    // "Fri 14 June" in capitals beside a place and a time after a comma.)
    static constexpr std::array<Trait, 2> traits { TitleCased, SymbolText };
    for (Trait trait : traits) {
        bool all = false, none = false;
        for (int c = 0; c < cols; ++c) {
            const int marked
                = (trait(cells[first + c]) ? 1 : 0) + (trait(cells[first + cols + c]) ? 1 : 0);
            all = all || marked == 2;
            none = none || marked == 0;
        }
        across = across || (all && none);
    }
    if (!((labels && values) || keys || (titled && down && across)))
        return false;
    AddFramedBlock(out, first, 2, cols, SmallTableEvidence, GuessConfidence);
    return true;
}

// A form to fill in: a row of column labels set apart from the text above (or under a lead-in,
// "For the next entry:"), over whole rows of empty cells (a line or so of spacing may follow)
// and then text again. Only where it stands and its labels tell it, so it is proposed as a guess.
void BlankForms(const Profile &profile, std::vector<Candidate> &out)
{
    const std::vector<Cell> &cells = profile.cells;
    const int n = profile.size();
    for (int first = 1; first < n; ++first) {
        if (!cells[first].label
            || !(Opened(profile, first) || profile.nextTitle[first - 1] == first - 1
                || cells[first - 1].leadIn))
            continue;
        int end = first;
        while (end < n && end <= first + MaxCols && IsShortText(cells[end])
            && (cells[end].flags & Capitalised))
            ++end;
        const int cols = end - first;
        const int empty = end + EmptyLinesFrom(profile, end);
        if (cols < 2 || cols > MaxCols || empty == n)
            continue;
        const int rows = (empty - end) / cols;
        // One row of blanks is a form only when the blanks fill exactly that row before the text
        // resumes; fewer columns are as likely a few short lines over spacing.
        if (rows >= 2 || (rows == 1 && empty - end == cols && cols >= TwoRowMinCols))
            AddFramedBlock(out, first, 1 + rows, cols, BlankFormEvidence, GuessConfidence);
    }
}

} // namespace cellwright::finder
