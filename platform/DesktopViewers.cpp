#include "platform/DesktopViewers.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <algorithm>

namespace {

// The key's desktop IDs or MIME types: "a;b;" -> a, b.
QStringList list(const QByteArray& value)
{
    QStringList items;
    for (const QByteArray& item : value.split(';')) {
        if (!item.trimmed().isEmpty())
            items.append(QString::fromUtf8(item.trimmed()));
    }
    return items;
}

// Each `key=value` of the file's groups named in `groups`, handed to `take`
// until it answers true; whether one did.
template <typename Take> bool anyEntry(const QString& path, const QList<QByteArray>& groups, Take take)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            inGroup = groups.contains(line);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inGroup && equals > 0 && take(line.left(equals).trimmed(), line.mid(equals + 1)))
            return true;
    }
    return false;
}

QStringList applicationFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

bool declares(const QString& desktopFile, const QStringList& kinds)
{
    return anyEntry(desktopFile, {QByteArrayLiteral("[Desktop Entry]")},
                    [&kinds](const QByteArray& key, const QByteArray& value) {
                        if (key != "MimeType")
                            return false;
                        const QStringList declared = list(value);
                        return std::any_of(declared.begin(), declared.end(),
                                           [&kinds](const QString& kind) { return kinds.contains(kind); });
                    });
}

bool installed(const QString& desktopId)
{
    // "org-app.desktop" may stand in a folder "org" as "app.desktop".
    for (const QString& folder : applicationFolders()) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + desktopId) ||
            QFileInfo::exists(folder + QLatin1Char('/') +
                              QString(desktopId).replace(QLatin1Char('-'), QLatin1Char('/'))))
            return true;
    }
    return false;
}

bool associated(const QStringList& kinds)
{
    QStringList lists;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) + applicationFolders())
        lists.append(folder + QStringLiteral("/mimeapps.list"));
    const QList<QByteArray> groups{QByteArrayLiteral("[Default Applications]"),
                                   QByteArrayLiteral("[Added Associations]")};
    return std::any_of(lists.begin(), lists.end(), [&](const QString& path) {
        return anyEntry(path, groups, [&kinds](const QByteArray& key, const QByteArray& value) {
            const QStringList ids = list(value);
            return kinds.contains(QString::fromUtf8(key)) && std::any_of(ids.begin(), ids.end(), installed);
        });
    });
}

} // namespace

bool DesktopViewers::exists(const QString& file)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    // A kind the MIME database cannot tell (or no database at all): the opener is left to try.
    if (!type.isValid() || type.isDefault())
        return true;
    const QStringList kinds = QStringList{type.name()} + type.aliases() + type.allAncestors();
    for (const QString& folder : applicationFolders()) {
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            if (declares(entries.next(), kinds))
                return true;
        }
    }
    return associated(kinds);
}
