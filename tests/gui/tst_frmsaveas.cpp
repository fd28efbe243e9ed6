// The save dialog on real widgets, in scratch folders: the start-up set-up, saving into the folder
// the list shows, a proposed or double-clicked name written over, a failed save leaving the dialog
// open and the old file as it was, the two dialogs keeping separate folders, Cancel, the close box
// and accessible names.
#include "dialogs_fixture.h"

#include <QAccessible>
#include <QTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// The converted document the tests save, and the bytes it becomes.
const QByteArray Saved = "Name & Age \\\\\r\nAnn & 30 \\\\\r\n";

void openFolder(DirListBox &list, const QString &name)
{
    const int row = rowOf(list, name);
    QVERIFY2(row >= 0, qPrintable(name + " is not listed"));
    doubleClickItem(list, row);
}

void retype(TextBox &box, const QString &text)
{
    clearByKeyboard(box);
    typeInto(box, text);
}

QStringList entriesOf(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class tst_frmsaveas : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;
    std::unique_ptr<CurrentScratch> folder;
    std::unique_ptr<DialogsApp> app;

    frmSaveAs &shownDialog()
    {
        app->startUp();
        if (!showAndWait(*app->frmSaveAs))
            qWarning("the save dialog did not show");
        return *app->frmSaveAs;
    }

private slots:
    void init()
    {
        gui = std::make_unique<GuiFixture>();
        folder = std::make_unique<CurrentScratch>();
        folder->write("keep.txt", "old\r\n");
        folder->write("docs/1.txt", "first\r\n");
        folder->write("docs/2.txt", "second\r\n");
        folder->write("docs/notes.csv", "1,2\r\n");
        folder->scratch.mkdir("out");
        app = std::make_unique<DialogsApp>();
        app->state.WorkLines[1] = u"Name & Age \\\\";
        app->state.WorkLines[2] = u"Ann & 30 \\\\";
        app->state.WorkLineCount = 2;
    }
    void cleanup()
    {
        app.reset();
        folder.reset();
        gui.reset();
    }

    void startUpSetUp();
    void saveIntoFolderShown();
    void proposedNameIsWrittenOver();
    void doubleClickWritesOver();
    void failedSaveStaysOpen_data();
    void failedSaveStaysOpen();
    void dialogsKeepSeparateFolders();
    void cancelKeepsEverything();
    void closeBoxMakesItAfresh();
    void unopenableFolderKeepsState();
    void accessibleNames();
};

void tst_frmsaveas::startUpSetUp()
{
    app->startUp();
    frmSaveAs &form = *app->frmSaveAs;
    QVERIFY(!form.Visible());
    QCOMPARE(form.Caption(), QString("Save As ..."));
    QCOMPARE(form.Combo1.ListCount(), 2);
    QCOMPARE(form.Combo1.List(0), QString("*.txt"));
    QCOMPARE(form.Combo1.List(1), QString("*.*"));
    QCOMPARE(form.Combo1.Text(), QString("*.txt"));
    QCOMPARE(form.File1.Pattern(), QString("*.txt"));
    QCOMPARE(shownRows(form.File1), QStringList { "keep.txt" });
    QCOMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(form.Label4.Caption(), folder->path());
    QCOMPARE(form.Text1.Text(), QString());
}

void tst_frmsaveas::saveIntoFolderShown()
{
    frmSaveAs &form = shownDialog();
    openFolder(form.Dir1, "out");
    QTRY_COMPARE(form.Dir1.Path(), folder->path("out"));
    QCOMPARE(form.Text1.Text(), QString());
    typeInto(form.Text1, "result.txt");
    click(form.Command1);

    QVERIFY(app->window.messages.empty());
    QCOMPARE(app->state.SaveFolder, folder->path("out").toStdU16String());
    QCOMPARE(app->state.SaveFileName, u"result.txt");
    QCOMPARE(readAll(folder->path("out/result.txt")), Saved);
    QVERIFY(!QFile::exists(folder->path("result.txt")));
    QVERIFY(!form.Visible());
}

void tst_frmsaveas::proposedNameIsWrittenOver()
{
    frmSaveAs &form = shownDialog();
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(form.Text1.Text(), QString("1.txt"));
    click(form.Command1);

    QCOMPARE(readAll(folder->path("docs/1.txt")), Saved);
    QCOMPARE(readAll(folder->path("docs/2.txt")), QByteArray("second\r\n"));
    QVERIFY(!form.Visible());
}

void tst_frmsaveas::doubleClickWritesOver()
{
    frmSaveAs &form = shownDialog();
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(form.Dir1.Path(), folder->path("docs"));
    doubleClickItem(form.File1, rowOf(form.File1, "2.txt"));

    QVERIFY(!form.Visible());
    QCOMPARE(form.Text1.Text(), QString("2.txt"));
    QCOMPARE(readAll(folder->path("docs/2.txt")), Saved);
    QCOMPARE(readAll(folder->path("docs/1.txt")), QByteArray("first\r\n"));
    QVERIFY(app->window.messages.empty());
}

void tst_frmsaveas::failedSaveStaysOpen_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty name") << ""
                                << "no file name was given";
    QTest::newRow("file taken for a folder") << "keep.txt/new.txt"
                                             << "Not a directory";
    QTest::newRow("name of a folder") << "docs"
                                      << "Is a directory";
    QTest::newRow("folder that does not exist") << "missing/new.txt"
                                                << "No such file or directory";
}

