// What the candidate files share, inside the finder: each check is told at its definition.
//   block_frame    where a block opens and closes, and rows running on from above
//   block_rows     how many rows a block has and what its rows tell (BlockRows, RowsEvidence)
//   header_checks  the header and the title above a block (units rows, lines read early or late)
//   small_blocks   blocks too small or plain for their rows to tell (pairs, lists, small tables)
//   candidates     CandidatesAt and AllCandidates, which ask all of them
#pragma once

#include "find_tables/profile.h"
#include "find_tables/scoring.h"

#include <array>
#include <optional>
#include <vector>

namespace cellwright::finder {

// One past the last line of the block `c`.
inline int End(const Candidate &c)
{
    return c.first + c.rows * c.cols;
}

// True when the cell's first character is a digit ("100 m breaststroke", "3 spare tubes").
inline bool OpensWithDigit(const Cell &c)
{
    return c.lead >= u'0' && c.lead <= u'9';
}

// block_frame.cpp
bool OpensBlock(const Profile &profile, int i);
bool ClosesBlock(const Profile &profile, int i);
bool Opened(const Profile &profile, int first);
bool Framed(const Profile &profile, int end);
bool TitleNext(const Profile &profile, int end);
bool RowAlikeAbove(const Profile &profile, int p, int width);
bool AllText(const Profile &profile, int p, int cols);
int SecondHeaderRow(const Profile &profile, int first, int rows, int cols);
bool RunsOnFromAbove(const Profile &profile, int first, int cols);
int CountsOutOfStep(const Profile &profile, int first, int rows, int cols);
int LastRowsKept(const Profile &profile, const Candidate &c, int next);

// block_rows.cpp
bool SpareLastColumn(const Profile &profile, int first, int cols);
bool SaidElsewhere(const Profile &profile, int i, int from, int to);
int LabelRun(const Profile &profile, int first);
int FirstRowBreaks(const Profile &profile, int from, int to, int cols);
bool KeysInStep(const Profile &profile, int from, int to, int cols);
int ContrastRows(const Profile &profile, int from, int to);
double HabitsGain(const Profile &profile, int from, int to, int cols);
bool RowGoesOn(const Profile &profile, int p, int cols);
bool AddsUp(const Profile &profile, int first, int p, int cols);
int KindSeam(const Profile &profile, int first, int rows, int cols);
bool RowsKeepKinds(const Profile &profile, int last, int from, int to, int cols);
// The row at `first` as the header of a block of `cols` columns, read against the rows under the
// `skip` lines of a units row, if any.
HeaderRow ReadHeaderRow(const Profile &profile, int first, int cols, int skip = 0);
int BlockRows(const Profile &profile, int first, int cols, int rowLimit, bool unitsRow = false);
bool RowToFrame(const Profile &profile, int first, int rows, int cols);
bool CornerAbove(const Profile &profile, int first, int cols);
bool InsideCalendarRun(const Profile &profile, int first);
bool CalendarRun(const Profile &profile, int first, int cols);
void CornerTables(const Profile &profile, std::vector<Candidate> &out);
int EmptyRowsAfter(const Profile &profile, int first, int rows, int cols);
bool WordList(const Profile &profile, int first, int rows);
std::optional<double> RowsEvidence(const Profile &profile, int first, int rows, int cols,
    HeaderRow &header, bool toldStart, bool unitsRow = false, bool *framed = nullptr,
    const std::vector<bool> *titlesNext = nullptr);

// header_checks.cpp
bool UnitsRowBelow(const Profile &profile, int first, int cols);
int SpanningLabel(const Profile &profile, int first, int cols, int c);
bool HeaderLikeCell(const Profile &profile, int i, int cols);
bool HeaderLikeRow(const Profile &profile, int first, int cols);
bool HeaderWordAbove(const Profile &profile, int first, int cols);
bool FirstHeaderCellAbove(const Profile &profile, int first, int cols);
bool ReadLineEarly(const Profile &profile, int first, int last, int cols);
bool HeaderReadLineEarly(const Profile &profile, int first, int cols);
bool TitleHeaderCell(const Profile &profile, int first, int cols, int rows);
// True when the `cols` cells at `from` (two or more) are no more alike to line `t` than to each
// other: header cells written alike, under a title written otherwise.
bool UnlikeTitle(const Profile &profile, int t, int from, int cols);
void TitledBlocks(const Profile &profile, std::vector<Candidate> &all);

// small_blocks.cpp
bool PairsApart(const Profile &profile, int first, int end);
double FramedBlockGain(double evidence, int rows, int cols);
void AddFramedBlock(std::vector<Candidate> &out, int first, int rows, int cols, double evidence,
    double sure = 1, double floor = 0);
void KeyValueTables(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out);
void Glossaries(const Profile &profile, std::vector<Candidate> &out);
void AlternatingPairs(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out);
// How many empty lines there are from `from` on.
int EmptyLinesFrom(const Profile &profile, int from);
int EmptyRowsLeft(const Profile &profile, int end);
void NameLists(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out);
void TwoRowTable(const Profile &profile, int first, int cols, std::vector<Candidate> &out);
void LabelledRows(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out);
void HeaderOverRecord(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out);
void SmallTables(const Profile &profile, const std::vector<bool> &tableStarts,
    const std::vector<bool> &tableEnds, std::vector<Candidate> &out);
bool SmallTableUnder(
    const Profile &profile, int first, int cols, bool titled, std::vector<Candidate> &out);
void BlankForms(const Profile &profile, std::vector<Candidate> &out);
void SentenceLists(const Profile &profile, std::vector<Candidate> &out);
void LeadInLists(
    const Profile &profile, const std::vector<bool> &tableStarts, std::vector<Candidate> &out);
bool OddLastPair(const Profile &profile, int first, int end);
bool PairsLineEarly(const Profile &profile, int first, int end);
bool PairsAcrossTitle(const Profile &profile, int above, int first, int end);
bool KeyLeftEmpty(const Profile &profile, int first, int end);
int PairsOutOfStep(const Profile &profile, int first, int end);
// True when the cell is written as a value is and a short key is not: figures, money, a phone
// number, a name with a comma, a dash standing for none.
bool ValueHabit(const Cell &c);
// How many traits ValuesKeepHabits weighs: figures, symbols, and either or a dash.
inline constexpr int PairHabits = 3;
// For each such trait, the share of the pairs in lines [first, end) whose value has it and whose
// key has not, less the share the other way round.
std::array<double, PairHabits> ValuesKeepHabits(const Profile &profile, int first, int end);

} // namespace cellwright::finder
