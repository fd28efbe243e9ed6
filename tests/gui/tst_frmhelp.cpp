// The help window on real widgets: its stored design, the paragraph table, the layout of the
// load and resize handlers on the labels, the minimum width, minimized and maximized windows, and
// showing it while it is open.
#include "frmhelp.h"
#include "gui_harness.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// frmHelp that counts its handlers' runs and can be given a width before its own load runs.
class CountingHelp : public frmHelp {
public:
    CountingHelp(HelpParagraphs &paragraphs, Twips widthAtLoad = 0)
        : frmHelp(paragraphs)
        , m_widthAtLoad(widthAtLoad)
    {
    }
    void Form_Load() override
    {
        ++loads;
        if (m_widthAtLoad > 0)
            setWidth(m_widthAtLoad);
        frmHelp::Form_Load();
    }
    void Form_Resize() override
    {
        ++resizes;
        widthAtLastResize = Width();
        frmHelp::Form_Resize();
    }
    int loads = 0;
    int resizes = 0;
    Twips widthAtLastResize = 0;

private:
    Twips m_widthAtLoad;
};

// The help window's one instance, as the application object holds it.
struct HelpInstance {
    explicit HelpInstance(Twips widthAtLoad = 0)
        : form(
            [this, widthAtLoad] { return std::make_unique<CountingHelp>(paragraphs, widthAtLoad); })
    {
    }
    HelpParagraphs paragraphs;
    FormInstance<CountingHelp> form;
};

QList<int> paragraphTops(const frmHelp &form)
{
    QList<int> tops;
    for (int k = 1; k <= 5; ++k)
        tops.append(int(form.Label1[k].Top()));
    return tops;
}

QList<int> expectedTops(const HelpLayout &layout)
{
    QList<int> tops;
    for (int k = 1; k <= 5; ++k)
        tops.append(layout.tops[std::size_t(k)]);
    return tops;
}

// Visible top-level windows with this title.
int windowsTitled(const QString &title)
{
    int count = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            ++count;
    return count;
}

} // namespace

class TestFrmHelp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_gui = std::make_unique<GuiFixture>(); }
    void cleanup() { m_gui.reset(); }

    void storedDesign();
    void stackingOrderPutsLaterParagraphsInFront();
    void paragraphTexts_data();
    void paragraphTexts();
    void paragraphsFitTheirEstimates_data();
    void paragraphsFitTheirEstimates();
    void loadLayout();
    void resizeLayout_data();
    void resizeLayout();
    void narrowerWindowIsTaller();
    void draggingTheBottomEdgeKeepsTheComputedHeight_data();
    void draggingTheBottomEdgeKeepsTheComputedHeight();
    void minimumWidth_data();
    void minimumWidth();
    void maximizedWindowKeepsItsSize();
    void minimizedWindowKeepsItsSize();
    void showingAnOpenWindowChangesNothing();
    void closedWindowReloadsWithTheSameTexts();

private:
    std::unique_ptr<GuiFixture> m_gui;
};

