#include "tools/calendar/frmCal.h"

#include "platform/forms/ControlText.h"
#include "platform/forms/Conversions.h"
#include "platform/forms/RuntimeError.h"

namespace tools {

namespace {

CalendarConversions runtimeConversions()
{
    return {[](const QString& text) { return forms::CDbl(text); },
            [](double value) { return forms::CInt(value); },
            [](const QString& text) { return forms::CLng(text); },
            [] { throw forms::RuntimeError::overflow(); }};
}

} // namespace

frmCal::frmCal() : Form(QStringLiteral("frmCal")), m_generator(runtimeConversions())
{
}

void frmCal::connectControls()
{
    forms::onEvent(controls().object(QStringLiteral("vbButton1")), "Click()", [this] { vbButton1Click(); });
}

void frmCal::vbButton1Click()
{
    const QString month = forms::controlText(controls().object(QStringLiteral("txtMonth")));
    const QString year = forms::controlText(controls().object(QStringLiteral("txtYear")));
    try {
        m_generator.generate(month, year, [this](int cell, const QString& caption) {
            forms::setControlText(controls().object(QStringLiteral("Label1"), cell), caption);
        });
    } catch (const forms::RuntimeError&) {
        // Unreadable or out-of-range input: the click just ends. The grid was cleared
        // before anything could fail, so no stale month is left showing.
    }
}

} // namespace tools
