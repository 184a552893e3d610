#include "platform/forms/PropertyBag.h"

#include "platform/forms/Fonts.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cmath>
#include <optional>

namespace forms {

namespace {

const QString kExtentX = QStringLiteral("_extentx");
const QString kExtentY = QStringLiteral("_extenty");

// A stored number as a 32-bit integer. Colours with the top bit set may have
// been written unsigned by other tools, so the unsigned range is folded onto
// the signed one; anything beyond both is not a 32-bit value.
std::optional<std::int32_t> toInt32(const QJsonValue& v)
{
    double d = 0;
    if (v.isDouble()) {
        d = v.toDouble();
    } else if (v.isBool()) {
        return v.toBool() ? -1 : 0;
    } else if (v.isString()) {
        bool ok = false;
        d = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(d))
        return std::nullopt;
    d = std::nearbyint(d); // ties to even, as the platform's integer conversion does
    if (d < -2147483648.0 || d > 4294967295.0)
        return std::nullopt;
    return std::int32_t(std::uint32_t(std::int64_t(d)));
}

} // namespace

PropertyBag PropertyBag::fromJson(const QJsonObject& properties)
{
    PropertyBag bag;
    // The extents first, whatever order the object gives.
    for (const QString& k : {kExtentX, kExtentY}) {
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            if (it.key().compare(k, Qt::CaseInsensitive) == 0)
                bag.WriteProperty(k, it.value());
        }
    }
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (it.key().compare(kExtentX, Qt::CaseInsensitive) != 0
            && it.key().compare(kExtentY, Qt::CaseInsensitive) != 0)
            bag.WriteProperty(it.key(), it.value());
    }
    return bag;
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject out;
    for (const auto& [key, value] : m_entries)
        out.insert(key, value);
    return out;
}

qsizetype PropertyBag::indexOf(const QString& key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QJsonValue PropertyBag::ReadProperty(const QString& key, const QJsonValue& defaultValue) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? defaultValue : m_entries[i].second;
}

void PropertyBag::WriteProperty(const QString& key, const QJsonValue& value)
{
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({key.toLower(), value});
}

bool PropertyBag::contains(const QString& key) const
{
    return indexOf(key) >= 0;
}

void PropertyBag::remove(const QString& key)
{
    const qsizetype i = indexOf(key);
    if (i >= 0)
        m_entries.removeAt(i);
}

std::int32_t PropertyBag::readInt(const QString& key, std::int32_t defaultValue) const
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        return defaultValue;
    return toInt32(m_entries[i].second).value_or(defaultValue);
}

bool PropertyBag::readBool(const QString& key, bool defaultValue) const
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        return defaultValue;
    const QJsonValue& v = m_entries[i].second;
    if (v.isDouble())
        return v.toDouble() != 0.0; // any non-zero number is True, -0.5 included
    if (auto n = toInt32(v))
        return *n != 0;
    return defaultValue;
}

QString PropertyBag::readString(const QString& key, const QString& defaultValue) const
{
    const QJsonValue v = ReadProperty(key);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble());
    return defaultValue;
}

QFont PropertyBag::readFont(const QString& key, const QFont& defaultValue) const
{
    const QJsonValue v = ReadProperty(key);
    return v.isObject() ? fontFromJson(v.toObject(), defaultValue) : defaultValue;
}

gdi::PicturePtr PropertyBag::readPicture(const QString& key, const gdi::PicturePtr& defaultValue) const
{
    const QJsonValue v = ReadProperty(key);
    if (v.isUndefined() || v.isNull())
        return defaultValue;
    gdi::PicturePtr p = pictureFromJson(v);
    return p ? p : defaultValue;
}

void PropertyBag::writeInt(const QString& key, std::int32_t value)
{
    WriteProperty(key, QJsonValue(value));
}

void PropertyBag::writeBool(const QString& key, bool value)
{
    WriteProperty(key, QJsonValue(value ? -1 : 0));
}

void PropertyBag::writeString(const QString& key, const QString& value)
{
    WriteProperty(key, value);
}

void PropertyBag::writeFont(const QString& key, const QFont& value)
{
    WriteProperty(key, fontToJson(value));
}

void PropertyBag::writePicture(const QString& key, const gdi::PicturePtr& value)
{
    const QJsonValue json = pictureToJson(value);
    if (json.isNull())
        remove(key);
    else
        WriteProperty(key, json);
}

void PropertyBag::setExtent(int width, int height)
{
    remove(kExtentX);
    remove(kExtentY);
    m_entries.prepend({kExtentY, QJsonValue(height)});
    m_entries.prepend({kExtentX, QJsonValue(width)});
}

QJsonObject fontToJson(const QFont& font)
{
    QJsonObject o;
    o.insert(QStringLiteral("name"), font.family());
    o.insert(QStringLiteral("size"), font.pointSizeF());
    o.insert(QStringLiteral("bold"), font.bold());
    o.insert(QStringLiteral("italic"), font.italic());
    o.insert(QStringLiteral("underline"), font.underline());
    o.insert(QStringLiteral("strikethrough"), font.strikeOut());
    return o;
}

QFont fontFromJson(const QJsonObject& json, const QFont& fallback)
{
    // Families the desktop lacks get their stand-ins, as everywhere in a window.
    return fontFromDescription(json, fallback);
}

QJsonValue pictureToJson(const gdi::PicturePtr& picture)
{
    if (!picture || picture->type == gdi::Picture::Type::None || picture->image.isNull())
        return QJsonValue(QJsonValue::Null);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture->image.save(&buffer, "PNG");
    QJsonObject o;
    o.insert(QStringLiteral("type"),
             picture->type == gdi::Picture::Type::Icon ? QStringLiteral("icon") : QStringLiteral("bitmap"));
    o.insert(QStringLiteral("png"), QString::fromLatin1(png.toBase64()));
    o.insert(QStringLiteral("hmwidth"), picture->hmWidth);
    o.insert(QStringLiteral("hmheight"), picture->hmHeight);
    return o;
}

gdi::PicturePtr pictureFromJson(const QJsonValue& json)
{
    if (!json.isObject())
        return nullptr;
    const QJsonObject o = json.toObject();
    const QByteArray data = QByteArray::fromBase64(o.value(QStringLiteral("png")).toString().toLatin1());
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data, "PNG"))
        return nullptr;
    const bool icon =
        o.value(QStringLiteral("type")).toString().compare(QStringLiteral("icon"), Qt::CaseInsensitive) == 0;
    if (icon)
        image = image.convertToFormat(QImage::Format_ARGB32);
    else
        image = image.convertToFormat(QImage::Format_RGB32);
    gdi::Picture p;
    p.type = icon ? gdi::Picture::Type::Icon : gdi::Picture::Type::Bitmap;
    p.image = image;
    p.hmWidth = o.value(QStringLiteral("hmwidth")).toInt(gdi::pixelsToHimetric(image.width()));
    p.hmHeight = o.value(QStringLiteral("hmheight")).toInt(gdi::pixelsToHimetric(image.height()));
    if (p.hmWidth <= 0 || p.hmHeight <= 0) {
        p.hmWidth = gdi::pixelsToHimetric(image.width());
        p.hmHeight = gdi::pixelsToHimetric(image.height());
    }
    return std::make_shared<const gdi::Picture>(std::move(p));
}

} // namespace forms
