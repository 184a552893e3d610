#include "tools/countdown/frmHitung.h"

#include "platform/forms/ControlText.h"
#include "platform/forms/Conversions.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/FormatTwoDigits.h"
#include "platform/forms/RuntimeError.h"
#include "tools/countdown/FocusOutWatcher.h"

#include <QLineEdit>

namespace tools {

namespace {

const QString txtInputMinute = QStringLiteral("txtInputMinute");
const QString txtInputSecond = QStringLiteral("txtInputSecond");

} // namespace

frmHitung::frmHitung() : Form(QStringLiteral("frmHitung"))
{
}

void frmHitung::connectControls()
{
    forms::onEvent(controls().object(QStringLiteral("vbButton1")), "Click()", [this] { vbButton1Click(); });
    forms::onEvent(controls().timer(QStringLiteral("Timer1")), "Timer()", [this] { Timer1Timer(); });
    FocusOutWatcher::watch(controls().object(txtInputMinute), [this] { txtInputMinuteLostFocus(); });
    forms::onEvent(controls().object(txtInputSecond), "textChanged(QString)",
                   [this] { txtInputSecondChange(); });
}

void frmHitung::Form_Load()
{
    for (const char* name : {"txtMinute", "txtSecond", "txtMiliSecond"}) {
        if (auto* box = controls().get<QLineEdit>(QLatin1String(name)))
            box->setReadOnly(true);
    }
    controls().timer(QStringLiteral("Timer1"))->setInterval(10);
    StopCountdown();
}

void frmHitung::vbButton1Click()
{
    StartCountdown();
    const std::int16_t minutes = boxValue(txtInputMinute);
    const std::int16_t seconds = boxValue(txtInputSecond);
    m_count.load(minutes, seconds);
}

void frmHitung::Timer1Timer()
{
    if (m_count.tick() == CountdownClock::Tick::ReachedZero)
        StopCountdown();
    forms::setControlText(controls().object(QStringLiteral("txtMiliSecond")),
                          forms::FormatTwoDigits(m_count.hundredths()));
    forms::setControlText(controls().object(QStringLiteral("txtSecond")),
                          forms::FormatTwoDigits(m_count.seconds()));
    forms::setControlText(controls().object(QStringLiteral("txtMinute")),
                          forms::FormatTwoDigits(m_count.minutes()));
}

void frmHitung::txtInputMinuteLostFocus()
{
    normaliseBox(txtInputMinute);
}

void frmHitung::txtInputSecondChange()
{
    // Writing the normalised text raises this handler once more; the text is then
    // already normal and nothing is written, so the re-entry stops there.
    normaliseBox(txtInputSecond);
}

void frmHitung::StartCountdown()
{
    controls().timer(QStringLiteral("Timer1"))->setEnabled(true);
    forms::setControlText(controls().object(QStringLiteral("Label5")), QStringLiteral("Counting Down..."));
}

void frmHitung::StopCountdown()
{
    controls().timer(QStringLiteral("Timer1"))->setEnabled(false);
    forms::setControlText(controls().object(QStringLiteral("Label5")), QStringLiteral("Ready..."));
}

// A box's text as a count value. Text that is no number, a negative number or one
// beyond 16 bits must neither break the window nor start a count that never ends,
// so it is read as 0 (unreadable, negative) or 32767 (too large).
std::int16_t frmHitung::boxValue(const QString& controlName) const
{
    std::optional<double> number;
    try {
        number = forms::CDbl(forms::controlText(controls().object(controlName)));
    } catch (const forms::RuntimeError&) {
        number.reset();
    }
    return countdownInputValue(number, [](double value) { return forms::CInt(value); });
}

void frmHitung::normaliseBox(const QString& controlName)
{
    auto* box = controls().get<QLineEdit>(controlName);
    if (box == nullptr)
        return;
    const QString normal = forms::FormatTwoDigits(boxValue(controlName));
    if (box->text() == normal)
        return;
    box->setText(normal); // leaves the caret at the end, where typing goes on
}

} // namespace tools
