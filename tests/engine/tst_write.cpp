// Saving: the bytes written, replacing a file atomically with its permissions kept, and saves
// that fail (part-way, or before they start) leaving the existing file and the state as they were.
#include "engine_fixture.h"

#include <QtTest>
#include <clocale>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace cellwright;

namespace {

// Runs body in a forked child and returns its exit code (-1 when it did not exit normally).
int InChild(const std::function<int()> &body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// In a child running as root, become an ordinary user so that permissions apply.
bool DropRoot()
{
    return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
}

mode_t ModeOf(const QString &path)
{
    struct stat st { };
    return stat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QStringList Entries(const EngineFixture &f)
{
    return QDir(f.dir.path())
        .entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString Message(const EngineFixture &f)
{
    return f.window.messages.empty() ? QString()
                                     : QString::fromStdU16String(f.window.messages.back());
}

const QByteArray Existing = "the existing file\r\nmust survive\r\n";

} // namespace

class TestWrite : public QObject {
    Q_OBJECT

private slots:
    void savedBytes_data();
    void savedBytes();
    void failedSaveChangesNothing_data();
    void failedSaveChangesNothing();
    void saveFailingPartWay();
    void protectedFiles_data();
    void protectedFiles();
    void permissionsKeptOnReplace_data();
    void permissionsKeptOnReplace();
    void ownerGroupAndAttributesKeptOnReplace();
    void savingOverALinkReplacesItsTarget();
    void linkPlantedUnderTheTemporaryName();
    void reasonInTheUserLanguage();
    void foldersBecomeCurrent();
};

void TestWrite::savedBytes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("last line unterminated") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("leading spaces removed")
        << QByteArray("  a \r\n\t b\r\n   \r\n") << QByteArray("a \r\n\t b\r\n\r\n");
    QTest::newRow("LF alone kept beside CR") << QByteArray("a\nb\n\r") << QByteArray("a\nb\n\r\n");
    QTest::newRow("LF line ends become CR LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
}

void TestWrite::savedBytes()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);

    EngineFixture f;
    f.read(input);
    QVERIFY(f.save("copy.txt"));
    QCOMPARE(f.bytesOf("copy.txt"), output);
    QVERIFY(f.save("copy.txt"));
    QCOMPARE(f.bytesOf("copy.txt"), output);
    QCOMPARE(Entries(f), (QStringList { "copy.txt", "paper.txt" }));
    QVERIFY(f.window.messages.empty());
}

void TestWrite::failedSaveChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("folder does not exist") << "no folder"
                                           << "Could not save out.txt: No such file or directory";
    QTest::newRow("name of a folder") << "folder"
                                      << "Could not save sub: Is a directory";
    QTest::newRow("no name") << "no name"
                             << "Could not save : no file name was given";
    QTest::newRow("named pipe") << "fifo"
                                << "Could not save pipe: it is not a regular file";
    QTest::newRow("name in a missing subfolder")
        << "missing subfolder"
        << "Could not save none/out.txt: No such file or directory";
    QTest::newRow("lone surrogate in the name") << "surrogate"
                                                << "";
    const QString never = "it is a word-processor document, which a save never replaces; choose "
                          "another name";
    QTest::newRow("a zip package, whatever its name") << "zip"
                                                      << "Could not save paper.txt: " + never;
    QTest::newRow("an old binary Office file") << "compound"
                                               << "Could not save paper.doc: " + never;
}

