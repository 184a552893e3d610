#include "tools/ToolWindows.h"

#include "platform/forms/SharedInstance.h"
#include "tools/about/frmAbout.h"
#include "tools/calendar/frmCal.h"
#include "tools/countdown/frmHitung.h"
#include "tools/zodiac/frmDate.h"

namespace tools {

forms::Form* calendarWindow()
{
    return &forms::SharedInstance<frmCal>::get();
}

forms::Form* countdownWindow()
{
    return &forms::SharedInstance<frmHitung>::get();
}

forms::Form* starsWindow()
{
    return &forms::SharedInstance<frmDate>::get();
}

forms::Form* aboutWindow()
{
    return &forms::SharedInstance<frmAbout>::get();
}

} // namespace tools
