// CommandButton: a push button.
#pragma once

#include "control.h"
#include "event.h"

namespace cellwright {

class CommandButton : public Control {
public:
    explicit CommandButton(Form &form);

    // The text on the button.
    QString Caption() const;
    void setCaption(const QString &caption);

    // Pressed by the user (mouse, or Space while it has the focus).
    Event<> Click;
};

} // namespace cellwright
