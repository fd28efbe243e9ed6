#include "form.h"

#include "control.h"
#include "toolkit.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace cellwright {

namespace {

// Size of a new form's client area until its design sets one.
constexpr Twips DefaultClientWidth = 4680;
constexpr Twips DefaultClientHeight = 3195;
const QString DefaultFontName = QStringLiteral("MS Sans Serif");
constexpr float DefaultFontSize = 8.25f;

bool ended() noexcept
{
    return detail::ProgramEnded();
}

// The offscreen and minimal platforms draw no frame; what they report is not a real one.
// The one local file a drag carries, or empty.
QString DroppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

bool platformDrawsFrames()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

// The top-level window: menu bar above, client area below.
class FormWindow : public QMainWindow {
public:
    explicit FormWindow(Form &form)
        : m_form(form)
    {
    }

protected:
    void closeEvent(QCloseEvent *event) override { m_form.closeRequested(event); }

    void dragEnterEvent(QDragEnterEvent *event) override
    {
        if (!DroppedFile(event->mimeData()).isEmpty())
            event->acceptProposedAction();
    }

    void dropEvent(QDropEvent *event) override
    {
        const QString path = DroppedFile(event->mimeData());
        if (path.isEmpty() || ended())
            return;
        event->acceptProposedAction();
        m_form.Form_FileDrop(path);
    }

    bool event(QEvent *event) override
    {
        const QEvent::Type type = event->type();
        const bool handled = QMainWindow::event(event);
        if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::WindowStateChange)
            m_form.geometryChanged(type == QEvent::Resize);
        return handled;
    }

private:
    Form &m_form;
};

// The client area: the form's background and printed text; the controls sit on it.
class ClientArea : public QWidget {
public:
    explicit ClientArea(Form &form)
        : m_form(form)
    {
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        m_form.paintPrinted(painter, event->rect());
    }

private:
    Form &m_form;
};

Form::Form()
    : m_fontName(DefaultFontName)
    , m_backColor(SysButtonFace)
    , m_foreColor(SysWindowText)
{
    m_window = new FormWindow(*this);
    m_client = new ClientArea(*this);
    m_window->setCentralWidget(m_client);
    m_client->setFont(Toolkit::MakeFont(DefaultFontName, DefaultFontSize));
    applyFlags();
    applyColors();
    if (Toolkit *toolkit = Toolkit::current())
        toolkit->m_forms.push_back(this);
    m_frameInUse = Frame();
    setClientSize(DefaultClientWidth, DefaultClientHeight);
}

Form::~Form()
{
    if (Toolkit *toolkit = Toolkit::current())
        std::erase(toolkit->m_forms, this);
    // Controls are members of the derived form and are gone already; the window takes the rest.
    delete m_window;
}

void Form::load(std::function<void()> discarded)
{
    m_discarded = std::move(discarded);
    if (!ended())
        Form_Load();
}

QString Form::Caption() const
{
    return m_window->windowTitle();
}

void Form::setCaption(const QString &caption)
{
    m_window->setWindowTitle(caption);
}

QSize Form::OuterSize(QSize inside, QMargins frame) noexcept
{
    return inside.grownBy(frame);
}

QMargins Form::FrameEstimate() noexcept
{
    return QMargins(4, 23, 4, 4);
}

QMargins Form::Frame() const
{
    if (m_border == Border::None)
        return QMargins();
    Toolkit *toolkit = Toolkit::current();
    const int kind = int(m_border);
    if (m_window->isVisible() && platformDrawsFrames()) {
        const QRect inside = m_window->geometry();
        const QRect outer = m_window->frameGeometry();
        const QMargins reported(inside.left() - outer.left(), inside.top() - outer.top(),
            outer.right() - inside.right(), outer.bottom() - inside.bottom());
        if (!reported.isNull()) {
            // Remembered, so that forms not shown yet count the same frame.
            if (toolkit)
                toolkit->m_frames.insert(kind, reported);
            return reported;
        }
    }
    if (toolkit && toolkit->m_frames.contains(kind))
        return toolkit->m_frames.value(kind);
    return FrameEstimate();
}

QSize Form::outerPixels() const
{
    return OuterSize(m_window->size(), Frame());
}

Twips Form::Width() const
{
    return ReadBackTwips(m_width, outerPixels().width(), TwipsPerPixelX());
}

Twips Form::Height() const
{
    return ReadBackTwips(m_height, outerPixels().height(), TwipsPerPixelY());
}

void Form::setWidth(Twips width)
{
    m_width = width;
    m_widthByCode = true;
    const QMargins frame = Frame();
    resizeInside(QSize(ToPixelsX(width) - frame.left() - frame.right(), m_window->height()));
}

void Form::setHeight(Twips height)
{
    m_height = height;
    m_heightByCode = true;
    const QMargins frame = Frame();
    resizeInside(QSize(m_window->width(), ToPixelsY(height) - frame.top() - frame.bottom()));
}

