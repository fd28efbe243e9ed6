#include "toolkit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace cellwright {

namespace {

Toolkit *s_current = nullptr;

const QString Caption = QStringLiteral("Cellwright");

struct Substitute {
    const char *name;
    QStringList families; // the first one installed wins
};

// The names the forms store, and the Debian fonts closest to them. Liberation keeps the widths
// the forms were laid out for; DejaVu runs about a tenth wider, enough to push the last word of
// a tight label onto a line it has no room for.
const std::vector<Substitute> &substitutes()
{
    static const std::vector<Substitute> table {
        { "MS Sans Serif", { "Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans" } },
        { "MS Serif", { "Liberation Serif", "DejaVu Serif", "Noto Serif", "FreeSerif" } },
        { "Arial", { "Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans" } },
    };
    return table;
}

} // namespace

namespace detail {

bool ProgramEnded() noexcept
{
    return s_current && s_current->ended();
}

void DiscardLater(std::unique_ptr<Form> form)
{
    if (!form)
        return;
    form->window()->hide();
    Toolkit *toolkit = Toolkit::current();
    if (!toolkit) {
        Form *orphan = form.release();
        QTimer::singleShot(0, qApp, [orphan] { delete orphan; });
        return;
    }
    toolkit->m_discarded.push_back(std::move(form));
    if (!toolkit->m_flushQueued) {
        toolkit->m_flushQueued = true;
        QTimer::singleShot(0, &toolkit->m_context, [toolkit] { toolkit->flushDiscarded(); });
    }
}

} // namespace detail

Toolkit::Toolkit()
{
    Q_ASSERT_X(!s_current, "Toolkit", "one Toolkit per program");
    s_current = this;
    for (const Substitute &s : substitutes())
        QFont::insertSubstitutions(QString::fromLatin1(s.name), s.families);
    if (!FontsAvailable())
        std::fputs("Cellwright: no fonts are installed, text will not be readable "
                   "(install fonts-liberation2 or fonts-dejavu-core)\n",
            stderr);
}

Toolkit::~Toolkit()
{
    m_discarded.clear();
    if (s_current == this)
        s_current = nullptr;
}

Toolkit *Toolkit::current() noexcept
{
    return s_current;
}

void Toolkit::setMsgBoxAnswerer(MsgBoxAnswerer answerer)
{
    m_answerer = std::move(answerer);
}

void Toolkit::end()
{
    if (m_ended)
        return;
    m_ended = true;
    // Hidden, not closed: closing would raise Form_Unload.
    for (Form *form : std::vector<Form *>(m_forms))
        form->window()->hide();
    // Leaves the event loop if one runs; Run() returns at once when none runs yet.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

int Toolkit::Run()
{
    if (m_ended)
        return 0;
    return QApplication::exec();
}

void Toolkit::flushDiscarded()
{
    m_flushQueued = false;
    // Moved out first: deleting a form may discard another.
    auto discarded = std::move(m_discarded);
    m_discarded.clear();
}

bool Toolkit::FontsAvailable()
{
    return !QFontDatabase::families().isEmpty();
}

QString Toolkit::SubstituteFamily(const QString &name)
{
    for (const Substitute &s : substitutes()) {
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) != 0)
            continue;
        const QStringList installed = QFontDatabase::families();
        for (const QString &family : s.families)
            if (installed.contains(family, Qt::CaseInsensitive))
                return family;
    }
    return name;
}

QFont Toolkit::MakeFont(const QString &name, float points, bool bold, bool italic)
{
    QFont font(SubstituteFamily(name));
    if (points > 0)
        font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void Toolkit::cacheDrives(const QStringList &roots)
{
    m_cachedDrives = roots;
    QTimer::singleShot(0, &m_context, [this] { m_cachedDrives.reset(); });
}

QString Toolkit::lastFolderOn(const QString &root) const
{
    return m_lastFolders.value(root);
}

void Toolkit::rememberFolder(const QString &root, const QString &folder)
{
    m_lastFolders.insert(root, folder);
}

void MsgBox(const QString &text)
{
    Toolkit *toolkit = Toolkit::current();
    if (toolkit && toolkit->ended())
        return;
    if (toolkit && toolkit->msgBoxAnswerer()) {
        // A copy: the answerer may replace itself.
        const MsgBoxAnswerer answer = toolkit->msgBoxAnswerer();
        answer(text);
        return;
    }
    QMessageBox box(
        QMessageBox::NoIcon, Caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void MsgBox(std::u16string_view text)
{
    MsgBox(QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size())));
}

void End()
{
    if (Toolkit *toolkit = Toolkit::current())
        toolkit->end();
    else
        QCoreApplication::exit(0);
}

} // namespace cellwright
