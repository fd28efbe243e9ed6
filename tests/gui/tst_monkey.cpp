// A seeded random walk of user actions over every window: clicks, typing, the selector and the
// type lists with the arrow keys, menus opened on the menu bar and chosen with the keys, the
// dialogs on a scratch folder, resizes, closing and re-opening windows, every message box
// answered. After each action the working document must be the document as read or a conversion
// of it with the settings of the last Convert. CELLWRIGHT_MONKEY_SEED and
// CELLWRIGHT_MONKEY_ACTIONS override the seed and the number of actions.
#include "app_driver.h"
#include "frmabout.h"
#include "frmhelp.h"
#include "frmopen.h"
#include "frmprint_table.h"
#include "frmsaveas.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>

using namespace cellwright;
using namespace cellwright::test;

namespace {

QByteArray ThreeTables()
{
    return "Intro\r\nStarA\r\nV\r\nB-V\r\n1\r\n12.3\r\n0.45\r\n2\r\n12.9\r\n0.51\r\n"
           "StarB\r\nX\r\n7\r\n8\r\n  Qty\r\n5\r\nStarB\r\nY\r\n9\r\n10\r\nEnd   \r\n";
}

std::u16string Trimmed(const std::u16string &text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

struct Settings {
    int count = 0;
    std::array<std::u16string, 7> first;
    std::array<int, 7> rows {}, cols {};
};

// The conversion written out plainly: each table in turn, every block found, rows joined by "&"
// and closed by "\\", the rest moved up.
std::vector<std::u16string> Converted(std::vector<std::u16string> lines, const Settings &s)
{
    for (int t = 1; t <= s.count; ++t) {
        const std::size_t R = std::size_t(s.rows[t]), K = std::size_t(s.cols[t]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (Trimmed(lines[i]) != s.first[t])
                continue;
            std::vector<std::u16string> rows;
            for (std::size_t r = 0; r < R; ++r) {
                std::u16string row = lines[i + r * K];
                for (std::size_t c = 1; c < K; ++c)
                    row += u"&" + lines[i + r * K + c];
                rows.push_back(row + u"\\\\");
            }
            lines.erase(
                lines.begin() + std::ptrdiff_t(i), lines.begin() + std::ptrdiff_t(i + R * K));
            lines.insert(lines.begin() + std::ptrdiff_t(i), rows.begin(), rows.end());
        }
    }
    return lines;
}

const QStringList FirstCells { "StarA", "StarB", "Qty", "Intro", "Nowhere", "", " ", "StarA ",
    "End" };
const QStringList Numbers { "1", "2", "3", "2", "1", "0", "-1", "2.5", "0.6", "abc", "12abc", "300",
    "&H2", "1e0", "", "99999" };
const QStringList OpenNames { "paper.txt", "tables.txt", "tables.txt", "empty.txt", "missing.txt",
    "sub/inner.txt", "", "sub" };
const QStringList SaveNames { "out.txt", "out2.txt", "sub/out.txt", "", "sub", "tables.txt" };
const QStringList Patterns { "*.txt", "*.*", "*.dat", "x" };

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }
    void randomWalk();

private:
    std::unique_ptr<GuiFixture> m_gui;
};

