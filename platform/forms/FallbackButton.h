#pragma once
// A plain push button for the "vbButton" kind, used until the owner-drawn
// button registers itself: it shows the caption ("tx") from the control's
// property bag, honours "enab" and "font", and raises Click().

#include <QJsonObject>
#include <QPushButton>

namespace forms {

class FallbackButton : public QPushButton {
    Q_OBJECT
public:
    FallbackButton(QWidget* parent, const QJsonObject& description);

Q_SIGNALS:
    void Click();
};

} // namespace forms
