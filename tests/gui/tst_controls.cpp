// Controls: combo box list and ListIndex (Click raised by the assignment, also for the same
// index), text box Change, buttons, menus, labels, and control arrays whose events carry the index.
#include "gui_harness.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <ranges>

using namespace cellwright;
using namespace cellwright::test;

namespace {

class ControlsForm : public Form {
public:
    ControlsForm()
    {
        setCaption("Controls");
        setClientSize(7020, 5445);
        setBackColor(Rgb(192, 192, 255));
        Combo1.Move(3840, 1200, 855, 315);
        Combo1.setText("*.csv");
        Combo2.Move(3840, 1680, 855, 315);
        Label1.Move(240, 120, 1500, 255);
        Text1.Move(1080, 600, 2775, 285);
        Command1.Move(480, 1200, 1455, 375);
        Command1.setCaption("Open file");
        for (int k = 0; k < Command4.Count(); ++k) {
            Command4[k].Move(6120, 2040 + 480 * k, 735, 375);
            Command4[k].setCaption("View");
            Text2[k].Move(4200, 2040 + 480 * k, 735, 285);
        }

        Combo1.Click = [this] { record("Combo1_Click"); };
        Combo1.Change = [this] { record("Combo1_Change"); };
        Combo2.Click = [this] { record("Combo2_Click"); };
        Text1.Change = [this] { record("Text1_Change"); };
        Command1.Click = [this] { record("Command1_Click"); };
        Command4.connect(&CommandButton::Click, this, &ControlsForm::Command4_Click);
        Text2.on(
            &TextBox::Change, [this](int Index) { record(QString("Text2_Change %1").arg(Index)); });
        myFile.Click = [this] { record("myFile_Click"); };
        myOpen.Click = [this] { record("myOpen_Click"); };
        MyExit.Click = [this] { record("MyExit_Click"); };
    }

    void Command4_Click(int Index) { record(QString("Command4_Click %1").arg(Index)); }

    // What a handler saw when it ran: its name, then the combo box's ListIndex and Text.
    void record(const QString &handler)
    {
        events.append(QString("%1 %2 %3").arg(handler).arg(Combo1.ListIndex()).arg(Combo1.Text()));
    }

    QStringList events;
    Menu myFile { *this, "File" };
    Menu myOpen { myFile, "Open ..." };
    Menu myDash1 { myFile, "-" };
    Menu MyExit { myFile, "Exit" };
    ComboBox Combo1 { *this };
    ComboBox Combo2 { *this, ComboStyle::DropDownList };
    Label Label1 { *this };
    TextBox Text1 { *this };
    CommandButton Command1 { *this };
    ControlArray<CommandButton> Command4 { *this, 6 };
    ControlArray<TextBox> Text2 { *this, 6 };
};

void fill(ComboBox &combo, const QStringList &entries)
{
    for (int i = 0; i < entries.size(); ++i)
        QVERIFY(combo.setList(i, entries[i]));
}

QColor pixelAt(Control &control, QPoint at)
{
    return control.widget()->grab().toImage().pixelColor(at);
}

} // namespace

class tst_controls : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;

private slots:
    void init() { gui = std::make_unique<GuiFixture>(); }
    void cleanup() { gui.reset(); }

    void comboListIndexRaisesClick_data();
    void comboListIndexRaisesClick();
    void comboListIndexRefused_data();
    void comboListIndexRefused();
    void comboListAssignment();
    void comboClickRunsNestedHandlers();
    void comboUserChoiceRaisesClick();
    void comboTypingRaisesChangeOnly();
    void textBoxChange_data();
    void textBoxChange();
    void buttonClick();
    void controlArrayEventsCarryIndex();
    void menuEntries();
    void labelShowsPlainTextWrapped_data();
    void labelShowsPlainTextWrapped();
    void labelBackground();
    void comboBoxesAnnounceTheirNames_data();
    void comboBoxesAnnounceTheirNames();
};

