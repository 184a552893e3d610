#pragma once
// The command line of buttonshot, parsed into what the button needs.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace buttonshot {

struct ShotOptions {
    std::int32_t type = 3;
    // Device pixels per pixel: the screen's scale (1, 1.25, 1.5, 2, 3 ...).
    double scale = 1.0;
    int width = 75;
    int height = 23;
    QString state = QStringLiteral("up"); // up, down or disabled
    bool hot = false;
    bool focus = false;
    bool isDefault = false;
    std::int32_t scheme = 1;
    std::uint32_t back = 0xC0C0C0;
    std::uint32_t backOver = 0xC0C0C0;
    std::uint32_t fore = 0;
    std::uint32_t foreOver = 0xFF0000;
    std::uint32_t mask = 0xC0C0C0;
    // The form behind the button; unset, the form keeps its default back colour.
    std::optional<std::uint32_t> parentColor;
    bool noMask = false;
    bool soft = false;
    bool greyscale = false;
    std::int32_t effect = 0;
    QString caption = QStringLiteral("Button");
    QString font = QStringLiteral("MS Sans Serif");
    double fontSize = 8.25;
    bool bold = true;
    QString picture;
    QString pictureOver;
    std::int32_t picturePosition = 0;
    bool check = false;
    bool value = false;
    QString out;
};

// Parses the arguments (program name first). On a usage error returns nothing and
// puts the message in *error; --help is reported the same way with the usage text.
[[nodiscard]] std::optional<ShotOptions> parseShotOptions(const QStringList& arguments, QString* error);

} // namespace buttonshot
