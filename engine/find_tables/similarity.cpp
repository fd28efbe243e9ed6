#include "find_tables/similarity.h"

#include "find_tables/tuning.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace cellwright::finder {

namespace {

// MixedKinds looked up by both kinds, either way round: most pairs of cells asked of are of two
// kinds, and this is asked of every pair of lines a few rows apart.
constexpr int KindCount = int(Kind::Heading) + 1;
using KindTable = std::array<std::array<double, KindCount>, KindCount>;
constexpr KindTable MixedKindTable = [] {
    KindTable table {};
    for (const KindPair &pair : MixedKinds) {
        table[int(pair.x)][int(pair.y)] = pair.similarity;
        table[int(pair.y)][int(pair.x)] = pair.similarity;
    }
    return table;
}();

double Ratio(double x, double y)
{
    return std::min(x, y) / std::max({ x, y, 1.0 });
}

// How alike two cells are in layout, whatever their text says.
double ShapeSimilarity(const Cell &x, const Cell &y)
{
    if (Breaks(x) || Breaks(y))
        return 0;
    if (IsBlankCell(x) || IsBlankCell(y))
        return x.kind == y.kind ? BlankWithBlank : BlankWithValue;
    if (x.kind == y.kind) {
        const auto asText = [&] {
            return TextBase + (x.flags == y.flags ? SameTextFlags : 0)
                + SameLength * Ratio(x.length, y.length);
        };
        switch (x.kind) {
        case Kind::Integer:
        case Kind::Decimal:
            return NumberBase + (x.b == y.b ? SameDecimals : 0)
                + (x.flags == y.flags ? SameNumberFlags : 0)
                + (std::abs(x.a - y.a) <= 1 ? NearMagnitude : 0);
        case Kind::Date:
        case Kind::Time:
            return x.a == y.a && x.b == y.b ? SameLayout : OtherLayout;
        case Kind::Code:
            // Short codes keep their length down a column: LHR beside EGLL are two columns.
            if (x.length != y.length && std::max(x.length, y.length) <= ShortCodeLength)
                return TextBase + (x.flags == y.flags ? SameTextFlags : 0);
            // Codes of one series lead with the same character down a column (TH1, TH2 beside
            // A1, B1).
            return asText() + (x.lead == y.lead && x.length == y.length ? SameSeries : 0);
        default:
            return asText();
        }
    }
    // A number with a letter after it ("1257L") may be an identifier among codes ("K475").
    // (A mark of one character, "x", is no identifier.)
    const auto unitNumber
        = [](const Cell &c) { return c.kind == Kind::Integer && (c.flags & WithUnit); };
    const auto identifier = [](const Cell &c) { return c.kind == Kind::Code && c.length > 1; };
    if ((unitNumber(x) && identifier(y)) || (unitNumber(y) && identifier(x)))
        return UnitNumberWithCode;
    return MixedKindTable[int(x.kind)][int(y.kind)];
}

} // namespace

double Similarity(const Cell &x, const Cell &y)
{
    const double shape = ShapeSimilarity(x, y);
    return (x.flags ^ y.flags) & SectionNumber ? shape * SectionNumberFactor : shape;
}

} // namespace cellwright::finder