void tst_controls::comboListIndexRaisesClick_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("first choice") << -1 << 1 << QStringList { "Combo1_Click 1 2" };
    QTest::newRow("another entry") << 0 << 1 << QStringList { "Combo1_Click 1 2" };
    // QComboBox reports nothing for the index it has; the assignment still raises Click.
    QTest::newRow("same entry") << 1 << 1 << QStringList { "Combo1_Click 1 2" };
}

void tst_controls::comboListIndexRaisesClick()
{
    QFETCH(int, before);
    QFETCH(int, index);
    QFETCH(QStringList, events);

    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "1", "2", "3", "4", "5", "6" });
    if (before >= 0)
        QVERIFY(form->Combo1.setListIndex(before));
    form->events.clear();

    QVERIFY(form->Combo1.setListIndex(index));
    // Raised before the assignment returned, with the new index and text in place.
    QCOMPARE(form->events, events);
    QCOMPARE(form->Combo1.ListIndex(), index);
}

void tst_controls::comboListIndexRefused_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("text");

    QTest::newRow("one past the end") << 2 << false << 0 << "*.txt";
    QTest::newRow("below -1") << -2 << false << 0 << "*.txt";
    QTest::newRow("-1 clears the choice") << -1 << true << -1 << "";
}

void tst_controls::comboListIndexRefused()
{
    QFETCH(int, index);
    QFETCH(bool, accepted);
    QFETCH(int, listIndex);
    QFETCH(QString, text);

    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "*.txt", "*.*" });
    QVERIFY(form->Combo1.setListIndex(0));
    form->events.clear();

    QCOMPARE(form->Combo1.setListIndex(index), accepted);
    QVERIFY(form->events.isEmpty());
    QCOMPARE(form->Combo1.ListIndex(), listIndex);
    QCOMPARE(form->Combo1.Text(), text);
}

void tst_controls::comboListAssignment()
{
    FormInstance<ControlsForm> form;
    ComboBox &combo = form->Combo1;
    QCOMPARE(combo.ListCount(), 0);

    // Assigning one past the last entry appends; the field keeps its design text, nothing chosen.
    QVERIFY(combo.setList(0, "*.txt"));
    QVERIFY(combo.setList(1, "*.*"));
    QCOMPARE(combo.ListCount(), 2);
    QCOMPARE(combo.ListIndex(), -1);
    QCOMPARE(combo.Text(), QString("*.csv"));
    QVERIFY(form->events.isEmpty());

    QVERIFY(!combo.setList(3, "gap"));
    QVERIFY(!combo.setList(-1, "before"));
    QCOMPARE(combo.ListCount(), 2);
    QCOMPARE(combo.List(2), QString());
    QCOMPARE(combo.List(-1), QString());

    QVERIFY(combo.setList(0, "*.TXT"));
    QCOMPARE(combo.List(0), QString("*.TXT"));
    QCOMPARE(combo.ListCount(), 2);

    // A drop-down list starts unchosen as well.
    fill(form->Combo2, { "a", "b" });
    QCOMPARE(form->Combo2.ListIndex(), -1);
    QCOMPARE(form->Combo2.Text(), QString());
}

void tst_controls::comboClickRunsNestedHandlers()
{
    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "1", "2" });
    fill(form->Combo2, { "x", "y" });
    form->Combo1.Click = [&] {
        form->events.append("Combo1_Click begins");
        form->Combo2.setListIndex(1);
        form->Combo1.setText(form->Combo1.List(form->Combo1.ListIndex()));
        form->events.append("Combo1_Click ends");
    };
    QVERIFY(form->Combo1.setListIndex(0));
    QCOMPARE(form->events,
        (QStringList { "Combo1_Click begins", "Combo2_Click 0 1", "Combo1_Click ends" }));
    QCOMPARE(form->Combo2.Text(), QString("y"));
}

