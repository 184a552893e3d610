#include "tools/zodiac/frmDate.h"

#include "platform/forms/ControlText.h"
#include "platform/forms/DateConversion.h"
#include "tools/zodiac/ZodiacTable.h"

namespace tools {

frmDate::frmDate() : Form(QStringLiteral("frmDate"))
{
}

void frmDate::connectControls()
{
    forms::onEvent(controls().object(QStringLiteral("Text1")), "textChanged(QString)",
                   [this] { Text1Change(); });
    forms::onEvent(controls().object(QStringLiteral("Command1")), "Click()", [this] { Command1Click(); });
}

void frmDate::Form_Load()
{
    if (QWidget* button = controls().widget(QStringLiteral("Command1")))
        button->setEnabled(false);
}

void frmDate::Text1Change()
{
    // The same conversion decides here and in the lookup, so the button is usable
    // exactly for the texts the lookup can read.
    const QString text = forms::controlText(controls().object(QStringLiteral("Text1")));
    if (QWidget* button = controls().widget(QStringLiteral("Command1")))
        button->setEnabled(forms::IsDate(text));
}

void frmDate::Command1Click()
{
    const std::optional<QDate> date =
        forms::toDate(forms::controlText(controls().object(QStringLiteral("Text1"))));
    if (!date)
        return; // only reachable if the text changed without the button following it
    const int weekday = date->dayOfWeek() % 7 + 1; // Qt counts Monday 1 .. Sunday 7
    forms::setControlText(controls().object(QStringLiteral("Text2")), weekdayName(weekday));
    forms::setControlText(controls().object(QStringLiteral("Text3")), zodiacSign(date->day(), date->month()));
}

} // namespace tools
