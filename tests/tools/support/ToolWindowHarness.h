#pragma once
// Opening tool windows in tests and working them through their real widgets:
// typing into boxes, moving the focus, clicking buttons, reading captions.

#include "platform/forms/Form.h"
#include "platform/forms/SharedInstance.h"

#include <QLineEdit>
#include <QString>
#include <QStringList>

namespace tooltest {

// Manual timers and the point-as-decimal-separator locale for every test.
void prepareEnvironment();

// Makes the loaded window the active one (so focus moves behave as on a desktop).
void activate(forms::Form& form);

// Shows the window's shared instance (without the modal loop, so the test keeps
// control) and waits until it is the active window.
template <class T> T& open()
{
    T& form = forms::SharedInstance<T>::get();
    form.show();
    activate(form);
    return form;
}

// Unloads the window and lets its widgets go.
void close(forms::Form& form);

[[nodiscard]] QLineEdit* lineEdit(const forms::Form& form, const QString& name);
[[nodiscard]] QString text(const forms::Form& form, const QString& name, int index = -1);

// Focuses the box, replaces its whole text by typing `text`, key by key.
void typeInto(const forms::Form& form, const QString& name, const QString& text);
// A left click in the middle of the control.
void click(const forms::Form& form, const QString& name);
// Fires the window's timer `count` times (it must be running for a tick to count).
void tick(const forms::Form& form, const QString& timerName, int count = 1);

} // namespace tooltest
