// The open dialog's layout on resizing, checked on its controls: the figures at the minimum size
// and at the reference width, a window made 1000 twips wider, a window dragged below the minimum
// springing back in the dimension that was too small, the nested run a correction causes; and the
// save dialog, which keeps its controls where they are. Also a picture of both dialogs.
#include "dialogs_fixture.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSet>
#include <QTest>

using namespace cellwright;
using namespace cellwright::test;

namespace {

// The open dialog, recording each run of its resize handling: depth of nesting and outer size
// on entry and on leaving.
class RecordingOpen : public frmOpen {
public:
    using frmOpen::frmOpen;

    void Form_Resize() override
    {
        ++depth;
        runs.append(QString("enter %1 %2x%3").arg(depth).arg(Width()).arg(Height()));
        frmOpen::Form_Resize();
        runs.append(QString("leave %1 %2x%3").arg(depth).arg(Width()).arg(Height()));
        --depth;
    }

    int depth = 0;
    QStringList runs;
};

// What the window system does when the user drags the window's edges to an outer size.
void dragTo(Form &form, Twips width, Twips height)
{
    const QMargins frame = form.Frame();
    form.window()->resize(ToPixelsX(width) - frame.left() - frame.right(),
        ToPixelsY(height) - frame.top() - frame.bottom());
}

// Lets the window system catch up with earlier size requests, so that none of them arrives after
// the next one: waits until the window's size has stayed the same for a while.
void settle(Form &form)
{
    QSize last = form.window()->size();
    QElapsedTimer quiet;
    quiet.start();
    const bool settled = QTest::qWaitFor(
        [&] {
            if (form.window()->size() != last) {
                last = form.window()->size();
                quiet.restart();
            }
            return quiet.elapsed() >= 250;
        },
        5000);
    if (!settled)
        qWarning("the window's size kept changing");
}

// Every control's Left, Top, Width and Height.
QList<QRectF> geometryOf(const QList<Control *> &controls)
{
    QList<QRectF> rects;
    for (const Control *c : controls)
        rects.append(QRectF(c->Left(), c->Top(), c->Width(), c->Height()));
    return rects;
}

} // namespace

class tst_dialog_layout : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> gui;
    std::unique_ptr<CurrentScratch> folder;
    std::unique_ptr<DialogsApp> app;

    frmOpen &shownOpen()
    {
        app->startUp();
        if (!showAndWait(*app->frmOpen))
            qWarning("the open dialog did not show");
        return *app->frmOpen;
    }

    // Sets the outer size as code does and waits until the window has it.
    static bool resizeTo(Form &form, Twips width, Twips height)
    {
        form.setWidth(width);
        form.setHeight(height);
        return QTest::qWaitFor([&] { return form.Width() == width && form.Height() == height; });
    }

private slots:
    void init()
    {
        gui = std::make_unique<GuiFixture>();
        folder = std::make_unique<CurrentScratch>();
        folder->write("report.txt", "Title\r\nName\r\nAge\r\n");
        folder->write("tables.txt", "x\r\n");
        folder->write("data/one.txt", "1\r\n");
        app = std::make_unique<DialogsApp>();
    }
    void cleanup()
    {
        app.reset();
        folder.reset();
        gui.reset();
    }

    void laidOutWhenFirstShown();
    void figures_data();
    void figures();
    void widerBy1000_data();
    void widerBy1000();
    void draggedBelowMinimum_data();
    void draggedBelowMinimum();
    void correctionRunsNested();
    void saveDialogKeepsItsPositions_data();
    void saveDialogKeepsItsPositions();
    void screenshots();
};

void tst_dialog_layout::laidOutWhenFirstShown()
{
    frmOpen &form = *app->frmOpen;
    // Hidden, the design positions hold.
    QCOMPARE(form.Dir1.Left(), 3480.0f);
    QCOMPARE(form.Command1.Left(), 6000.0f);

    QVERIFY(showAndWait(form));
    const Twips W = form.Width();
    const Twips H = form.Height();
    QVERIFY(W >= 6525 && H >= 3540);
    QCOMPARE(form.File1.Height(), H - 2100);
    QCOMPARE(form.Dir1.Height(), H - 1890);
    QCOMPARE(form.Text1.Width(), (W - 7830) / 2 + 3015);
    QCOMPARE(form.Command1.Left(), form.Dir1.Width() + form.Text1.Width() + 570);
}

void tst_dialog_layout::figures_data()
{
    QTest::addColumn<float>("W");
    QTest::addColumn<float>("H");
    QTest::addColumn<float>("fileHeight");
    QTest::addColumn<float>("folderHeight");
    QTest::addColumn<float>("headingTop");
    QTest::addColumn<float>("boxTop");
    QTest::addColumn<float>("leftColumn");
    QTest::addColumn<float>("rightColumn");
    QTest::addColumn<float>("rightLeft");
    QTest::addColumn<float>("buttonsLeft");

    QTest::newRow("minimum size") << 6525.f << 3540.f << 1440.f << 1650.f << 2430.f << 2670.f
                                  << 2362.5f << 2002.5f << 2707.5f << 4935.f;
    QTest::newRow("reference width") << 7830.f << 5220.f << 3120.f << 3330.f << 4110.f << 4350.f
                                     << 3015.f << 2655.f << 3360.f << 6240.f;
    QTest::newRow("large") << 12000.f << 9000.f << 6900.f << 7110.f << 7890.f << 8130.f << 5100.f
                           << 4740.f << 5445.f << 10410.f;
}

