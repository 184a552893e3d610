#include "platform/forms/ControlText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QVariant>

namespace forms {

QString controlText(const QObject* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* edit = qobject_cast<const QTextEdit*>(control))
        return edit->toPlainText();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(control))
        return edit->toPlainText();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (control != nullptr) {
        // User controls expose their caption as a Qt property.
        for (const char* name : {"Caption", "caption", "text"}) {
            const QVariant v = control->property(name);
            if (v.isValid())
                return v.toString();
        }
    }
    return QString();
}

void setControlText(QObject* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* edit = qobject_cast<QTextEdit*>(control)) {
        const Qt::Alignment alignment = edit->document()->defaultTextOption().alignment();
        edit->setPlainText(text);
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(alignment);
        edit->document()->setDefaultTextOption(option);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        edit->setPlainText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(text);
    } else if (control != nullptr) {
        for (const char* name : {"Caption", "caption", "text"}) {
            if (control->property(name).isValid()) {
                control->setProperty(name, text);
                return;
            }
        }
    }
}

} // namespace forms