Twips Form::ScaleWidth() const
{
    return ToTwipsX(m_window->width());
}

Twips Form::ScaleHeight() const
{
    return ToTwipsY(m_window->height() - menuBarHeight());
}

void Form::setClientSize(Twips width, Twips height)
{
    m_widthByCode = false;
    m_heightByCode = false;
    resizeInside(QSize(ToPixelsX(width), ToPixelsY(height) + menuBarHeight()));
}

void Form::resizeInside(QSize inside)
{
    inside = inside.expandedTo(QSize(1, 1));
    m_applied = inside;
    const bool fixed = m_border != Border::Sizable;
    if (fixed) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // On a shown window the resize event arrives before resize() returns, and with it a nested
    // Form_Resize; the call below only catches a platform that delivers it later.
    m_window->resize(inside);
    if (fixed)
        m_window->setFixedSize(m_window->size());
    raiseResize();
}

Twips Form::Left() const
{
    return ReadBackTwips(m_left, m_window->geometry().x(), TwipsPerPixelX());
}

void Form::setLeft(Twips left)
{
    m_left = left;
    QRect inside = m_window->geometry();
    inside.moveLeft(ToPixelsX(left));
    m_window->setGeometry(inside);
}

Twips Form::Top() const
{
    return ReadBackTwips(m_top, m_window->geometry().y(), TwipsPerPixelY());
}

void Form::setTop(Twips top)
{
    m_top = top;
    QRect inside = m_window->geometry();
    inside.moveTop(ToPixelsY(top));
    m_window->setGeometry(inside);
}

void Form::geometryChanged(bool resized)
{
    // A size the code did not give (the user dragged, the window manager adjusted) is the form's
    // size from now on, also when the frame changes.
    if (resized && m_window->size() != m_applied) {
        m_widthByCode = false;
        m_heightByCode = false;
        m_applied = m_window->size();
    }
    frameMaybeChanged();
    raiseResize();
}

void Form::frameMaybeChanged()
{
    const QMargins frame = Frame();
    if (frame == m_frameInUse)
        return;
    m_frameInUse = frame;
    // The platform's frame replaces the estimate: an outer size the code set stays that size.
    if (m_widthByCode || m_heightByCode) {
        QSize inside = m_window->size();
        if (m_widthByCode)
            inside.setWidth(ToPixelsX(m_width) - frame.left() - frame.right());
        if (m_heightByCode)
            inside.setHeight(ToPixelsY(m_height) - frame.top() - frame.bottom());
        resizeInside(inside);
    }
}

void Form::raiseResize()
{
    if (!m_shownOnce || !m_window->isVisible() || ended())
        return;
    const QSize outer = outerPixels();
    if (m_resizedOnce && outer == m_lastResized)
        return;
    // Recorded first: a size set by the handler raises the event again, nested.
    m_resizedOnce = true;
    m_lastResized = outer;
    Form_Resize();
}

QMenuBar *Form::menuBar()
{
    const bool existed = m_window->menuWidget() != nullptr;
    QMenuBar *bar = m_window->menuBar();
    if (!existed)
        bar->setNativeMenuBar(false);
    return bar;
}

int Form::menuBarHeight() const
{
    const QWidget *bar = m_window->menuWidget();
    if (!bar)
        return 0;
    return m_window->isVisible() ? bar->height() : bar->sizeHint().height();
}

void Form::syncMenuBarHeight()
{
    // The menu bar is not part of the client area: the window grows by it.
    const int height = menuBarHeight();
    if (height == m_menuBarHeight)
        return;
    const QSize inside(m_window->width(), m_window->height() + height - m_menuBarHeight);
    m_menuBarHeight = height;
    resizeInside(inside);
}

OleColor Form::BackColor() const
{
    return m_backColor;
}

void Form::setBackColor(OleColor color)
{
    m_backColor = color;
    applyColors();
}

OleColor Form::ForeColor() const
{
    return m_foreColor;
}

void Form::setForeColor(OleColor color)
{
    m_foreColor = color;
    applyColors();
}

void Form::applyColors()
{
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, ToQColor(m_backColor));
    palette.setColor(QPalette::WindowText, ToQColor(m_foreColor));
    m_client->setPalette(palette);
}

void Form::setFont(const QString &name, float points, bool bold, bool italic)
{
    m_fontName = name;
    m_client->setFont(Toolkit::MakeFont(name, points, bold, italic));
}

QString Form::FontName() const
{
    return m_fontName;
}

float Form::FontSize() const
{
    return float(m_client->font().pointSizeF());
}

bool Form::FontBold() const
{
    return m_client->font().bold();
}

void Form::setAcceptFileDrop(bool accept)
{
    m_window->setAcceptDrops(accept);
}

void Form::setBorderStyle(Border border)
{
    m_border = border;
    applyFlags();
}

