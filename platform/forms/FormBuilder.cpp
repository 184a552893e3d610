#include "platform/forms/FormBuilder.h"

#include "platform/forms/AccessLabel.h"
#include "platform/forms/AppIcon.h"
#include "platform/forms/Colors.h"
#include "platform/forms/ControlRegistry.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/Twips.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <stdexcept>

namespace forms {

namespace {

QJsonValue field(const QJsonObject& o, const char* key)
{
    return o.value(QLatin1String(key));
}

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
}

void setForeground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void buildChildren(const QJsonArray& list, QWidget* parent, QWidget* window, Controls& controls)
{
    for (const QJsonValue& value : list) {
        const QJsonObject c = value.toObject();
        const QString kind = field(c, "kind").toString();
        const QString name = field(c, "name").toString();
        const int index = field(c, "index").toInt(-1);
        if (kind == QLatin1String("timer")) {
            auto* timer = new FormTimer(window);
            timer->setObjectName(name);
            timer->setEnabled(jsonBool(field(c, "enabled"), true));
            timer->setInterval(field(c, "interval").toInt(0));
            controls.add(name, index, timer);
            continue;
        }
        QWidget* widget = ControlRegistry::instance().create(kind, parent, c);
        if (widget == nullptr) {
            throw std::runtime_error(
                QStringLiteral("control %1 has an unknown kind \"%2\"").arg(name, kind).toStdString());
        }
        widget->setObjectName(index >= 0 ? QStringLiteral("%1(%2)").arg(name).arg(index) : name);
        FormBuilder::applyCommon(c, widget);
        buildChildren(field(c, "controls").toArray(), widget, window, controls);
        controls.add(name, index, widget);
    }
}

void buildMenus(const QJsonArray& menus, QWidget* window, Controls& controls)
{
    for (const QJsonValue& m : menus) {
        const QJsonObject menuDescription = m.toObject();
        auto* menu = new QMenu(field(menuDescription, "caption").toString(), window);
        const QString menuName = field(menuDescription, "name").toString();
        menu->setObjectName(menuName);
        controls.add(menuName, -1, menu);
        for (const QJsonValue& i : field(menuDescription, "items").toArray()) {
            const QJsonObject item = i.toObject();
            const QString caption = field(item, "caption").toString();
            if (caption == QLatin1String("-")) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(caption);
            action->setObjectName(field(item, "name").toString());
            const QString shortcut = field(item, "shortcut").toString();
            if (!shortcut.isEmpty()) {
                // Shown next to the caption in the pop-up, and active while the
                // window has the focus.
                action->setShortcut(QKeySequence(shortcut, QKeySequence::PortableText));
                action->setShortcutContext(Qt::WindowShortcut);
                window->addAction(action);
            }
            action->setEnabled(jsonBool(field(item, "enabled"), true));
            action->setVisible(jsonBool(field(item, "visible"), true));
            if (field(item, "checked").isBool() || field(item, "checked").isDouble()) {
                action->setCheckable(true);
                action->setChecked(jsonBool(field(item, "checked")));
            }
            controls.add(action->objectName(), field(item, "index").toInt(-1), action);
        }
    }
}

void setTabOrder(QWidget* window)
{
    QWidget* previous = nullptr;
    for (QWidget* w : controlsInTabOrder(window)) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace

void FormBuilder::applyWindow(const QJsonObject& d, QWidget* window)
{
    window->setWindowTitle(field(d, "caption").toString());
    if (d.contains(QLatin1String("font")))
        window->setFont(fontFromDescription(field(d, "font").toObject(), window->font()));
    window->setAutoFillBackground(true);
    const ColorPair colors = pairedColors(colorValue(field(d, "backColor")).value_or(SysButtonFace),
                                          colorValue(field(d, "foreColor")));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, *colors.back);
    window->setPalette(palette);
    if (colors.fore)
        setForeground(window, *colors.fore);

    const bool tool = field(d, "kind").toString() == QLatin1String("tool");
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (tool)
        flags |= Qt::Tool;
    else
        flags |= Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);

    const QSize client(twipsToPixels(field(d, "clientWidth").toDouble()),
                       twipsToPixels(field(d, "clientHeight").toDouble()));
    if (client.width() > 0 && client.height() > 0)
        window->setFixedSize(client);

    const QIcon icon = applicationIcon();
    if (!icon.isNull())
        window->setWindowIcon(icon);
}

void FormBuilder::applyCommon(const QJsonObject& c, QWidget* widget)
{
    if (c.contains(QLatin1String("width")) || c.contains(QLatin1String("left"))) {
        widget->setGeometry(twipsRect(field(c, "left").toDouble(), field(c, "top").toDouble(),
                                      field(c, "width").toDouble(), field(c, "height").toDouble()));
    }
    const QString tip = field(c, "toolTip").toString();
    if (!tip.isEmpty())
        widget->setToolTip(tip);
    if (c.contains(QLatin1String("font")))
        widget->setFont(fontFromDescription(field(c, "font").toObject(), widget->font()));
    const ColorPair colors =
        pairedColors(colorValue(field(c, "backColor")), colorValue(field(c, "foreColor")));
    if (colors.back)
        setBackground(widget, *colors.back);
    if (colors.fore)
        setForeground(widget, *colors.fore);
    if (c.contains(QLatin1String("enabled")))
        widget->setEnabled(jsonBool(field(c, "enabled"), true));
    if (!jsonBool(field(c, "visible"), true))
        widget->setVisible(false);
    if (c.contains(QLatin1String("tabIndex"))) {
        widget->setProperty("tabIndex", field(c, "tabIndex").toInt());
        if (!jsonBool(field(c, "tabStop"), true) && (widget->focusPolicy() & Qt::TabFocus) != 0)
            widget->setFocusPolicy(Qt::ClickFocus);
    }
}

void FormBuilder::buildControls(const QJsonObject& description, QWidget* window, Controls& controls)
{
    buildChildren(field(description, "controls").toArray(), window, window, controls);
    buildMenus(field(description, "menus").toArray(), window, controls);
    setTabOrder(window);
    for (auto* label : window->findChildren<AccessLabel*>()) {
        label->updateAccessKey();
        label->nameLabelledControl();
    }
}

void FormBuilder::build(const QJsonObject& description, QWidget* window, Controls& controls)
{
    applyWindow(description, window);
    buildControls(description, window, controls);
}

} // namespace forms
