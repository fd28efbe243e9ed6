// Forms: twips, outer size and frame, Form_Resize (also nested), the life of a form instance,
// printed text, tab order, fonts, the message box and the end of the program.
#include "gui_harness.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPicture>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// Lays a box out from the form's outer size and keeps a minimum size, as the open dialog does.
class ResizingForm : public Form {
public:
    ResizingForm()
    {
        setCaption("Resizing");
        setClientSize(7485, 5220);
        File1.Move(120, 840, 3015, 3345);
        Dir1.Move(3480, 720, 2415, 3465);
    }

    void Form_Resize() override
    {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        seen.append(QSizeF(Width(), Height()));
        if (Height() < 3540)
            setHeight(3540);
        if (Width() < 6525)
            setWidth(6525);
        // Read back after the corrections: the outer run must end with the corrected layout.
        File1.setHeight(Height() - 2100);
        Dir1.setWidth((Width() - 7830) / 2 + 2655);
        --depth;
    }

    QList<QSizeF> seen; // the size at every entry of the handler, in order
    int depth = 0;
    int maxDepth = 0;
    TextBox File1 { *this };
    TextBox Dir1 { *this };
};

struct Counters {
    int loads = 0;
    int unloads = 0;
    bool visibleDuringLoad = true;
};

class LifeForm : public Form {
public:
    explicit LifeForm(Counters &counters)
        : counters(counters)
    {
        setCaption("Life");
        Text1.Move(120, 120, 3000, 285);
        Text1.setText("design");
    }
    void Form_Load() override
    {
        ++counters.loads;
        counters.visibleDuringLoad = Visible();
    }
    void Form_Unload() override { ++counters.unloads; }

    Counters &counters;
    TextBox Text1 { *this };
};

// What the application object holds: the forms' instances.
struct LifeApp {
    Counters counters;
    FormInstance<LifeForm> frmLife { [this] { return std::make_unique<LifeForm>(counters); } };
};

class PrintForm : public Form {
public:
    PrintForm()
    {
        setCaption("Table");
        setClientSize(8100, 2000);
        setBackColor(ColorWhite);
        setForeColor(ColorBlack);
    }
};

class EndForm : public Form {
public:
    explicit EndForm(bool endOnUnload)
        : endOnUnload(endOnUnload)
    {
        Command1.Move(120, 120, 1335, 375);
        Command1.setCaption("Count");
        Command1.Click = [this] { ++clicks; };
    }
    void Form_Unload() override
    {
        ++unloads;
        if (endOnUnload)
            End();
    }

    bool endOnUnload;
    int clicks = 0;
    int unloads = 0;
    CommandButton Command1 { *this };
};

class TabForm : public Form {
public:
    TabForm()
    {
        for (int k = 0; k < Text1.Count(); ++k)
            Text1[k].Move(120, 120 + 400 * k, 2000, 285);
        setTabOrder({ &Text1[3], &Text1[1], &Text1[2], &Text1[0] });
    }
    ControlArray<TextBox> Text1 { *this, 4 };
};

class SampleForm : public Form {
public:
    SampleForm()
    {
        setCaption("Sample");
        setClientSize(6000, 2400);
        setBackColor(Rgb(192, 192, 255));
        setFont("MS Sans Serif", 8.25f, true);
        Label1.Move(240, 120, 5500, 375);
        Label1.setCaption("Cellwright  v1.0");
        Label1.setFont("MS Sans Serif", 18, true);
        Label1.setForeColor(Rgb(128, 0, 0));
        Label1.setAlignment(Align::Center);
        Label2.Move(240, 600, 5500, 255);
        Label2.setCaption("The quick brown fox jumps over the lazy dog 0123456789");
        Text1.Move(240, 960, 2775, 285);
        Text1.setText("StarA");
        Combo1.Move(3240, 960, 855, 315);
        Combo1.setList(0, "2");
        Combo1.setListIndex(0);
        Command1.Move(240, 1560, 1455, 375);
        Command1.setCaption("Open file");
    }
    Menu myFile { *this, "File" };
    Menu myOpen { myFile, "Open ..." };
    Menu mHelp { *this, "Help" };
    Label Label1 { *this };
    Label Label2 { *this };
    TextBox Text1 { *this };
    ComboBox Combo1 { *this };
    CommandButton Command1 { *this };
};

