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
    const QStringList given = arguments.mid(1);
    for (const QString &argument : given) {
        if (argument.startsWith(u'-'))
            return { {}, QStringLiteral("unknown option '%1'").arg(argument) };
    }
    if (given.size() > 1)
        return { {}, QStringLiteral("one document at most, %1 given").arg(given.size()) };
    return { given.value(0), {} };
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
