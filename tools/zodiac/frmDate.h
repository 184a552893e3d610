#pragma once
// The birthday window: a typed date in, the weekday it fell on and its zodiac
// sign out. "&OK" is usable exactly while the text reads as a date.

#include "platform/forms/Form.h"

namespace tools {

class frmDate : public forms::Form {
    Q_OBJECT
public:
    frmDate();

protected:
    void connectControls() override;
    void Form_Load() override;

private:
    void Text1Change();
    void Command1Click();
};

} // namespace tools
