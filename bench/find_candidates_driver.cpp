// Prints every candidate block the finder weighs for each document named, before it chooses:
// FILE, line, rows, columns, gain and whether only its frame makes it a table, tab-separated.
// Set beside a truth file, it tells a miss the chooser passed over from one it never saw.
#include "find_tables/candidates.h"
#include "find_tables/header_runs.h"
#include "find_tables/profile.h"
#include "read_document.h"

#include <cstdio>

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
        const finder::Profile profile(state);
        for (const finder::Candidate &c :
            finder::AllCandidates(profile, finder::FindHeaderRuns(profile)))
            std::printf("%s\t%d\t%d\t%d\t%.4f\t%d\n", argv[i], c.first + 1, c.rows, c.cols, c.gain,
                c.frameOnly ? 1 : 0);
    }
    return failures == 0 ? 0 : 1;
}
