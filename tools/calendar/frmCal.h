#pragma once
// The calendar generator window: a month number and a year in, one month of day
// numbers out, laid out under the weekday headers in a 5 x 7 grid.

#include "platform/forms/Form.h"
#include "tools/calendar/CalendarGenerator.h"

namespace tools {

class frmCal : public forms::Form {
    Q_OBJECT
public:
    frmCal();

protected:
    void connectControls() override;

private:
    void vbButton1Click();

    // Keeps the window-level TotalDays and Counter between clicks.
    CalendarGenerator m_generator;
};

} // namespace tools
