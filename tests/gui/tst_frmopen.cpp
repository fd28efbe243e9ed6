// The open dialog on real widgets, in scratch folders: the start-up set-up, folder and pattern
// choices, the name box following clicks and presses, OK reading through the engine, Cancel and
// the close box, folders that cannot be opened, keyboard order and accessible names.
#include "dialogs_fixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

const QString ReadError = QStringLiteral("Read error of some kind");

// Opens a subfolder of the folder shown by double-clicking its row.
void openFolder(DirListBox &list, const QString &name)
{
    const int row = rowOf(list, name);
    QVERIFY2(row >= 0, qPrintable(name + " is not listed"));
    doubleClickItem(list, row);
}

// Replaces the name box's text by keyboard.
void retype(TextBox &box, const QString &text)
{
    clearByKeyboard(box);
    typeInto(box, text);
}

} // namespace

class tst_frmopen : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;
    std::unique_ptr<CurrentScratch> folder;
    std::unique_ptr<DialogsApp> app;

    // A started program with the open dialog shown at the scratch folder.
    frmOpen &shownDialog()
    {
        app->startUp();
        if (!showAndWait(*app->frmOpen))
            qWarning("the open dialog did not show");
        return *app->frmOpen;
    }

private slots:
    void init()
    {
        gui = std::make_unique<GuiFixture>();
        folder = std::make_unique<CurrentScratch>();
        folder->write("a.txt", "Alpha\r\nBeta\r\n");
        folder->write("b.txt", "one\r\n");
        folder->write("notes.csv", "1,2\r\n");
        folder->write("docs/1.txt", "First\r\nSecond\r\nThird\r\n");
        folder->write("docs/2.txt", "two\r\n");
        folder->write("docs/10.txt", "ten\r\n");
        folder->write("docs/readme.md", "m\r\n");
        folder->write("empty/image.png", "png");
        app = std::make_unique<DialogsApp>();
    }
    void cleanup()
    {
        app.reset();
        folder.reset();
        gui.reset();
    }

    void startUpSetUp();
    void okAtOnceAfterStartUp();
    void choosingFolder_data();
    void choosingFolder();
    void choosingPatternKeepsName();
    void typedPatternNotApplied_data();
    void typedPatternNotApplied();
    void nameFollowsTheMouse_data();
    void nameFollowsTheMouse();
    void pressReportsTheOldSelectionFirst();
    void okReadsTheChosenFile();
    void okPassesNameAsTyped_data();
    void okPassesNameAsTyped();
    void doubleClickReadsAndHides();
    void cancelKeepsEverything();
    void closeBoxMakesItAfresh();
    void driveFollowsTheFolderList();
    void unopenableFolderKeepsState_data();
    void unopenableFolderKeepsState();
    void keyboardOrder();
    void accessibleNames();
};

void tst_frmopen::startUpSetUp()
{
    // Touching the dialog loads it hidden, with the design texts and the folder caption.
    QCOMPARE(app->frmOpen->Combo1.Text(), QString("*.csv"));
    QCOMPARE(app->frmOpen->Label4.Caption(), folder->path());
    QVERIFY(!app->frmOpen->Visible());

    app->startUp();
    frmOpen &form = *app->frmOpen;
    QVERIFY(!form.Visible());
    QCOMPARE(form.Caption(), QString("Open "));
    QCOMPARE(form.Combo1.ListCount(), 3);
    QCOMPARE(form.Combo1.List(0), QString("*.txt"));
    QCOMPARE(form.Combo1.List(1), QString("*.*"));
    QCOMPARE(form.Combo1.List(2), QString("*.docx;*.odt"));
    QCOMPARE(form.Combo1.ListIndex(), 0);
    QCOMPARE(form.Combo1.Text(), QString("*.txt"));
    QCOMPARE(form.File1.Pattern(), QString("*.txt"));
    QCOMPARE(shownRows(form.File1), (QStringList { "a.txt", "b.txt" }));
    QCOMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(form.File1.Path(), folder->path());
    QCOMPARE(form.Label4.Caption(), folder->path());
    QCOMPARE(form.Drive1.Drive(), DriveOf(folder->path()));
    QCOMPARE(form.Text1.Text(), QString("location.dat"));
}

