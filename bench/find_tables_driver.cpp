// Reads each document named the way the program does and prints the tables the finder proposes,
// one per line: FILE, line, rows, columns, confidence and first cell (UTF-8), tab-separated.
#include "fake_main_window.h"
#include "find_tables.h"
#include "read_textfile.h"
#include "text_codec.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace cellwright;

int main(int argc, char **argv)
{
    // Reading makes the document's folder current, so every name is made absolute first.
    std::vector<std::filesystem::path> paths;
    for (int i = 1; i < argc; ++i)
        paths.push_back(std::filesystem::absolute(argv[i]));
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path &path = paths[i - 1];
        ConversionState state;
        FakeMainWindow window;
        Read_Textfile engine(state, window);
        state.OpenFolder = path.parent_path().u16string();
        state.OpenFileName = path.filename().u16string();
        engine.ReadDocument();
        if (!window.messages.empty()) {
            std::fprintf(stderr, "%s: could not be read\n", argv[i]);
            ++failures;
            continue;
        }
        for (const TableProposal &p : FindTables(state))
            std::printf("%s\t%d\t%d\t%d\t%.3f\t%s\n", argv[i], p.FirstLine, p.Rows, p.Cols,
                p.Confidence, EncodeText(p.FirstCell, TextEncoding::Utf8).c_str());
    }
    return failures == 0 ? 0 : 1;
}
