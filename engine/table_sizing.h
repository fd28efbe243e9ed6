// Sizes for a table named by the text of its top-left cell alone: the finder's proposal at every
// line that holds the text.
#pragma once

#include "conversion_state.h"
#include "find_tables.h"

#include <optional>
#include <string_view>
#include <vector>

namespace cellwright {

// Lines where the finder proposed no table are sized one by one, and each of them builds the
// finder anew: a text that starts more blocks of that kind is refused.
inline constexpr size_t MostSizedOneByOne = 4;

struct TextSizing {
    std::vector<int> Lines; // every line of the document as read that holds the text
    // One proposal per line, in order; empty when the sizing was refused.
    std::vector<TableProposal> Proposals;
    size_t Unsized = 0; // lines where none of the finder's proposals starts
    int NoSizeAt = 0; // refused: the first line where no size can be proposed, or 0
};

// Sizes the blocks whose top-left cell holds text (compared as the conversion compares it) from
// found, the finder's proposals for the whole document, asking the finder again only for the
// lines where none of them starts: no more than MostSizedOneByOne of them, or the sizing is
// refused before any is asked.
TextSizing SizeBlocksHolding(const ConversionState &state, std::u16string_view text,
    const std::vector<TableProposal> &found);

// The proposal of found at line, or else the finder's proposal for that line alone.
std::optional<TableProposal> ProposalAt(
    const ConversionState &state, int line, const std::vector<TableProposal> &found);

} // namespace cellwright
