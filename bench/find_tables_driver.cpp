// Reads each document named the way the program does and prints the tables the finder proposes,
// one per line: FILE, line, rows, columns, confidence and first cell (UTF-8), tab-separated.
#include "find_tables.h"
#include "read_document.h"
#include "text_codec.h"

#include <cstdio>
#include <string>

using namespace cellwright;

int main(int argc, char **argv)
{
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        DocumentRead read = ReadDocumentFile(argv[i]);
        if (!read.Document) {
            std::fprintf(stderr, "%s: could not be read\n", argv[i]);
            ++failures;
            continue;
        }
        ConversionState state;
        TakeDocument(state, std::move(*read.Document));
        for (const TableProposal &p : FindTables(state))
            std::printf("%s\t%d\t%d\t%d\t%.3f\t%s\n", argv[i], p.FirstLine, p.Rows, p.Cols,
                p.Confidence, EncodeText(p.FirstCell, TextEncoding::Utf8).c_str());
    }
    return failures == 0 ? 0 : 1;
}
