#include "platform/HelpFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace HelpFile {

QString fileName()
{
    return QStringLiteral("Brenvolo.html");
}

QStringList directories(const QString& applicationDirectory)
{
    QStringList list{applicationDirectory,
                     QDir(applicationDirectory).filePath(QStringLiteral(BRENVOLO_HELP_FROM_BINDIR)),
                     QStringLiteral(BRENVOLO_HELP_INSTALL_DIR)};
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        list.append(QDir(data).filePath(QStringLiteral("brenvolo")));
    for (QString& dir : list)
        dir = QDir::cleanPath(dir);
    list.removeDuplicates();
    return list;
}

QString locate(const QString& applicationDirectory)
{
    for (const QString& dir : directories(applicationDirectory)) {
        const QFileInfo guide(QDir(dir).filePath(fileName()));
        if (guide.isFile())
            return guide.absoluteFilePath();
    }
    return {};
}

} // namespace HelpFile
