#include "known_tables.h"

#include "text_rules.h"

#include <algorithm>

namespace cellwright {

namespace {

TableProposal Known(const ConversionState &state, const TableShape &shape)
{
    return { shape.FirstLine, std::u16string(TrimSpaces(state.SourceLines[shape.FirstLine])),
        static_cast<int>(shape.Rows.size()), shape.Cols, 1.0 };
}

bool Listed(const ConversionState &state, const TableShape &shape)
{
    return shape.FirstLine >= 1 && shape.FirstLine <= state.SourceLineCount && !shape.Rows.empty()
        && shape.Cols >= 1;
}

} // namespace

std::vector<TableProposal> ProposeTables(const ConversionState &state)
{
    if (!state.DocumentTablesKnown)
        return FindTables(state);
    std::vector<TableProposal> tables;
    for (const TableShape &shape : state.DocumentTables) {
        if (Listed(state, shape))
            tables.push_back(Known(state, shape));
    }
    return tables;
}

const TableShape *KnownTableAt(const ConversionState &state, int line)
{
    // The tables stand in document order.
    const auto &shapes = state.DocumentTables;
    const auto shape = std::lower_bound(shapes.begin(), shapes.end(), line,
        [](const TableShape &s, int first) { return s.FirstLine < first; });
    return shape != shapes.end() && shape->FirstLine == line && Listed(state, *shape) ? &*shape
                                                                                      : nullptr;
}

std::optional<TableProposal> ProposeTable(const ConversionState &state, int line)
{
    if (!state.DocumentTablesKnown)
        return ProposeTableAt(state, line);
    if (const TableShape *shape = KnownTableAt(state, line))
        return Known(state, *shape);
    return std::nullopt;
}

} // namespace cellwright
