// The floor for start-up: a bare Qt Widgets window with a menu bar, the size of Cellwright's main
// window (client area 7020 x 5445 twips, 468 x 363 pixels at 96 DPI).
#include "first_paint_probe.h"

#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FirstPaintProbe probe;
    application.installEventFilter(&probe);

    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Open ..."));
    file->addAction(QStringLiteral("Save ..."));
    file->addSeparator();
    file->addAction(QStringLiteral("Exit"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("What to Do"));
    help->addSeparator();
    help->addAction(QStringLiteral("About"));
    window.setCentralWidget(new QWidget);
    window.resize(468, 363 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