void tst_controls::comboUserChoiceRaisesClick()
{
    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "1", "2", "3" });
    QVERIFY(showAndWait(*form));

    chooseEntry(form->Combo1, 2);
    QTRY_COMPARE(form->events, QStringList { "Combo1_Click 2 3" });
    // Choosing the entry already chosen is a choice too.
    chooseEntry(form->Combo1, 2);
    QTRY_COMPARE(form->events, (QStringList { "Combo1_Click 2 3", "Combo1_Click 2 3" }));
}

void tst_controls::comboTypingRaisesChangeOnly()
{
    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "1", "2", "3" });
    QVERIFY(form->Combo1.setListIndex(1));
    QVERIFY(showAndWait(*form));
    form->events.clear();

    typeInto(form->Combo1, "4");
    QCOMPARE(form->events, QStringList { "Combo1_Change 1 24" });
    // Typing chooses nothing: the list position stays.
    QCOMPARE(form->Combo1.ListIndex(), 1);

    form->Combo1.setText("6");
    QCOMPARE(form->events.last(), QString("Combo1_Change 1 6"));
    form->events.clear();
    form->Combo1.setText("6");
    QVERIFY(form->events.isEmpty());
}

void tst_controls::textBoxChange_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("text");

    QTest::newRow("new text by code") << "StarA"
                                      << "" << 1 << "StarA";
    QTest::newRow("same text by code") << "design"
                                       << "" << 0 << "design";
    QTest::newRow("typed") << "design"
                           << "54" << 2 << "design54";
}

void tst_controls::textBoxChange()
{
    QFETCH(QString, set);
    QFETCH(QString, typed);
    QFETCH(int, changes);
    QFETCH(QString, text);

    FormInstance<ControlsForm> form;
    form->Text1.setText("design");
    QVERIFY(showAndWait(*form));
    form->events.clear();

    form->Text1.setText(set);
    if (!typed.isEmpty())
        typeInto(form->Text1, typed);
    QCOMPARE(form->events.count(), changes);
    QCOMPARE(form->Text1.Text(), text);
}

void tst_controls::buttonClick()
{
    FormInstance<ControlsForm> form;
    QVERIFY(showAndWait(*form));
    click(form->Command1);
    QCOMPARE(form->events, QStringList { "Command1_Click -1 *.csv" });

    form->Command1.setEnabled(false);
    QVERIFY(!form->Command1.Enabled());
    click(form->Command1);
    QCOMPARE(form->events.count(), 1);

    form->Command1.setVisible(false);
    QVERIFY(!form->Command1.Visible());
    QVERIFY(!form->Command1.widget()->isVisible());
    form->Command1.setVisible(true);
    QVERIFY(form->Command1.widget()->isVisible());
}

void tst_controls::controlArrayEventsCarryIndex()
{
    FormInstance<ControlsForm> form;
    QCOMPARE(form->Command4.Count(), 6);
    QCOMPARE(form->Command4.UBound(), 5);
    QCOMPARE(form->Command4[3].Index(), 3);
    QCOMPARE(form->Command1.Index(), -1);
    QVERIFY(showAndWait(*form));

    click(form->Command4[3]);
    click(form->Command4(0));
    typeInto(form->Text2[5], "7");
    QCOMPARE(form->events,
        (QStringList {
            "Command4_Click 3 -1 *.csv", "Command4_Click 0 -1 *.csv", "Text2_Change 5 -1 *.csv" }));
}

void tst_controls::menuEntries()
{
    FormInstance<ControlsForm> form;
    QVERIFY(form->myDash1.IsSeparator());
    QVERIFY(!form->myOpen.IsSeparator());
    QCOMPARE(form->myOpen.Caption(), QString("Open ..."));
    QVERIFY(showAndWait(*form));

    chooseMenu(form->myFile, form->myOpen);
    QTRY_COMPARE(form->events, (QStringList { "myFile_Click -1 *.csv", "myOpen_Click -1 *.csv" }));
    form->events.clear();
    chooseMenu(form->myFile, form->MyExit);
    QTRY_COMPARE(form->events.last(), QString("MyExit_Click -1 *.csv"));

    // The menu bar lies outside the client area, which keeps its design size.
    QCOMPARE(form->ScaleHeight(), 5445.0f);
}

