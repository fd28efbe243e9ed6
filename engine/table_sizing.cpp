#include "table_sizing.h"

#include "known_tables.h"
#include "text_rules.h"

#include <algorithm>

namespace cellwright {

namespace {

const TableProposal *FoundAt(const std::vector<TableProposal> &found, int line)
{
    const auto p = std::lower_bound(found.begin(), found.end(), line,
        [](const TableProposal &q, int first) { return q.FirstLine < first; });
    return p != found.end() && p->FirstLine == line ? &*p : nullptr;
}

} // namespace

std::optional<TableProposal> ProposalAt(
    const ConversionState &state, int line, const std::vector<TableProposal> &found)
{
    if (const TableProposal *p = FoundAt(found, line))
        return *p;
    return ProposeTable(state, line);
}

TextSizing SizeBlocksHolding(
    const ConversionState &state, std::u16string_view text, const std::vector<TableProposal> &found)
{
    TextSizing sizing;
    for (int n = 1; n <= state.SourceLineCount; ++n) {
        if (TrimSpaces(state.SourceLines[n]) != text)
            continue;
        sizing.Lines.push_back(n);
        sizing.Unsized += FoundAt(found, n) == nullptr;
    }
    if (sizing.Unsized > MostSizedOneByOne)
        return sizing;
    for (const int n : sizing.Lines) {
        const auto proposal = ProposalAt(state, n, found);
        if (!proposal) {
            sizing.NoSizeAt = n;
            sizing.Proposals.clear();
            return sizing;
        }
        sizing.Proposals.push_back(*proposal);
    }
    return sizing;
}

} // namespace cellwright
