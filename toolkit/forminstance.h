// FormInstance: the one instance of a form, created and loaded on first use.
//
// The application object owns one holder per form. The first touch (->) creates the form, which
// runs its Form_Load hidden; the form stays until the user closes it with its close box, which
// discards it; the next touch creates it afresh from its design state.
#pragma once

#include "form.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace cellwright {

template <class T> class FormInstance {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    // Forms with a default constructor need no factory.
    FormInstance() requires std::is_default_constructible_v<T>
        : m_factory([] { return std::make_unique<T>(); })
    {
    }
    // Forms that need arguments: FormInstance<frmOpen> frmOpen { [this] { return
    // std::make_unique<class frmOpen>(*this); } };
    explicit FormInstance(Factory factory)
        : m_factory(std::move(factory))
    {
    }
    FormInstance(const FormInstance &) = delete;
    FormInstance &operator=(const FormInstance &) = delete;
    ~FormInstance() { m_form.reset(); }

    // The form, created and loaded first when it does not exist.
    T *operator->() { return &get(); }
    T &operator*() { return get(); }
    T &get()
    {
        if (!m_form) {
            // Stored before Form_Load runs, so that the load handler can reach its own form here.
            m_form = m_factory();
            m_form->load([this] { discard(); });
        }
        return *m_form;
    }

    // Whether the form exists now (without creating it).
    bool IsLoaded() const noexcept { return bool(m_form); }
    // The form if it exists, else null (without creating it).
    T *loaded() const noexcept { return m_form.get(); }

private:
    // Called once the form has been closed: it is deleted once control returns to the event loop,
    // since its own close handling is still on the stack.
    void discard() { detail::DiscardLater(std::move(m_form)); }

    Factory m_factory;
    std::unique_ptr<T> m_form;
};

} // namespace cellwright