void TestFrmHelp::storedDesign()
{
    HelpInstance help;
    CountingHelp &form = *help.form;

    QCOMPARE(form.Caption(), QStringLiteral("Help"));
    QCOMPARE(form.BorderStyle(), Border::Sizable);
    QVERIFY(form.MinButton());
    QVERIFY(form.MaxButton());
    QVERIFY(form.window()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(form.window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.BackColor(), SysWindowBackground);
    QCOMPARE(form.ForeColor(), SysWindowText);
    QCOMPARE(form.FontName(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(form.FontSize(), 8.25f);
    QVERIFY(form.FontBold());
    QCOMPARE(form.ScaleWidth(), 14430.0f);
    QCOMPARE(form.Left(), 630.0f);
    QCOMPARE(form.Top(), 990.0f);

    // The heading: its own font and colour, centred, stored width until the first resize.
    QCOMPARE(form.Label0.Caption(), QStringLiteral("Help - Cellwright"));
    QCOMPARE(form.Label0.FontName(), QStringLiteral("Arial"));
    QCOMPARE(form.Label0.FontSize(), 15.75f);
    QVERIFY(form.Label0.FontBold());
    QCOMPARE(form.Label0.ForeColor(), OleColor(0x000000C0));
    QCOMPARE(form.Label0.Alignment(), Align::Center);
    QCOMPARE(form.Label0.Left(), 120.0f);
    QCOMPARE(form.Label0.Top(), 0.0f);
    QCOMPARE(form.Label0.Width(), 6615.0f);
    QCOMPARE(form.Label0.Height(), 375.0f);

    // Label1(0): empty, visible, at its stored place.
    QCOMPARE(form.Label1[0].Caption(), QString());
    QVERIFY(form.Label1[0].Visible());
    QCOMPARE(form.Label1[0].Left(), 12000.0f);
    QCOMPARE(form.Label1[0].Top(), 7920.0f);
    QCOMPARE(form.Label1[0].Width(), 255.0f);
    QCOMPARE(form.Label1[0].Height(), 255.0f);

    // The paragraphs: the window's font, left-aligned, stored heights that never change.
    const float heights[] = { 0, 2895, 3015, 2655, 2295, 2655 };
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(form.Label1[k].FontName(), QStringLiteral("MS Sans Serif"));
        QVERIFY(form.Label1[k].FontBold());
        QCOMPARE(form.Label1[k].Alignment(), Align::Left);
        QCOMPARE(form.Label1[k].BackColor(), SysWindowBackground);
        QCOMPARE(form.Label1[k].BackStyle(), BackMode::Opaque);
        QCOMPARE(form.Label1[k].Left(), 240.0f);
        QCOMPARE(form.Label1[k].Height(), heights[k]);
    }

    QVERIFY(showAndWait(form));
    QVERIFY(form.resizes > 0);
    QCOMPARE(form.Label0.Width(), form.widthAtLastResize - 500);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(form.Label1[k].Height(), heights[k]);
    QCOMPARE(form.Label1[0].Top(), 7920.0f);
    QVERIFY(!saveScreenshot(form, "frmHelp-" + QGuiApplication::platformName()).isEmpty());
}

void TestFrmHelp::stackingOrderPutsLaterParagraphsInFront()
{
    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));

    // Children are kept back to front.
    const QList<QWidget *> backToFront = {
        form.Label1[1].widget(),
        form.Label1[2].widget(),
        form.Label1[3].widget(),
        form.Label1[4].widget(),
        form.Label0.widget(),
        form.Label1[0].widget(),
        form.Label1[5].widget(),
    };
    QList<QWidget *> stacked;
    for (QObject *child : form.clientArea()->children())
        if (backToFront.contains(child))
            stacked.append(static_cast<QWidget *>(child));
    QCOMPARE(stacked, backToFront);

    // Where two paragraph labels overlap, the later paragraph is the one shown.
    for (int k = 2; k <= 5; ++k) {
        const QWidget *later = form.Label1[k].widget();
        const QPoint justBelowItsTop = later->geometry().topLeft() + QPoint(20, 2);
        QVERIFY(form.Label1[k - 1].widget()->geometry().contains(justBelowItsTop));
        QCOMPARE(form.clientArea()->childAt(justBelowItsTop), later);
    }
}

void TestFrmHelp::paragraphTexts_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");

    QTest::newRow("paragraph 1") << 1 << 352 << "The purpose of this program"
                                 << "back-slash.  The rest of the document is left unchanged.";
    QTest::newRow("paragraph 2: the documents read")
        << 2 << 360 << "To start, click 'Open file'"
        << "A .docx or .odt is read directly: each paragraph and each table cell becomes a line, "
           "and "
           "its tables are known exactly, spans and merged cells included.";
    QTest::newRow("paragraph 3") << 3 << 325 << "To describe the tables yourself"
                                 << "let the Tables menu fill in the boxes for you.";
    QTest::newRow("paragraph 4: the Tables menu")
        << 4 << 450 << "[menu]Tables > Find Tables lists the tables"
        << "press 'Use' to fill the boxes; each one converts at its own line.";
    QTest::newRow("paragraph 5") << 5 << 569 << "After that, click 'Convert'"
                                 << "saved as UTF-8 text, never over itself).";
}

