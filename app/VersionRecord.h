#pragma once
// The program's version record: what it calls itself and which version it is.
// Qt's application properties carry it at run time (the name, the version, and
// the internal name, product name and description as properties of the
// application object); the desktop entry carries the same fields.

#include <QString>

class QCoreApplication;

namespace app {

struct VersionRecord {
    static inline const QString productName = QStringLiteral("Quintaro");
    static inline const QString internalName = QStringLiteral("Quintaro 2.0");
    static inline const QString version = QStringLiteral("2.00"); // file and product version
    static inline const QString description = QStringLiteral("You can copy and paste quickly");
    static inline const QString company = QStringLiteral("the Quintaro developers");
};

// Sets the application's name, version and organisation, and the properties
// "internalName", "productName", "productVersion" and "fileDescription".
void applyVersionRecord(QCoreApplication& application);

} // namespace app
