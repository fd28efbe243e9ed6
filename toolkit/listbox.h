// ListBox: a list of text entries the form fills, one chosen at a time; in the Checkbox style
// every entry has a check box of its own, ticked by the user or by code, and assistive technology
// meets each entry as a check box with its state, ticked by its "toggle" action.
#pragma once

#include "control.h"
#include "event.h"

namespace cellwright {

enum class ListStyle {
    Standard, // plain entries
    Checkbox, // a check box before every entry
};

class ListBox : public Control {
public:
    explicit ListBox(Form &form, ListStyle style = ListStyle::Standard);

    ListStyle Style() const noexcept { return m_style; }

    // Entry i; "" outside the list.
    QString List(int index) const;
    int ListCount() const;
    // Adds an entry, unticked, at the end or, with an index from 0 to ListCount, before the entry
    // there; the chosen entry stays chosen.
    void AddItem(const QString &text, int index = -1);
    // Replaces the text of entry i; nothing happens outside the list.
    void setList(int index, const QString &text);
    // Removes every entry; nothing is chosen afterwards.
    void Clear();

    // The chosen entry, -1 when none. Setting it to an entry chooses it and raises Click before
    // it returns, also when it was chosen already; -1 clears the choice without Click. Returns
    // false for an index outside the list.
    int ListIndex() const;
    bool setListIndex(int index);

    // Checkbox style: whether entry i is ticked (false outside the list). Setting a different
    // state raises ItemCheck(i) before it returns.
    bool Selected(int index) const;
    void setSelected(int index, bool selected);

    // An entry chosen by the user (mouse or keys) or by setListIndex.
    Event<> Click;
    // The check box of entry i changed, by the user or by setSelected.
    Event<int> ItemCheck;

private:
    ListStyle m_style;
};

} // namespace cellwright
