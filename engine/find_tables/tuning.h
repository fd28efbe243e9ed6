// Every weight and threshold of the table finder in one place. The corpus in tests/data/finder
// judges any change (bench/finder-accuracy, and tst_find_tables fails below 190 of 193 tables
// found exactly with at most one wrong proposal). "Corpus" below says what moves when the value
// is nudged by about a tenth (whole numbers by one); "free" means neither nudge changes a
// proposal there, so only the reason given holds the value.
#pragma once

#include "find_tables/cell_kind.h"

namespace cellwright::finder {

// What is searched.

// Wider tables are rare in papers, and every extra period costs a pass over the document.
inline constexpr int MaxCols = 16;
// A block found whole may also be proposed cut short where another block could start, at most
// this many rows shorter and this many times: enough for adjacent tables, bounded in work.
inline constexpr int MaxCutRows = 24;
inline constexpr int MaxCuts = 8;

// Classifying one line.

// Words or characters from which a line is a paragraph, never a cell.
inline constexpr int ProseWords = 14;
inline constexpr int ProseLength = 90;
// A sentence of this many words or more is a paragraph, unless it is a short one on its own
// (NoteWords at most, not ending in a colon), which may be a table's note or a cell.
inline constexpr int SentenceProseWords = 6;
inline constexpr int NoteWords = 9;
// Words or characters from which a cell is a long text rather than a phrase.
inline constexpr int LongWords = 7;
inline constexpr int LongLength = 50;
// A phrase of this many words that ends like a sentence is a note: a cell, but no header cell.
inline constexpr int NoteHeaderWords = 4;
// A token this short is a code ("K", "Fe"), however it is written.
inline constexpr int CodeLength = 2;
// Letters after a number that still read as its unit (km/s, °C), not as a word.
inline constexpr int UnitLength = 5;
// Digits in each group after the decimal point, as in 6.626 070 15.
inline constexpr int DecimalGroupDigits = 4;
// Words in a written date: "June 17, 1996", "17 June 1996".
inline constexpr int DateWords = 4;
// A section title: its number ("3.1.") and its words.
inline constexpr int SectionNumberLength = 8;
inline constexpr int SectionTitleWords = 8;

// How alike two cells are as members of one column, from 0 (never together) to 1.

// Empty and missing cells go with anything, a little better with each other.
inline constexpr double BlankWithBlank = 0.6;
inline constexpr double BlankWithValue = 0.45;
// Two numbers: a column keeps its number of decimals more surely than its magnitude.
inline constexpr double NumberBase = 0.5;
inline constexpr double SameDecimals = 0.3;
inline constexpr double SameNumberFlags = 0.1; // sign, unit and exponent alike
inline constexpr double NearMagnitude = 0.1; // digits before the point differ by one at most
// Two dates or two times, in the same layout or not.
inline constexpr double SameLayout = 1.0;
inline constexpr double OtherLayout = 0.7;
// Two texts of one kind: the same flags and the same length make them more alike.
inline constexpr double TextBase = 0.5;
inline constexpr double SameTextFlags = 0.25;
inline constexpr double SameLength = 0.25; // times the ratio of the shorter to the longer

// Two cells of different kinds; pairs not listed never share a column.
struct KindPair {
    Kind x, y;
    double similarity;
};
inline constexpr KindPair MixedKinds[] = {
    { Kind::Integer, Kind::Decimal, 0.6 }, // one column of numbers, some with decimals
    { Kind::Word, Kind::Phrase, 0.5 }, // names of one or more words
    { Kind::Phrase, Kind::Long, 0.5 }, // descriptions of every length
    { Kind::Word, Kind::Code, 0.45 }, // names and symbols
    { Kind::Phrase, Kind::Code, 0.3 }, { Kind::Word, Kind::Long, 0.3 },
    { Kind::Decimal, Kind::Time, 0.2 }, // durations written either way
    { Kind::Integer, Kind::Code, 0.2 }, // identifiers, some of digits alone
};

// A numbered title among other text stands apart from it: similarity times this.
inline constexpr double SectionNumberFactor = 0.5;
// Cells less alike than this cannot share a column.
inline constexpr double CompatibleAt = 0.3;
// A single column has nothing else to tell its values from a list, so they must agree more.
inline constexpr double SingleColumnCompatibleAt = 0.6;

// Rows.

// A row may hold at most this share of blank cells.
inline constexpr double RowBlankShare = 0.5;
// A row may start with an empty cell (a row title left out) from this many columns on.
inline constexpr int LeadingBlankMinCols = 3;
// A row of this many cells or more may hold one odd cell: the first row under the header (a
// word among years), or the last row when the text plainly ends after it.
inline constexpr int OddFirstRowMinCols = 3;
inline constexpr int OddLastRowMinCols = 3;
// A row alike to the row above by this much per column runs on from it.
inline constexpr double RunsOnAt = 0.6;

// The evidence of a block's rows: how much more alike a cell is to the cell a row below than to
// the next cell.

// Below this the block is no table: plainly, under words over numbers, or at a line the user
// named as the first cell.
inline constexpr double EvidenceAt = 0.12;
inline constexpr double EvidenceUnderHeaderAt = 0.06;
inline constexpr double EvidenceToldAt = 0.01;
// Header cells over numbers in at least this share of the columns make words over numbers.
inline constexpr double WordsOverNumbersShare = 0.5;
// The evidence given to columns of one kind of number under as many words as columns, which
// only the header tells apart.
inline constexpr double NumbersUnderWordsEvidence = 0.15;
// Rows that repeat at a shorter period dividing this one about as well (within this) are rows
// of that period.
inline constexpr double ShorterPeriodSlack = 0.05;
// A single column: how many rows, how alike its cells must be, and the similarity that counts
// for nothing.
inline constexpr int SingleColumnMinRows = 5;
inline constexpr double SingleColumnAlikeAt = 0.65;
inline constexpr double SingleColumnBaseline = 0.45;
// A header may hold at most this share of blank cells.
inline constexpr double HeaderBlankShare = 0.5;
// A header cell stands apart from its column when the column's cells are this much more alike
// to each other than to it.
inline constexpr double HeaderApartAt = 0.25;

// The gain of a block found by its rows: data lines times the evidence, plus what the header
// and the boundaries add, less what a table costs.

// A header of words: per column set apart, per cell over a number, per unit of apartness.
inline constexpr double ApartColumnGain = 0.5;
inline constexpr double OverNumberGain = 1;
inline constexpr double ApartnessGain = 1.5;
// A header not all words: its likeness to the row below, less this per column.
inline constexpr double PlainHeaderCost = 0.5;
// Every table claimed costs this, so that one table is not read as several.
inline constexpr double TableCost = 2;
inline constexpr double TableCostPerColumn = 0.3;
// A block whose top row runs on from the row above starts inside a table.
inline constexpr double RunsOnCost = 3;
// Blocks that gain no more than this are not proposed unasked.
inline constexpr double MinGain = 1;

// The gain of a header run: per line of numbers and per column, and at least this.
inline constexpr double HeaderRunLineGain = 0.3;
inline constexpr double HeaderRunColumnGain = 3;
inline constexpr double HeaderRunMinGain = 1.5;
// At most a cell in this many under a header run is blank.
inline constexpr int HeaderRunCellsPerBlank = 3;
// A header run this long may have a title right above its header.
inline constexpr int TitledHeaderRunCells = 3;

// What the line next to a block adds to its gain: where tables start and stop.
inline constexpr double CaptionBoundary = 3;
// Authors set tables apart with an empty paragraph more surely than with prose.
inline constexpr double EmptyBoundary = 1.5;
// Prose, a heading, a missing value or the document's end.
inline constexpr double TextBoundary = 1;
// A neighbour that would continue the block's columns: times its likeness to them.
inline constexpr double ContinuationBoundary = -1.5;

// Confidence: the saturated gain per column (plus this many), times the evidence (times this,
// at most 1) for blocks found by their rows, times HeaderRunConfidenceScale for header runs.
inline constexpr double ConfidenceExtraCols = 2;
inline constexpr double EvidenceConfidence = 2;
inline constexpr double HeaderRunConfidenceScale = 0.6;
// Less sure than this, a block is not proposed unasked: it would only stand in the way.
inline constexpr double MinConfidence = 0.1;

} // namespace cellwright::finder
