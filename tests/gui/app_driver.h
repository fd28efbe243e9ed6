// Drives the whole program through its windows, as a person does: clicks, typing, list choices
// and menus on real widgets. Each Program runs in a scratch folder that is the process's current
// folder while it lives, so the dialogs start there.
#pragma once

#include "app.h"
#include "frmmain.h"
#include "gui_harness.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

namespace cellwright::test {

// The worked example: 13 lines, one 3 x 3 table starting at "StarA", CR LF line ends.
QByteArray WorkedExample();
// The worked example after converting StarA, 3 rows, 3 columns.
QByteArray WorkedExampleConverted();

// Saves the part of the screen that shows both windows with their frames, the second placed to
// the right of the first, as NAME.png in the screenshot folder; returns the file's path. Needs a
// window manager (see platformHasWindowManager).
QString SaveScreen(Form &main, Form &beside, const QString &name);

class Program {
public:
    // Writes the files into the scratch folder, then starts the program there.
    explicit Program(const QList<QPair<QString, QByteArray>> &files = {});
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;
    ~Program();

    App &app() { return *m_app; }
    frmMain &main() { return *m_app->frmMain; }
    const ScratchFolder &folder() const { return m_folder; }
    // Full path of a file in the scratch folder.
    QString path(const QString &name) const;
    // Writes bytes to a file in the scratch folder.
    void write(const QString &name, const QByteArray &bytes) const;
    // The bytes of a file in the scratch folder; empty when it is missing.
    QByteArray read(const QString &name) const;

    // "Open file", the name typed into the dialog's name box, OK.
    void open(const QString &name);
    // "Open file", the name clicked in the dialog's file list, OK.
    bool openByList(const QString &name);
    // "Save File" (or the menu when the button is disabled), the name typed, OK.
    void save(const QString &name, bool byMenu = false);
    // Chooses the number of tables from the selector's list.
    void chooseTables(int count);
    // Replaces the text of table t's boxes by typing.
    void describe(int t, const QString &firstCell, const QString &rows, const QString &cols);
    // Clicks "Convert", "Reset" or "View" of table t.
    void convert();
    void reset();
    void view(int t);

    // The buttons, rows and caption in one line: "Convert+ Save- Reset- View:100000 Rows:1
    // Title:paper.txt" (+ enabled, - disabled; View per table, 1 enabled).
    QString stateLine();

private:
    QString m_previousFolder;
    ScratchFolder m_folder;
    std::unique_ptr<App> m_app;
};

} // namespace cellwright::test
