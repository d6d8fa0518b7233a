#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace Paths {

bool makePrivateDirectory(const QString& path)
{
    QDir dir(path);
    if (!dir.exists() && !dir.mkpath(QStringLiteral(".")))
        return false;
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString dataDirectory()
{
    QString dir = qEnvironmentVariable("BRENVOLO_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brenvolo");
    if (!QDir(dir).exists())
        makePrivateDirectory(dir);
    return QDir(dir).absolutePath();
}

QString configDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Brenvolo");
}

QString runtimeDirectory()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QDir::tempPath() : dir;
}

} // namespace Paths
