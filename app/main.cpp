// Cellwright: starts the main window and runs until it is closed or "Exit" is chosen.
// `cellwright FILE` starts with FILE read, as the desktop's "Open With" asks.
#include "app.h"

#include <QApplication>
#include <cstdio>

namespace {

constexpr char HelpText[] = R"(Usage: cellwright [FILE]

Opens the window in which the tables of a plain-text paper (one table cell per line) are
described and rewritten as LaTeX tabular rows; with FILE, the window starts with FILE read.

  -h, --help  show this help and exit
  --version   show the version and exit

The same conversion without a window: cellwright-convert --help
)";

} // namespace

int main(int argc, char *argv[])
{
    // The arguments are answered before QApplication exists: without a display it aborts, and
    // --help needs none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const cellwright::StartArguments start = cellwright::ParseStartArguments(arguments);
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "cellwright: %s\nusage: cellwright [FILE]\n",
            start.error.toLocal8Bit().constData());
        return 2;
    }
    switch (start.action) {
    case cellwright::StartArguments::Action::Help:
        return std::fputs(HelpText, stdout) < 0 ? 1 : 0;
    case cellwright::StartArguments::Action::Version:
        return std::fputs("cellwright (Cellwright) " CELLWRIGHT_VERSION "\n", stdout) < 0 ? 1 : 0;
    case cellwright::StartArguments::Action::Run:
        break;
    }
    if (const QString reason = cellwright::NoDisplayReason(start.platform); !reason.isEmpty()) {
        std::fprintf(stderr, "cellwright: %s\n", reason.toLocal8Bit().constData());
        return 1;
    }
    QApplication application(argc, argv);
    return cellwright::RunCellwright(start.document);
}
