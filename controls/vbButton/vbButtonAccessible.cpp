#include "controls/vbButton/vbButtonAccessible.h"

#include "controls/vbButton/AccessKey.h"
#include "controls/vbButton/vbButton.h"

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
    st.pressed = button()->state().m_LastState == dsDown;
    return st;
}

QStringList vbButtonAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void vbButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        button()->accessiblePress();
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
    if (className == QLatin1String("vb::vbButton") && object && object->isWidgetType())
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