void tst_frmsaveas::failedSaveStaysOpen()
{
    QFETCH(QString, typed);
    QFETCH(QString, reason);

    frmSaveAs &form = shownDialog();
    const QStringList before = entriesOf(folder->path());
    retype(form.Text1, typed);
    click(form.Command1);

    QCOMPARE(app->engineMessages(), QStringList { "Could not save " + typed + ": " + reason });
    QVERIFY(form.Visible());
    QCOMPARE(form.Text1.Text(), typed);
    QCOMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(readAll(folder->path("keep.txt")), QByteArray("old\r\n"));
    QCOMPARE(entriesOf(folder->path()), before);

    // The user corrects the name in the dialog still open.
    retype(form.Text1, "fixed.txt");
    click(form.Command1);
    QVERIFY(!form.Visible());
    QCOMPARE(readAll(folder->path("fixed.txt")), Saved);
}

void tst_frmsaveas::dialogsKeepSeparateFolders()
{
    app->startUp();
    frmOpen &open = *app->frmOpen;
    frmSaveAs &save = *app->frmSaveAs;

    QVERIFY(showAndWait(open));
    openFolder(open.Dir1, "docs");
    QTRY_COMPARE(open.Dir1.Path(), folder->path("docs"));
    click(open.Command2);

    QVERIFY(showAndWait(save));
    QCOMPARE(save.Dir1.Path(), folder->path());
    QCOMPARE(save.Label4.Caption(), folder->path());
    openFolder(save.Dir1, "out");
    QTRY_COMPARE(save.Dir1.Path(), folder->path("out"));
    typeInto(save.Text1, "bare.txt");
    click(save.Command1);

    QCOMPARE(readAll(folder->path("out/bare.txt")), Saved);
    QVERIFY(!QFile::exists(folder->path("docs/bare.txt")));
    QCOMPARE(open.Dir1.Path(), folder->path("docs"));
    QCOMPARE(open.Label4.Caption(), folder->path("docs"));
    QCOMPARE(open.Text1.Text(), QString("1.txt"));
}

void tst_frmsaveas::cancelKeepsEverything()
{
    frmSaveAs &form = shownDialog();
    openFolder(form.Dir1, "docs");
    QTRY_COMPARE(form.Dir1.Path(), folder->path("docs"));
    chooseEntry(form.Combo1, 1);
    QTRY_COMPARE(form.File1.Pattern(), QString("*.*"));
    retype(form.Text1, "draft.txt");
    click(form.Command2);
    QVERIFY(!form.Visible());
    QVERIFY(!QFile::exists(folder->path("docs/draft.txt")));

    QVERIFY(showAndWait(*app->frmSaveAs));
    QCOMPARE(&*app->frmSaveAs, &form);
    QCOMPARE(form.Dir1.Path(), folder->path("docs"));
    QCOMPARE(form.Combo1.Text(), QString("*.*"));
    QCOMPARE(shownRows(form.File1), (QStringList { "1.txt", "2.txt", "notes.csv" }));
    QCOMPARE(form.Text1.Text(), QString("draft.txt"));
}

void tst_frmsaveas::closeBoxMakesItAfresh()
{
    frmSaveAs &first = shownDialog();
    openFolder(first.Dir1, "out");
    QTRY_COMPARE(first.Dir1.Path(), folder->path("out"));
    closeByCloseBox(first);
    QVERIFY(!app->frmSaveAs.IsLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Made afresh at the current folder, in its design state, caption from the folder list.
    QDir::setCurrent(folder->path("docs"));
    frmSaveAs &form = *app->frmSaveAs;
    QVERIFY(showAndWait(form));
    QCOMPARE(form.Combo1.ListCount(), 0);
    QCOMPARE(form.Combo1.Text(), QString("*.dat"));
    QCOMPARE(form.File1.Pattern(), QString("*.*"));
    QCOMPARE(shownRows(form.File1), (QStringList { "1.txt", "2.txt", "notes.csv" }));
    QCOMPARE(form.Text1.Text(), QString());
    QCOMPARE(form.Dir1.Path(), folder->path("docs"));
    QCOMPARE(form.Label4.Caption(), folder->path("docs"));

    QDir::setCurrent(folder->path());
    typeInto(form.Text1, "again.txt");
    click(form.Command1);
    QCOMPARE(readAll(folder->path("docs/again.txt")), Saved);
    QVERIFY(!form.Visible());
}

void tst_frmsaveas::unopenableFolderKeepsState()
{
    const QString gone = folder->scratch.mkdir("gone");
    frmSaveAs &form = shownDialog();
    retype(form.Text1, "mine.txt");
    QVERIFY(QDir(gone).removeRecursively());
    openFolder(form.Dir1, "gone");

    QTRY_COMPARE(gui->messages(),
        QStringList { "Cannot open folder " + gone + ": No such file or directory" });
    QCOMPARE(form.Dir1.Path(), folder->path());
    QCOMPARE(form.File1.Path(), folder->path());
    QCOMPARE(form.Label4.Caption(), folder->path());
    QCOMPARE(form.Text1.Text(), QString("mine.txt"));
    QVERIFY(form.Visible());
}

void tst_frmsaveas::accessibleNames()
{
    frmSaveAs &form = shownDialog();
    const QList<std::pair<Control *, QString>> named { { &form.Text1, "File Name" },
        { &form.Combo1, "List Files of Type" }, { &form.File1, "Files" },
        { &form.Dir1, "Directories" }, { &form.Drive1, "Drives" }, { &form.Command1, "OK" },
        { &form.Command2, "Cancel" } };
    for (const auto &[control, name] : named) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control->widget());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), name);
    }
    QAccessibleInterface *caption = QAccessible::queryAccessibleInterface(form.Label4.widget());
    QCOMPARE(caption->text(QAccessible::Name), folder->path());
}

QTEST_MAIN(tst_frmsaveas)
#include "tst_frmsaveas.moc"
