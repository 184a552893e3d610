#pragma once
// The About window: the program's icon, credits scrolling upwards without end
// inside a fixed viewport, and "&Close".

#include "platform/forms/Form.h"

namespace tools {

class frmAbout : public forms::Form {
    Q_OBJECT
public:
    frmAbout();

    // The credits text's top edge within its viewport, in twips (NaN while unloaded).
    [[nodiscard]] float creditsTop() const;

protected:
    void connectControls() override;
    void Form_Load() override;

private:
    void Timer1Timer();
    void setCreditsTop(float top);
};

} // namespace tools
