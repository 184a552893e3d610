#pragma once
// The copy service's own settings, kept apart from the program's: in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config) as
// Quintaro/copy-service.conf.

namespace shell {

// "Verify copies" as the user last chose it in a progress window; off until then.
[[nodiscard]] bool savedVerifyChoice();
void saveVerifyChoice(bool verify);

} // namespace shell
