#pragma once
// The four tool windows as the main window's menu reaches them: each call gives
// the window kind's one shared instance, created on first use. The caller shows it
// (modally); every showing loads the window afresh.

namespace forms {
class Form;
}

namespace tools {

[[nodiscard]] forms::Form* calendarWindow();  // frmCal
[[nodiscard]] forms::Form* countdownWindow(); // frmHitung
[[nodiscard]] forms::Form* starsWindow();     // frmDate
[[nodiscard]] forms::Form* aboutWindow();     // frmAbout

} // namespace tools
