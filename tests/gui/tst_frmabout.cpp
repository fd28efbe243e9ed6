// The about box on real widgets: its stored design, the centred one-line labels, a fixed size,
// nothing that reacts to the user, and one box only when it is shown while open.
#include "frmabout.h"
#include "gui_harness.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// The label named in a data row.
Label &labelNamed(frmAbout &form, const QString &name)
{
    Label *labels[] = { &form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5,
        &form.Label6, &form.Label7 };
    const int n = name.mid(QStringLiteral("Label").size()).toInt();
    Q_ASSERT(n >= 1 && n <= 7);
    return *labels[n - 1];
}

int windowsTitled(const QString &title)
{
    int count = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            ++count;
    return count;
}

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }

    void storedDesign();
    void labels_data();
    void labels();
    void stackingOrder();
    void noticeAndContactNameAWayToReport();
    void cannotBeResized();
    void clicksTakeNoFocusAndChangeNothing();
    void showingAnOpenBoxKeepsOneBox();

private:
    std::unique_ptr<GuiFixture> m_gui;
};

void TestFrmAbout::storedDesign()
{
    FormInstance<frmAbout> about;
    frmAbout &form = *about;

    QCOMPARE(form.Caption(), QStringLiteral("About"));
    QCOMPARE(form.BorderStyle(), Border::FixedSingle);
    QVERIFY(!form.MinButton());
    QVERIFY(!form.MaxButton());
    const Qt::WindowFlags flags = form.window()->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.BackColor(), OleColor(0x00C0FFC0));
    QCOMPARE(form.ForeColor(), SysWindowText);
    QCOMPARE(form.FontName(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.FontSize(), 8.25f);
    QVERIFY(form.FontBold());
    QCOMPARE(form.ScaleWidth(), 4710.0f);
    QCOMPARE(form.ScaleHeight(), 2505.0f);
    QCOMPARE(form.Left(), 1455.0f);
    QCOMPARE(form.Top(), 5625.0f);

    // Shown, the client area keeps its size.
    QVERIFY(showAndWait(form));
    QTRY_COMPARE(form.ScaleWidth(), 4710.0f);
    QTRY_COMPARE(form.ScaleHeight(), 2505.0f);
    QVERIFY(!saveScreenshot(form, "frmAbout-" + QGuiApplication::platformName()).isEmpty());
}

void TestFrmAbout::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("fixedText"); // the notice and the contact line are checked apart
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("font");
    QTest::addColumn<float>("points");
    QTest::addColumn<OleColor>("color");

    const QString window = QStringLiteral("MS Sans Serif");
    QTest::newRow("Label1 name") << "Label1" << 120.0f << 375.0f << true << "Cellwright"
                                 << "MS Serif" << 13.5f << OleColor(0x00800000);
    QTest::newRow("Label2 owner's notice")
        << "Label2" << 600.0f << 255.0f << false << "" << window << 8.25f << SysWindowText;
    QTest::newRow("Label6 version")
        << "Label6" << 960.0f << 255.0f << true << "Version 1.0f of 2005-10-30" << window << 8.25f
        << SysWindowText;
    QTest::newRow("Label7 rule") << "Label7" << 1200.0f << 255.0f << true << QString(61, u'-')
                                 << window << 8.25f << SysWindowText;
    QTest::newRow("Label3 empty") << "Label3" << 1440.0f << 255.0f << true << "" << window << 8.25f
                                  << SysWindowText;
    QTest::newRow("Label4 report to")
        << "Label4" << 1800.0f << 255.0f << true
        << "Please report bugs, plus suggestions to:" << window << 8.25f << SysWindowText;
    QTest::newRow("Label5 contact")
        << "Label5" << 2160.0f << 255.0f << false << "" << window << 8.25f << SysWindowText;
}

void TestFrmAbout::labels()
{
    QFETCH(QString, name);
    QFETCH(float, top);
    QFETCH(float, height);
    QFETCH(bool, fixedText);
    QFETCH(QString, text);
    QFETCH(QString, font);
    QFETCH(float, points);
    QFETCH(OleColor, color);

    FormInstance<frmAbout> about;
    QVERIFY(showAndWait(*about));
    Label &label = labelNamed(*about, name);

    QCOMPARE(label.Left(), 120.0f);
    QCOMPARE(label.Width(), 4455.0f);
    QCOMPARE(label.Top(), top);
    QCOMPARE(label.Height(), height);
    if (fixedText)
        QCOMPARE(label.Caption(), text);
    QCOMPARE(label.FontName(), font);
    QCOMPARE(label.FontSize(), points);
    QVERIFY(label.FontBold());
    // Labels without a colour of their own report the one they paint with.
    QCOMPARE(ToQColor(label.ForeColor()), ToQColor(color));
    QCOMPARE(label.BackColor(), OleColor(0x00C0FFC0));
    QCOMPARE(label.BackStyle(), BackMode::Opaque);
    QVERIFY(label.Visible());

    // Centred in labels of equal width, so all centres line up.
    QCOMPARE(label.Alignment(), Align::Center);
    QVERIFY(static_cast<QLabel *>(label.widget())->alignment().testFlag(Qt::AlignHCenter));
    QCOMPARE(label.Left() + label.Width() / 2, 2347.5f);

    // One line that fits the label, across and down.
    const QFontMetrics metrics(label.widget()->font());
    QVERIFY2(metrics.horizontalAdvance(label.Caption()) <= label.widget()->width(),
        qPrintable(QStringLiteral("%1 px of text in %2 px")
                       .arg(metrics.horizontalAdvance(label.Caption()))
                       .arg(label.widget()->width())));
    QVERIFY(metrics.height() <= label.widget()->height());
}

