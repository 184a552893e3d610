#pragma once
// Builds a window's widgets from its description (see WindowDescription.h).

#include <QJsonArray>
#include <QJsonObject>

class QWidget;

namespace forms {

class Controls;

class FormBuilder {
public:
    // Window-level properties: caption, fixed client size, background, font,
    // window kind and flags, icon.
    static void applyWindow(const QJsonObject& description, QWidget* window);

    // Creates every control, timer and menu of the description in `window` and
    // registers them in `controls`; then sets the tab order and access keys.
    // Throws std::runtime_error for a control of an unknown kind.
    static void buildControls(const QJsonObject& description, QWidget* window, Controls& controls);

    // Both of the above.
    static void build(const QJsonObject& description, QWidget* window, Controls& controls);

    // Position, size, tool tip, font, colours, enabled, visible and tab index of
    // one built control.
    static void applyCommon(const QJsonObject& control, QWidget* widget);
};

} // namespace forms