// Pixels noticeably darker than the background in the rows top .. top+height-1.
int darkPixels(const QImage &image, int top, int height)
{
    int count = 0;
    for (int y = std::max(0, top); y < std::min(image.height(), top + height); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
    return count;
}

} // namespace

class tst_form : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;

private slots:
    void init() { gui = std::make_unique<GuiFixture>(); }
    void cleanup() { gui.reset(); }

    void twipsToPixels_data();
    void twipsToPixels();
    void controlGeometryReadsBackWhatWasSet();
    void outerSizeArithmetic_data();
    void outerSizeArithmetic();
    void outerSizeBeforeShowUsesEstimate();
    void outerSizeWhenShown();
    void outerSizeSetByCodeKeepsWhenFrameArrives();
    void resizeRaisedOnFirstShowAndOncePerSize();
    void nestedResize_data();
    void nestedResize();
    void lifecycle();
    void printedLinesSurviveRepaint();
    void veryLongLineDrawnAsFarAsItShows();
    void tabOrderFollowsSetting();
    void fontsMapToInstalledFamilies_data();
    void fontsMapToInstalledFamilies();
    void messageBoxIsPlain();
    void endClosesEverythingAndRunsNoHandler();
    void screenshotShowsForm();
};

void tst_form::twipsToPixels_data()
{
    QTest::addColumn<float>("twips");
    QTest::addColumn<float>("twipsPerPixel");
    QTest::addColumn<int>("pixels");

    QTest::newRow("whole pixel") << 1500.0f << 15.0f << 100;
    QTest::newRow("half pixel rounds up") << 2362.5f << 15.0f << 158;
    QTest::newRow("just under half rounds down") << 2362.4f << 15.0f << 157;
    QTest::newRow("negative half rounds away from zero") << -7.5f << 15.0f << -1;
    QTest::newRow("zero") << 0.0f << 15.0f << 0;
    QTest::newRow("120 dpi") << 2362.5f << 12.0f << 197;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 15.0f << 0;
    QTest::newRow("beyond any screen") << 1e30f << 15.0f << (1 << 24);
}

void tst_form::twipsToPixels()
{
    QFETCH(float, twips);
    QFETCH(float, twipsPerPixel);
    QFETCH(int, pixels);

    QCOMPARE(PixelsFromTwips(twips, twipsPerPixel), pixels);
    if (std::isfinite(twips) && std::abs(twips) < 1e6f) {
        // The value set reads back while the widget has its pixels, the pixels' value otherwise.
        QCOMPARE(ReadBackTwips(twips, pixels, twipsPerPixel), twips);
        QCOMPARE(ReadBackTwips(twips, pixels + 1, twipsPerPixel),
            TwipsFromPixels(pixels + 1, twipsPerPixel));
    }
}

void tst_form::controlGeometryReadsBackWhatWasSet()
{
    FormInstance<ResizingForm> form;
    const float tpp = TwipsPerPixelX();
    QCOMPARE(tpp, TwipsPerInch / float(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));

    form->Dir1.Move(2707.5f, 720, 2002.5f, 1650);
    QCOMPARE(form->Dir1.Left(), 2707.5f);
    QCOMPARE(form->Dir1.Width(), 2002.5f);
    QCOMPARE(form->Dir1.widget()->geometry(),
        QRect(PixelsFromTwips(2707.5f, tpp), PixelsFromTwips(720, TwipsPerPixelY()),
            PixelsFromTwips(2002.5f, tpp), PixelsFromTwips(1650, TwipsPerPixelY())));

    // A widget whose size changed behind the toolkit's back reports its pixels.
    form->Dir1.widget()->resize(100, 40);
    QCOMPARE(form->Dir1.Width(), TwipsFromPixels(100, tpp));
    QCOMPARE(form->Dir1.Left(), 2707.5f);
}

