// Reads each document named the way the program does and prints the tables the finder proposes,
// one per line: FILE, line, rows, columns, confidence and first cell (UTF-8), tab-separated.
// With --at FILE LINE ..., prints instead the size proposed with the first cell at each LINE.
#include "find_tables.h"
#include "read_paper.h"
#include "text_codec.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

using namespace cellwright;

int main(int argc, char **argv)
{
    int failures = 0;
    const bool at = argc > 1 && std::string(argv[1]) == "--at";
    for (int i = at ? 2 : 1; i < argc; i += at ? 2 : 1) {
        const std::optional<ConversionState> state = ReadPaper(argv[i]);
        if (!state) {
            ++failures;
            continue;
        }
        std::vector<TableProposal> found;
        if (!at)
            found = FindTables(*state);
        else if (i + 1 < argc)
            if (const auto p = ProposeTableAt(*state, std::atoi(argv[i + 1])))
                found.push_back(*p);
        for (const TableProposal &p : found)
            std::printf("%s\t%d\t%d\t%d\t%.3f\t%s\n", argv[i], p.FirstLine, p.Rows, p.Cols,
                p.Confidence, EncodeText(p.FirstCell, TextEncoding::Utf8).c_str());
    }
    return failures == 0 ? 0 : 1;
}
