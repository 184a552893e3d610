#include "tools/about/frmAbout.h"

#include "platform/forms/FormTimer.h"
#include "platform/forms/Twips.h"
#include "tools/about/CreditsScroller.h"

#include <QVariant>
#include <QWidget>

#include <limits>

namespace tools {

namespace {

// The text box's top is kept in twips on the control itself, so it starts afresh
// with every load and keeps fractions of a pixel from one tick to the next.
const char* const topProperty = "Top";

} // namespace

frmAbout::frmAbout() : Form(QStringLiteral("frmAbout"))
{
}

void frmAbout::connectControls()
{
    forms::onEvent(controls().object(QStringLiteral("cmd_tutup")), "Click()", [this] { unload(); });
    forms::onEvent(controls().timer(QStringLiteral("Timer1")), "Timer()", [this] { Timer1Timer(); });
}

void frmAbout::Form_Load()
{
    setCreditsTop(CreditsStartTop);
    controls().timer(QStringLiteral("Timer1"))->setInterval(CreditsTickMs);
}

void frmAbout::Timer1Timer()
{
    setCreditsTop(creditsScrollStep(creditsTop()));
}

float frmAbout::creditsTop() const
{
    const QWidget* text = controls().widget(QStringLiteral("Text1"));
    if (text == nullptr)
        return std::numeric_limits<float>::quiet_NaN();
    return text->property(topProperty).toFloat();
}

void frmAbout::setCreditsTop(float top)
{
    QWidget* text = controls().widget(QStringLiteral("Text1"));
    if (text == nullptr)
        return;
    text->setProperty(topProperty, top);
    text->move(text->x(), forms::twipsToPixels(top));
}

} // namespace tools
