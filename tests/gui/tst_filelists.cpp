// Drive, folder and file lists: where they start, filtering and sorting, List(i) outside the list,
// Path raising Change only when it changes, the folder tree, mouse events in their order,
// drives, and folders that cannot be read.
#include "gui_harness.h"

#include <QFile>
#include <QListWidget>
#include <QTest>
#include <unistd.h>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// Wired as the file dialogs wire their lists.
class ListsForm : public Form {
public:
    ListsForm()
    {
        setCaption("Lists");
        setClientSize(7485, 5220);
        File1.Move(120, 840, 3015, 3345);
        Dir1.Move(3480, 720, 2415, 3465);
        Drive1.Move(3480, 4680, 2415, 315);

        Drive1.Change = [this] {
            record("Drive1_Change " + Drive1.Drive());
            Dir1.setPath(Drive1.Drive());
        };
        Dir1.Change = [this] {
            record("Dir1_Change " + Dir1.Path());
            File1.setPath(Dir1.Path());
        };
        Dir1.PathError = [this](const QString &path, const QString &reason) {
            errors.append(path + ": " + reason);
        };
        File1.PathError = [this](const QString &path, const QString &reason) {
            errors.append(path + ": " + reason);
        };
        File1.MouseDown = [this](int Button, int Shift, Twips X, Twips Y) {
            record(QString("MouseDown %1 %2").arg(Button).arg(Shift));
            lastPress = QPointF(X, Y);
        };
        File1.Click = [this] { record("Click"); };
        File1.DblClick = [this] { record("DblClick"); };
    }

    // The handler's name and what File1.ListIndex was when it ran.
    void record(const QString &handler)
    {
        events.append(handler + " " + QString::number(File1.ListIndex()));
    }

    QStringList events;
    QStringList errors;
    QPointF lastPress;
    FileListBox File1 { *this };
    DirListBox Dir1 { *this };
    DriveListBox Drive1 { *this };
};

// Files and folders every test lists.
struct Sample {
    ScratchFolder scratch;
    Sample()
    {
        for (const char *name :
            { "file10.txt", "a.txt", "B.TXT", "c.dat", "notes", "file2.txt", ".hidden.txt" })
            scratch.touch(name);
        for (const char *name : { "sub.txt", "c10", "c2", "c1" })
            scratch.mkdir(name);
        scratch.touch("c2/inner.txt");
        // Links count as what they point to; a broken one is neither file nor folder.
        QFile::link(path("a.txt"), path("link.txt"));
        QFile::link(path("c1"), path("linked folder"));
        QFile::link(path("nowhere"), path("broken.txt"));
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? scratch.path() : scratch.path() + "/" + relative;
    }
};

} // namespace

class tst_filelists : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;
    QString startFolder;

private slots:
    void init()
    {
        gui = std::make_unique<GuiFixture>();
        startFolder = QDir::currentPath();
    }
    void cleanup()
    {
        QDir::setCurrent(startFolder);
        gui.reset();
    }

    void listsStartAtCurrentFolder();
    void fileFilter_data();
    void fileFilter();
    void listOutsideRangeIsEmpty_data();
    void listOutsideRangeIsEmpty();
    void folderThatCannotBeRead_data();
    void folderThatCannotBeRead();
    void dirPathRaisesChangeOnlyWhenChanged_data();
    void dirPathRaisesChangeOnlyWhenChanged();
    void dirShowsTree();
    void dirDoubleClickEnters();
    void fileMouseEventsInOrder();
    void drivesRememberTheirFolder();
};

void tst_filelists::listsStartAtCurrentFolder()
{
    Sample sample;
    QVERIFY(QDir::setCurrent(sample.path("c2")));
    FormInstance<ListsForm> form;
    QCOMPARE(form->File1.Path(), sample.path("c2"));
    QCOMPARE(form->Dir1.Path(), sample.path("c2"));
    QCOMPARE(form->Dir1.List(-1), sample.path("c2"));
    QCOMPARE(form->File1.Pattern(), QString("*.*"));
    QCOMPARE(shownRows(form->File1), QStringList { "inner.txt" });
    QCOMPARE(form->Drive1.Drive(), DriveOf(sample.path()));
    QCOMPARE(form->Drive1.List(0).left(1), QString("/")); // the root first
}

