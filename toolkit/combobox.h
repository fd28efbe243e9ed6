// ComboBox: a drop-down list, or an editable field with a list.
#pragma once

#include "control.h"
#include "event.h"

class QComboBox;

namespace cellwright {

namespace detail {
// Lets assistive technology read the combo box's accessible name as its name. Qt on Linux
// otherwise announces the box's current text as its name, so "Drives" would read as "/".
void AnnounceAccessibleName(QComboBox *combo);
} // namespace detail

enum class ComboStyle {
    DropDownCombo, // editable field with a list
    DropDownList, // choice from the list only
};

class ComboBox : public Control {
public:
    explicit ComboBox(Form &form, ComboStyle style = ComboStyle::DropDownCombo);

    ComboStyle Style() const noexcept { return m_style; }

    // The text in the field (DropDownCombo) or of the chosen entry (DropDownList). Setting it in
    // a DropDownCombo raises Change when the text differs; in a DropDownList it chooses the
    // entry of that text, if there is one.
    QString Text() const;
    void setText(const QString &text);

    // Entry i of the list; "" outside the list.
    QString List(int index) const;
    // Replaces entry i; index == ListCount() appends. Returns false (and changes nothing) for
    // any other index.
    bool setList(int index, const QString &text);
    // Number of entries.
    int ListCount() const;

    // Position of the chosen entry, -1 when none. Setting it to an entry selects it, puts its
    // text into the field and raises Click before it returns, also when that entry was already
    // chosen; -1 clears the choice without Click. Returns false for an index outside the list.
    // Typing into the field does not change it.
    int ListIndex() const;
    bool setListIndex(int index);

    // Adds an entry at the end, or before index.
    void AddItem(const QString &text, int index = -1);
    // Removes entry i.
    void RemoveItem(int index);
    // Removes every entry and clears the field.
    void Clear();

    // An entry chosen by the user (mouse or arrow keys) or by setListIndex.
    Event<> Click;
    // Text typed into the field, or set by setText.
    Event<> Change;

private:
    ComboStyle m_style;
};

} // namespace cellwright