void TestWrite::failedSaveChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    EngineFixture f;
    f.read("a\r\nb\r\nc\r\nd\r\n");
    f.window.listIndex = 0;
    f.window.describe(1, u"a", u"2", u"2");
    f.convert();
    QVERIFY(f.put("out.txt", Existing));
    QVERIFY(QDir(f.dir.path()).mkdir("sub"));
    const ConversionState before = f.state;
    const QStringList entries = Entries(f);

    f.state.SaveFolder = f.folder();
    if (kind == "no folder") {
        f.state.SaveFolder = f.folder() + u"/nowhere";
        f.state.SaveFileName = u"out.txt";
    } else if (kind == "folder") {
        f.state.SaveFileName = u"sub";
    } else if (kind == "no name") {
        f.state.SaveFileName = u"";
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(f.path("pipe").toLocal8Bit().constData(), 0600), 0);
        f.state.SaveFileName = u"pipe";
    } else if (kind == "missing subfolder") {
        f.state.SaveFileName = u"none/out.txt";
    } else if (kind == "surrogate") {
        f.state.SaveFileName = u"out\xD800.txt";
    } else if (kind == "zip") {
        QVERIFY(f.put("paper.txt", QByteArray("PK\x03\x04\x14\0\0\0rest", 12)));
        f.state.SaveFileName = u"paper.txt";
    } else if (kind == "compound") {
        QVERIFY(f.put("paper.doc", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest")));
        f.state.SaveFileName = u"paper.doc";
    }
    const auto saveFolder = f.state.SaveFolder;
    const auto saveName = f.state.SaveFileName;

    QVERIFY(!f.engine.WriteDocument());
    QCOMPARE(f.window.messages.size(), 1u);
    if (message.isEmpty())
        QVERIFY2(Message(f).startsWith("Could not save out"), qPrintable(Message(f)));
    else
        QCOMPARE(Message(f), message);
    QCOMPARE(f.bytesOf("out.txt"), Existing);
    if (kind == "zip")
        QCOMPARE(f.bytesOf("paper.txt"), QByteArray("PK\x03\x04\x14\0\0\0rest", 12));
    const QStringList added = kind == "fifo" ? QStringList { "pipe" }
        : kind == "compound"                 ? QStringList { "paper.doc" }
                                             : QStringList {};
    QStringList expected = entries + added;
    expected.sort();
    QCOMPARE(Entries(f), expected);
    QVERIFY(f.state.WorkLines == before.WorkLines);
    QCOMPARE(f.state.WorkLineCount, before.WorkLineCount);
    QVERIFY(f.state.SaveFolder == saveFolder && f.state.SaveFileName == saveName);
    QVERIFY(f.window.saveEnabled && f.window.resetEnabled && !f.window.convertEnabled);
}

void TestWrite::saveFailingPartWay()
{
    EngineFixture f;
    QByteArray big;
    for (int i = 0; i < 4000; ++i)
        big += "a line of the document that is long enough " + QByteArray::number(i) + "\r\n";
    f.read(big);
    QVERIFY(f.put("out.txt", Existing));

    // The child may write only 64 KiB per file: the save stops part-way through the document.
    const int code = InChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 65536, 65536 };
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 10;
        if (f.save("out.txt"))
            return 11;
        return Message(f) == "Could not save out.txt: File too large" ? 0 : 12;
    });
    QCOMPARE(code, 0);
    QCOMPARE(f.bytesOf("out.txt"), Existing);
    QCOMPARE(Entries(f), (QStringList { "out.txt", "paper.txt" }));

    // Without the limit the same save goes through.
    QVERIFY(f.save("out.txt"));
    QCOMPARE(f.bytesOf("out.txt"), big);
}

void TestWrite::protectedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("read-only file") << "read-only file"
                                    << "Could not save out.txt: Permission denied";
    QTest::newRow("read-only folder, existing file") << "read-only folder"
                                                     << "Could not save out.txt: Permission denied";
    QTest::newRow("read-only folder, new file") << "read-only folder, new file"
                                                << "Could not save new.txt: Permission denied";
}

void TestWrite::protectedFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    EngineFixture f;
    f.read("converted\r\n");
    QVERIFY(f.put("out.txt", Existing));
    const QString name = kind.endsWith("new file") ? "new.txt" : "out.txt";
    QVERIFY(QFile::setPermissions(f.path("out.txt"),
        kind == "read-only file" ? QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                                 : QFile::Permissions(0x6666)));
    QVERIFY(QFile::setPermissions(f.dir.path(),
        kind == "read-only file" ? QFile::Permissions(0x7777) : QFile::Permissions(0x5555)));

    // Permissions do not hold back root: the save runs as an ordinary user.
    const int code = InChild([&] {
        if (!DropRoot())
            return 10;
        if (f.save(name))
            return 11;
        return Message(f) == message ? 0 : 12;
    });
    QFile::setPermissions(f.dir.path(), QFile::Permissions(0x7700));
    QCOMPARE(code, 0);
    QCOMPARE(f.bytesOf("out.txt"), Existing);
    QCOMPARE(Entries(f), (QStringList { "out.txt", "paper.txt" }));
}

void TestWrite::permissionsKeptOnReplace_data()
{
    QTest::addColumn<int>("mode");

    QTest::newRow("0640") << 0640;
    QTest::newRow("0600") << 0600;
    QTest::newRow("0755") << 0755;
    QTest::newRow("0664") << 0664;
}

void TestWrite::permissionsKeptOnReplace()
{
    QFETCH(int, mode);

    EngineFixture f;
    f.read("new text\r\n");
    QVERIFY(f.put("out.txt", Existing));
    QCOMPARE(chmod(f.path("out.txt").toLocal8Bit().constData(), mode_t(mode)), 0);
    QVERIFY(f.save("out.txt"));
    QCOMPARE(f.bytesOf("out.txt"), QByteArray("new text\r\n"));
    QCOMPARE(int(ModeOf(f.path("out.txt"))), mode);

    // A new file gets the usual mode for new files.
    const mode_t mask = umask(022);
    QVERIFY(f.save("fresh.txt"));
    umask(mask);
    QCOMPARE(int(ModeOf(f.path("fresh.txt"))), 0644);
}