void tst_filelists::fileFilter_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("names");

    // Numbers by value, case ignored; hidden files, folders and broken links never listed.
    const QStringList all { "a.txt", "B.TXT", "c.dat", "file2.txt", "file10.txt", "link.txt",
        "notes" };
    QTest::newRow("*.txt") << "*.txt"
                           << QStringList { "a.txt", "B.TXT", "file2.txt", "file10.txt",
                                  "link.txt" };
    QTest::newRow("*.* lists names without a dot too") << "*.*" << all;
    QTest::newRow("*") << "*" << all;
    QTest::newRow("two patterns") << "*.dat;*.TXT"
                                  << QStringList { "a.txt", "B.TXT", "c.dat", "file2.txt",
                                         "file10.txt", "link.txt" };
    QTest::newRow("blanks around patterns") << " c.* ; notes " << QStringList { "c.dat", "notes" };
    QTest::newRow("question mark") << "file?.txt" << QStringList { "file2.txt" };
    QTest::newRow("no match") << "*.csv" << QStringList {};
    QTest::newRow("empty pattern lists all") << "" << all;
}

void tst_filelists::fileFilter()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, names);

    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->File1.setPath(sample.path()));
    QVERIFY(form->File1.setPattern(pattern));
    QCOMPARE(shownRows(form->File1), names);
    QCOMPARE(form->File1.ListCount(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(form->File1.List(i), names[i]);
    QCOMPARE(form->File1.ListIndex(), -1);
    QVERIFY(form->errors.isEmpty());
}

void tst_filelists::listOutsideRangeIsEmpty_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("index");

    QTest::newRow("-1") << "" << -1;
    QTest::newRow("one past the end") << "" << 7;
    QTest::newRow("far beyond") << "" << 100000;
    QTest::newRow("first of an empty folder") << "c1" << 0;
}

void tst_filelists::listOutsideRangeIsEmpty()
{
    QFETCH(QString, folder);
    QFETCH(int, index);

    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->File1.setPath(sample.path(folder)));
    QVERIFY(form->Dir1.setPath(sample.path(folder)));
    QCOMPARE(form->File1.List(index), QString());
    QCOMPARE(form->Dir1.List(index < 0 ? -1000 : index), QString());
}

void tst_filelists::folderThatCannotBeRead_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing folder") << "missing"
                                    << "No such file or directory";
    QTest::newRow("a file, not a folder") << "file"
                                          << "Not a directory";
    QTest::newRow("removed meanwhile") << "removed"
                                       << "No such file or directory";
    QTest::newRow("no permission") << "locked"
                                   << "Permission denied";
}

void tst_filelists::folderThatCannotBeRead()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);

    if (how == "locked" && ::geteuid() == 0)
        QSKIP("permissions do not stop the superuser");
    Sample sample;
    FormInstance<ListsForm> form;
    const QString start = sample.path(how == "removed" ? "gone" : "");
    if (how == "removed")
        sample.scratch.touch("gone/left.txt");
    QVERIFY(form->Dir1.setPath(start));
    QVERIFY(form->File1.setPath(start));
    const QStringList files = shownRows(form->File1);
    const QStringList folders = shownRows(form->Dir1);
    form->events.clear();

    QString bad;
    if (how == "missing") {
        bad = sample.path("missing");
    } else if (how == "file") {
        bad = sample.path("notes");
    } else if (how == "locked") {
        bad = sample.path("c1");
        QFile::setPermissions(bad, QFileDevice::Permissions());
    }
    if (how == "removed") {
        QVERIFY(QDir(start).removeRecursively());
        form->Dir1.Refresh();
        form->File1.Refresh();
        bad = start;
    } else {
        QVERIFY(!form->Dir1.setPath(bad));
        QVERIFY(!form->File1.setPath(bad));
    }
    if (how == "locked")
        QFile::setPermissions(
            bad, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Both lists report the folder and the reason, and keep what they showed.
    QCOMPARE(form->errors, QStringList(2, bad + ": " + reason));
    QCOMPARE(form->Dir1.Path(), start);
    QCOMPARE(form->File1.Path(), start);
    QCOMPARE(shownRows(form->File1), files);
    QCOMPARE(shownRows(form->Dir1), folders);
    QVERIFY(form->events.isEmpty());
}

