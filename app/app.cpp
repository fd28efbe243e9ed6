#include "app.h"

#include "file_dialogs.h"
#include "frmabout.h"
#include "frmfind_tables.h"
#include "frmhelp.h"
#include "frmmain.h"
#include "frmopen.h"
#include "frmprint_table.h"
#include "frmsaveas.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace cellwright {

App::App()
    : frmMain([this] { return std::make_unique<class frmMain>(*this); })
    , frmPrint_Table([this] { return std::make_unique<class frmPrint_Table>(state); })
    , frmOpen([this] {
        return std::make_unique<class frmOpen>(state, [this] { engine.ReadDocument(); });
    })
    , frmSaveAs([this] {
        return std::make_unique<class frmSaveAs>(state, [this] { return engine.WriteDocument(); });
    })
    , frmHelp([this] { return std::make_unique<class frmHelp>(helpParagraphs); })
    , frmFind_Tables([this] { return std::make_unique<class frmFind_Tables>(*this); })
{
}

App::~App() = default;

void App::Start()
{
    frmMain->Show();
}

void App::OpenDocument(const QString &path)
{
    const QFileInfo file(path);
    state.OpenFolder = file.absolutePath().toStdU16String();
    state.OpenFileName = file.fileName().toStdU16String();
    engine.ReadDocument();
}

class frmMain &frmMainLink::form() const
{
    return app.frmMain.get();
}

namespace {
std::u16string FromQString(const QString &text)
{
    return text.toStdU16String();
}
} // namespace

int frmMainLink::Combo1_ListIndex() const
{
    return form().Combo1.ListIndex();
}

std::u16string frmMainLink::Text1(int k) const
{
    return FromQString(form().Text1[k].Text());
}

std::u16string frmMainLink::Text2(int k) const
{
    return FromQString(form().Text2[k].Text());
}

std::u16string frmMainLink::Text3(int k) const
{
    return FromQString(form().Text3[k].Text());
}

int frmMainLink::UsedLine(int k) const
{
    return form().UsedLine.at(std::size_t(k));
}

void frmMainLink::SetCaption(const std::u16string &caption)
{
    form().setCaption(QString::fromStdU16String(caption));
    // The window is named after a document only once one has been read: there is something to
    // look in now, and the lines "Use" filled rows from belong to the document before.
    form().mFindTables.setEnabled(true);
    form().UsedLine.fill(0);
}

void frmMainLink::SetCommand2Enabled(bool enabled)
{
    form().Command2.setEnabled(enabled);
}

void frmMainLink::SetCommand3Enabled(bool enabled)
{
    form().Command3.setEnabled(enabled);
}

void frmMainLink::SetCommand5Enabled(bool enabled)
{
    form().Command5.setEnabled(enabled);
}

void frmMainLink::SetCommand4Enabled(int k, bool enabled)
{
    form().Command4[k].setEnabled(enabled);
}

void frmMainLink::MsgBox(const std::u16string &text)
{
    cellwright::MsgBox(std::u16string_view(text));
}

StartArguments ParseStartArguments(const QStringList &arguments)
{
    // Qt's own options, which QApplication takes out of the arguments; read here before it
    // exists, they are passed over, those with a value together with it.
    static const QStringList qtOptionsWithValue { "platform", "platformpluginpath", "platformtheme",
        "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle", "display", "style",
        "stylesheet", "session", "geometry", "title", "name" };
    static const QStringList qtFlags { "reverse", "widgetcount", "nograb", "dograb", "sync" };
    StartArguments start;
    QStringList given;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"-h" || argument == u"--help" || argument == u"--version") {
            start.action = argument == u"--version" ? StartArguments::Action::Version
                                                    : StartArguments::Action::Help;
            return start;
        }
        QString option = argument;
        option.remove(QRegularExpression(QStringLiteral("^--?")));
        if (argument.startsWith(u'-') && qtFlags.contains(option))
            continue;
        if (argument.startsWith(u'-') && qtOptionsWithValue.contains(option)
            && i + 1 < arguments.size()) {
            if (option == u"platform")
                start.platform = arguments[i + 1];
            ++i;
            continue;
        }
        given << argument;
    }
    for (const QString &argument : std::as_const(given)) {
        if (argument.startsWith(u'-')) {
            start.error = QStringLiteral("unknown option '%1'").arg(argument);
            return start;
        }
    }
    if (given.size() > 1) {
        start.error = QStringLiteral("one document at most, %1 given").arg(given.size());
        return start;
    }
    start.document = given.value(0);
    return start;
}

QString NoDisplayReason(const QString &platform)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    // QT_QPA_PLATFORM may list several, "wayland;xcb", each with its own settings after ":".
    const QString chosen = platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platform;
    static const QStringList displayless { "offscreen", "minimal", "vnc", "linuxfb", "eglfs",
        "minimalegl", "vkkhrdisplay" };
    for (const QString &alternative : chosen.split(u';')) {
        if (displayless.contains(alternative.section(u':', 0, 0)))
            return {};
    }
    return QStringLiteral("no display to show the window on (neither DISPLAY nor "
                          "WAYLAND_DISPLAY is set); cellwright-convert converts without one");
}

int RunCellwright(const QString &document)
{
    QApplication::setApplicationName(QStringLiteral("Cellwright"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cellwright.Cellwright"));

    Toolkit toolkit;
    App app;
    app.Start();
    if (!document.isEmpty())
        app.OpenDocument(document);
    return toolkit.Run();
}

} // namespace cellwright
