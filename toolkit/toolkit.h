// The form toolkit: what every window of Cellwright is written against, a thin layer over Qt
// Widgets. Include this one header.
//
//   Form            one window: outer Width/Height in twips, Form_Load / Form_Resize / Form_Unload,
//                   Show / Hide, Print, menus, tab order               form.h
//   FormInstance<T> the form's one instance, created and loaded on first use, re-created after
//                   the close box discarded it                         forminstance.h
//   Label, TextBox, ComboBox, CommandButton, Menu                      label.h ... menu.h
//   ListBox (plain or with check boxes), Grid (read-only text cells)   listbox.h, grid.h
//   DriveListBox, DirListBox, FileListBox                              drivelistbox.h ...
//   ControlArray<T> members indexed from 0; events carry the index     controlarray.h
//   Toolkit         created once in main after QApplication: message box seam, program end,
//                   font substitutes                                   this file
//
// Events are raised synchronously by the assignment or user action that causes them, so a
// handler that sets ListIndex, Path or Width runs the resulting handler nested, before the
// assignment returns. After End() no handler runs any more.
//
// A form, as the windows are written:
//
//   class frmDemo : public Form {
//   public:
//       explicit frmDemo(App &app) : app(app)
//       {
//           setCaption("Demo");
//           setClientSize(4800, 2400);                       // twips, the design client area
//           setBackColor(Rgb(192, 192, 255));
//           Label1.Move(120, 120, 3000, 255);
//           Label1.setCaption("Pick one:");
//           Combo1.Move(120, 480, 1500, 315);
//           Command1.Move(3240, 1800, 1335, 375);
//           Command1.setCaption("OK");
//           Command1.setAccessibleName("OK");
//           for (int k = 0; k < Text1.Count(); ++k)
//               Text1[k].Move(120, 960 + 360 * k, 1500, 285);
//           Command1.Click = [this] { Command1_Click(); };
//           Combo1.Click = [this] { Combo1_Click(); };
//           Text1.on(&TextBox::Change, [this](int Index) { Text1_Change(Index); });
//           myOpen.Click = [this] { app.frmOpen->Show(); };  // touching frmOpen creates it
//       }
//       void Form_Load() override { Combo1.setList(0, "1"); Combo1.setList(1, "2");
//                                   Combo1.setListIndex(0); }   // runs Combo1_Click at once
//       void Form_Resize() override { Command1.setLeft(Width() - 1800); }
//   private:
//       void Command1_Click() { MsgBox("Done"); Hide(); }
//       void Combo1_Click() { Label1.setCaption(Combo1.Text()); }
//       void Text1_Change(int Index) { Label1.setCaption(Text1[Index].Text()); }
//       App &app;
//       Menu myFile { *this, "File" };
//       Menu myOpen { myFile, "Open ..." };
//       Menu myDash1 { myFile, "-" };                          // separator
//       Label Label1 { *this };
//       ComboBox Combo1 { *this, ComboStyle::DropDownList };
//       CommandButton Command1 { *this };
//       ControlArray<TextBox> Text1 { *this, 3 };              // Text1[0] .. Text1[2]
//   };
//
//   // In the application object, created in main after QApplication and Toolkit. Write
//   // "class frmDemo" where the holder has the form's own name, so the name still means the class:
//   FormInstance<class frmDemo> frmDemo { [this] {
//       return std::make_unique<class frmDemo>(*this); } };
//   // ... and anywhere: app.frmDemo->Show(); app.frmDemo->Combo1.setListIndex(0);
//
// Folder and file lists report a folder that cannot be read through their PathError event
// (folder, reason) and keep what they showed; setPath also returns false then. Tests answer
// message boxes through Toolkit::setMsgBoxAnswerer (see tests/gui/gui_harness.h).
#pragma once

#include "color.h"
#include "combobox.h"
#include "commandbutton.h"
#include "control.h"
#include "controlarray.h"
#include "dirlistbox.h"
#include "drivelistbox.h"
#include "event.h"
#include "filelistbox.h"
#include "form.h"
#include "forminstance.h"
#include "grid.h"
#include "label.h"
#include "listbox.h"
#include "menu.h"
#include "textbox.h"
#include "twips.h"

#include <QFont>
#include <QHash>
#include <QMargins>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace cellwright {

// Answers a message box instead of the user: gets its text, returns at once.
using MsgBoxAnswerer = std::function<void(const QString &text)>;

// The toolkit's program-wide part. main creates exactly one, after QApplication and before any
// form; it lives until every form is gone.
class Toolkit {
public:
    Toolkit();
    Toolkit(const Toolkit &) = delete;
    Toolkit &operator=(const Toolkit &) = delete;
    ~Toolkit();

    // The one Toolkit, or null before it is created.
    static Toolkit *current() noexcept;

    // Installs a seam that answers every message box (tests); an empty one restores the real box.
    void setMsgBoxAnswerer(MsgBoxAnswerer answerer);
    const MsgBoxAnswerer &msgBoxAnswerer() const noexcept { return m_answerer; }

    // True once End() ran.
    bool ended() const noexcept { return m_ended; }
    // Ends the program: hides every window at once, runs no further handler, leaves the event loop.
    void end();
    // Runs the event loop until the program ends; returns at once when it has ended already.
    int Run();

    // Whether any font is installed; without one, text renders as empty boxes.
    static bool FontsAvailable();
    // The installed family a stored font name maps to ("MS Sans Serif" -> "DejaVu Sans").
    static QString SubstituteFamily(const QString &name);
    // A font by stored name (substituted), size in points and weight.
    static QFont MakeFont(
        const QString &name, float points, bool bold = false, bool italic = false);

    // Replaces the mounted file systems that drive lists offer (tests); empty restores them.
    void setDriveList(const QStringList &roots) { m_driveList = roots; }
    const QStringList &driveList() const noexcept { return m_driveList; }

    // The mounted file systems as last read, kept until control returns to the event loop: one
    // change of folder asks for them several times, and reading them queries every mount.
    const std::optional<QStringList> &cachedDrives() const noexcept { return m_cachedDrives; }
    void cacheDrives(const QStringList &roots);

    // The folder last shown on the file system mounted at root ("" when none yet).
    QString lastFolderOn(const QString &root) const;
    void rememberFolder(const QString &root, const QString &folder);

private:
    friend class Form;
    friend void detail::DiscardLater(std::unique_ptr<Form> form);

    void flushDiscarded();

    std::vector<Form *> m_forms; // every form that exists
    QHash<int, QMargins> m_frames; // frame the platform reported, by border kind
    std::vector<std::unique_ptr<Form>> m_discarded; // closed forms awaiting deletion
    QHash<QString, QString> m_lastFolders;
    QStringList m_driveList;
    std::optional<QStringList> m_cachedDrives;
    MsgBoxAnswerer m_answerer;
    bool m_ended = false;
    bool m_flushQueued = false;
    QObject m_context; // cancels queued work when the toolkit goes
};

// The program's message box: modal, the text, an OK button only, no icon, caption "Cellwright".
// Returns when it is dismissed (at once when an answerer is installed, or after End()).
void MsgBox(const QString &text);
void MsgBox(std::u16string_view text);

// Ends the program at once (see Toolkit::end).
void End();

} // namespace cellwright