void tst_form::outerSizeArithmetic_data()
{
    QTest::addColumn<QSize>("inside");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QSize>("outer");

    QTest::newRow("estimate") << QSize(500, 363) << Form::FrameEstimate() << QSize(508, 390);
    QTest::newRow("openbox frame") << QSize(500, 363) << QMargins(1, 20, 1, 5) << QSize(502, 388);
    QTest::newRow("no frame") << QSize(500, 363) << QMargins() << QSize(500, 363);
}

void tst_form::outerSizeArithmetic()
{
    QFETCH(QSize, inside);
    QFETCH(QMargins, frame);
    QFETCH(QSize, outer);
    QCOMPARE(Form::OuterSize(inside, frame), outer);
}

void tst_form::outerSizeBeforeShowUsesEstimate()
{
    FormInstance<SampleForm> form;
    const QMargins estimate = Form::FrameEstimate();
    QCOMPARE(form->Frame(), estimate);
    // The menu bar is outside the client area, like the frame.
    const int menuBar = form->window()->height() - PixelsFromTwips(2400, TwipsPerPixelY());
    QVERIFY(menuBar > 0);
    QCOMPARE(form->ScaleWidth(), 6000.0f);
    QCOMPARE(form->ScaleHeight(), 2400.0f);
    QCOMPARE(
        form->Width(), TwipsFromPixels(400 + estimate.left() + estimate.right(), TwipsPerPixelX()));
    QCOMPARE(form->Height(),
        TwipsFromPixels(160 + menuBar + estimate.top() + estimate.bottom(), TwipsPerPixelY()));
}

void tst_form::outerSizeWhenShown()
{
    FormInstance<ResizingForm> form;
    QVERIFY(showAndWait(*form));
    QWidget *window = form->window();
    const QRect inside = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins reported(inside.left() - outer.left(), inside.top() - outer.top(),
        outer.right() - inside.right(), outer.bottom() - inside.bottom());

    if (platformHasWindowManager()) {
        // A window manager's frame is the one counted.
        QVERIFY(!reported.isNull());
        QCOMPARE(form->Frame(), reported);
    } else {
        // The offscreen platform's fake frame (and no frame at all) is replaced by the estimate.
        QCOMPARE(form->Frame(), Form::FrameEstimate());
    }
    const QMargins frame = form->Frame();
    QCOMPARE(form->Width(),
        TwipsFromPixels(inside.width() + frame.left() + frame.right(), TwipsPerPixelX()));
    QCOMPARE(form->Height(),
        TwipsFromPixels(inside.height() + frame.top() + frame.bottom(), TwipsPerPixelY()));

    // Setting the outer size gives the window that size less the frame.
    form->setWidth(9000);
    QCOMPARE(form->Width(), 9000.0f);
    QCOMPARE(
        window->width(), PixelsFromTwips(9000, TwipsPerPixelX()) - frame.left() - frame.right());
}

void tst_form::outerSizeSetByCodeKeepsWhenFrameArrives()
{
    // The viewer sets its outer height in Form_Load, before any frame is known.
    FormInstance<PrintForm> form;
    form->setHeight(2050);
    QCOMPARE(form->Height(), 2050.0f);
    QVERIFY(showAndWait(*form));
    QCOMPARE(form->Height(), 2050.0f);
    const QMargins frame = form->Frame();
    QCOMPARE(form->window()->height(),
        PixelsFromTwips(2050, TwipsPerPixelY()) - frame.top() - frame.bottom());
}

