#include "platform/copy/CopyNaming.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <fnmatch.h>
#include <utility>

namespace shell {

size_t utf8Boundary(const std::string& text, size_t at)
{
    if (at >= text.size())
        return text.size();
    // Step back over continuation bytes (10xxxxxx) to the start of their character; a
    // sequence is at most four bytes, so a name that is not UTF-8 loses at most three more.
    size_t cut = at;
    while (cut > 0 && at - cut < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80 ? at : cut;
}

namespace {

// name as stem and extension; a folder's name, or a hidden one, has no extension.
std::pair<std::string, std::string> stemAndExtension(const std::string& name, bool isFolder)
{
    auto dot = name.find_last_of('.');
    // A leading dot marks a hidden name, not an extension (".profile - Copy").
    if (!isFolder && dot != std::string::npos && dot > 0)
        return {name.substr(0, dot), name.substr(dot)};
    return {name, {}};
}

// stem + suffix + extension, kept a valid directory entry: the stem is shortened, never the suffix.
std::string withSuffix(std::string stem, const std::string& suffix, std::string extension)
{
    size_t room = NAME_MAX - suffix.size() - std::min<size_t>(extension.size(), NAME_MAX / 2);
    if (extension.size() > NAME_MAX / 2)
        extension.clear();
    if (stem.size() > room)
        stem.resize(utf8Boundary(stem, room));
    return stem + suffix + extension;
}

} // namespace

std::string duplicateName(const std::string& name, bool isFolder, int n)
{
    auto [stem, extension] = stemAndExtension(name, isFolder);
    return withSuffix(stem, n <= 1 ? " - Copy" : " - Copy (" + std::to_string(n) + ")", extension);
}

std::string keptBothName(const std::string& name, bool isFolder, int n)
{
    auto [stem, extension] = stemAndExtension(name, isFolder);
    // A name that is a numbered one already goes on counting from its number.
    int from = 2;
    if (size_t open = stem.rfind(" ("); open != std::string::npos && stem.size() > open + 3 && stem.back() == ')'
        && stem.find_first_not_of("0123456789", open + 2) == stem.size() - 1 && stem.size() - open - 3 <= 6) {
        from = std::stoi(stem.substr(open + 2)) + 1;
        stem.resize(open);
    }
    return withSuffix(stem, " (" + std::to_string(from + std::max(n, 1) - 1) + ")", extension);
}

std::string partialName(pid_t pid, unsigned long serial, const std::string& name)
{
    std::string head = std::string(kPartialPrefix) + std::to_string(pid) + '-' + std::to_string(serial) + '-';
    return head + name.substr(0, utf8Boundary(name, NAME_MAX - head.size()));
}

std::optional<pid_t> partialOwner(const std::string& name)
{
    size_t prefix = std::strlen(kPartialPrefix);
    if (name.compare(0, prefix, kPartialPrefix) != 0)
        return std::nullopt;
    size_t i = prefix;
    long long pid = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < INT_MAX)
        pid = pid * 10 + (name[i++] - '0');
    if (i == prefix || i >= name.size() || name[i] != '-' || pid <= 0 || pid >= INT_MAX)
        return std::nullopt;
    return static_cast<pid_t>(pid);
}

namespace {

constexpr const char* kWindowsRefused = ":?*<>|\"\\";

// Length of the stem when it is a reserved device name (CON, NUL, COM1...), else 0.
size_t reservedStem(const std::string& name)
{
    const std::string stem = foldedCase(name.substr(0, name.find('.')));
    static const char* const fixed[] = {"con", "prn", "aux", "nul"};
    for (const char* word : fixed) {
        if (stem == word)
            return stem.size();
    }
    if (stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0)
        && stem[3] >= '1' && stem[3] <= '9')
        return 4;
    return 0;
}

} // namespace

std::string foldedCase(std::string name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

std::string refusedByWindowsDrives(const std::string& name)
{
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32)
            return "names with control characters";
        if (std::strchr(kWindowsRefused, c) != nullptr)
            return std::string("names with '") + c + "'";
    }
    if (!name.empty() && name.back() == '.')
        return "names ending in a dot";
    if (!name.empty() && name.back() == ' ')
        return "names ending in a space";
    if (size_t stem = reservedStem(name); stem != 0)
        return "the name '" + name.substr(0, stem) + "'";
    return {};
}

std::string windowsSafeName(const std::string& name)
{
    std::string safe = name;
    for (char& c : safe) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr(kWindowsRefused, c) != nullptr)
            c = '_';
    }
    for (size_t i = safe.size(); i > 0 && (safe[i - 1] == '.' || safe[i - 1] == ' '); --i)
        safe[i - 1] = '_';
    if (size_t stem = reservedStem(safe); stem != 0)
        safe.insert(stem, "_");
    return safe;
}

bool hasWildcard(const std::string& name)
{
    return name.find_first_of("*?[") != std::string::npos;
}

bool matchesWildcard(const std::string& pattern, const std::string& name)
{
    // Hidden names match only a pattern that names the dot itself, as in a shell.
    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) == 0;
}

std::vector<std::string> splitNameList(const char* data, size_t size)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\0') {
            if (i == start)
                break;
            names.emplace_back(data + start, i - start);
            start = i + 1;
        }
    }
    return names;
}

} // namespace shell
