#include "copy-command/TerminalReport.h"

namespace copycmd {

namespace {

// The length of the well-formed UTF-8 character of two or more bytes that starts
// text[at], or 0; and whether it is a control character.
std::size_t utf8Length(const std::string& text, std::size_t at, bool& isControl)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    isControl = code <= 0x9F; // C1 controls (U+0080-U+009F) speak to terminals as ESC does
    return length;
}

} // namespace

std::string reportLine(const std::string& text)
{
    std::string line = std::string(kProgramName) + ": ";
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7f) {
            line += text[at++];
        } else if (bool control = false; const std::size_t length = utf8Length(text, at, control)) {
            if (control)
                line += '?';
            else
                line.append(text, at, length);
            at += length;
        } else {
            line += '?'; // a control character, or a byte that is no character
            ++at;
        }
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