void tst_form::resizeRaisedOnFirstShowAndOncePerSize()
{
    FormInstance<ResizingForm> form;
    form->setHeight(6000); // hidden: no event yet
    QVERIFY(form->seen.isEmpty());
    form->Show();
    // Raised by Show itself, before it returns.
    QVERIFY(!form->seen.isEmpty());
    QCOMPARE(form->seen.first().height(), 6000.0);
    QVERIFY(QTest::qWaitForWindowExposed(form->window()));
    if (platformHasWindowManager())
        waitForFrame(*form);
    // A window manager's frame replacing the estimate changes the outer width once more; the
    // height set by code stays. Never twice in a row for one size.
    for (qsizetype i = 1; i < form->seen.size(); ++i)
        QVERIFY(form->seen[i] != form->seen[i - 1]);
    QCOMPARE(form->seen.last(), QSizeF(form->Width(), form->Height()));
    QCOMPARE(form->Height(), 6000.0f);
    const qsizetype raised = form->seen.size();

    form->Show(); // shown already: nothing more
    form->setHeight(6000); // the same size
    form->Hide();
    QVERIFY(showAndWait(*form));
    QCOMPARE(form->seen.size(), raised);

    form->Hide();
    form->setHeight(5000); // changed while hidden: raised when shown again
    QCOMPARE(form->seen.size(), raised);
    QVERIFY(showAndWait(*form));
    QCOMPARE(form->seen.size(), raised + 1);
    QCOMPARE(form->seen.last().height(), 5000.0);
}

void tst_form::nestedResize_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<float>("value");
    QTest::addColumn<QList<qreal>>("entries"); // the changed dimension at each entry after showing
    QTest::addColumn<int>("maxDepth");
    QTest::addColumn<float>("fileHeight");
    QTest::addColumn<float>("dirWidth");

    QTest::newRow("height below minimum")
        << "Height" << 2000.0f << QList<qreal> { 2000, 3540 } << 2 << 1440.0f << -1.0f;
    QTest::newRow("width below minimum")
        << "Width" << 5000.0f << QList<qreal> { 5000, 6525 } << 2 << -1.0f << 2002.5f;
    QTest::newRow("height above minimum")
        << "Height" << 6000.0f << QList<qreal> { 6000 } << 1 << 3900.0f << -1.0f;
    QTest::newRow("width at reference")
        << "Width" << 7830.0f << QList<qreal> { 7830 } << 1 << -1.0f << 2655.0f;
}

void tst_form::nestedResize()
{
    QFETCH(QString, property);
    QFETCH(float, value);
    QFETCH(QList<qreal>, entries);
    QFETCH(int, maxDepth);
    QFETCH(float, fileHeight);
    QFETCH(float, dirWidth);

    FormInstance<ResizingForm> form;
    QVERIFY(showAndWait(*form));
    form->seen.clear();
    form->maxDepth = 0;

    const bool height = property == "Height";
    if (height)
        form->setHeight(value);
    else
        form->setWidth(value);

    // Every run happened before the assignment returned, the nested one inside the outer one.
    QList<qreal> changed;
    for (const QSizeF &size : std::as_const(form->seen))
        changed.append(height ? size.height() : size.width());
    QCOMPARE(changed, entries);
    QCOMPARE(form->maxDepth, maxDepth);
    QCOMPARE(height ? form->Height() : form->Width(), float(entries.last()));
    // The outer run read the corrected size again and ended with the layout for it.
    if (fileHeight >= 0)
        QCOMPARE(form->File1.Height(), fileHeight);
    if (dirWidth >= 0)
        QCOMPARE(form->Dir1.Width(), dirWidth);
}

