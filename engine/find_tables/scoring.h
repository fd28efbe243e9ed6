// What a block scores. Blocks are found two ways (by rows alike to the rows below them, and by
// a header run over numbers) and scored by a formula for each; the best set adds up the gains of
// both kinds, so a gain is a gain whichever way the block was found.
#pragma once

#include "find_tables/profile.h"

namespace cellwright::finder {

// What the first row of a block shows as a header over the rows below it.
struct HeaderRow {
    int text = 0; // cells of text
    int overNumbers = 0; // cells of text over a number
    int blank = 0;
    double alike = 0; // summed similarity of each cell to the one below it
    double apartness = 0; // summed: how much more alike a column is within than to its header
    int apartCols = 0; // columns whose header stands apart by HeaderApartAt or more
};

// How far a header cell stands apart from its column: how much more alike the cell under it is
// to the cell under that than to the header.
double Apartness(const Cell &header, const Cell &below, const Cell &belowThat);

// How many columns of the block of `cols` from `first` have a header cell that stands apart from
// the cells under it (they are more alike to each other than to it).
int ApartColumns(const Profile &profile, int first, int cols);

// How well line `outside` (0-based, may lie beyond the document) closes a block whose nearest
// cell of the same column is `inside`.
double Boundary(const Profile &profile, int outside, int inside);

// True when line `t` is a title to the lines [from, to): a short text, no word that heads columns
// and no note, whose kind, flags and number of words no cell among them repeats.
bool TitleTo(const Profile &profile, int t, int from, int to);

// True when the pairs of `rows` from `first` are read a line early: a title taken for the first
// key, the keys standing in the second column.
bool KeysSecond(const Profile &profile, int first, int rows);

// A block found by its rows: `evidence` per data line, what its header row adds, less what a
// table costs, plus its boundaries.
double RowsGain(const Profile &profile, const Candidate &block, double evidence,
    const HeaderRow &header, bool runsOnFromAbove);
double RowsConfidence(double gain, int cols, double evidence);

// A header run of `cols` cells at `first` over numbers up to `end` (one past the last row).
double HeaderRunGain(const Profile &profile, int first, int end, int cols);
double HeaderRunConfidence(double gain, int cols);

// What the chooser adds to a candidate's gain for what stands around it (the Chooser weights,
// fitted by bench/fit-chooser-weights on the traits bench_find_candidates lists).
double ChooserCorrection(const Profile &profile, const Candidate &c);

} // namespace cellwright::finder