void TestFrmAbout::stackingOrder()
{
    FormInstance<frmAbout> about;
    frmAbout &form = *about;
    const QList<QWidget *> backToFront = {
        form.Label1.widget(),
        form.Label2.widget(),
        form.Label3.widget(),
        form.Label4.widget(),
        form.Label5.widget(),
        form.Label6.widget(),
        form.Label7.widget(),
    };
    QList<QWidget *> stacked;
    for (QObject *child : form.clientArea()->children())
        if (backToFront.contains(child))
            stacked.append(static_cast<QWidget *>(child));
    QCOMPARE(stacked, backToFront);

    // The 15-twip strips where the rule meets the version and the empty label: the rule in front.
    QVERIFY(showAndWait(form));
    const QRect rule = form.Label7.widget()->geometry();
    QCOMPARE(form.clientArea()->childAt(rule.center().x(), rule.top()), form.Label7.widget());
    QCOMPARE(form.clientArea()->childAt(rule.center().x(), rule.bottom()), form.Label7.widget());
}

void TestFrmAbout::noticeAndContactNameAWayToReport()
{
    FormInstance<frmAbout> about;
    const QString notice = about->Label2.Caption();
    const QString contact = about->Label5.Caption();

    QVERIFY(!notice.trimmed().isEmpty());
    QVERIFY(notice.contains(QStringLiteral("Cellwright")));
    // Read after "Please report bugs, plus suggestions to:".
    QVERIFY(contact.contains(QStringLiteral("issue tracker")));
    QVERIFY(!contact.contains(u'@'));
    QVERIFY(!contact.contains(QStringLiteral("://")));
}

void TestFrmAbout::cannotBeResized()
{
    FormInstance<frmAbout> about;
    QVERIFY(showAndWait(*about));
    QWidget *window = about->window();
    const QSize size = window->size();

    QCOMPARE(window->minimumSize(), size);
    QCOMPARE(window->maximumSize(), size);
    // What the window system would ask for if the user dragged an edge.
    window->resize(size + QSize(120, 80));
    QTest::qWait(50);
    QCOMPARE(window->size(), size);
    QCOMPARE(about->ScaleWidth(), 4710.0f);
}

void TestFrmAbout::clicksTakeNoFocusAndChangeNothing()
{
    FormInstance<frmAbout> about;
    frmAbout &form = *about;
    QVERIFY(showAndWait(form));
    const QRect geometry = form.window()->geometry();

    for (Label *label : { &form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5,
             &form.Label6, &form.Label7 }) {
        const QString caption = label->Caption();
        QVERIFY(!label->Click);
        QCOMPARE(label->widget()->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(label->widget(), Qt::LeftButton);
        QTest::mouseDClick(label->widget(), Qt::LeftButton);
        QTest::keyClick(form.window(), Qt::Key_Tab);
        QVERIFY(!label->widget()->hasFocus());
        QCOMPARE(label->Caption(), caption);
        QVERIFY(label->Visible());
    }
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(!focus || !form.window()->isAncestorOf(focus));
    QCOMPARE(form.window()->geometry(), geometry);
    QVERIFY(form.Visible());
}

void TestFrmAbout::showingAnOpenBoxKeepsOneBox()
{
    FormInstance<frmAbout> about;
    QVERIFY(showAndWait(*about));
    frmAbout *first = &*about;
    const QRect geometry = first->window()->geometry();

    about->Show();
    QTest::qWait(50);
    QCOMPARE(&*about, first);
    QCOMPARE(windowsTitled(QStringLiteral("About")), 1);
    QCOMPARE(first->window()->geometry(), geometry);

    // Closed with its close box and chosen again: a fresh box with the same content.
    const QString contact = first->Label5.Caption();
    closeByCloseBox(*about);
    QTRY_COMPARE(windowsTitled(QStringLiteral("About")), 0);
    QVERIFY(showAndWait(*about));
    QCOMPARE(windowsTitled(QStringLiteral("About")), 1);
    QCOMPARE(about->Label5.Caption(), contact);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