void TestMonkey::randomWalk()
{
    const quint32 seed = quint32(qEnvironmentVariableIntValue("CELLWRIGHT_MONKEY_SEED"))
        ? quint32(qEnvironmentVariableIntValue("CELLWRIGHT_MONKEY_SEED"))
        : 20261207u;
    const int actions = qEnvironmentVariableIsSet("CELLWRIGHT_MONKEY_ACTIONS")
        ? qEnvironmentVariableIntValue("CELLWRIGHT_MONKEY_ACTIONS")
        : 5000;
    QRandomGenerator random(seed);
    const auto pick = [&random](int n) { return int(random.bounded(quint32(n))); };
    const auto chance = [&random](int percent) { return int(random.bounded(100u)) < percent; };

    Program p({ { QStringLiteral("paper.txt"), WorkedExample() },
        { QStringLiteral("tables.txt"), ThreeTables() }, { QStringLiteral("empty.txt"), {} } });
    p.folder().mkdir(QStringLiteral("sub/deeper"));
    p.write(QStringLiteral("sub/inner.txt"), ThreeTables());
    const QString root = p.folder().path();
    App &app = p.app();
    frmMain &m = p.main();

    // Forms that may be on screen, for closing and resizing.
    const auto shownForms = [&app]() {
        std::vector<Form *> forms;
        const auto add = [&forms](Form *f) {
            if (f && f->Visible())
                forms.push_back(f);
        };
        add(app.frmOpen.loaded());
        add(app.frmSaveAs.loaded());
        add(app.frmPrint_Table.loaded());
        add(app.frmHelp.loaded());
        add(app.frmAbout.loaded());
        return forms;
    };
    // A visible dialog's controls, open or save.
    struct DialogControls {
        Form *form;
        TextBox *name;
        FileListBox *files;
        DirListBox *folders;
        ComboBox *types;
        CommandButton *ok, *cancel;
    };
    const auto shownDialog = [&]() -> std::optional<DialogControls> {
        std::vector<DialogControls> shown;
        if (frmOpen *d = app.frmOpen.loaded(); d && d->Visible())
            shown.push_back(
                { d, &d->Text1, &d->File1, &d->Dir1, &d->Combo1, &d->Command1, &d->Command2 });
        if (frmSaveAs *d = app.frmSaveAs.loaded(); d && d->Visible())
            shown.push_back(
                { d, &d->Text1, &d->File1, &d->Dir1, &d->Combo1, &d->Command1, &d->Command2 });
        if (shown.empty())
            return std::nullopt;
        return shown[std::size_t(pick(int(shown.size())))];
    };
    const auto arrowKey = [&](ComboBox &combo) {
        combo.widget()->setFocus();
        QTest::keyClick(combo.widget(), chance(50) ? Qt::Key_Up : Qt::Key_Down);
    };

    using Action = std::pair<const char *, std::function<bool()>>;
    const std::vector<std::pair<int, Action>> weighted {
        { 14,
            { "click a button of the main window",
                [&] {
                    std::vector<CommandButton *> buttons { &m.Command1, &m.Command2, &m.Command3,
                        &m.Command5 };
                    for (int k = 0; k < 6; ++k)
                        if (m.Command4[k].Visible())
                            buttons.push_back(&m.Command4[k]);
                    click(*buttons[std::size_t(pick(int(buttons.size())))]);
                    return true;
                } } },
        { 6,
            { "choose the number of tables",
                [&] {
                    arrowKey(m.Combo1);
                    return true;
                } } },
        { 16,
            { "type into a box of the main window",
                [&] {
                    const int k = pick(std::max(1, int(app.state.TableCount)));
                    const int column = pick(3);
                    TextBox &box = column == 0 ? m.Text1[k] : column == 1 ? m.Text2[k] : m.Text3[k];
                    if (!box.Visible())
                        return false;
                    clearByKeyboard(box);
                    typeInto(box,
                        column == 0 ? FirstCells[pick(int(FirstCells.size()))]
                                    : Numbers[pick(int(Numbers.size()))]);
                    return true;
                } } },
        { 4,
            { "choose a menu entry",
                [&] {
                    Menu *entries[][2] = { { &m.myFile, &m.myOpen }, { &m.myFile, &m.mySave },
                        { &m.mHelp, &m.mWhat2Do }, { &m.mHelp, &m.mabout } };
                    Menu **entry = entries[pick(4)];
                    // Opened with the mouse, chosen with the arrow keys and Enter.
                    auto *bar = qobject_cast<QMenuBar *>(entry[0]->menu()->parentWidget());
                    QTest::mouseClick(
                        bar, Qt::LeftButton, {}, bar->actionGeometry(entry[0]->action()).center());
                    QMenu *menu = entry[0]->menu();
                    for (int i = 0; i < 6 && menu->activeAction() != entry[1]->action(); ++i)
                        QTest::keyClick(menu, Qt::Key_Down);
                    QTest::keyClick(menu, Qt::Key_Return);
                    return true;
                } } },
        { 6,
            { "describe a table of the documents",
                [&] {
                    const int k = pick(std::max(1, int(app.state.TableCount)));
                    const char *known[][3] = { { "StarA", "3", "3" }, { "StarB", "2", "2" },
                        { "Qty", "1", "2" }, { "Intro", "1", "1" }, { "End", "1", "1" } };
                    const auto &d = known[pick(5)];
                    p.describe(k + 1, QString::fromLatin1(d[0]), QString::fromLatin1(d[1]),
                        QString::fromLatin1(d[2]));
                    return true;
                } } },
        { 8,
            { "type a name into a dialog",
                [&] {
                    auto d = shownDialog();
                    if (!d)
                        return false;
                    const QStringList &names
                        = d->form == app.frmOpen.loaded() ? OpenNames : SaveNames;
                    clearByKeyboard(*d->name);
                    typeInto(*d->name, names[pick(int(names.size()))]);
                    return true;
                } } },
        { 6,
            { "click or double-click a file",
                [&] {
                    auto d = shownDialog();
                    if (!d || d->files->ListCount() == 0)
                        return false;
                    const int row = pick(d->files->ListCount());
                    if (chance(25))
                        doubleClickItem(*d->files, row);
                    else
                        clickItem(*d->files, row, chance(20) ? Qt::RightButton : Qt::LeftButton);
                    return true;
                } } },
        { 5,
            { "open a folder inside the scratch folder",
                [&] {
                    auto d = shownDialog();
                    if (!d)
                        return false;
                    auto *list = static_cast<QListWidget *>(d->folders->widget());
                    const int ancestors = list->count() - d->folders->ListCount();
                    const int row = pick(list->count());
                    const QString path = d->folders->List(row - ancestors);
                    if (!path.startsWith(root))
                        return false;
                    if (chance(70))
                        doubleClickItem(*d->folders, row);
                    else
                        clickItem(*d->folders, row);
                    return true;
                } } },
        { 3,
            { "choose or type a file type",
                [&] {
                    auto d = shownDialog();
                    if (!d)
                        return false;
                    if (chance(70)) {
                        arrowKey(*d->types);
                    } else {
                        auto *combo = static_cast<QComboBox *>(d->types->widget());
                        combo->lineEdit()->selectAll();
                        typeInto(*d->types, Patterns[pick(int(Patterns.size()))]);
                    }
                    return true;
                } } },
        { 6,
            { "OK or Cancel in a dialog",
                [&] {
                    auto d = shownDialog();
                    if (!d)
                        return false;
                    click(chance(70) ? *d->ok : *d->cancel);
                    return true;
                } } },
        { 3,
            { "close a window with its close box",
                [&] {
                    const auto forms = shownForms();
                    if (forms.empty())
                        return false;
                    closeByCloseBox(*forms[std::size_t(pick(int(forms.size())))]);
                    return true;
                } } },
        { 3,
            { "resize a window",
                [&] {
                    auto forms = shownForms();
                    forms.push_back(&m);
                    Form *f = forms[std::size_t(pick(int(forms.size())))];
                    f->window()->resize(150 + pick(700), 100 + pick(700));
                    return true;
                } } },
        { 1,
            { "let the event loop run",
                [&] {
                    QTest::qWait(5);
                    return true;
                } } },
    };
    int totalWeight = 0;
    for (const auto &w : weighted)
        totalWeight += w.first;

    std::map<QString, std::pair<int, qint64>> stats; // action: count, milliseconds
    int conversions = 0;
    Settings converted;
    bool convertedSinceRead = false;
    std::deque<QString> recent;
    int done = 0;
    for (int attempt = 0; done < actions && attempt < actions * 20; ++attempt) {
        int r = pick(totalWeight);
        const Action *action = nullptr;
        for (const auto &w : weighted) {
            if (r < w.first) {
                action = &w.second;
                break;
            }
            r -= w.first;
        }
        // A menu or list left open is closed with Escape, as a person would.
        for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i)
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        const bool convertBefore = m.Command2.Enabled();
        QElapsedTimer timer;
        timer.start();
        if (!action->second())
            continue;
        ++done;
        auto &stat = stats[action->first];
        ++stat.first;
        stat.second += timer.elapsed();
        recent.push_back(QString::number(done) + QStringLiteral(": ") + action->first);
        if (recent.size() > 25)
            recent.pop_front();
        m_gui->clearMessages();

        const ConversionState &s = app.state;
        if (convertBefore && !m.Command2.Enabled()) {
            convertedSinceRead = true;
            ++conversions;
            converted.count = s.TableCount;
            for (int t = 1; t <= s.TableCount; ++t) {
                converted.first[std::size_t(t)] = s.TableFirstCell[std::size_t(t)];
                converted.rows[std::size_t(t)] = s.TableRows[std::size_t(t)];
                converted.cols[std::size_t(t)] = s.TableCols[std::size_t(t)];
            }
        } else if (m.Command2.Enabled()) {
            convertedSinceRead = false;
        }

        std::vector<std::u16string> source(
            s.SourceLines.begin() + 1, s.SourceLines.begin() + 1 + s.SourceLineCount);
        const std::vector<std::u16string> work(
            s.WorkLines.begin() + 1, s.WorkLines.begin() + 1 + s.WorkLineCount);
        const std::vector<std::u16string> expected
            = convertedSinceRead ? Converted(std::move(source), converted) : source;
        if (work != expected) {
            for (const QString &line : recent)
                qWarning("%s", qPrintable(line));
            QFAIL(qPrintable(QStringLiteral("the working document is neither the document as "
                                            "read nor its conversion after action %1 (seed %2)")
                                 .arg(done)
                                 .arg(seed)));
        }
        if (!m.Visible())
            QFAIL("the main window went away");
    }
    QCOMPARE(done, actions);
    for (const auto &[name, stat] : stats)
        qInfo("%5d x %s (%lld ms)", stat.first, qPrintable(name), stat.second);
    qInfo("%d conversions checked", conversions);
    // A walk that never converts checks little.
    QVERIFY(conversions > 0);

    chooseMenu(m.myFile, m.MyExit);
    QVERIFY(m_gui->toolkit().ended());
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
