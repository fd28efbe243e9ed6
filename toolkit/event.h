// An event of a control or menu: one handler, raised synchronously by the code or user action that
// causes it. Nothing is raised once the program has ended (see End()).
#pragma once

#include <functional>
#include <utility>

namespace cellwright {

namespace detail {
// True once End() ran; events and form handlers are then no longer called.
bool ProgramEnded() noexcept;
} // namespace detail

template <class... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event &) = delete;
    Event &operator=(const Event &) = delete;

    // Sets the handler (replacing any earlier one): Command1.Click = [this] { Command1_Click(); };
    Event &operator=(Handler handler)
    {
        m_handler = std::move(handler);
        return *this;
    }

    // Sets a member function of a form as the handler.
    template <class T> void connect(T *object, void (T::*function)(Args...))
    {
        m_handler = [object, function](Args... args) { (object->*function)(args...); };
    }

    // Runs the handler, if there is one and the program has not ended.
    void raise(Args... args) const
    {
        if (!m_handler || detail::ProgramEnded())
            return;
        // A copy, so that a handler may replace itself while it runs.
        Handler handler = m_handler;
        handler(args...);
    }

    // True when a handler is set.
    explicit operator bool() const noexcept { return bool(m_handler); }

private:
    Handler m_handler;
};

} // namespace cellwright