void tst_filelists::dirPathRaisesChangeOnlyWhenChanged_data()
{
    QTest::addColumn<QString>("path"); // relative to the sample folder, or to Dir1's path
    QTest::addColumn<bool>("relative");
    QTest::addColumn<QString>("expected");

    QTest::newRow("same folder") << "" << false << "";
    QTest::newRow("same folder with trailing slash") << "/" << false << "";
    QTest::newRow("same folder by a detour") << "c2/.." << false << "";
    QTest::newRow("subfolder") << "c2" << false << "c2";
    QTest::newRow("subfolder by relative name") << "c10" << true << "c10";
}

void tst_filelists::dirPathRaisesChangeOnlyWhenChanged()
{
    QFETCH(QString, path);
    QFETCH(bool, relative);
    QFETCH(QString, expected);

    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->Dir1.setPath(sample.path()));
    form->events.clear();

    const QString target = expected.isEmpty() ? sample.path() : sample.path(expected);
    QVERIFY(form->Dir1.setPath(relative ? path : sample.path() + "/" + path));
    QCOMPARE(form->Dir1.Path(), target);
    if (expected.isEmpty()) {
        QVERIFY(form->events.isEmpty());
    } else {
        // Raised before the assignment returned; its handler already moved the file list.
        QCOMPARE(form->events, QStringList { "Dir1_Change " + target + " -1" });
        QCOMPARE(form->File1.Path(), target);
    }
}

void tst_filelists::dirShowsTree()
{
    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->Dir1.setPath(sample.path()));

    QStringList expected { "/" };
    expected += sample.path().split('/', Qt::SkipEmptyParts);
    const int ancestors = int(expected.size());
    expected += QStringList { "c1", "c2", "c10", "linked folder", "sub.txt" };
    QCOMPARE(shownRows(form->Dir1), expected);

    QCOMPARE(form->Dir1.ListCount(), 5);
    QCOMPARE(form->Dir1.List(0), sample.path("c1"));
    QCOMPARE(form->Dir1.List(2), sample.path("c10"));
    QCOMPARE(form->Dir1.List(5), QString());
    QCOMPARE(form->Dir1.List(-1), sample.path());
    QCOMPARE(form->Dir1.List(-2), QFileInfo(sample.path()).absolutePath());
    QCOMPARE(form->Dir1.List(-ancestors), QString("/"));
    QCOMPARE(form->Dir1.List(-ancestors - 1), QString());
    QCOMPARE(form->Dir1.ListIndex(), -1);

    QVERIFY(form->Dir1.setPath("/"));
    QCOMPARE(shownRows(form->Dir1).first(), QString("/"));
    QCOMPARE(form->Dir1.List(-1), QString("/"));
}

void tst_filelists::dirDoubleClickEnters()
{
    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->Dir1.setPath(sample.path()));
    QVERIFY(showAndWait(*form));
    form->events.clear();

    // A single click only highlights.
    clickItem(form->Dir1, rowOf(form->Dir1, "c10"));
    QCOMPARE(form->Dir1.ListIndex(), 2);
    QCOMPARE(form->Dir1.Path(), sample.path());

    doubleClickItem(form->Dir1, rowOf(form->Dir1, "c2"));
    QCOMPARE(form->Dir1.Path(), sample.path("c2"));
    QCOMPARE(form->events, QStringList { "Dir1_Change " + sample.path("c2") + " -1" });
    QCOMPARE(shownRows(form->File1), QStringList { "inner.txt" });

    // An ancestor goes back up.
    const QString parent = QFileInfo(sample.path()).fileName();
    doubleClickItem(form->Dir1, rowOf(form->Dir1, parent));
    QCOMPARE(form->Dir1.Path(), sample.path());
    QCOMPARE(form->events.size(), 2);
}