void tst_frmopen::okAtOnceAfterStartUp()
{
    frmOpen &form = shownDialog();
    click(form.Command1);
    QCOMPARE(app->state.OpenFolder, folder->path().toStdU16String());
    QCOMPARE(app->state.OpenFileName, u"location.dat");
    QCOMPARE(app->engineMessages(), QStringList { ReadError });
    QVERIFY(!form.Visible());
    QVERIFY(gui->messages().isEmpty());
}

void tst_frmopen::choosingFolder_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");

    QTest::newRow("text files listed, first proposed")
        << 0 << "docs" << QStringList { "1.txt", "2.txt", "10.txt" } << "1.txt";
    QTest::newRow("every file listed")
        << 1 << "docs" << QStringList { "1.txt", "2.txt", "10.txt", "readme.md" } << "1.txt";
    QTest::newRow("no text file empties the name") << 0 << "empty" << QStringList {} << "";
    QTest::newRow("no text file, every file listed")
        << 1 << "empty" << QStringList { "image.png" } << "image.png";
}

void tst_frmopen::choosingFolder()
{
    QFETCH(int, pattern);
    QFETCH(QString, subfolder);
    QFETCH(QStringList, files);
    QFETCH(QString, name);

    frmOpen &form = shownDialog();
    chooseEntry(form.Combo1, pattern);
    QTRY_COMPARE(form.Combo1.ListIndex(), pattern);
    openFolder(form.Dir1, subfolder);

    const QString path = folder->path(subfolder);
    QTRY_COMPARE(form.Dir1.Path(), path);
    QCOMPARE(form.File1.Path(), path);
    QCOMPARE(shownRows(form.File1), files);
    QCOMPARE(form.Text1.Text(), name);
    QCOMPARE(form.Label4.Caption(), path);
    QCOMPARE(form.File1.ListIndex(), -1);
    QVERIFY(form.Visible());
    QVERIFY(gui->messages().isEmpty());
}

void tst_frmopen::choosingPatternKeepsName()
{
    frmOpen &form = shownDialog();
    chooseEntry(form.Combo1, 1);
    QTRY_COMPARE(form.File1.Pattern(), QString("*.*"));
    QCOMPARE(form.Combo1.Text(), QString("*.*"));
    QCOMPARE(shownRows(form.File1), (QStringList { "a.txt", "b.txt", "notes.csv" }));
    QCOMPARE(form.Text1.Text(), QString("location.dat"));

    chooseEntry(form.Combo1, 0);
    QTRY_COMPARE(form.File1.Pattern(), QString("*.txt"));
    QCOMPARE(shownRows(form.File1), (QStringList { "a.txt", "b.txt" }));
    QCOMPARE(form.Text1.Text(), QString("location.dat"));
}

void tst_frmopen::typedPatternNotApplied_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");

    QTest::newRow("another pattern, Enter") << false << "*.csv" << int(Qt::Key_Return);
    QTest::newRow("an entry's text, Enter") << false << "*.*" << int(Qt::Key_Return);
    QTest::newRow("an entry's text, Tab") << false << "*.*" << int(Qt::Key_Tab);
    QTest::newRow("save dialog, an entry's text, Tab") << true << "*.*" << int(Qt::Key_Tab);
}

void tst_frmopen::typedPatternNotApplied()
{
    QFETCH(bool, save);
    QFETCH(QString, typed);
    QFETCH(int, key);

    app->startUp();
    FileChooser &form = save ? static_cast<FileChooser &>(*app->frmSaveAs) : *app->frmOpen;
    QVERIFY(showAndWait(form));
    auto *combo = static_cast<QComboBox *>(form.Combo1.widget());
    combo->lineEdit()->setFocus(); // the box takes the keys, as the user's
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, typed);
    QTest::keyClick(combo, Qt::Key(key));
    if (key == Qt::Key_Tab)
        QTRY_VERIFY(!combo->hasFocus());

    QCOMPARE(form.Combo1.Text(), typed);
    QCOMPARE(form.Combo1.ListIndex(), 0);
    QCOMPARE(shownRows(form.File1), (QStringList { "a.txt", "b.txt" }));
    QCOMPARE(form.Combo1.ListCount(), save ? 2 : 3);
}