void TestFrmHelp::paragraphTexts()
{
    QFETCH(int, k);
    QFETCH(int, length);
    QFETCH(QString, begins);
    QFETCH(QString, ends);

    HelpInstance help;
    frmHelp &form = *help.form;
    const HelpParagraphs &p = help.paragraphs;

    QCOMPARE(p.HelpParagraphCount, int16_t(5));
    QCOMPARE(int(p.HelpTextLength[std::size_t(k)]), length);
    QCOMPARE(p.HelpText[std::size_t(k)].size(), length);
    QVERIFY(p.HelpText[std::size_t(k)].startsWith(begins));
    QVERIFY(p.HelpText[std::size_t(k)].endsWith(ends));
    QVERIFY(!p.HelpText[std::size_t(k)].contains(QStringLiteral("   ")));
    QCOMPARE(form.Label1[k].Caption(), p.HelpText[std::size_t(k)]);
    QVERIFY(form.Label1[k].Visible());

    int total = 0;
    for (int i = 1; i <= 5; ++i)
        total += p.HelpTextLength[std::size_t(i)];
    QCOMPARE(total, 2056);
    QVERIFY(p.HelpText[0].isEmpty());
}

void TestFrmHelp::paragraphsFitTheirEstimates_data()
{
    QTest::addColumn<float>("width");

    QTest::newRow("the minimum width") << float(HelpMinWidth);
    QTest::newRow("10000 wide") << 10000.0f;
    QTest::newRow("15000 wide") << 15000.0f;
}

void TestFrmHelp::paragraphsFitTheirEstimates()
{
    // The text each label wraps to ends before the next paragraph (or the window) begins, so no
    // later label covers a line of it.
    QFETCH(float, width);
    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));
    form.setWidth(width);
    QTRY_COMPARE(form.Width(), width);
    for (int k = 1; k <= 5; ++k) {
        const auto *label = static_cast<const QLabel *>(form.Label1[k].widget());
        const int end = k < 5 ? form.Label1[k + 1].widget()->y() : form.clientArea()->height();
        QVERIFY2(label->heightForWidth(label->width()) <= end - label->y(),
            qPrintable(QStringLiteral("paragraph %1").arg(k)));
    }
}

void TestFrmHelp::loadLayout()
{
    // A window 15000 twips wide when its load handler runs; it stays hidden, so no resize runs.
    HelpInstance help(15000);
    CountingHelp &form = *help.form;

    QCOMPARE(form.Width(), 15000.0f);
    QCOMPARE(form.resizes, 0);
    QCOMPARE(paragraphTops(form), (QList<int> { 500, 1564, 2636, 3672, 4838 }));
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(form.Label1[k].Width(), 14500.0f);
    QCOMPARE(form.Height(), 6556.0f);
    // Step L1 does not run at load.
    QCOMPARE(form.Label0.Width(), 6615.0f);
}

void TestFrmHelp::resizeLayout_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<float>("height");

    QTest::newRow("15000 wide") << 15000.0f << QList<int> { 500, 1464, 2436, 3372, 4438 }
                                << 6556.0f;
    QTest::newRow("10000 wide") << 10000.0f << QList<int> { 500, 1656, 2824, 3937, 5248 }
                                << 7584.0f;
}

void TestFrmHelp::resizeLayout()
{
    QFETCH(float, width);
    QFETCH(QList<int>, tops);
    QFETCH(float, height);

    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));

    form.setWidth(width);
    QTRY_COMPARE(form.Width(), width);
    QTRY_COMPARE(form.Height(), height);
    QCOMPARE(paragraphTops(form), tops);
    QCOMPARE(form.Label0.Width(), width - 500);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(form.Label1[k].Width(), width - 500);
}