void tst_filelists::fileMouseEventsInOrder()
{
    Sample sample;
    FormInstance<ListsForm> form;
    QVERIFY(form->File1.setPath(sample.path()));
    QVERIFY(form->File1.setPattern("*.txt"));
    QVERIFY(showAndWait(*form));
    form->events.clear();

    // MouseDown sees the selection before the press; the Click after it sees the new one.
    clickItem(form->File1, 2);
    QCOMPARE(form->events, (QStringList { "MouseDown 1 0 -1", "Click 2" }));
    // X and Y are twips from the list's top-left corner.
    auto *list = static_cast<QListWidget *>(form->File1.widget());
    const QPoint pressed = list->visualItemRect(list->item(2)).center() + list->viewport()->pos();
    QCOMPARE(form->lastPress, QPointF(ToTwipsX(pressed.x()), ToTwipsY(pressed.y())));

    // A right press changes no selection and raises no Click.
    form->events.clear();
    rightPressItem(form->File1, 0);
    QCOMPARE(form->events, QStringList { "MouseDown 2 0 2" });
    QCOMPARE(form->File1.ListIndex(), 2);

    form->events.clear();
    doubleClickItem(form->File1, 1);
    QCOMPARE(form->events.last(), QString("DblClick 1"));
    QCOMPARE(form->events.first(), QString("MouseDown 1 0 2"));

    // Moving the selection with the keyboard is a Click as well.
    form->events.clear();
    QTest::keyClick(form->File1.widget(), Qt::Key_Down);
    QCOMPARE(form->events, QStringList { "Click 2" });
    QCOMPARE(form->File1.FileName(), QString("file2.txt"));

    // A new folder starts with nothing selected.
    QVERIFY(form->File1.setPath(sample.path("c2")));
    QCOMPARE(form->File1.ListIndex(), -1);
    QCOMPARE(form->File1.FileName(), QString());
}

void tst_filelists::drivesRememberTheirFolder()
{
    Sample sample;
    const QString usb = sample.scratch.mkdir("usb");
    sample.scratch.mkdir("usb/x/y");
    gui->toolkit().setDriveList({ "/", usb });
    FormInstance<ListsForm> form;
    QCOMPARE(form->Drive1.ListCount(), 2);
    QCOMPARE(form->Drive1.Drive(), QString("/"));

    // Setting a path on the other drive chooses it; its last folder is remembered.
    QVERIFY(form->Dir1.setPath(usb + "/x/y"));
    QVERIFY(form->Dir1.setPath(sample.path("c2")));
    QVERIFY(showAndWait(*form));
    form->events.clear();

    chooseEntry(form->Drive1, 1);
    QTRY_COMPARE(form->Drive1.Drive(), usb);
    QCOMPARE(form->Dir1.Path(), usb + "/x/y");
    QCOMPARE(form->events,
        (QStringList { "Drive1_Change " + usb + " -1", "Dir1_Change " + usb + "/x/y -1" }));

    // Back on the root drive: the folder last shown there.
    chooseEntry(form->Drive1, 0);
    QTRY_COMPARE(form->Dir1.Path(), sample.path("c2"));

    // The same drive again changes nothing; the root of the drive shown is the root itself.
    form->events.clear();
    chooseEntry(form->Drive1, 0);
    QTest::qWait(50);
    QVERIFY(form->events.isEmpty());
    QVERIFY(form->Dir1.setPath("/"));
    QCOMPARE(form->Dir1.Path(), QString("/"));

    QVERIFY(form->Drive1.setDrive(usb + "/x"));
    QCOMPARE(form->Drive1.Drive(), usb);
}

QTEST_MAIN(tst_filelists)
#include "tst_filelists.moc"