void tst_frmopen::nameFollowsTheMouse_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("name");

    // In docs, listing 1.txt, 2.txt, 10.txt; the folder change proposed "1.txt".
    QTest::newRow("left click on the third name") << QStringList { "left 2" } << "10.txt";
    QTest::newRow("right press takes the selected name")
        << QStringList { "left 1", "type mine.txt", "right 2" } << "2.txt";
    QTest::newRow("right press with nothing selected keeps the name")
        << QStringList { "type mine.txt", "right 2" } << "mine.txt";
    QTest::newRow("right press does not select")
        << QStringList { "left 0", "right 2", "type mine.txt", "right 1" } << "1.txt";
    QTest::newRow("left click after typing")
        << QStringList { "left 0", "type mine.txt", "left 1" } << "2.txt";
    QTest::newRow("typing after a click")
        << QStringList { "left 1", "type mine.txt" } << "mine.txt";
    QTest::newRow("ctrl-click on the selected name keeps it")
        << QStringList { "left 1", "ctrl 1" } << "2.txt";
    QTest::newRow("ctrl-click on another name selects it")
        << QStringList { "left 1", "ctrl 2" } << "10.txt";
}

void tst_frmopen::nameFollowsTheMouse()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, name);

    frmOpen &form = shownDialog();
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(form.Text1.Text(), QString("1.txt"));

    for (const QString &action : std::as_const(actions)) {
        const QString what = action.section(' ', 0, 0);
        const QString argument = action.section(' ', 1);
        if (what == "left")
            clickItem(form.File1, argument.toInt());
        else if (what == "ctrl") {
            clickItem(form.File1, argument.toInt(), Qt::LeftButton, Qt::ControlModifier);
            QCOMPARE(form.File1.ListIndex(), argument.toInt());
        } else if (what == "right")
            rightPressItem(form.File1, argument.toInt());
        else
            retype(form.Text1, argument);
    }
    QCOMPARE(form.Text1.Text(), name);
    QVERIFY(form.Visible());
}

void tst_frmopen::pressReportsTheOldSelectionFirst()
{
    frmOpen &form = shownDialog();
    openFolder(form.Dir1, "docs");
    clickItem(form.File1, 0);
    retype(form.Text1, "mine.txt");

    // The press puts the entry selected before it into the box, then the click the new one.
    QStringList names;
    form.Text1.Change = [&] { names.append(form.Text1.Text()); };
    clickItem(form.File1, 2);
    QCOMPARE(names, (QStringList { "1.txt", "10.txt" }));
}

void tst_frmopen::okReadsTheChosenFile()
{
    frmOpen &form = shownDialog();
    openFolder(form.Dir1, "docs");
    clickItem(form.File1, rowOf(form.File1, "1.txt"));
    click(form.Command1);

    QCOMPARE(app->state.OpenFolder, folder->path("docs").toStdU16String());
    QCOMPARE(app->state.OpenFileName, u"1.txt");
    QCOMPARE(app->state.SourceLineCount, 3);
    QCOMPARE(app->state.WorkLines[3], u"Third");
    QCOMPARE(app->window.caption, u"1.txt");
    QVERIFY(app->window.convertEnabled);
    QVERIFY(app->window.messages.empty());
    QVERIFY(!form.Visible());
}

void tst_frmopen::okPassesNameAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("reads");

    QTest::newRow("bare name in the folder shown") << "2.txt" << true;
    QTest::newRow("blanks kept") << " 2.txt " << false;
    QTest::newRow("missing name") << "nothing.txt" << false;
    QTest::newRow("empty name") << "" << false;
    QTest::newRow("full path elsewhere") << "FULL/b.txt" << true;
    QTest::newRow("name relative to the folder shown") << "../b.txt" << true;
}

