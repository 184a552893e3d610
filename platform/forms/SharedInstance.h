#pragma once
// One shared instance per window kind, as the classic runtime gave every form
// class a default instance:
//
//     forms::SharedInstance<frmCal>::get().showModal();   // or ::showModal()
//
// The instance is created on first use (a child of the application object, so it
// lives until the program ends) and is never replaced: its member variables keep
// their values from one opening to the next, while each load builds the widgets
// afresh from the description. T must derive from forms::Form and be default
// constructible.

#include "platform/forms/Form.h"

#include <QCoreApplication>
#include <QPointer>

namespace forms {

template <class T> class SharedInstance {
public:
    static T& get()
    {
        QPointer<T>& instance = slot();
        if (instance == nullptr) {
            instance = new T();
            instance->setParent(QCoreApplication::instance());
        }
        return *instance;
    }
    [[nodiscard]] static bool exists() { return slot() != nullptr; }
    static void showModal() { get().showModal(); }
    // Drops the instance (tests that need a brand-new one).
    static void destroy() { delete slot().data(); }

private:
    static QPointer<T>& slot()
    {
        static QPointer<T> instance;
        return instance;
    }
};

} // namespace forms
