#pragma once
// A user control as a widget of its own: a QWidget with a ControlSite, whose
// events reach the site. A control derives from it and overrides the site's
// notifications it cares about.

#include "platform/forms/ControlSite.h"

#include <QWidget>

namespace forms {

class UserControl : public QWidget, public ControlSite {
    Q_OBJECT
public:
    explicit UserControl(QWidget* parent = nullptr);
    ~UserControl() override;

signals:
    void propertyChangedNotified(const QString& name);

protected:
    void PropertyChangeNoted(const QString& name) override { emit propertyChangedNotified(name); }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace forms
