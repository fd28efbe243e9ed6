// What the table finder knows about a document before it looks for tables, computed once: the
// kind of every line, where blank cells and breaks fall, how alike each cell is to the cells a
// few lines below, and how many alike rows follow one another from each line.
#pragma once

#include "conversion_state.h"
#include "find_tables/cell_kind.h"

#include <vector>

namespace cellwright::finder {

// A block of lines the finder may propose as a table, and what it scores.
struct Candidate {
    int first = 0; // 0-based index into the cells
    int rows = 0;
    int cols = 0;
    double gain = 0; // added up over the blocks chosen together
    double confidence = 0; // 0..1
    // Chosen only because text frames it: its rows tell less of a table than EvidenceAt.
    bool frameOnly = false;
};

struct Profile {
    // SourceLines[1..SourceLineCount], at most MaxLines of them.
    explicit Profile(const ConversionState &state);

    int size() const { return int(cells.size()); }

    // True when the `cols` cells from `p` can be a row of a table: no break among them, and
    // not too many blank.
    bool RowAcceptable(int p, int cols) const;

    // Of the `cols` cells from `p`, how many after the first are filled, each alike to the cell
    // of its column in the row at `other`; -1 when a filled one is not.
    int FilledAlike(int p, int cols, int other) const;

    // How alike, on average, each cell of lines [from, to) is to the cell `lag` lines below it,
    // both inside those lines (0 when no such pair): the mean likeness of a block read `lag` wide.
    double MeanAlike(int from, int to, int lag) const;

    // Of the numbers of lines [from, to) read `lag` wide, each with the numbers one and two rows
    // below it in its column: the share of such threes that keep going the same way (up or
    // down), and how many there are (`threes`).
    double OrderKept(int from, int to, int lag, int &threes) const;

    std::vector<Cell> cells; // one per line: cells[0] is line 1
    std::vector<int> emptyBefore; // blank cells before each line
    std::vector<int> breaksBefore; // lines no table runs across, before each line
    // Lines before each line that head no column but the first: blank, a note, anything but a text
    // or a number. Every candidate asks whether a units row stands under a header near it; this
    // tells at once where no header can.
    std::vector<int> unheadingBefore;
    // Lines before each line that no table of words holds: numbers, notes, lead-ins, paragraphs.
    std::vector<int> unlikeWordsBefore;
    std::vector<std::vector<double>> lagSums; // [lag]: prefix sums of Similarity(i, i + lag)
    // [lag]: the same over pairs of filled cells alone, and prefix counts of such pairs.
    std::vector<std::vector<double>> filledSums;
    std::vector<std::vector<int>> filledPairs;
    // [lag]: prefix counts of the numbers that go on the way they went (see OrderKept), and of
    // the numbers with numbers `lag` and twice `lag` lines below.
    std::vector<std::vector<int>> orderKept, orderThrees;
    // [cols]: for each line, how many acceptable rows of `cols` cells follow one another from
    // it, each alike cell by cell to the row below.
    std::vector<std::vector<int>> chains;
    // [period]: prefix counts of the lines in a count, a run of at least CountRunMin numbers
    // `period` lines apart that go up (or down) by one: a column of row numbers, years or plots.
    std::vector<std::vector<int>> countsBefore;
    // For each line, the longest count it is in: its period (0 when none) and its first and
    // last lines.
    std::vector<int> countPeriod, countFrom, countTo;
    // For each line, the next line of the same text (size() when none).
    std::vector<int> nextSame;
    // For each line, the line before of the same text (-1 when none).
    std::vector<int> prevSame;
    // For each line, whether it is a title that opens with the text of the line below ("Stations"
    // over "Station", "Squad for the new season" over "Squad"): it names the column headed there.
    std::vector<bool> namesHeaderBelow;
    // For each line, the first line from it on that is a title over a row of column labels
    // (size() when none): a table starts under it, whatever comes before.
    std::vector<int> nextTitle;
    // For each line, the first line from it on that is a note written as a sentence (size() when
    // none): where a block of rows alike runs on into text.
    std::vector<int> nextSentence;
    // For each line, the first line from it on that leads in to what follows as a note ("... in
    // common use:"; size() when none): a row it opens is the text after a table.
    std::vector<int> nextLeadIn;
    // The same for a shorter text ending in a colon ("Storage places:"), no note.
    std::vector<int> nextShortLeadIn;
    // Each line's amount, when it is one: a number written plainly or a duration in hours and
    // minutes ("1h 08m", in minutes), and the digits after its point (a duration's none; -1 for a
    // line that is no amount). What a row of totals or means is checked against.
    std::vector<double> amounts;
    std::vector<int8_t> places;
};

} // namespace cellwright::finder