void tst_controls::labelShowsPlainTextWrapped_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("wraps");

    QTest::newRow("short") << "# Rows" << false;
    QTest::newRow("markup-like text") << "select Formatted Text <Rtn>." << true;
    QTest::newRow("long sentence")
        << "The purpose of this program is to convert text files containing tables." << true;
}

void tst_controls::labelShowsPlainTextWrapped()
{
    QFETCH(QString, caption);
    QFETCH(bool, wraps);

    FormInstance<ControlsForm> form;
    form->Label1.setCaption(caption);
    QCOMPARE(form->Label1.Caption(), caption);
    auto *label = static_cast<QLabel *>(form->Label1.widget());
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(form->Label1.WordWrap());

    // The label's width decides where its lines break, at word boundaries.
    const int width = label->width();
    const int oneLine = label->heightForWidth(QWIDGETSIZE_MAX);
    QCOMPARE(label->heightForWidth(width) > oneLine, wraps);
    const QStringList words = caption.split(' ');
    const int longestWord = std::ranges::max(words | std::views::transform([&](const QString &w) {
        return label->fontMetrics().horizontalAdvance(w);
    }));
    QVERIFY(longestWord < width);

    form->Label1.setAlignment(Align::Center);
    QVERIFY(label->alignment() & Qt::AlignHCenter);
}

void tst_controls::labelBackground()
{
    FormInstance<ControlsForm> form;
    form->Label1.setCaption("");
    QVERIFY(showAndWait(*form));
    const QColor formColor(192, 192, 255);

    // Without colours of its own, an opaque label paints the form's background.
    QCOMPARE(pixelAt(form->Label1, QPoint(2, 2)), formColor);
    form->Label1.setBackColor(Rgb(192, 255, 192));
    QCOMPARE(pixelAt(form->Label1, QPoint(2, 2)), QColor(192, 255, 192));
    QCOMPARE(form->Label1.BackColor(), Rgb(192, 255, 192));

    form->Label1.setBackStyle(BackMode::Transparent);
    const QImage client = form->clientArea()->grab().toImage();
    QCOMPARE(
        client.pixelColor(form->Label1.widget()->geometry().topLeft() + QPoint(2, 2)), formColor);
}

void tst_controls::comboBoxesAnnounceTheirNames_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("name");

    QTest::newRow("editable combo box named") << "Combo1"
                                              << "List Files of Type";
    QTest::newRow("drop-down list named") << "Combo2"
                                          << "Number of tables";
    // Without a name of its own a box is known by what it shows.
    QTest::newRow("editable combo box unnamed") << "Combo1"
                                                << "";
}

void tst_controls::comboBoxesAnnounceTheirNames()
{
    QFETCH(QString, which);
    QFETCH(QString, name);

    FormInstance<ControlsForm> form;
    fill(form->Combo1, { "*.txt", "*.*" });
    fill(form->Combo2, { "1", "2" });
    QVERIFY(form->Combo2.setListIndex(1));
    ComboBox &combo = which == "Combo1" ? form->Combo1 : form->Combo2;
    if (!name.isEmpty())
        combo.setAccessibleName(name);
    QVERIFY(showAndWait(*form));

    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(combo.widget());
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::ComboBox);
    QCOMPARE(face->text(QAccessible::Name), name.isEmpty() ? combo.Text() : name);
    QCOMPARE(face->text(QAccessible::Value), combo.Text());
    QCOMPARE(face->state().editable, combo.Style() == ComboStyle::DropDownCombo);
}

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"
