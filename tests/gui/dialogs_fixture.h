// What the file dialog tests share: the program's side of the dialogs (conversion state, a main
// window that records, the engine, the two form instances), a scratch folder made the process's
// current folder for the test, and small file helpers.
#pragma once

#include "fake_main_window.h"
#include "file_dialogs.h"
#include "frmopen.h"
#include "frmsaveas.h"
#include "gui_harness.h"
#include "read_textfile.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <memory>

namespace cellwright::test {

// The dialogs as the application object holds them.
struct DialogsApp {
    ConversionState state;
    FakeMainWindow window;
    Read_Textfile engine { state, window };
    FormInstance<class frmOpen> frmOpen { [this] {
        return std::make_unique<class frmOpen>(state, [this] { engine.ReadDocument(); });
    } };
    FormInstance<class frmSaveAs> frmSaveAs { [this] {
        return std::make_unique<class frmSaveAs>(state, [this] { return engine.WriteDocument(); });
    } };

    // The main window's start-up: both dialogs loaded hidden and set up.
    void startUp()
    {
        SetUpFileDialog(*frmOpen, true);
        SetUpFileDialog(*frmSaveAs);
    }
    // Messages the engine showed, as QStrings.
    QStringList engineMessages() const
    {
        QStringList texts;
        for (const std::u16string &text : window.messages)
            texts.append(QString::fromStdU16String(text));
        return texts;
    }
};

// Makes a scratch folder the process's current folder while it exists.
class CurrentScratch {
public:
    CurrentScratch()
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(scratch.path());
    }
    CurrentScratch(const CurrentScratch &) = delete;
    CurrentScratch &operator=(const CurrentScratch &) = delete;
    ~CurrentScratch() { QDir::setCurrent(m_previous); }

    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? scratch.path() : QDir(scratch.path()).filePath(relative);
    }
    // Creates a file with these bytes (and any folders on the way); returns its full path.
    QString write(const QString &relative, const QByteArray &bytes) const
    {
        const QString file = scratch.touch(relative);
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qWarning("cannot write %s", qPrintable(file));
        return file;
    }

    ScratchFolder scratch;

private:
    QString m_previous;
};

inline QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace cellwright::test
