#pragma once
// Which widget a control kind in a window description becomes.
//
// The built-in kinds are "label", "textbox", "option", "frame", "picturebox",
// "image" and "line" (timers and menus are not widgets; the builder makes them).
// "vbButton" starts out as a plain FallbackButton; the owner-drawn button
// replaces it by registering its own factory before any window loads:
//
//     forms::ControlRegistry::instance().registerKind(QStringLiteral("vbButton"),
//         [](QWidget* parent, const QJsonObject& description) -> QWidget* {
//             return new vbButton(parent, description.value("properties").toObject());
//         });
//
// A factory creates the widget as a child of `parent` and applies what is
// special to its kind (caption, property bag, ...). The builder then applies
// what every control has: position and size, tool tip, font, colours, enabled,
// visible, tab index and object name. A user control that takes its font from
// its property bag simply has no "font" entry at the control level.

#include <QHash>
#include <QJsonObject>
#include <QString>

#include <functional>

class QWidget;

namespace forms {

using ControlFactory = std::function<QWidget*(QWidget* parent, const QJsonObject& description)>;

class ControlRegistry {
public:
    static ControlRegistry& instance();

    // Adds a kind, or replaces the factory of a known one.
    void registerKind(const QString& kind, ControlFactory factory);
    [[nodiscard]] bool hasKind(const QString& kind) const;
    // A new widget of the kind, or nullptr for an unknown kind.
    [[nodiscard]] QWidget* create(const QString& kind, QWidget* parent, const QJsonObject& description) const;

    // Puts the built-in factories back (tests that replaced one).
    void restoreBuiltins();

private:
    ControlRegistry();
    QHash<QString, ControlFactory> m_factories;
};

} // namespace forms
