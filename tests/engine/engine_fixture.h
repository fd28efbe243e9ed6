// One engine over a scratch folder, with helpers to put files there and read them back.
#pragma once

#include "fake_main_window.h"
#include "read_textfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>
#include <string>
#include <vector>

namespace cellwright {

struct EngineFixture {
    QTemporaryDir dir;
    ConversionState state;
    FakeMainWindow window;
    Read_Textfile engine { state, window };

    EngineFixture() = default;
    explicit EngineFixture(ConversionState::GrowingLineStores stores)
        : state(stores)
    {
    }

    std::u16string folder() const { return dir.path().toStdU16String(); }
    QString path(const QString &name) const { return dir.filePath(name); }

    bool put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QByteArray bytesOf(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    // Writes the bytes as NAME in the scratch folder and reads them as the open dialog would.
    void read(const QByteArray &bytes, const QString &name = "paper.txt")
    {
        put(name, bytes);
        state.OpenFolder = folder();
        state.OpenFileName = name.toStdU16String();
        engine.ReadDocument();
    }

    // Captures the boxes as they stand and converts, the way "Convert" does.
    void convert()
    {
        engine.CaptureTableSettings();
        engine.ConvertTables();
    }

    bool save(const QString &name = "out.txt")
    {
        state.SaveFolder = folder();
        state.SaveFileName = name.toStdU16String();
        return engine.WriteDocument();
    }

    // Lines 1..WorkLineCount of the working document.
    std::vector<std::u16string> work() const
    {
        return { state.WorkLines.begin() + 1, state.WorkLines.begin() + 1 + state.WorkLineCount };
    }
};

// Lines as UTF-16 from ASCII/UTF-8 literals, for comparisons.
inline std::vector<std::u16string> Lines(std::initializer_list<const char *> lines)
{
    std::vector<std::u16string> out;
    for (const char *line : lines)
        out.push_back(QString::fromUtf8(line).toStdU16String());
    return out;
}

// Joins lines with CR LF after each one, as a document file.
inline QByteArray Document(std::initializer_list<const char *> lines)
{
    QByteArray bytes;
    for (const char *line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

} // namespace cellwright

// Readable QCOMPARE failures for the engine's strings and line lists.
namespace QTest {
template <> inline char *toString(const std::u16string &text)
{
    return toString(QString::fromStdU16String(text));
}
template <> inline char *toString(const std::vector<std::u16string> &lines)
{
    QStringList list;
    for (const auto &line : lines)
        list << QString::fromStdU16String(line);
    return toString(list.join(QStringLiteral(" | ")));
}
} // namespace QTest