void TestFrmHelp::narrowerWindowIsTaller()
{
    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));

    form.setWidth(12000);
    QTRY_COMPARE(form.Height(), 7069.0f);
    const int lastTopAt12000 = int(form.Label1[5].Top());

    form.setWidth(8000);
    QTRY_COMPARE(form.Width(), 8000.0f);
    QTRY_VERIFY(form.Height() > 7069.0f);
    QCOMPARE(form.Height(),
        float(HelpWindowHeight(8000, help.paragraphs.HelpTextLength, 5, HelpPass::Resize)));
    QVERIFY(form.Label1[5].Top() > lastTopAt12000);

    // And a wider one shorter.
    form.setWidth(18000);
    QTRY_COMPARE(form.Width(), 18000.0f);
    QTRY_VERIFY(form.Height() < 7069.0f);
}

void TestFrmHelp::draggingTheBottomEdgeKeepsTheComputedHeight_data()
{
    QTest::addColumn<int>("pixels");

    QTest::newRow("dragged down") << 90;
    QTest::newRow("dragged up") << -120;
}

void TestFrmHelp::draggingTheBottomEdgeKeepsTheComputedHeight()
{
    QFETCH(int, pixels);

    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));
    form.setWidth(15000);
    QTRY_COMPARE(form.Height(), 6556.0f);
    const QSize settled = form.window()->size();

    // What the window system does when the user drags the bottom edge.
    form.window()->resize(settled.width(), settled.height() + pixels);
    QTRY_COMPARE(form.window()->size(), settled);
    QCOMPARE(form.Height(), 6556.0f);
    QCOMPARE(form.Width(), 15000.0f);
    QCOMPARE(paragraphTops(form), (QList<int> { 500, 1464, 2436, 3372, 4438 }));
}

void TestFrmHelp::minimumWidth_data()
{
    QTest::addColumn<float>("width");

    QTest::newRow("just below the minimum") << float(HelpMinWidth) - 15;
    QTest::newRow("where the tops would leave 16 bits") << 1500.0f;
    QTest::newRow("narrower than the margin") << 450.0f;
    QTest::newRow("no width at all") << 0.0f;
}

void TestFrmHelp::minimumWidth()
{
    QFETCH(float, width);

    HelpInstance help;
    frmHelp &form = *help.form;
    QVERIFY(showAndWait(form));

    form.setWidth(width);
    QTRY_COMPARE(form.Width(), float(HelpMinWidth));
    const HelpLayout layout
        = ComputeHelpLayout(HelpMinWidth, help.paragraphs.HelpTextLength, 5, HelpPass::Resize);
    QTRY_COMPARE(form.Height(), float(layout.height));
    QCOMPARE(paragraphTops(form), expectedTops(layout));
    QCOMPARE(form.Label0.Width(), float(HelpMinWidth) - 500);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(form.Label1[k].Width(), float(HelpMinWidth) - 500);
}

void TestFrmHelp::maximizedWindowKeepsItsSize()
{
    HelpInstance help;
    CountingHelp &form = *help.form;
    QVERIFY(showAndWait(form));
    form.setWidth(6000);
    const float normalHeight
        = float(HelpWindowHeight(6000, help.paragraphs.HelpTextLength, 5, HelpPass::Resize));
    QTRY_COMPARE(form.Height(), normalHeight);

    const int resizesBefore = form.resizes;
    form.setWindowState(WindowMode::Maximized);
    QTRY_VERIFY(form.Width() > 6000);
    QTRY_VERIFY(form.resizes > resizesBefore);
    QCOMPARE(form.WindowState(), WindowMode::Maximized);
    // The labels follow the maximized width.
    QTRY_COMPARE(form.Label1[1].Width(), form.Width() - 500);

    // Another resize event while maximized leaves the window as it is, even when the paragraphs
    // would now need another height.
    const QSize maximized = form.window()->size();
    help.paragraphs.HelpTextLength[1] = int16_t(help.paragraphs.HelpTextLength[1] + 200);
    form.Form_Resize();
    QCOMPARE(form.window()->size(), maximized);
    QCOMPARE(form.WindowState(), WindowMode::Maximized);

    // Restored, it takes the computed height again.
    form.setWindowState(WindowMode::Normal);
    QTRY_COMPARE(form.WindowState(), WindowMode::Normal);
    QTRY_COMPARE(form.Height(),
        float(HelpWindowHeight(form.Width(), help.paragraphs.HelpTextLength, 5, HelpPass::Resize)));
}