void TestWrite::ownerGroupAndAttributesKeptOnReplace()
{
    EngineFixture f;
    f.read("new text\r\n");
    QVERIFY(f.put("out.txt", Existing));
    const QByteArray out = f.path("out.txt").toLocal8Bit();
    if (setxattr(out.constData(), "user.origin", "paper", 5, 0) != 0)
        QSKIP("this file system keeps no user attributes");
    // Another user's file, as root replaces it.
    if (geteuid() != 0 || chown(out.constData(), 65534, 65533) != 0)
        QSKIP("setting another user as the owner needs root");
    QCOMPARE(chmod(out.constData(), 04750), 0);

    QVERIFY(f.save("out.txt"));
    QCOMPARE(f.bytesOf("out.txt"), QByteArray("new text\r\n"));
    struct stat st { };
    QCOMPARE(stat(out.constData(), &st), 0);
    QCOMPARE(int(st.st_uid), 65534);
    QCOMPARE(int(st.st_gid), 65533);
    QCOMPARE(int(st.st_mode & 07777), 04750);
    char value[16] = {};
    QCOMPARE(getxattr(out.constData(), "user.origin", value, sizeof value), ssize_t(5));
    QCOMPARE(QByteArray(value), QByteArray("paper"));
}

void TestWrite::savingOverALinkReplacesItsTarget()
{
    EngineFixture f;
    f.read("linked\r\n");
    QVERIFY(QDir(f.dir.path()).mkdir("real"));
    QVERIFY(f.put("real/target.txt", Existing));
    QVERIFY(QFile::link("real/target.txt", f.path("link.txt")));
    QVERIFY(f.save("link.txt"));
    QVERIFY(QFileInfo(f.path("link.txt")).isSymLink());
    QCOMPARE(f.bytesOf("real/target.txt"), QByteArray("linked\r\n"));
    QCOMPARE(
        QDir(f.path("real")).entryList(QDir::Files | QDir::Hidden), QStringList { "target.txt" });

    // A dangling link gets its target created.
    QVERIFY(QFile::link("real/later.txt", f.path("dangling.txt")));
    QVERIFY(f.save("dangling.txt"));
    QCOMPARE(f.bytesOf("real/later.txt"), QByteArray("linked\r\n"));
    QVERIFY(QFileInfo(f.path("dangling.txt")).isSymLink());

    // Through a chain of links, one of them relative to a subfolder.
    QVERIFY(QFile::link("target.txt", f.path("real/inner.txt")));
    QVERIFY(QFile::link("real/inner.txt", f.path("outer.txt")));
    f.read("chain\r\n");
    QVERIFY(f.save("outer.txt"));
    QCOMPARE(f.bytesOf("real/target.txt"), QByteArray("chain\r\n"));
    QVERIFY(QFileInfo(f.path("outer.txt")).isSymLink()
        && QFileInfo(f.path("real/inner.txt")).isSymLink());
}

void TestWrite::linkPlantedUnderTheTemporaryName()
{
    EngineFixture f;
    f.read("new text\r\n");
    QVERIFY(f.put("victim.txt", Existing));
    QVERIFY(QFile::link("victim.txt", f.path(".planted")));
    f.engine.SetFirstTemporaryName(u".planted");

    // The save goes through under another name; the file the link names stays as it was.
    QVERIFY(f.save("out.txt"));
    QCOMPARE(f.bytesOf("out.txt"), QByteArray("new text\r\n"));
    QCOMPARE(f.bytesOf("victim.txt"), Existing);
    QCOMPARE(Entries(f), (QStringList { ".planted", "out.txt", "paper.txt", "victim.txt" }));
}

void TestWrite::reasonInTheUserLanguage()
{
    EngineFixture f;
    f.read("x\r\n");
    QVERIFY(QDir(f.dir.path()).mkdir("sub"));

    // In Russian, as a Russian desktop's locale gives it (translations from libc-l10n).
    const int code = InChild([&] {
        setenv("LANGUAGE", "ru", 1);
        const QString reason = std::setlocale(LC_ALL, "C.UTF-8")
            ? QString::fromUtf8(std::strerror(EISDIR))
            : QString();
        if (reason.toLatin1() == reason.toUtf8())
            return 10; // not translated
        return !f.save("sub") && Message(f) == "Could not save sub: " + reason ? 0 : 11;
    });
    QCOMPARE(code, 0);
}

void TestWrite::foldersBecomeCurrent()
{
    EngineFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir("in"));
    QVERIFY(QDir(f.dir.path()).mkdir("out"));
    QVERIFY(f.put("in/doc.txt", "x\r\n"));
    f.state.OpenFolder = (f.dir.path() + "/in").toStdU16String();
    f.state.OpenFileName = u"doc.txt";
    f.engine.ReadDocument();
    QVERIFY(f.window.messages.empty());
    QCOMPARE(QDir::currentPath(), f.dir.path() + "/in");

    f.state.SaveFolder = (f.dir.path() + "/out").toStdU16String();
    f.state.SaveFileName = u"doc.txt";
    QVERIFY(f.engine.WriteDocument());
    QCOMPARE(QDir::currentPath(), f.dir.path() + "/out");
    QCOMPARE(f.bytesOf("out/doc.txt"), QByteArray("x\r\n"));
    QDir::setCurrent(QDir::tempPath()); // let the scratch folder go
}

QTEST_GUILESS_MAIN(TestWrite)
#include "tst_write.moc"
