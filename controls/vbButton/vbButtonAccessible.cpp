#include "controls/vbButton/vbButtonAccessible.h"

#include "controls/vbButton/AccessKey.h"
#include "controls/vbButton/vbButtonPrivate.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QShortcutEvent>

namespace vb {

vbButtonAccessible::vbButtonAccessible(vbButton* button) : QAccessibleWidget(button, QAccessible::Button)
{
}

vbButton* vbButtonAccessible::button() const
{
    return static_cast<vbButton*>(widget());
}

QString vbButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return CaptionWithoutPrefixes(button()->Caption());
    if (t == QAccessible::Accelerator) {
        if (const auto key = AccessKeyFor(button()->Caption()))
            return QStringLiteral("Alt+") + key->toUpper();
        return {};
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State vbButtonAccessible::state() const
{
    QAccessible::State st = QAccessibleWidget::state();
    if (button()->CheckBoxBehaviour()) {
        st.checkable = true;
        st.checked = button()->Value();
    }
    st.pressed = quintaro::vbButtonPrivate::get(button())->state().m_LastState == dsDown;
    return st;
}

QStringList vbButtonAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void vbButtonAccessible::doAction(const QString& actionName)
{
    // The tool's call must return before the click runs: a Click that opens a
    // modal box would otherwise hold the call until the box closes. Posted as
    // a shortcut event, the press waits for the next turn of the event loop
    // and meets the same input lock as the button's access key.
    if (actionName == pressAction())
        QCoreApplication::postEvent(button(), new QShortcutEvent(QKeySequence(), 0));
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList vbButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction()) {
        if (const auto key = AccessKeyFor(button()->Caption()))
            return {QStringLiteral("Alt+") + key->toUpper()};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

namespace {

QAccessibleInterface* buttonFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quintaro::vbButton") && object && object->isWidgetType())
        return new vbButtonAccessible(static_cast<vbButton*>(object));
    return nullptr;
}

} // namespace

void installButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(buttonFactory);
        return true;
    }();
    (void)installed;
}

} // namespace vb
