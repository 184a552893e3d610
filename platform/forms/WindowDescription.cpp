#include "platform/forms/WindowDescription.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <stdexcept>

namespace forms {

QJsonObject parseWindowDescription(const QByteArray& json, const QString& what)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        throw std::runtime_error(QStringLiteral("window description %1 is not valid: %2 at offset %3")
                                     .arg(what, error.errorString())
                                     .arg(error.offset)
                                     .toStdString());
    }
    return document.object();
}

QJsonObject loadWindowDescription(const QString& formName)
{
    QFile file(QStringLiteral(":/forms/%1.json").arg(formName));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("no window description for %1").arg(formName).toStdString());
    return parseWindowDescription(file.readAll(), formName);
}

} // namespace forms
