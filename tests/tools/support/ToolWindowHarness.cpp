#include "support/ToolWindowHarness.h"

#include "controls/vbButton/RegisterVbButton.h"
#include "platform/forms/ControlText.h"
#include "platform/forms/FormTimer.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

namespace tooltest {

void prepareEnvironment()
{
    forms::FormTimer::setManualDriving(true);
    vb::registerVbButton();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void activate(forms::Form& form)
{
    QWidget* window = form.window();
    QVERIFY(window != nullptr);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void close(forms::Form& form)
{
    form.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QLineEdit* lineEdit(const forms::Form& form, const QString& name)
{
    auto* edit = form.controls().get<QLineEdit>(name);
    if (edit == nullptr)
        qWarning("no text box %s", qPrintable(name));
    return edit;
}

QString text(const forms::Form& form, const QString& name, int index)
{
    return forms::controlText(form.controls().object(name, index));
}

void typeInto(const forms::Form& form, const QString& name, const QString& text)
{
    QLineEdit* edit = lineEdit(form, name);
    QVERIFY(edit != nullptr);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void click(const forms::Form& form, const QString& name)
{
    QWidget* widget = form.controls().widget(name);
    QVERIFY(widget != nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void tick(const forms::Form& form, const QString& timerName, int count)
{
    forms::FormTimer* timer = form.controls().timer(timerName);
    QVERIFY(timer != nullptr);
    for (int i = 0; i < count; ++i)
        timer->fire();
}

} // namespace tooltest
