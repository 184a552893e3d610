#include "copy-command/TerminalReport.h"

namespace copycmd {

std::string reportLine(const std::string& text)
{
    std::string line = std::string(kProgramName) + ": ";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        line += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    return line + '\n';
}

void report(const std::string& text, std::FILE* to)
{
    const std::string line = reportLine(text);
    std::fwrite(line.data(), 1, line.size(), to);
}

void reportLeftOut(const std::vector<shell::LeftOutItem>& items, const std::string& note, std::FILE* to)
{
    for (const shell::LeftOutItem& item : items)
        report("left out: " + item.item + ": " + item.reason, to);
    if (!items.empty() && !note.empty())
        report("note: " + note, to);
}

} // namespace copycmd