void tst_dialog_layout::figures()
{
    QFETCH(float, W);
    QFETCH(float, H);
    QFETCH(float, fileHeight);
    QFETCH(float, folderHeight);
    QFETCH(float, headingTop);
    QFETCH(float, boxTop);
    QFETCH(float, leftColumn);
    QFETCH(float, rightColumn);
    QFETCH(float, rightLeft);
    QFETCH(float, buttonsLeft);

    frmOpen &form = shownOpen();
    QVERIFY(resizeTo(form, W, H));

    QCOMPARE(form.File1.Height(), fileHeight);
    QCOMPARE(form.Dir1.Height(), folderHeight);
    // The two bottom rows stay aligned across the columns.
    QCOMPARE(form.Label2.Top(), headingTop);
    QCOMPARE(form.Label5.Top(), headingTop);
    QCOMPARE(form.Combo1.Top(), boxTop);
    QCOMPARE(form.Drive1.Top(), boxTop);
    for (Control *c : QList<Control *> { &form.Text1, &form.File1, &form.Combo1 })
        QCOMPARE(c->Width(), leftColumn);
    for (Control *c : QList<Control *> { &form.Dir1, &form.Drive1 })
        QCOMPARE(c->Width(), rightColumn);
    for (Control *c :
        QList<Control *> { &form.Label3, &form.Label4, &form.Dir1, &form.Label5, &form.Drive1 })
        QCOMPARE(c->Left(), rightLeft);
    QCOMPARE(form.Command1.Left(), buttonsLeft);
    QCOMPARE(form.Command2.Left(), buttonsLeft);
    // The buttons' right edge keeps 255 twips from the window's outer edge.
    QCOMPARE(form.Command1.Left() + form.Command1.Width(), W - 255);

    // Nothing else moves.
    for (Control *c :
        QList<Control *> { &form.Label1, &form.Text1, &form.File1, &form.Label2, &form.Combo1 })
        QCOMPARE(c->Left(), 120.0f);
    const QList<std::pair<Control *, float>> tops { { &form.Label1, 120.f }, { &form.Text1, 360.f },
        { &form.File1, 840.f }, { &form.Label3, 120.f }, { &form.Label4, 360.f },
        { &form.Dir1, 720.f }, { &form.Command1, 720.f }, { &form.Command2, 1200.f } };
    for (const auto &[c, top] : tops)
        QCOMPARE(c->Top(), top);
    QCOMPARE(form.Text1.Height(), 315.0f);
    QCOMPARE(form.Drive1.Height(), 315.0f);
    QCOMPARE(form.Label4.Width(), 3975.0f);
    QCOMPARE(form.Command1.Width(), 1335.0f);

    // Half twips reach the widgets as whole pixels, halves rounded away from zero.
    QCOMPARE(form.Text1.widget()->width(), PixelsFromTwips(leftColumn, TwipsPerPixelX()));
    QCOMPARE(form.Dir1.widget()->x(), PixelsFromTwips(rightLeft, TwipsPerPixelX()));
}

void tst_dialog_layout::widerBy1000_data()
{
    QTest::addColumn<float>("W");
    QTest::newRow("from the minimum") << 6525.f;
    QTest::newRow("from the reference width") << 7830.f;
    QTest::newRow("from an odd width") << 8115.f;
}

void tst_dialog_layout::widerBy1000()
{
    QFETCH(float, W);
    frmOpen &form = shownOpen();
    QVERIFY(resizeTo(form, W, 5220));
    const float leftColumn = form.File1.Width();
    const float rightColumn = form.Dir1.Width();
    const float rightLeft = form.Dir1.Left();
    const float buttonsLeft = form.Command1.Left();
    const float fileHeight = form.File1.Height();

    QVERIFY(resizeTo(form, W + 1000, 5220));
    QCOMPARE(form.File1.Width(), leftColumn + 500);
    QCOMPARE(form.Combo1.Width(), leftColumn + 500);
    QCOMPARE(form.Dir1.Width(), rightColumn + 500);
    QCOMPARE(form.Drive1.Width(), rightColumn + 500);
    QCOMPARE(form.Dir1.Left(), rightLeft + 500);
    QCOMPARE(form.Label4.Left(), rightLeft + 500);
    QCOMPARE(form.Command1.Left(), buttonsLeft + 1000);
    QCOMPARE(form.Command2.Left(), buttonsLeft + 1000);
    QCOMPARE(form.File1.Height(), fileHeight);
}

