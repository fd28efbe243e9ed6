// Form: one window of the program. A form class derives from Form, creates its controls as
// members, sets their design properties in its constructor and overrides the handlers it needs.
//
// Width and Height are the OUTER size: frame, title bar and menu bar included. The frame is the
// one the platform reports once the window is shown; where it reports none (the offscreen
// platform, or an X server without a window manager) FrameEstimate() is used instead, so that
// layout arithmetic is the same everywhere. Left and Top are the position of the window's inside
// (below the title bar) on the screen.
#pragma once

#include "color.h"
#include "twips.h"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QCloseEvent;
class QMenuBar;
class QPainter;
class QWidget;

namespace cellwright {

class Control;
class FormWindow;
class ClientArea;

enum class Border {
    None,
    FixedSingle, // not resizable
    Sizable,
    FixedDialog, // not resizable, no minimize or maximize button
};

enum class WindowMode {
    Normal,
    Minimized,
    Maximized,
};

class Form {
public:
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;
    virtual ~Form();

    // Handlers a form overrides. Form_Load runs once, hidden, when the form is created (see
    // FormInstance). Form_Resize runs when the form is first shown and after every change of its
    // outer size, never twice for one size; a size set by the handler itself raises it again,
    // nested, before the assignment returns. Form_Unload runs when the user closes the window;
    // the form is then discarded.
    virtual void Form_Load() { }
    virtual void Form_Resize() { }
    virtual void Form_Unload() { }
    // One local file dropped onto the form, when it accepts file drops; anything else dropped
    // (several files, a web address, text) is refused before it arrives.
    virtual void Form_FileDrop(const QString &path) { static_cast<void>(path); }

    // Whether the form takes a file dropped from the file manager; off by default.
    void setAcceptFileDrop(bool accept);

    // Title bar text.
    QString Caption() const;
    void setCaption(const QString &caption);

    // Outer size in twips. Setting it on a shown form resizes the window at once and raises
    // Form_Resize (nested) before returning. A getter returns the value set while the window
    // still has exactly the pixels it rounds to.
    Twips Width() const;
    void setWidth(Twips width);
    Twips Height() const;
    void setHeight(Twips height);
    // Size of the client area (below the menu bar, inside the frame): the design size.
    Twips ScaleWidth() const;
    Twips ScaleHeight() const;
    void setClientSize(Twips width, Twips height);
    // Screen position of the window's inside (for manual placement).
    Twips Left() const;
    void setLeft(Twips left);
    Twips Top() const;
    void setTop(Twips top);

    // Background of the client area and colour of printed text; labels without colours of their
    // own take them too.
    OleColor BackColor() const;
    void setBackColor(OleColor color);
    OleColor ForeColor() const;
    void setForeColor(OleColor color);
    // The form's font (controls without a font of their own take it); see Control::setFont.
    void setFont(const QString &name, float points, bool bold = false, bool italic = false);
    QString FontName() const;
    float FontSize() const;
    bool FontBold() const;

    // Frame kind and buttons; set in the constructor.
    Border BorderStyle() const noexcept { return m_border; }
    void setBorderStyle(Border border);
    bool MinButton() const noexcept { return m_minButton; }
    void setMinButton(bool shown);
    bool MaxButton() const noexcept { return m_maxButton; }
    void setMaxButton(bool shown);

    // Normal, minimized or maximized.
    WindowMode WindowState() const;
    void setWindowState(WindowMode mode);

    // Makes the form visible, modeless, without an owner, and raises Form_Resize the first time.
    // On a shown form it only brings the window to the front.
    void Show();
    // Hides the form; it keeps every control's state.
    void Hide();
    bool Visible() const;
    // Closes the form as the close box does: Form_Unload, then the form is discarded.
    void Unload();

    // Draws text at (CurrentX, CurrentY) in the form's font and ForeColor, then moves to the left
    // edge of the next line. Printed text is kept and painted again whenever needed.
    void Print(const QString &text = QString());
    // Clears printed text and moves the text position to the top-left corner.
    void Cls();
    Twips CurrentX() const noexcept { return m_currentX; }
    void setCurrentX(Twips x) noexcept { m_currentX = x; }
    Twips CurrentY() const noexcept { return m_currentY; }
    void setCurrentY(Twips y) noexcept { m_currentY = y; }
    // Height of one printed line and width of a text, in twips, in the form's font.
    Twips TextHeight(const QString &text) const;
    Twips TextWidth(const QString &text) const;
    // Lines printed since the last Cls, in order (for tests and for repainting).
    QStringList PrintedLines() const;

    // Keyboard order: sets TabIndex 0, 1, 2 ... on these controls in turn.
    void setTabOrder(std::initializer_list<Control *> controls);
    void setTabOrder(const std::vector<Control *> &controls);

    // The frame where the platform reports none, in pixels: 4 left, 23 top (title bar and
    // border), 4 right, 4 bottom.
    static QMargins FrameEstimate() noexcept;
    // The frame counted in Width and Height now, in pixels.
    QMargins Frame() const;
    // The outer size from the inside size and the frame: pure arithmetic, for tests.
    static QSize OuterSize(QSize inside, QMargins frame) noexcept;

    // The Qt window (menu bar and client area inside), for tests.
    QWidget *window() const;
    // The client area, parent of the controls' widgets.
    QWidget *clientArea() const;

protected:
    Form();

private:
    friend class Control;
    friend class FormWindow;
    friend class ClientArea;
    friend class Toolkit;
    friend class Menu;
    template <class T> friend class FormInstance;

    struct PrintedLine {
        Twips x;
        Twips y;
        QString text;
        QFont font;
        QColor color;
    };

    QMenuBar *menuBar();
    void load(std::function<void()> discarded);
    void raiseResize();
    void closeRequested(QCloseEvent *event);
    void geometryChanged(bool resized);
    void frameMaybeChanged();
    void resizeInside(QSize inside);
    QSize outerPixels() const;
    int menuBarHeight() const;
    void syncMenuBarHeight();
    void applyFlags();
    void applyColors();
    void applyTabOrder();
    void paintPrinted(QPainter &painter, const QRect &area) const;
    void registerControl(Control *control);
    void unregisterControl(Control *control);

    FormWindow *m_window = nullptr;
    QWidget *m_client = nullptr;
    std::vector<Control *> m_controls;
    std::vector<PrintedLine> m_printed;
    std::function<void()> m_discarded;
    QString m_fontName;
    Twips m_width = 0; // outer size and inside position as last set by code
    Twips m_height = 0;
    Twips m_left = 0;
    Twips m_top = 0;
    bool m_widthByCode = false; // the outer size set by code is kept when the frame changes
    bool m_heightByCode = false;
    Twips m_currentX = 0;
    Twips m_currentY = 0;
    QSize m_applied; // inside pixels last given to the window by code
    QMargins m_frameInUse;
    int m_menuBarHeight = 0; // height added to the window for the menu bar
    QSize m_lastResized; // outer pixels at the last Form_Resize
    bool m_resizedOnce = false;
    bool m_shownOnce = false;
    bool m_unloading = false;
    Border m_border = Border::Sizable;
    bool m_minButton = true;
    bool m_maxButton = true;
    OleColor m_backColor;
    OleColor m_foreColor;
};

namespace detail {
// Deletes a closed form once control is back in the event loop.
void DiscardLater(std::unique_ptr<Form> form);
} // namespace detail

} // namespace cellwright
