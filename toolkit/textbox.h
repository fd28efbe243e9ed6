// TextBox: a one-line field of free text.
#pragma once

#include "control.h"
#include "event.h"

namespace cellwright {

class TextBox : public Control {
public:
    explicit TextBox(Form &form);

    // The text in the box. Setting a different text raises Change before it returns.
    QString Text() const;
    void setText(const QString &text);

    // Whether the user may edit the text.
    bool Locked() const;
    void setLocked(bool locked);

    // The text changed, by typing or by setText.
    Event<> Change;
};

} // namespace cellwright
