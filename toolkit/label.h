// Label: a caption on a form, wrapped at word boundaries within its width.
#pragma once

#include "control.h"
#include "event.h"

namespace cellwright {

enum class Align {
    Left,
    Right,
    Center,
};

enum class BackMode {
    Transparent, // the form shows through
    Opaque, // the label paints its BackColor
};

class Label : public Control {
public:
    explicit Label(Form &form);

    // The text shown, as plain text (no markup, no access keys).
    QString Caption() const;
    void setCaption(const QString &caption);

    // Horizontal placement of the text; lines start at the top.
    Align Alignment() const noexcept { return m_alignment; }
    void setAlignment(Align alignment);

    // Wraps at word boundaries within Width (the default); false keeps one line, clipped.
    bool WordWrap() const;
    void setWordWrap(bool wrap);

    // Whether the label paints its background (Opaque, the default) or lets the form show through.
    BackMode BackStyle() const noexcept { return m_backStyle; }
    void setBackStyle(BackMode style);

    // A click on the label.
    Event<> Click;

private:
    Align m_alignment = Align::Left;
    BackMode m_backStyle = BackMode::Opaque;
};

} // namespace cellwright
