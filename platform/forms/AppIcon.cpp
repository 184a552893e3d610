#include "platform/forms/AppIcon.h"

#include <QFile>

namespace forms {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 96, 256}) {
        const QString path = QStringLiteral(":/icons/quintaro-%1.png").arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

} // namespace forms
