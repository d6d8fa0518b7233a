#include "platform/NetworkInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace NetworkInterface {

bool isUp(const QString& root, const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return false;
    const QString path = QDir::cleanPath(root + QStringLiteral("/sys/class/net/%1/flags").arg(name));
    QFile flags(path);
    // Only a regular file (sysfs attributes are): nothing else can hang the read.
    if (!QFileInfo(path).isFile() || !flags.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const uint value = QString::fromLatin1(flags.read(64)).trimmed().toUInt(&ok, 0);
    return ok && (value & 0x1u) != 0;
}

} // namespace NetworkInterface
