#pragma once
// quintaro-copy --progress runs the windowed form, a program of its own
// (quintaro-copy-window), so the terminal form never loads Qt. It is looked for
// beside this program (a build tree), then in the install's libexec folder, found
// from this program's own folder (the install can be moved) and at the path it
// was built for.

#include <optional>
#include <string>
#include <vector>

namespace copycmd {

inline constexpr const char* kWindowFormName = "quintaro-copy-window";

// The places looked at, in order, for a program in selfFolder (empty: unknown).
[[nodiscard]] std::vector<std::string> windowFormPlaces(const std::string& selfFolder);
// The first of them that can be run, for this process (/proc/self/exe).
[[nodiscard]] std::optional<std::string> findWindowForm();
// Replaces this process with the windowed form; returns the errno when it cannot.
int execWindowForm(const std::string& path, const std::vector<std::string>& arguments);

} // namespace copycmd
