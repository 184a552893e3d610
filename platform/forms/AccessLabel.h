#pragma once
// A label whose "&" access key moves the focus to the next control in tab order
// that can take it (a label never takes the focus), as in the classic dialogs. The
// control it names (its description's "labelFor") is known by its caption to
// assistive tools, whichever control the key goes to.
//
// An access key held by more than one control of a window (the main window's
// label "&Copy To ....", and buttons "&Copy To..." and "&Copy File...") follows
// the classic dialog rule for repeated access keys: each press moves the focus
// to the next holder in tab order, round to the first again, and clicks nothing;
// a key held by one control alone acts on it as usual.

#include <QLabel>

namespace forms {

class AccessLabel : public QLabel {
    Q_OBJECT
public:
    explicit AccessLabel(QWidget* parent = nullptr);

    // Call after the window's controls are built and have their tab indexes:
    // registers the access key (if the caption has one) so it is shown underlined.
    void updateAccessKey();

    // Call after the window's controls are built: the control of labelFor,
    // unless it has a name of its own, is named for assistive tools by this
    // label's caption as it reads (a box is known by the label beside it).
    void nameLabelledControl();

    // The control (by object name, e.g. "Txt(1)") the label names.
    void setLabelFor(const QString& objectName) { m_labelFor = objectName; }

    // The control the access key gives the focus to right now, or nullptr.
    [[nodiscard]] QWidget* accessTarget() const;

    // A single-line border in `color`, drawn over the label's edge; the text keeps
    // its place one pixel inside it. (QFrame's own box moves top-aligned text
    // down by several pixels, which clips large fonts in small labels.)
    void setSingleBorder(const QColor& color);
    [[nodiscard]] bool hasSingleBorder() const { return m_border.isValid(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_border;
    QString m_labelFor;
};

// The "tabIndex" property every built control carries.
[[nodiscard]] int tabIndexOf(const QWidget* widget);
// The controls of `window` that have a tab index, in tab order.
[[nodiscard]] QList<QWidget*> controlsInTabOrder(QWidget* window);
// Whether a control can take the focus from the keyboard at this moment.
[[nodiscard]] bool canTakeFocus(const QWidget* widget);
// One press of a repeated access key in `window`: focuses the next holder after
// the one that has the focus. False when no control of the window holds the key.
bool cycleAccessKey(QWidget* window, QChar key);

} // namespace forms
