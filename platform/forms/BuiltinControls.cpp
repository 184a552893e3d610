#include "platform/forms/BuiltinControls.h"

#include "platform/forms/AccessLabel.h"
#include "platform/forms/AppIcon.h"
#include "platform/forms/Colors.h"
#include "platform/forms/ControlRegistry.h"
#include "platform/forms/FallbackButton.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/LineControl.h"
#include "platform/forms/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>

namespace forms {

namespace {

QString str(const QJsonObject& d, const char* key)
{
    return d.value(QLatin1String(key)).toString();
}

// Flat text boxes have a thin single-line border, or none.
QString textBoxStyle(const char* widgetClass, const QJsonObject& d)
{
    const bool border = jsonBool(d.value(QStringLiteral("border")), true);
    const ColorPair colors =
        pairedColors(colorValue(d.value(QStringLiteral("backColor"))).value_or(SysWindowBackground),
                     colorValue(d.value(QStringLiteral("foreColor"))).value_or(SysWindowText));
    const QColor back = *colors.back;
    const QColor fore = *colors.fore;
    const QColor line = oleColor(0x80000010u); // button shadow
    return QStringLiteral("%1 { background-color: %2; color: %3; border: %4; padding: 0px 1px; }")
        .arg(QLatin1String(widgetClass), back.name(), fore.name(),
             border ? QStringLiteral("1px solid %1").arg(line.name()) : QStringLiteral("none"));
}

QWidget* makeLabel(QWidget* parent, const QJsonObject& d)
{
    auto* label = new AccessLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(str(d, "caption"));
    label->setAlignment(horizontalAlignment(d) | Qt::AlignTop);
    label->setWordWrap(jsonBool(d.value(QStringLiteral("wordWrap")), true));
    if (jsonBool(d.value(QStringLiteral("border")), false))
        label->setSingleBorder(oleColor(0x80000006u)); // window frame
    label->setAutoFillBackground(str(d, "backStyle") != QLatin1String("transparent"));
    label->setLabelFor(str(d, "labelFor"));
    return label;
}

QWidget* makeTextBox(QWidget* parent, const QJsonObject& d)
{
    const bool readOnly = jsonBool(d.value(QStringLiteral("readOnly")), false);
    if (jsonBool(d.value(QStringLiteral("multiLine")), false)) {
        auto* edit = new QTextEdit(parent);
        edit->setAcceptRichText(false);
        edit->setPlainText(str(d, "text"));
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(horizontalAlignment(d));
        edit->document()->setDefaultTextOption(option);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setReadOnly(readOnly);
        edit->setTabChangesFocus(true);
        edit->setStyleSheet(textBoxStyle("QTextEdit", d));
        edit->document()->setDocumentMargin(0);
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setText(str(d, "text"));
    edit->setAlignment(horizontalAlignment(d) | Qt::AlignVCenter);
    edit->setReadOnly(readOnly);
    const int maxLength = d.value(QStringLiteral("maxLength")).toInt(0);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setStyleSheet(textBoxStyle("QLineEdit", d));
    return edit;
}

QWidget* makeOption(QWidget* parent, const QJsonObject& d)
{
    auto* option = new QRadioButton(str(d, "caption"), parent);
    option->setChecked(jsonBool(d.value(QStringLiteral("value")), false));
    option->setAutoFillBackground(true);
    return option;
}

QWidget* makeFrame(QWidget* parent, const QJsonObject& d)
{
    auto* frame = new QGroupBox(str(d, "caption"), parent);
    frame->setAutoFillBackground(true);
    return frame;
}

QWidget* makePictureBox(QWidget* parent, const QJsonObject& d)
{
    auto* box = new QFrame(parent);
    if (jsonBool(d.value(QStringLiteral("border")), true))
        box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setAutoFillBackground(true);
    return box;
}

QWidget* makeImage(QWidget* parent, const QJsonObject& d)
{
    auto* image = new QLabel(parent);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QSize size(twipsToPixels(d.value(QStringLiteral("width")).toDouble()),
                     twipsToPixels(d.value(QStringLiteral("height")).toDouble()));
    const bool stretch = jsonBool(d.value(QStringLiteral("stretch")), false);
    QPixmap pixmap;
    if (jsonBool(d.value(QStringLiteral("applicationIcon")), false)) {
        const QIcon icon = applicationIcon();
        if (!icon.isNull())
            pixmap = icon.pixmap(stretch ? size : QSize(32, 32));
    } else if (!str(d, "picture").isEmpty()) {
        pixmap.load(str(d, "picture"));
    }
    image->setPixmap(pixmap);
    image->setScaledContents(stretch);
    return image;
}

QWidget* makeLine(QWidget* parent, const QJsonObject& d)
{
    const QLine line(twipsToPixels(d.value(QStringLiteral("x1")).toDouble()),
                     twipsToPixels(d.value(QStringLiteral("y1")).toDouble()),
                     twipsToPixels(d.value(QStringLiteral("x2")).toDouble()),
                     twipsToPixels(d.value(QStringLiteral("y2")).toDouble()));
    const QColor color = oleColor(colorValue(d.value(QStringLiteral("borderColor"))).value_or(SysWindowText));
    return new LineControl(line, color, parent);
}

QWidget* makeFallbackButton(QWidget* parent, const QJsonObject& d)
{
    return new FallbackButton(parent, d);
}

} // namespace

Qt::Alignment horizontalAlignment(const QJsonObject& description)
{
    const QString a = description.value(QStringLiteral("alignment")).toString();
    if (a == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (a == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

void registerBuiltinControls(ControlRegistry& registry)
{
    registry.registerKind(QStringLiteral("label"), makeLabel);
    registry.registerKind(QStringLiteral("textbox"), makeTextBox);
    registry.registerKind(QStringLiteral("option"), makeOption);
    registry.registerKind(QStringLiteral("frame"), makeFrame);
    registry.registerKind(QStringLiteral("picturebox"), makePictureBox);
    registry.registerKind(QStringLiteral("image"), makeImage);
    registry.registerKind(QStringLiteral("line"), makeLine);
    registry.registerKind(QStringLiteral("vbButton"), makeFallbackButton);
}

} // namespace forms
