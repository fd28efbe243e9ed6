// Cellwright: starts the main window and runs until it is closed or "Exit" is chosen.
// `cellwright FILE` starts with FILE read, as the desktop's "Open With" asks.
#include "app.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const cellwright::StartArguments start
        = cellwright::ParseStartArguments(QApplication::arguments());
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "cellwright: %s\nusage: cellwright [FILE]\n",
            start.error.toLocal8Bit().constData());
        return 2;
    }
    return cellwright::RunCellwright(start.document);
}
