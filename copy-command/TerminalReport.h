#pragma once
// What the terminal form says: nothing on success; otherwise one plain line on
// stderr for each thing worth knowing, "quintaro-copy: TEXT", so a script can read
// them line by line:
//   quintaro-copy: Cannot copy "a": the destination folder "a/b" is inside it.
//   quintaro-copy: left out: PATH: REASON
//   quintaro-copy: note: WHAT THE DRIVE COULD NOT HOLD
// Control characters (a newline in a file's name, a terminal's escape, the 8-bit
// controls U+0080-U+009F) and bytes that are not UTF-8 are shown as '?', one for
// each, so no name can break a line or speak to the terminal.

#include "platform/copy/CopySession.h"

#include <cstdio>
#include <string>
#include <vector>

namespace copycmd {

inline constexpr const char* kProgramName = "quintaro-copy";

// One line, with the program's name and its newline.
[[nodiscard]] std::string reportLine(const std::string& text);
// Writes one line at once: lines from several threads never interleave.
void report(const std::string& text, std::FILE* to = stderr);
// The items left out, then the note of what the drive could not hold (only with
// them: alone it is no failure, and success stays quiet).
void reportLeftOut(const std::vector<shell::LeftOutItem>& items, const std::string& note,
                   std::FILE* to = stderr);

} // namespace copycmd
