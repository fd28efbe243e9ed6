#include "gui_harness.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleHints>
#include <QTest>

namespace cellwright::test {

namespace {

QListWidget *listOf(const Control &control)
{
    return static_cast<QListWidget *>(control.widget());
}

QPoint rowCentre(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    Q_ASSERT_X(item, "rowCentre", "no such row");
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
}

void chooseInCombo(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        qWarning("the drop-down list did not open");
    const QModelIndex entry = view->model()->index(index, combo->modelColumn());
    view->scrollTo(entry);
    // A release too soon after the list opened is taken as the end of the opening press.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 10);
    // A popup narrower than its longest entry: aim inside the part of the row that shows.
    const QRect row = view->visualRect(entry).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
}

} // namespace

GuiFixture::GuiFixture()
    : m_toolkit(std::make_unique<Toolkit>())
    , m_messages(std::make_shared<QStringList>())
{
    m_toolkit->setMsgBoxAnswerer(
        [messages = m_messages](const QString &text) { messages->append(text); });
}

GuiFixture::~GuiFixture()
{
    // Closed forms are deleted from the event loop; let that happen while the toolkit exists.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_toolkit.reset();
}

bool platformHasWindowManager()
{
    // with-xvfb starts openbox with the X server; the offscreen platform has no window manager.
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool waitForFrame(Form &form, int timeoutMs)
{
    QWidget *window = form.window();
    return QTest::qWaitFor(
        [window] { return window->frameGeometry() != window->geometry(); }, timeoutMs);
}

bool showAndWait(Form &form)
{
    form.Show();
    if (!QTest::qWaitForWindowExposed(form.window()))
        return false;
    if (platformHasWindowManager())
        waitForFrame(form);
    return true;
}

void click(CommandButton &button)
{
    QTest::mouseClick(button.widget(), Qt::LeftButton);
}

void typeInto(TextBox &box, const QString &text)
{
    auto *edit = static_cast<QLineEdit *>(box.widget());
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, text);
}

void typeInto(ComboBox &box, const QString &text)
{
    auto *combo = static_cast<QComboBox *>(box.widget());
    Q_ASSERT_X(combo->lineEdit(), "typeInto", "a drop-down list has no field to type into");
    combo->lineEdit()->setFocus();
    combo->lineEdit()->end(false);
    QTest::keyClicks(combo->lineEdit(), text);
}

void clearByKeyboard(TextBox &box)
{
    auto *edit = static_cast<QLineEdit *>(box.widget());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
}

void chooseEntry(ComboBox &box, int index)
{
    chooseInCombo(static_cast<QComboBox *>(box.widget()), index);
}

void chooseEntry(DriveListBox &box, int index)
{
    chooseInCombo(static_cast<QComboBox *>(box.widget()), index);
}

void chooseMenu(Menu &title, Menu &entry)
{
    auto *bar = qobject_cast<QMenuBar *>(title.menu()->parentWidget());
    Q_ASSERT_X(bar, "chooseMenu", "not a title on a menu bar");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title.action()).center());
    QMenu *menu = title.menu();
    if (!QTest::qWaitForWindowExposed(menu))
        qWarning("the menu did not open");
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry.action()).center());
}

void clickItem(FileListBox &list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QListWidget *w = listOf(list);
    QTest::mouseClick(w->viewport(), button, modifiers, rowCentre(w, row));
}

void clickItem(DirListBox &list, int row)
{
    QListWidget *w = listOf(list);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, rowCentre(w, row));
}

namespace {
void doubleClickRow(QListWidget *w, int row)
{
    const QPoint at = rowCentre(w, row);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(w->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w->viewport(), Qt::LeftButton, {}, at);
    // The double-click may have hidden or replaced the list (a dialog's OK).
    if (w->isVisible())
        QTest::mouseRelease(w->viewport(), Qt::LeftButton, {}, at);
}
} // namespace

void doubleClickItem(FileListBox &list, int row)
{
    doubleClickRow(listOf(list), row);
}

void doubleClickItem(DirListBox &list, int row)
{
    doubleClickRow(listOf(list), row);
}

void rightPressItem(FileListBox &list, int row)
{
    QListWidget *w = listOf(list);
    const QPoint at = rowCentre(w, row);
    QTest::mousePress(w->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(w->viewport(), Qt::RightButton, {}, at);
}

void clickItem(ListBox &list, int row)
{
    QListWidget *w = listOf(list);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, rowCentre(w, row));
}

void tickItem(ListBox &list, int row)
{
    QListWidget *w = listOf(list);
    const QPoint centre = rowCentre(w, row);
    const QRect item = w->visualItemRect(w->item(row));
    // The check box leads the row, after the style's focus margin.
    const int margin = w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
    const int box = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
    QTest::mouseClick(
        w->viewport(), Qt::LeftButton, {}, QPoint(item.left() + margin + box / 2, centre.y()));
}

namespace {
QStringList rowsOf(const QListWidget *w)
{
    QStringList rows;
    for (int i = 0; i < w->count(); ++i)
        rows.append(w->item(i)->text());
    return rows;
}
} // namespace

int rowOf(const FileListBox &list, const QString &name)
{
    return int(rowsOf(listOf(list)).indexOf(name));
}

int rowOf(const DirListBox &list, const QString &name)
{
    return int(rowsOf(listOf(list)).indexOf(name));
}

QStringList shownRows(const FileListBox &list)
{
    return rowsOf(listOf(list));
}

QStringList shownRows(const DirListBox &list)
{
    return rowsOf(listOf(list));
}

void closeByCloseBox(Form &form)
{
    form.window()->close();
}

QString saveScreenshot(Form &form, const QString &name)
{
    QString folder = qEnvironmentVariable("CELLWRIGHT_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(CELLWRIGHT_SCREENSHOT_DIR);
    if (!QDir().mkpath(folder))
        return QString();
    const QString file = QDir(folder).filePath(name + QLatin1String(".png"));
    return form.window()->grab().save(file, "PNG") ? file : QString();
}

ScratchFolder::ScratchFolder() = default;

QString ScratchFolder::touch(const QString &relativePath) const
{
    const QString file = QDir(path()).filePath(relativePath);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        qWarning("cannot create %s", qPrintable(file));
    return file;
}

QString ScratchFolder::mkdir(const QString &relativePath) const
{
    const QString folder = QDir(path()).filePath(relativePath);
    QDir().mkpath(folder);
    return folder;
}

} // namespace cellwright::test
