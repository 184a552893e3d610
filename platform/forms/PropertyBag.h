#pragma once
// The saved property set of one user control, as the window description stores
// it: an ordered list of key/value pairs. Keys are matched without regard to
// case and written in lower case. The host's own two entries, "_extentx" and
// "_extenty" (the control's size in hundredths of a millimetre), come first.
//
// Value representation in the description's "properties" object:
//   integers and colours   JSON numbers (colours as signed 32-bit values, so a
//                          system colour 0x80000005 is stored as -2147483643)
//   booleans               -1 (True) and 0 (False); reading takes any non-zero number as True
//   strings                JSON strings
//   fonts                  {"name", "size" (points, real), "bold", "italic",
//                           "underline", "strikethrough"} (flags as JSON booleans)
//   pictures               {"type": "bitmap" | "icon", "png": base64 PNG data,
//                           "hmwidth", "hmheight" (optional, HIMETRIC)};
//                          a picture that is none has no entry at all

#include "platform/gdi/Picture.h"

#include <QFont>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

namespace forms {

class PropertyBag {
public:
    PropertyBag() = default;

    // Reads every entry of a description's "properties" object.
    [[nodiscard]] static PropertyBag fromJson(const QJsonObject& properties);
    // The "properties" object (keys in lower case).
    [[nodiscard]] QJsonObject toJson() const;

    // Generic access. A missing key gives `defaultValue`.
    [[nodiscard]] QJsonValue ReadProperty(const QString& key, const QJsonValue& defaultValue = {}) const;
    // Replaces an entry in place, or appends a new one.
    void WriteProperty(const QString& key, const QJsonValue& value);
    [[nodiscard]] bool contains(const QString& key) const;
    void remove(const QString& key);

    // Typed reads: a missing key, or a value of the wrong kind, gives the default.
    [[nodiscard]] std::int32_t readInt(const QString& key, std::int32_t defaultValue) const;
    [[nodiscard]] bool readBool(const QString& key, bool defaultValue) const;
    [[nodiscard]] QString readString(const QString& key, const QString& defaultValue) const;
    [[nodiscard]] QFont readFont(const QString& key, const QFont& defaultValue) const;
    [[nodiscard]] gdi::PicturePtr readPicture(const QString& key, const gdi::PicturePtr& defaultValue) const;

    // Typed writes. A picture that is none removes the entry.
    void writeInt(const QString& key, std::int32_t value);
    void writeBool(const QString& key, bool value);
    void writeString(const QString& key, const QString& value);
    void writeFont(const QString& key, const QFont& value);
    void writePicture(const QString& key, const gdi::PicturePtr& value);

    // The host's extent entries (hundredths of a millimetre); written first.
    void setExtent(int width, int height);
    [[nodiscard]] int extentX() const { return readInt(QStringLiteral("_extentx"), 0); }
    [[nodiscard]] int extentY() const { return readInt(QStringLiteral("_extenty"), 0); }

    // Entries in their order, keys in lower case.
    [[nodiscard]] const QList<QPair<QString, QJsonValue>>& entries() const { return m_entries; }
    [[nodiscard]] qsizetype size() const { return m_entries.size(); }

private:
    [[nodiscard]] qsizetype indexOf(const QString& key) const;
    QList<QPair<QString, QJsonValue>> m_entries;
};

// The conversions used by the typed accessors, for hosts that store fonts and
// pictures elsewhere in a description.
[[nodiscard]] QJsonObject fontToJson(const QFont& font);
[[nodiscard]] QFont fontFromJson(const QJsonObject& json, const QFont& fallback);
// Null when there is no picture.
[[nodiscard]] QJsonValue pictureToJson(const gdi::PicturePtr& picture);
// Null for anything that does not decode to an image.
[[nodiscard]] gdi::PicturePtr pictureFromJson(const QJsonValue& json);

} // namespace forms
