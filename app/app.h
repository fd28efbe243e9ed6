// The application object: everything that lives for the whole run, created once in main.
//
//   ConversionState   the document and the table settings, shared by every window and the engine
//   HelpParagraphs    the help window's paragraph table, which outlives the window
//   Read_Textfile     what the buttons and dialogs run: the engine's answers shown the window's
//                     way, through frmMainLink
//   FormInstance<..>  one holder per form, each form created on first use
//
// The main window's buttons and menus run the engine and show the other forms through this
// object; the dialogs get the state and what their OK runs when they are created.
#pragma once

#include "conversion_state.h"
#include "frmmain_link.h"
#include "help_paragraphs.h"
#include "read_textfile.h"
#include "toolkit.h"

#include <QString>
#include <QStringList>

namespace cellwright {

class frmMain;
class frmPrint_Table;
class frmOpen;
class frmSaveAs;
class frmHelp;
class frmAbout;
class frmFind_Tables;

class App {
public:
    // Needs the Toolkit to exist already; creates no form yet.
    App();
    App(const App &) = delete;
    App &operator=(const App &) = delete;
    ~App();

    // Creates and loads the main window (its load sets up the dialogs, hidden) and shows it.
    void Start();

    // Reads a document named by a path, as if its folder and name had been chosen in the open
    // dialog and OK pressed: the command line's FILE and a file dropped onto the main window.
    void OpenDocument(const QString &path);

    ConversionState state;
    HelpParagraphs helpParagraphs;

private:
    frmMainLink mainLink { *this };

public:
    Read_Textfile engine { state, mainLink };

    FormInstance<class frmMain> frmMain;
    FormInstance<class frmPrint_Table> frmPrint_Table;
    FormInstance<class frmOpen> frmOpen;
    FormInstance<class frmSaveAs> frmSaveAs;
    FormInstance<class frmHelp> frmHelp;
    FormInstance<class frmAbout> frmAbout;
    FormInstance<class frmFind_Tables> frmFind_Tables;
};

// What the program was asked for at start-up: to show its help or version, or to run with a
// document path (empty for none); or the message explaining why the arguments are refused.
struct StartArguments {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QString document;
    QString error;
    QString platform; // the window system named by -platform, or empty
};

// Reads the arguments, the program's name first: at most one document, -h/--help, --version,
// and the options of Qt itself (-platform NAME, -style NAME, ...), which are passed over.
StartArguments ParseStartArguments(const QStringList &arguments);

// Why no window can be shown, in a few words, or empty: neither an X nor a Wayland display is
// named in the environment, and the window system (platform, else QT_QPA_PLATFORM) is not one
// that needs none, such as offscreen. Without the check, Qt aborts the program.
QString NoDisplayReason(const QString &platform);

// The whole program once QApplication exists: names it, creates the toolkit and the application
// object, starts the main window (reading the document, if one is given) and runs until the
// program ends.
int RunCellwright(const QString &document = {});

} // namespace cellwright