void Form::setMinButton(bool shown)
{
    m_minButton = shown;
    applyFlags();
}

void Form::setMaxButton(bool shown)
{
    m_maxButton = shown;
    applyFlags();
}

void Form::applyFlags()
{
    Qt::WindowFlags flags = Qt::Window;
    if (m_border == Border::None) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint;
        if (m_minButton && m_border != Border::FixedDialog)
            flags |= Qt::WindowMinimizeButtonHint;
        if (m_maxButton && m_border == Border::Sizable)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    const bool visible = m_window->isVisible();
    m_window->setWindowFlags(flags);
    if (m_border == Border::Sizable) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        m_window->setFixedSize(m_window->size());
    }
    if (visible)
        m_window->show();
}

WindowMode Form::WindowState() const
{
    const Qt::WindowStates state = m_window->windowState();
    if (state & Qt::WindowMinimized)
        return WindowMode::Minimized;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowMode::Maximized;
    return WindowMode::Normal;
}

void Form::setWindowState(WindowMode mode)
{
    const Qt::WindowState state = mode == WindowMode::Minimized ? Qt::WindowMinimized
        : mode == WindowMode::Maximized                         ? Qt::WindowMaximized
                                                                : Qt::WindowNoState;
    m_window->setWindowState(state);
}

void Form::Show()
{
    if (ended())
        return;
    if (m_window->isVisible()) {
        m_window->raise();
        m_window->activateWindow();
        return;
    }
    m_window->show();
    m_shownOnce = true;
    frameMaybeChanged();
    raiseResize();
}

void Form::Hide()
{
    m_window->hide();
}

bool Form::Visible() const
{
    return m_window->isVisible();
}

void Form::Unload()
{
    m_window->close();
}

void Form::closeRequested(QCloseEvent *event)
{
    // The close is never refused.
    event->accept();
    if (ended() || m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    if (ended())
        return;
    if (m_discarded) {
        // The holder lets go of the form; it is deleted once this event is over.
        auto discard = std::move(m_discarded);
        m_discarded = nullptr;
        discard();
    } else {
        m_unloading = false;
    }
}

void Form::Print(const QString &text)
{
    m_printed.push_back(
        PrintedLine { m_currentX, m_currentY, text, m_client->font(), ToQColor(m_foreColor) });
    m_currentX = 0;
    m_currentY += TextHeight(text);
    m_client->update();
}

void Form::Cls()
{
    m_printed.clear();
    m_currentX = 0;
    m_currentY = 0;
    m_client->update();
}

Twips Form::TextHeight(const QString &) const
{
    return ToTwipsY(QFontMetrics(m_client->font()).height());
}

Twips Form::TextWidth(const QString &text) const
{
    return ToTwipsX(QFontMetrics(m_client->font()).horizontalAdvance(text));
}

QStringList Form::PrintedLines() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_printed.size()));
    for (const PrintedLine &line : m_printed)
        lines.append(line.text);
    return lines;
}

void Form::paintPrinted(QPainter &painter, const QRect &area) const
{
    for (const PrintedLine &line : m_printed) {
        const QFontMetrics metrics(line.font);
        const int left = ToPixelsX(line.x);
        const int top = ToPixelsY(line.y);
        if (line.text.isEmpty() || left > area.right() || top > area.bottom()
            || top + metrics.height() <= area.top())
            continue;
        // Only the start of a line that can show within the area is laid out: a table row of
        // millions of characters took seconds and gigabytes to shape at every paint. Every
        // character but a mark or a control is at least a pixel wide, so a few per pixel are
        // always enough.
        const qsizetype shown = qsizetype(area.right() - left + 1) * 4 + 16;
        QStringView text(line.text);
        if (text.size() > shown)
            text = text.first(text[shown - 1].isHighSurrogate() ? shown - 1 : shown);
        painter.setFont(line.font);
        painter.setPen(line.color);
        painter.drawText(left, top + metrics.ascent(), text.toString());
    }
}

void Form::setTabOrder(std::initializer_list<Control *> controls)
{
    setTabOrder(std::vector<Control *>(controls));
}

void Form::setTabOrder(const std::vector<Control *> &controls)
{
    int index = 0;
    for (Control *control : controls)
        control->m_tabIndex = index++;
    applyTabOrder();
}

void Form::applyTabOrder()
{
    std::vector<Control *> ordered;
    for (Control *control : m_controls)
        if (control->TabIndex() >= 0 && control->widget())
            ordered.push_back(control);
    std::stable_sort(ordered.begin(), ordered.end(),
        [](const Control *a, const Control *b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1]->widget(), ordered[i]->widget());
}

void Form::registerControl(Control *control)
{
    m_controls.push_back(control);
}

void Form::unregisterControl(Control *control)
{
    std::erase(m_controls, control);
}

QWidget *Form::window() const
{
    return m_window;
}

QWidget *Form::clientArea() const
{
    return m_client;
}

} // namespace cellwright
