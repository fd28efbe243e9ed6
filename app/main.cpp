// Cellwright: starts the main window and runs until it is closed or "Exit" is chosen.
#include "app.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    return cellwright::RunCellwright();
}