void tst_form::lifecycle()
{
    LifeApp app;
    QVERIFY(!app.frmLife.IsLoaded());

    // Touching a control creates and loads the form, hidden.
    app.frmLife->Text1.setText("set by code");
    QVERIFY(app.frmLife.IsLoaded());
    QCOMPARE(app.counters.loads, 1);
    QVERIFY(!app.counters.visibleDuringLoad);
    QVERIFY(!app.frmLife->Visible());

    QVERIFY(showAndWait(*app.frmLife));
    typeInto(app.frmLife->Text1, " and typed");
    app.frmLife->Hide();
    QVERIFY(!app.frmLife->Visible());
    QVERIFY(showAndWait(*app.frmLife));
    // Hide kept the form and what was typed; showing a shown form loads nothing again.
    const QPointer<QWidget> window = app.frmLife->window();
    app.frmLife->Show();
    QCOMPARE(app.frmLife->window(), window.data());
    QCOMPARE(app.frmLife->Text1.Text(), QString("set by code and typed"));
    QCOMPARE(app.counters.loads, 1);

    // The close box unloads and discards it.
    closeByCloseBox(*app.frmLife);
    QCOMPARE(app.counters.unloads, 1);
    QVERIFY(!app.frmLife.IsLoaded());
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(window.isNull());

    // The next use starts from the design state.
    QCOMPARE(app.frmLife->Text1.Text(), QString("design"));
    QCOMPARE(app.counters.loads, 2);
    QVERIFY(!app.frmLife->Visible());

    // Unloading from code works on a hidden form too.
    app.frmLife->Unload();
    QCOMPARE(app.counters.unloads, 2);
    QVERIFY(!app.frmLife.IsLoaded());
}

void tst_form::printedLinesSurviveRepaint()
{
    FormInstance<PrintForm> form;
    QVERIFY(showAndWait(*form));
    form->Print("StarA & 1 & 2 \\\\");
    form->Print("StarB & 3 & 4 \\\\");
    QCOMPARE(form->PrintedLines(), (QStringList { "StarA & 1 & 2 \\\\", "StarB & 3 & 4 \\\\" }));
    const int line = PixelsFromTwips(form->TextHeight("X"), TwipsPerPixelY());
    QCOMPARE(form->CurrentY(), 2 * form->TextHeight("X"));
    QCOMPARE(form->CurrentX(), 0.0f);

    const QImage before = form->clientArea()->grab().toImage();
    QVERIFY(darkPixels(before, 0, line) > 20);
    QVERIFY(darkPixels(before, line, line) > 20);
    QCOMPARE(darkPixels(before, 2 * line, before.height()), 0);

    // Covered and uncovered (hidden and shown again), then resized: drawn again from what was kept.
    form->Hide();
    QVERIFY(showAndWait(*form));
    form->setWidth(form->Width() + 1500);
    const QImage after = form->clientArea()->grab().toImage();
    QCOMPARE(darkPixels(after, 0, line), darkPixels(before, 0, line));
    QCOMPARE(darkPixels(after, line, line), darkPixels(before, line, line));

    form->Cls();
    QVERIFY(form->PrintedLines().isEmpty());
    QCOMPARE(form->CurrentY(), 0.0f);
    QCOMPARE(darkPixels(form->clientArea()->grab().toImage(), 0, 2 * line), 0);
}

void tst_form::veryLongLineDrawnAsFarAsItShows()
{
    FormInstance<PrintForm> form;
    QVERIFY(showAndWait(*form));
    form->Print(QString(2'000'000, u'W'));
    const int line = PixelsFromTwips(form->TextHeight("X"), TwipsPerPixelY());
    QVERIFY(darkPixels(form->clientArea()->grab().toImage(), 0, line) > 20);

    // What a paint draws, recorded: the characters that fit the width, not two million.
    QPicture drawn;
    form->clientArea()->render(&drawn);
    QVERIFY2(drawn.size() < 200'000, QByteArray::number(drawn.size()));
    QVERIFY(drawn.size() > 0);
}

void tst_form::tabOrderFollowsSetting()
{
    FormInstance<TabForm> form;
    form->Text1[2].setVisible(false);
    QVERIFY(showAndWait(*form));
    form->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form->window()));

    form->Text1[3].SetFocus();
    QTRY_COMPARE(QApplication::focusWidget(), form->Text1[3].widget());
    const QList<QWidget *> expected { form->Text1[1].widget(), form->Text1[0].widget() };
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // The hidden member is skipped.
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_form::fontsMapToInstalledFamilies_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("MS Sans Serif") << "MS Sans Serif";
    QTest::newRow("MS Serif") << "MS Serif";
    QTest::newRow("Arial") << "Arial";
}