void tst_frmopen::okPassesNameAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, reads);
    typed.replace("FULL", folder->path());

    frmOpen &form = shownDialog();
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(form.Dir1.Path(), folder->path("docs"));
    retype(form.Text1, typed);
    click(form.Command1);

    QCOMPARE(QString::fromStdU16String(app->state.OpenFileName), typed);
    QCOMPARE(app->state.OpenFolder, folder->path("docs").toStdU16String());
    QCOMPARE(app->engineMessages(), reads ? QStringList {} : QStringList { ReadError });
    QCOMPARE(app->state.SourceLineCount, reads ? 1 : 0);
    // Hidden whatever the read's outcome.
    QVERIFY(!form.Visible());
}

void tst_frmopen::doubleClickReadsAndHides()
{
    frmOpen &form = shownDialog();
    openFolder(form.Dir1, "docs");
    doubleClickItem(form.File1, rowOf(form.File1, "10.txt"));

    QVERIFY(!form.Visible());
    QCOMPARE(form.Text1.Text(), QString("10.txt"));
    QCOMPARE(app->state.OpenFileName, u"10.txt");
    QCOMPARE(app->state.SourceLineCount, 1);
    QCOMPARE(app->state.SourceLines[1], u"ten");
    QCOMPARE(app->window.caption, u"10.txt");
    QVERIFY(app->window.messages.empty());
}

void tst_frmopen::cancelKeepsEverything()
{
    const QString usb = folder->scratch.mkdir("usb");
    folder->write("usb/data/x.txt", "x\r\n");
    folder->write("usb/data/y.csv", "y\r\n");
    gui->toolkit().setDriveList({ "/", usb });

    frmOpen &form = shownDialog();
    chooseEntry(form.Drive1, 1);
    QTRY_COMPARE(form.Dir1.Path(), usb);
    openFolder(form.Dir1, "data");
    QTRY_COMPARE(form.Dir1.Path(), usb + "/data");
    chooseEntry(form.Combo1, 1);
    QTRY_COMPARE(form.File1.Pattern(), QString("*.*"));
    clickItem(form.File1, rowOf(form.File1, "y.csv"));
    click(form.Command2);
    QVERIFY(!form.Visible());

    QVERIFY(showAndWait(*app->frmOpen));
    QCOMPARE(&*app->frmOpen, &form);
    QCOMPARE(form.Drive1.Drive(), usb);
    QCOMPARE(form.Dir1.Path(), usb + "/data");
    QCOMPARE(form.Label4.Caption(), usb + "/data");
    QCOMPARE(form.File1.Path(), usb + "/data");
    QCOMPARE(form.Combo1.Text(), QString("*.*"));
    QCOMPARE(form.Combo1.ListIndex(), 1);
    QCOMPARE(form.File1.Pattern(), QString("*.*"));
    QCOMPARE(form.File1.FileName(), QString("y.csv"));
    QCOMPARE(form.Text1.Text(), QString("y.csv"));
    QVERIFY(app->window.messages.empty());
    QCOMPARE(app->state.OpenFileName, u"");
}

void tst_frmopen::closeBoxMakesItAfresh()
{
    frmOpen &first = shownDialog();
    openFolder(first.Dir1, "docs");
    doubleClickItem(first.File1, rowOf(first.File1, "2.txt"));
    QVERIFY(!first.Visible());
    // The read made docs the current folder; the next dialog starts there.
    QCOMPARE(QDir::currentPath(), folder->path("docs"));

    QVERIFY(showAndWait(*app->frmOpen));
    closeByCloseBox(*app->frmOpen);
    QVERIFY(!app->frmOpen.IsLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    frmOpen &form = *app->frmOpen;
    QVERIFY(showAndWait(form));
    QCOMPARE(form.Combo1.ListCount(), 0);
    QCOMPARE(form.Combo1.Text(), QString("*.csv"));
    QCOMPARE(form.File1.Pattern(), QString("*.*"));
    QCOMPARE(shownRows(form.File1), (QStringList { "1.txt", "2.txt", "10.txt", "readme.md" }));
    QCOMPARE(form.Text1.Text(), QString("location.dat"));
    QCOMPARE(form.Dir1.Path(), folder->path("docs"));
    // The caption shows the folder list's path from the start, not a design text.
    QCOMPARE(form.Label4.Caption(), folder->path("docs"));

    // A file the list shows is read from the folder the list shows.
    QDir::setCurrent(folder->path());
    clickItem(form.File1, rowOf(form.File1, "1.txt"));
    click(form.Command1);
    QCOMPARE(app->state.OpenFolder, folder->path("docs").toStdU16String());
    QVERIFY(app->window.messages.empty());
    QCOMPARE(app->state.SourceLineCount, 3);
}

void tst_frmopen::driveFollowsTheFolderList()
{
    const QString usb = folder->scratch.mkdir("usb");
    gui->toolkit().setDriveList({ "/", usb });
    frmOpen &form = shownDialog();
    int driveChanges = 0;
    form.Drive1.Change = [&] { ++driveChanges; };

    // Into the other drive's mount point, then up out of it, by the folder list.
    openFolder(form.Dir1, "usb");
    QTRY_COMPARE(form.Dir1.Path(), usb);
    QCOMPARE(form.Drive1.Drive(), usb);
    openFolder(form.Dir1, QFileInfo(folder->path()).fileName());
    QTRY_COMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(form.Drive1.Drive(), QString("/"));
    QCOMPARE(driveChanges, 0);
}

void tst_frmopen::unopenableFolderKeepsState_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("folder removed meanwhile") << "folder";
    QTest::newRow("drive that cannot be read") << "drive";
    QTest::newRow("pattern chosen in a folder removed meanwhile") << "pattern";
}

