#include "app/VersionRecord.h"

#include <QCoreApplication>
#include <QVariant>

namespace app {

void applyVersionRecord(QCoreApplication& application)
{
    QCoreApplication::setOrganizationName(VersionRecord::productName);
    QCoreApplication::setApplicationName(VersionRecord::productName);
    QCoreApplication::setApplicationVersion(VersionRecord::version);
    application.setProperty("internalName", VersionRecord::internalName);
    application.setProperty("productName", VersionRecord::productName);
    application.setProperty("productVersion", VersionRecord::version);
    application.setProperty("fileDescription", VersionRecord::description);
    application.setProperty("companyName", VersionRecord::company);
}

} // namespace app
