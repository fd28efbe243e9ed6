// Cellwright's start-up exactly as its main runs it, with the first-paint probe installed.
#include "app.h"
#include "first_paint_probe.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FirstPaintProbe probe;
    application.installEventFilter(&probe);
    return cellwright::RunCellwright();
}
