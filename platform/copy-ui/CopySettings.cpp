#include "platform/copy-ui/CopySettings.h"

#include <QSettings>

namespace shell {

namespace {

constexpr const char* kVerify = "verify";

QSettings serviceSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quintaro"),
                     QStringLiteral("copy-service"));
}

} // namespace

bool savedVerifyChoice()
{
    return serviceSettings().value(kVerify, false).toBool();
}

void saveVerifyChoice(bool verify)
{
    QSettings settings = serviceSettings();
    settings.setValue(kVerify, verify);
    settings.sync();
}

} // namespace shell
