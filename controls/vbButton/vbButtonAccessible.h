#pragma once
// What assistive technology sees of a button: a push button named by its
// caption as it reads (no "&" prefixes), checkable in check-box mode, with a
// press action that clicks it as its access key would, on the next turn of
// the event loop.

#include <QAccessibleWidget>

namespace quintaro {
class vbButton;
}

namespace vb {

using quintaro::vbButton;

class vbButtonAccessible : public QAccessibleWidget {
public:
    explicit vbButtonAccessible(vbButton* button);

    [[nodiscard]] QString text(QAccessible::Text t) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    [[nodiscard]] vbButton* button() const;
};

// Registers the interface factory with Qt's accessibility once per process.
void installButtonAccessibility();

} // namespace vb