void tst_frmopen::unopenableFolderKeepsState()
{
    QFETCH(QString, action);
    const QString gone = action == "pattern" ? folder->path() : folder->scratch.mkdir("gone");
    if (action == "drive")
        gui->toolkit().setDriveList({ "/", gone });

    frmOpen &form = shownDialog();
    clickItem(form.File1, rowOf(form.File1, "b.txt"));
    const QString drive = form.Drive1.Drive();
    QVERIFY(QDir(gone).removeRecursively());

    if (action == "drive")
        chooseEntry(form.Drive1, 1);
    else if (action == "folder")
        openFolder(form.Dir1, "gone");
    else
        chooseEntry(form.Combo1, 1);

    QTRY_COMPARE(gui->messages(),
        QStringList { "Cannot open folder " + gone + ": No such file or directory" });
    QCOMPARE(form.Drive1.Drive(), drive);
    QCOMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(form.File1.Path(), folder->path());
    QCOMPARE(form.Label4.Caption(), folder->path());
    QCOMPARE(form.File1.Pattern(), QString("*.txt"));
    QCOMPARE(form.Combo1.Text(), QString("*.txt"));
    QCOMPARE(shownRows(form.File1), (QStringList { "a.txt", "b.txt" }));
    QCOMPARE(form.Text1.Text(), QString("b.txt"));
    QVERIFY(form.Visible());
    QVERIFY(app->window.messages.empty());
}

void tst_frmopen::keyboardOrder()
{
    frmOpen &form = shownDialog();
    form.Text1.SetFocus();
    QTRY_COMPARE(QApplication::focusWidget(), form.Text1.widget());

    // Labels take no focus: name, pattern, OK, Cancel, drive, folders, files, and round again.
    const QList<Control *> order { &form.Combo1, &form.Command1, &form.Command2, &form.Drive1,
        &form.Dir1, &form.File1, &form.Text1 };
    for (Control *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus == next->widget() || next->widget()->isAncestorOf(focus));
    }
}

void tst_frmopen::accessibleNames()
{
    frmOpen &form = shownDialog();
    const QList<std::pair<Control *, QString>> named { { &form.Text1, "File Name" },
        { &form.Combo1, "List Files of Type" }, { &form.File1, "Files" },
        { &form.Dir1, "Directories" }, { &form.Drive1, "Drives" }, { &form.Command1, "OK" },
        { &form.Command2, "Cancel" } };
    for (const auto &[control, name] : named) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control->widget());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), name);
    }
    // The folder caption reads as the folder's path, and follows it.
    QAccessibleInterface *caption = QAccessible::queryAccessibleInterface(form.Label4.widget());
    QCOMPARE(caption->text(QAccessible::Name), folder->path());
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(caption->text(QAccessible::Name), folder->path("docs"));
}

QTEST_MAIN(tst_frmopen)
#include "tst_frmopen.moc"
