// ControlArray: controls of one kind under one name, members addressed by index from 0
// (Text1[0] or Text1(0)); an event of a member reaches its handler with the member's index.
#pragma once

#include "event.h"

#include <cassert>
#include <memory>
#include <utility>
#include <vector>

namespace cellwright {

class Form;

template <class T> class ControlArray {
public:
    // Creates members 0 .. count-1 on form; extra arguments go to each member's constructor.
    template <class... A> ControlArray(Form &form, int count, const A &...args)
    {
        m_members.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) {
            m_members.push_back(std::make_unique<T>(form, args...));
            m_members.back()->m_index = i;
        }
    }
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    // Member index (0 .. Count()-1).
    T &operator[](int index) { return at(index); }
    const T &operator[](int index) const { return at(index); }
    T &operator()(int index) { return at(index); }
    const T &operator()(int index) const { return at(index); }

    // Number of members; the highest index is Count() - 1.
    int Count() const noexcept { return int(m_members.size()); }
    int UBound() const noexcept { return Count() - 1; }

    // Routes event of every member to handler(index, event arguments...):
    //   Command4.on(&CommandButton::Click, [this](int Index) { Command4_Click(Index); });
    template <class... Args, class F> void on(Event<Args...> T::*event, F handler)
    {
        for (int i = 0; i < Count(); ++i)
            (*m_members[std::size_t(i)]).*event
                = [handler, i](Args... args) { handler(i, args...); };
    }

    // The same with a member function of the form: Command4.connect(&CommandButton::Click, this,
    // &frmMain::Command4_Click).
    template <class Owner, class... Args>
    void connect(Event<Args...> T::*event, Owner *owner, void (Owner::*function)(int, Args...))
    {
        on(event,
            [owner, function](int index, Args... args) { (owner->*function)(index, args...); });
    }

private:
    T &at(int index) const
    {
        assert(index >= 0 && index < Count());
        return *m_members[std::size_t(index)];
    }

    std::vector<std::unique_ptr<T>> m_members;
};

} // namespace cellwright