void tst_form::fontsMapToInstalledFamilies()
{
    QFETCH(QString, name);
    // Without fonts every letter renders as an empty box; the set-up installs fonts-dejavu-core.
    QVERIFY2(Toolkit::FontsAvailable(), "no fonts installed");
    const QString family = Toolkit::SubstituteFamily(name);
    QVERIFY(family != name);
    const QFont font = Toolkit::MakeFont(name, 8.25f, true);
    QCOMPARE(QFontInfo(font).family(), family);
    QVERIFY(QFontInfo(font).bold());
    QVERIFY(QFontMetrics(font).inFont(QChar('A')));
}

void tst_form::messageBoxIsPlain()
{
    gui->toolkit().setMsgBoxAnswerer({});
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool modal = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        answer.stop();
        caption = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        icon = box->icon();
        modal = box->isModal();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    answer.start(20);
    MsgBox(u"Hey, you need to complete the boxes!");
    QCOMPARE(caption, QString("Cellwright"));
    QCOMPARE(text, QString("Hey, you need to complete the boxes!"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QVERIFY(modal);

    // The seam answers at once and records the text.
    gui.reset();
    gui = std::make_unique<GuiFixture>();
    MsgBox("Read error of some kind");
    QCOMPARE(gui->messages(), QStringList { "Read error of some kind" });
}

void tst_form::endClosesEverythingAndRunsNoHandler()
{
    FormInstance<EndForm> main { [] { return std::make_unique<EndForm>(true); } };
    FormInstance<EndForm> other { [] { return std::make_unique<EndForm>(false); } };
    QVERIFY(showAndWait(*main));
    QVERIFY(showAndWait(*other));
    click(other->Command1);
    QCOMPARE(other->clicks, 1);

    // Closing the main window ends the program.
    closeByCloseBox(*main);
    QVERIFY(gui->toolkit().ended());
    QCOMPARE(main->unloads, 1);
    QVERIFY(!main->Visible());
    QVERIFY(!other->Visible());
    QCOMPARE(other->unloads, 0);

    // Nothing runs any more.
    static_cast<QPushButton *>(other->Command1.widget())->click();
    QCOMPARE(other->clicks, 1);
    MsgBox("after the end");
    QVERIFY(gui->messages().isEmpty());
    other->Show();
    QVERIFY(!other->Visible());
    QCOMPARE(gui->toolkit().Run(), 0);
}

void tst_form::screenshotShowsForm()
{
    FormInstance<SampleForm> form;
    QVERIFY(showAndWait(*form));
    const QString file
        = saveScreenshot(*form, QString("sample-form-") + QGuiApplication::platformName());
    QVERIFY(!file.isEmpty());
    const QImage image(file);
    QCOMPARE(image.size(), form->window()->size() * form->window()->devicePixelRatio());
    // The title label's dark red letters are there.
    const QPoint client = form->clientArea()->mapTo(form->window(), QPoint(0, 0));
    const QRect title(
        client + QPoint(ToPixelsX(240), ToPixelsY(120)), QSize(ToPixelsX(5500), ToPixelsY(375)));
    int red = 0;
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            if (QColor(image.pixel(x, y)).red() > 100 && QColor(image.pixel(x, y)).blue() < 80)
                ++red;
    QVERIFY(red > 50);
}

QTEST_MAIN(tst_form)
#include "tst_form.moc"
