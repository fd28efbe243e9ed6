#include "app_driver.h"

#include "frmopen.h"
#include "frmprint_table.h"
#include "frmsaveas.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTest>

namespace cellwright::test {

QByteArray WorkedExample()
{
    return "Results\r\n\r\nStarA\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n12.9\r\n0."
           "51\r\n\r\nEnd\r\n";
}

QByteArray WorkedExampleConverted()
{
    return "Results\r\n\r\nStarA&V&B-V\\\\\r\n1&12.3&0.45\\\\\r\n2&12.9&0.51\\\\\r\n\r\nEnd\r\n";
}

Program::Program(const QList<QPair<QString, QByteArray>> &files)
    : m_previousFolder(QDir::currentPath())
{
    for (const auto &[name, bytes] : files)
        write(name, bytes);
    QDir::setCurrent(m_folder.path());
    m_app = std::make_unique<App>();
    m_app->Start();
    if (!QTest::qWaitForWindowExposed(main().window()))
        qWarning("the main window did not appear");
}

Program::~Program()
{
    m_app.reset();
    QDir::setCurrent(m_previousFolder);
}

QString SaveScreen(Form &main, Form &beside, const QString &name)
{
    waitForFrame(main);
    waitForFrame(beside);
    // Both on the screen: the first at the top-left corner.
    main.window()->move(16, 16);
    QTest::qWait(300);
    const QRect outer = main.window()->frameGeometry();
    beside.window()->move(outer.right() + 12, outer.top() + beside.Frame().top());
    // The window manager redraws the moved frame.
    QTest::qWait(800);
    const QRect both = outer.united(beside.window()->frameGeometry()).adjusted(-8, -8, 8, 8);
    QString folder = qEnvironmentVariable("CELLWRIGHT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QDir::currentPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    const QPixmap shot
        = main.window()->screen()->grabWindow(0, both.x(), both.y(), both.width(), both.height());
    return shot.save(file, "PNG") ? file : QString();
}

QString Program::path(const QString &name) const
{
    return QDir(m_folder.path()).filePath(name);
}

void Program::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(name));
}

QByteArray Program::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Program::open(const QString &name)
{
    click(main().Command1);
    frmOpen &dialog = *m_app->frmOpen;
    clearByKeyboard(dialog.Text1);
    typeInto(dialog.Text1, name);
    click(dialog.Command1);
}

bool Program::openByList(const QString &name)
{
    click(main().Command1);
    frmOpen &dialog = *m_app->frmOpen;
    const int row = rowOf(dialog.File1, name);
    if (row < 0)
        return false;
    clickItem(dialog.File1, row);
    click(dialog.Command1);
    return true;
}

void Program::save(const QString &name, bool byMenu)
{
    if (byMenu)
        chooseMenu(main().myFile, main().mySave);
    else
        click(main().Command3);
    frmSaveAs &dialog = *m_app->frmSaveAs;
    clearByKeyboard(dialog.Text1);
    typeInto(dialog.Text1, name);
    click(dialog.Command1);
}

void Program::chooseTables(int count)
{
    chooseEntry(main().Combo1, count - 1);
}

void Program::describe(int t, const QString &firstCell, const QString &rows, const QString &cols)
{
    const int k = t - 1;
    clearByKeyboard(main().Text1[k]);
    typeInto(main().Text1[k], firstCell);
    clearByKeyboard(main().Text2[k]);
    typeInto(main().Text2[k], rows);
    clearByKeyboard(main().Text3[k]);
    typeInto(main().Text3[k], cols);
}

void Program::convert()
{
    click(main().Command2);
}

void Program::reset()
{
    click(main().Command5);
}

void Program::view(int t)
{
    click(main().Command4[t - 1]);
}

QString Program::stateLine()
{
    frmMain &m = main();
    const auto mark = [](const Control &c) { return QLatin1Char(c.Enabled() ? '+' : '-'); };
    QString views;
    int rows = 0;
    for (int k = 0; k < 6; ++k) {
        views += m.Command4[k].Enabled() ? u'1' : u'0';
        const bool shown = m.Label4[k].Visible() && m.Text1[k].Visible() && m.Text2[k].Visible()
            && m.Text3[k].Visible() && m.Command4[k].Visible();
        const bool hidden = !m.Label4[k].Visible() && !m.Text1[k].Visible() && !m.Text2[k].Visible()
            && !m.Text3[k].Visible() && !m.Command4[k].Visible();
        if (shown && rows == k)
            ++rows;
        else if (!hidden || shown)
            return QStringLiteral("row %1 is partly shown or out of order").arg(k + 1);
    }
    return QStringLiteral("Convert%1 Save%2 Reset%3 View:%4 Rows:%5 Title:%6")
        .arg(mark(m.Command2))
        .arg(mark(m.Command3))
        .arg(mark(m.Command5))
        .arg(views)
        .arg(rows)
        .arg(m.Caption());
}

} // namespace cellwright::test
