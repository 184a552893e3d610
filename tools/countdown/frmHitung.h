#pragma once
// The countdown timer window: minutes and seconds in, a count down to zero in
// hundredths of a second out, one hundredth per tick of a 10 ms timer.

#include "platform/forms/Form.h"
#include "tools/countdown/CountdownClock.h"

#include <QString>

namespace tools {

class frmHitung : public forms::Form {
    Q_OBJECT
public:
    frmHitung();

protected:
    void connectControls() override;
    void Form_Load() override;

private:
    void vbButton1Click();
    void Timer1Timer();
    void txtInputMinuteLostFocus();
    void txtInputSecondChange();

    void StartCountdown();
    void StopCountdown();
    [[nodiscard]] std::int16_t boxValue(const QString& controlName) const;
    void normaliseBox(const QString& controlName);

    // The window-level Minutes, Seconds and Hundredths.
    CountdownClock m_count;
};

} // namespace tools
