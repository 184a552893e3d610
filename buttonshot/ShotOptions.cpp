#include "ShotOptions.h"

#include <QCommandLineParser>

namespace buttonshot {

namespace {

// Colours are written as the program writes them, 0xBBGGRR (decimal also works).
bool parseColor(const QString& text, std::uint32_t* out)
{
    bool ok = false;
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        t = QLatin1String("0x") + t.mid(2);
    const qulonglong v = t.toULongLong(&ok, 0);
    if (!ok || v > 0xFFFFFFFFull)
        return false;
    *out = std::uint32_t(v);
    return true;
}

bool parseInt(const QString& text, std::int32_t* out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 0);
    if (ok)
        *out = v;
    return ok;
}

} // namespace

std::optional<ShotOptions> parseShotOptions(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders one vbButton to a PNG: the drawing surface exactly as painted, without the window "
        "shape. System colours come from the Windows-classic table. --hot and --focus set the hot look "
        "and the focus independently. Without --font the caption is MS Sans Serif 8.25 bold (or a "
        "stand-in of that family); with --font it is bold only with --bold."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    const auto value = [&parser](const char* name, const char* valueName, const char* description) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(description),
                             QString::fromLatin1(valueName));
        parser.addOption(o);
        return o;
    };
    const auto flag = [&parser](const char* name, const char* description) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(description));
        parser.addOption(o);
        return o;
    };
    const auto type = value("type", "N", "ButtonType, 1 to 14 (others: face and picture only). Default 3.");
    const auto width = value("width", "W", "Width in pixels. Default 75.");
    const auto height = value("height", "H", "Height in pixels. Default 23.");
    const auto scale = value("scale", "S",
                             "Device pixel ratio of the screen drawn for (1, 1.25, 1.5, 2, 3 ...): the PNG "
                             "has the button's size times S in device pixels. Default 1.");
    const auto state = value("state", "up|down|disabled", "Face to draw. Default up.");
    const auto hot = flag("hot", "Pointer over the button.");
    const auto focus = flag("focus", "The button has the focus.");
    const auto isDefault = flag("default", "The window marks the button as its default one.");
    const auto scheme =
        value("scheme", "N", "ColorScheme: 1 system, 2 custom, 3 classic, 4 parent. Default 1.");
    const auto back = value("back", "C", "BackColor. Default 0xC0C0C0.");
    const auto backOver = value("back-over", "C", "BackOver. Default 0xC0C0C0.");
    const auto fore = value("fore", "C", "ForeColor. Default 0.");
    const auto foreOver = value("fore-over", "C", "ForeOver. Default 0xFF0000.");
    const auto mask = value("mask", "C", "MaskColor. Default 0xC0C0C0.");
    const auto parentColor = value("parent-color", "C",
                                   "Back colour of the form behind the button: what a transparent button "
                                   "(type 11) shows and what scheme 4 reads. Default the button face.");
    const auto noMask = flag("no-mask", "UseMaskColor False.");
    const auto soft = flag("soft", "SoftBevel True.");
    const auto greyscale = flag("greyscale", "UseGreyscale True.");
    const auto effect = value("effect", "N", "SpecialEffect. Default 0.");
    const auto caption = value("caption", "TEXT", "Caption. Default \"Button\".");
    const auto font = value("font", "NAME", "Font family.");
    const auto fontSize = value("font-size", "PT", "Font size in points. Default 8.25.");
    const auto bold = flag("bold", "Bold caption.");
    const auto picture = value("picture", "FILE", "PictureNormal (PNG, BMP or ICO).");
    const auto pictureOver = value("picture-over", "FILE", "PictureOver.");
    const auto picturePosition = value("picture-position", "N", "PicturePosition, 0 to 4. Default 0.");
    const auto check = flag("check", "CheckBoxBehaviour True.");
    const auto valueFlag = flag("value", "Value True.");
    const auto out = value("out", "FILE.png", "Where to write the PNG (required).");

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *error = parser.helpText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }

    ShotOptions o;
    const auto readInt = [&](const QCommandLineOption& opt, std::int32_t* target) {
        if (parser.isSet(opt) && !parseInt(parser.value(opt), target)) {
            *error =
                QStringLiteral("--%1: not a whole number: %2").arg(opt.names().first(), parser.value(opt));
            return false;
        }
        return true;
    };
    const auto readColor = [&](const QCommandLineOption& opt, std::uint32_t* target) {
        if (parser.isSet(opt) && !parseColor(parser.value(opt), target)) {
            *error = QStringLiteral("--%1: not a colour: %2").arg(opt.names().first(), parser.value(opt));
            return false;
        }
        return true;
    };
    std::int32_t w = o.width, h = o.height;
    if (!readInt(type, &o.type) || !readInt(width, &w) || !readInt(height, &h) || !readInt(scheme, &o.scheme)
        || !readInt(effect, &o.effect) || !readInt(picturePosition, &o.picturePosition)
        || !readColor(back, &o.back) || !readColor(backOver, &o.backOver) || !readColor(fore, &o.fore)
        || !readColor(foreOver, &o.foreOver) || !readColor(mask, &o.mask))
        return std::nullopt;
    if (parser.isSet(parentColor)) {
        std::uint32_t c = 0;
        if (!readColor(parentColor, &c))
            return std::nullopt;
        o.parentColor = c;
    }
    // Large enough for any button, small enough that a typing slip cannot ask for gigabytes.
    if (w < 1 || h < 1 || w > 4096 || h > 4096) {
        *error = QStringLiteral("--width and --height must be 1 to 4096");
        return std::nullopt;
    }
    o.width = w;
    o.height = h;

    if (parser.isSet(state)) {
        o.state = parser.value(state).toLower();
        if (o.state != QLatin1String("up") && o.state != QLatin1String("down")
            && o.state != QLatin1String("disabled")) {
            *error = QStringLiteral("--state must be up, down or disabled");
            return std::nullopt;
        }
    }
    if (parser.isSet(scale)) {
        bool ok = false;
        o.scale = parser.value(scale).toDouble(&ok);
        // Up to 8 keeps a 4096-pixel button's image within what a PNG writer takes.
        if (!ok || !(o.scale >= 1 && o.scale <= 8)) {
            *error =
                QStringLiteral("--scale: not a device pixel ratio from 1 to 8: %1").arg(parser.value(scale));
            return std::nullopt;
        }
    }
    if (parser.isSet(fontSize)) {
        bool ok = false;
        o.fontSize = parser.value(fontSize).toDouble(&ok);
        if (!ok || o.fontSize <= 0 || o.fontSize > 200) {
            *error = QStringLiteral("--font-size: not a size in points: %1").arg(parser.value(fontSize));
            return std::nullopt;
        }
    }
    if (parser.isSet(font)) {
        o.font = parser.value(font);
        o.bold = parser.isSet(bold);
    }
    o.hot = parser.isSet(hot);
    o.focus = parser.isSet(focus);
    o.isDefault = parser.isSet(isDefault);
    o.noMask = parser.isSet(noMask);
    o.soft = parser.isSet(soft);
    o.greyscale = parser.isSet(greyscale);
    o.check = parser.isSet(check);
    o.value = parser.isSet(valueFlag);
    if (parser.isSet(caption))
        o.caption = parser.value(caption);
    o.picture = parser.value(picture);
    o.pictureOver = parser.value(pictureOver);
    o.out = parser.value(out);
    if (o.out.isEmpty()) {
        *error = QStringLiteral("--out FILE.png is required");
        return std::nullopt;
    }
    return o;
}

} // namespace buttonshot
