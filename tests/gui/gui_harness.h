// The GUI test harness: what a window test needs besides Qt Test.
//
// Each test function gets a fresh Toolkit with message boxes answered by a recorder (GuiFixture),
// drives real widgets with real input events (click, typeInto, chooseEntry, clickItem,
// doubleClickItem, rightPressItem, chooseMenu), and can save a screenshot of a form.
//
//   class tst_frmOpen : public QObject {
//       Q_OBJECT
//       std::unique_ptr<GuiFixture> gui;
//   private slots:
//       void init() { gui = std::make_unique<GuiFixture>(); }
//       void cleanup() { gui.reset(); }
//       void okReportsMissingFile() {
//           ...; click(form->Command1);
//           QCOMPARE(gui->messages(), QStringList { "Read error of some kind" });
//       }
//   };
#pragma once

#include "toolkit.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QListWidget;
class QComboBox;

namespace cellwright::test {

// A Toolkit for one test, with a recorder that answers every message box at once.
class GuiFixture {
public:
    GuiFixture();
    GuiFixture(const GuiFixture &) = delete;
    GuiFixture &operator=(const GuiFixture &) = delete;
    ~GuiFixture();

    Toolkit &toolkit() noexcept { return *m_toolkit; }
    // Texts of the message boxes shown so far, in order.
    const QStringList &messages() const noexcept { return *m_messages; }
    void clearMessages() { m_messages->clear(); }

private:
    std::unique_ptr<Toolkit> m_toolkit;
    std::shared_ptr<QStringList> m_messages;
};

// Shows the form and waits until it is on screen (and, under a window manager, framed).
[[nodiscard]] bool showAndWait(Form &form);
// Waits until the window manager has put its frame around a shown form; false without one. The
// frame comes in a few milliseconds, but tens of seconds late on a machine running both builds'
// tests at once; the wait costs nothing when it comes.
bool waitForFrame(Form &form, int timeoutMs = 30000);
// True when the platform draws real window frames (an X server with a window manager).
bool platformHasWindowManager();

// A left click in the middle of a button, as the user does it.
void click(CommandButton &button);
// Focuses the box and types text at the end of what it holds.
void typeInto(TextBox &box, const QString &text);
void typeInto(ComboBox &box, const QString &text);
// Selects all text in the box and deletes it with the keyboard.
void clearByKeyboard(TextBox &box);
// Opens the drop-down list and clicks entry index.
void chooseEntry(ComboBox &box, int index);
void chooseEntry(DriveListBox &box, int index);
// Opens the title's menu from the menu bar and clicks the entry.
void chooseMenu(Menu &title, Menu &entry);

// Mouse on a list row (scrolled into view first): click, double-click (press, release, double
// click, release, as a real double-click arrives), right-button press and release.
void clickItem(FileListBox &list, int row, Qt::MouseButton button = Qt::LeftButton,
    Qt::KeyboardModifiers modifiers = {});
void clickItem(DirListBox &list, int row);
void doubleClickItem(FileListBox &list, int row);
void doubleClickItem(DirListBox &list, int row);
void rightPressItem(FileListBox &list, int row);
// Mouse on a ListBox row: a click on its text, and a click on its check box.
void clickItem(ListBox &list, int row);
void tickItem(ListBox &list, int row);
// The row of a shown name, -1 when not shown.
int rowOf(const FileListBox &list, const QString &name);
int rowOf(const DirListBox &list, const QString &name);
// The names shown in the list's rows, top to bottom.
QStringList shownRows(const FileListBox &list);
QStringList shownRows(const DirListBox &list);

// Closes the form as its close box does.
void closeByCloseBox(Form &form);

// Saves a picture of the form (menu bar and client area) as NAME.png in the screenshot folder
// (CELLWRIGHT_SCREENSHOT_DIR in the environment, else the build's tests/gui/screenshots).
// Returns the file's path, "" on failure.
QString saveScreenshot(Form &form, const QString &name);

// A scratch folder with helpers to fill it.
class ScratchFolder {
public:
    ScratchFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return QDir::cleanPath(m_dir.path()); }
    // Creates an empty file (and any folders on the way); returns its full path.
    QString touch(const QString &relativePath) const;
    // Creates a folder (and any on the way); returns its full path.
    QString mkdir(const QString &relativePath) const;

private:
    QTemporaryDir m_dir;
};

} // namespace cellwright::test