void tst_dialog_layout::draggedBelowMinimum_data()
{
    QTest::addColumn<float>("dragW");
    QTest::addColumn<float>("dragH");
    QTest::addColumn<float>("W");
    QTest::addColumn<float>("H");

    QTest::newRow("too narrow") << 5010.f << 5010.f << 6525.f << 5010.f;
    QTest::newRow("too short") << 8010.f << 1995.f << 8010.f << 3540.f;
    QTest::newRow("both") << 3990.f << 1500.f << 6525.f << 3540.f;
    QTest::newRow("just below in both") << 6510.f << 3525.f << 6525.f << 3540.f;
}

void tst_dialog_layout::draggedBelowMinimum()
{
    QFETCH(float, dragW);
    QFETCH(float, dragH);
    QFETCH(float, W);
    QFETCH(float, H);

    frmOpen &form = shownOpen();
    QVERIFY(resizeTo(form, 9000, 6000));
    settle(form);
    QCOMPARE(form.Width(), 9000.0f);
    dragTo(form, dragW, dragH);
    QTRY_COMPARE(form.Width(), W);
    QTRY_COMPARE(form.Height(), H);
    QTest::qWait(50);
    QCOMPARE(form.Width(), W);
    QCOMPARE(form.Height(), H);

    // Laid out for the corrected size; every width and height stays positive.
    QCOMPARE(form.File1.Height(), H - 2100);
    QCOMPARE(form.Dir1.Height(), H - 1890);
    QCOMPARE(form.Combo1.Top(), H - 870);
    QCOMPARE(form.Text1.Width(), (W - 7830) / 2 + 3015);
    QCOMPARE(form.Drive1.Width(), (W - 7830) / 2 + 2655);
    QCOMPARE(form.Command2.Left(), W - 255 - 1335);
    QVERIFY(form.File1.Height() >= 1440 && form.Dir1.Width() >= 2002.5f);
}

void tst_dialog_layout::correctionRunsNested()
{
    FormInstance<RecordingOpen> open { [this] {
        return std::make_unique<RecordingOpen>(app->state, [this] { app->engine.ReadDocument(); });
    } };
    RecordingOpen &form = *open;
    QVERIFY(showAndWait(form));
    QVERIFY(resizeTo(form, 8010, 6000));
    form.runs.clear();

    form.setHeight(1995);
    // The correction in the first step lays out the corrected size inside the run it came from,
    // which then reads the size afresh and ends with the same layout.
    QCOMPARE(form.runs.mid(0, 4),
        (QStringList {
            "enter 1 8010x1995", "enter 2 8010x3540", "leave 2 8010x3540", "leave 1 8010x3540" }));
    QCOMPARE(form.File1.Height(), 1440.0f);
    QCOMPARE(form.Label2.Top(), 2430.0f);
}

void tst_dialog_layout::saveDialogKeepsItsPositions_data()
{
    QTest::addColumn<float>("W");
    QTest::addColumn<float>("H");
    QTest::newRow("larger") << 12000.f << 9000.f;
    QTest::newRow("smaller") << 3000.f << 2000.f;
}

void tst_dialog_layout::saveDialogKeepsItsPositions()
{
    QFETCH(float, W);
    QFETCH(float, H);

    app->startUp();
    frmSaveAs &form = *app->frmSaveAs;
    const QList<Control *> controls { &form.Label1, &form.Text1, &form.File1, &form.Label2,
        &form.Combo1, &form.Label3, &form.Label4, &form.Dir1, &form.Label5, &form.Drive1,
        &form.Command1, &form.Command2 };
    const QList<QRectF> design = geometryOf(controls);
    QCOMPARE(design[2], QRectF(120, 840, 2415, 3540));
    QCOMPARE(design[11], QRectF(5520, 1200, 1335, 375));

    QVERIFY(showAndWait(form));
    QVERIFY(resizeTo(form, W, H));
    QCOMPARE(geometryOf(controls), design);
}

void tst_dialog_layout::screenshots()
{
    folder->write("a-rather-long-file-name-for-the-list.txt", "x\r\n");
    frmOpen &open = shownOpen();
    frmSaveAs &save = *app->frmSaveAs;
    QVERIFY(showAndWait(save));
    const QString platform = QGuiApplication::platformName();
    for (Form *form : QList<Form *> { &open, &save }) {
        const QString name = (form == &open ? "frmOpen-" : "frmSaveAs-") + platform;
        const QString file = saveScreenshot(*form, name);
        QVERIFY2(!file.isEmpty(), qPrintable(name));
        // The picture has the window's size and shows text, not a few flat colours.
        const QImage image(file);
        QCOMPARE(image.size(), form->window()->size() * form->window()->devicePixelRatio());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 16, qPrintable(QString::number(colours.size())));
    }
    // The open dialog at its smallest.
    QVERIFY(resizeTo(open, 6525, 3540));
    QVERIFY(!saveScreenshot(open, "frmOpen-minimum-" + platform).isEmpty());
}

QTEST_MAIN(tst_dialog_layout)
#include "tst_dialog_layout.moc"