void TestFrmHelp::minimizedWindowKeepsItsSize()
{
    HelpInstance help;
    CountingHelp &form = *help.form;
    QVERIFY(showAndWait(form));
    form.setWidth(9000);
    QTRY_COMPARE(form.Width(), 9000.0f);
    const float normalHeight
        = float(HelpWindowHeight(9000, help.paragraphs.HelpTextLength, 5, HelpPass::Resize));
    QTRY_COMPARE(form.Height(), normalHeight);

    form.setWindowState(WindowMode::Minimized);
    QCOMPARE(form.WindowState(), WindowMode::Minimized);
    QTest::qWait(50);

    // A resize event while minimized, when the paragraphs would need another height.
    const QSize before = form.window()->size();
    help.paragraphs.HelpTextLength[2] = int16_t(help.paragraphs.HelpTextLength[2] + 300);
    form.Form_Resize();
    QCOMPARE(form.window()->size(), before);
    QCOMPARE(form.Height(), normalHeight);
    QCOMPARE(form.WindowState(), WindowMode::Minimized);

    form.setWindowState(WindowMode::Normal);
    QTRY_COMPARE(form.WindowState(), WindowMode::Normal);
    form.Form_Resize();
    QTRY_COMPARE(form.Height(),
        float(HelpWindowHeight(9000, help.paragraphs.HelpTextLength, 5, HelpPass::Resize)));
}

void TestFrmHelp::showingAnOpenWindowChangesNothing()
{
    HelpInstance help;
    QVERIFY(showAndWait(*help.form));
    help.form->setWidth(15000);
    QTRY_COMPARE(help.form->Height(), 6556.0f);
    QTest::qWait(50);

    CountingHelp *first = &*help.form;
    const int resizes = first->resizes;
    const QRect geometry = first->window()->geometry();
    // Were the texts reloaded or the layout repeated, these would be put back.
    help.paragraphs.HelpText[1] = QStringLiteral("changed");
    first->Label1[3].setTop(9000);

    help.form->Show();
    QTest::qWait(50);

    QCOMPARE(&*help.form, first);
    QCOMPARE(first->loads, 1);
    QCOMPARE(first->resizes, resizes);
    QCOMPARE(first->window()->geometry(), geometry);
    QCOMPARE(help.paragraphs.HelpText[1], QStringLiteral("changed"));
    QCOMPARE(first->Label1[3].Top(), 9000.0f);
    QCOMPARE(windowsTitled(QStringLiteral("Help")), 1);
}

void TestFrmHelp::closedWindowReloadsWithTheSameTexts()
{
    HelpInstance help;
    QVERIFY(showAndWait(*help.form));
    const auto texts = help.paragraphs.HelpText;

    closeByCloseBox(*help.form);
    QVERIFY(!help.form.IsLoaded());
    QTRY_COMPARE(windowsTitled(QStringLiteral("Help")), 0);
    // The table outlives the window.
    QCOMPARE(help.paragraphs.HelpText, texts);
    QCOMPARE(help.paragraphs.HelpParagraphCount, int16_t(5));

    QVERIFY(showAndWait(*help.form));
    QCOMPARE(help.form->loads, 1);
    QCOMPARE(help.paragraphs.HelpText, texts);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(help.form->Label1[k].Caption(), texts[std::size_t(k)]);
    QCOMPARE(windowsTitled(QStringLiteral("Help")), 1);
}

QTEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
