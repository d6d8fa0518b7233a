#include "platform/IniSettingsBackend.h"

#include "platform/Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The registry's unnamed value of a key.
const QString defaultValueName = QStringLiteral("(predefinito)");

struct Root
{
    QString key;
    QString file;
};

const Root roots[] = {
    {QStringLiteral("software\\brenvolo"), QStringLiteral("Software.ini")},
    {QStringLiteral("appevents\\schemes\\apps\\brenvolo"), QStringLiteral("AppEvents.ini")},
};

// QSettings reads an unquoted text with commas as a list.
QString asText(const QVariant& v)
{
    return v.typeId() == QMetaType::QStringList ? v.toStringList().join(QStringLiteral(", ")) : v.toString();
}

QString storedName(const QString& name)
{
    return name.isEmpty() ? defaultValueName : name.toLower();
}

// Names are looked up folded to lower case: a section or value a hand-edited
// file names in capitals can never be read, so it is not listed either, and
// brenvolo-cli's copy of the store reads what the program reads. A key
// written "/x" or "a//b" makes a group without a name, which is the group
// itself again: listing it would lead a walk of the tree round for ever.
bool readable(const QString& name)
{
    return !name.isEmpty() && name == name.toLower();
}

} // namespace

IniSettingsBackend::IniSettingsBackend(const QString& directory)
    : m_directory(directory)
{
}

IniSettingsBackend::Location IniSettingsBackend::locate(const QString& key) const
{
    const QString folded = key.toLower();
    for (const Root& root : roots) {
        if (folded == root.key)
            return {m_directory + QLatin1Char('/') + root.file, QString()};
        if (folded.startsWith(root.key + QLatin1Char('\\'))) {
            QString group = folded.mid(root.key.size() + 1);
            group.replace(QLatin1Char('\\'), QLatin1Char('/'));
            return {m_directory + QLatin1Char('/') + root.file, group};
        }
    }
    return {};
}

std::unique_ptr<QSettings> IniSettingsBackend::open(const Location& location) const
{
    auto settings = std::make_unique<QSettings>(location.file, QSettings::IniFormat);
    if (!location.group.isEmpty())
        settings->beginGroup(location.group);
    return settings;
}

bool IniSettingsBackend::finishWrite(QSettings& settings, const Location& location) const
{
    settings.sync();
    // A format error is what the file held when it was read (rescued at
    // start-up); only an access error says the write did not reach the disk.
    const bool ok = settings.status() != QSettings::AccessError;
    QFile::setPermissions(location.file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return ok;
}

QStringList IniSettingsBackend::rescueUnreadableFiles()
{
    QStringList copies;
    for (const Root& root : roots) {
        const QString file = m_directory + QLatin1Char('/') + root.file;
        if (!QFileInfo::exists(file))
            continue;
        QSettings probe(file, QSettings::IniFormat);
        if (probe.status() != QSettings::FormatError)
            continue;
        const QString copy = file + QStringLiteral(".illeggibile-") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        if (!QFile::copy(file, copy))
            continue;
        QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        copies.append(copy);
        // What could be read is written again as a whole file, through a new
        // file that takes the old one's name only once it is complete.
        const QString clean = file + QStringLiteral(".ripulito");
        QFile::remove(clean);
        {
            QSettings rewritten(clean, QSettings::IniFormat);
            for (const QString& key : probe.allKeys())
                rewritten.setValue(key, probe.value(key));
            rewritten.sync();
            if (rewritten.status() != QSettings::NoError)
                continue;
        }
        QFile::setPermissions(clean, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (std::rename(QFile::encodeName(clean).constData(), QFile::encodeName(file).constData()) != 0)
            QFile::remove(clean);
    }
    return copies;
}

std::optional<QString> IniSettingsBackend::value(const QString& key, const QString& name) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return std::nullopt;
    const auto settings = open(location);
    const QVariant v = settings->value(storedName(name));
    if (!v.isValid())
        return std::nullopt;
    return asText(v);
}

bool IniSettingsBackend::setValue(const QString& key, const QString& name, const QString& text)
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !Paths::makePrivateDirectory(m_directory))
        return false;
    const auto settings = open(location);
    settings->setValue(storedName(name), text);
    return finishWrite(*settings, location);
}

bool IniSettingsBackend::createKey(const QString& key)
{
    if (keyExists(key))
        return true;
    const Location location = locate(key);
    if (location.file.isEmpty() || !Paths::makePrivateDirectory(m_directory))
        return false;
    if (location.group.isEmpty()) {
        // The program's key is its file, even while it holds no section.
        QFile file(location.file);
        if (!file.open(QIODevice::Append))
            return false;
        file.close();
        QFile::setPermissions(location.file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return true;
    }
    // An INI file keeps no empty group: the key holds its unnamed value.
    return setValue(key, QString(), QString());
}

bool IniSettingsBackend::keyExists(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return false;
    if (location.group.isEmpty())
        return true;
    const auto settings = open(location);
    return !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
}

QStringList IniSettingsBackend::subKeys(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return {};
    QStringList groups = open(location)->childGroups();
    groups.removeIf([](const QString& group) { return !readable(group); });
    return groups;
}

SettingsBackend::Values IniSettingsBackend::values(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return {};
    const auto settings = open(location);
    Values values;
    for (const QString& name : settings->childKeys()) {
        if (!readable(name))
            continue;
        const QVariant v = settings->value(name);
        if (!v.isValid())
            continue;
        const QString shown = name == defaultValueName ? QString() : name;
        values.append({shown, asText(v)});
    }
    return values;
}

QList<IniSettingsBackend::StoredValue> IniSettingsBackend::valuesBelow(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return {};
    const auto settings = open(location);

    // The keys come as paths "group/sub/name", to be put in the order of a
    // walk key by key: a key's values by name, then its sub-keys by name.
    // QSettings lists them by the whole path, mostly in that order already.
    struct Path
    {
        QString path;
        qsizetype slash; // before the value's name; -1 for a value of the key itself
    };
    const auto walkOrder = [](const Path& a, const Path& b) {
        QStringView groupA = a.slash < 0 ? QStringView() : QStringView(a.path).first(a.slash);
        QStringView groupB = b.slash < 0 ? QStringView() : QStringView(b.path).first(b.slash);
        for (;;) {
            if (groupA.isEmpty() || groupB.isEmpty()) {
                if (groupA.isEmpty() != groupB.isEmpty())
                    return groupA.isEmpty(); // a key's values before its sub-keys
                return QStringView(a.path).sliced(a.slash + 1) < QStringView(b.path).sliced(b.slash + 1);
            }
            const qsizetype endA = groupA.indexOf(QLatin1Char('/'));
            const qsizetype endB = groupB.indexOf(QLatin1Char('/'));
            const QStringView partA = endA < 0 ? groupA : groupA.first(endA);
            const QStringView partB = endB < 0 ? groupB : groupB.first(endB);
            if (partA != partB)
                return partA < partB;
            groupA = endA < 0 ? QStringView() : groupA.sliced(endA + 1);
            groupB = endB < 0 ? QStringView() : groupB.sliced(endB + 1);
        }
    };
    std::vector<Path> paths;
    const QStringList keys = settings->allKeys();
    paths.reserve(static_cast<size_t>(keys.size()));
    for (const QString& path : keys)
        paths.push_back({path, path.lastIndexOf(QLatin1Char('/'))});
    if (!std::is_sorted(paths.begin(), paths.end(), walkOrder))
        std::sort(paths.begin(), paths.end(), walkOrder);

    QList<StoredValue> found;
    found.reserve(static_cast<qsizetype>(paths.size()));
    QStringView lastGroup;
    QString groupKey = key;
    for (const Path& p : paths) {
        const QStringView group = p.slash < 0 ? QStringView() : QStringView(p.path).first(p.slash);
        if (group != lastGroup || found.isEmpty()) {
            // The values of one group share one key text.
            groupKey = group.isEmpty()
                           ? key
                           : key + QLatin1Char('\\') + group.toString().replace(QLatin1Char('/'), QLatin1Char('\\'));
            lastGroup = group;
        }
        const QString name = p.path.mid(p.slash + 1);
        found.append({groupKey, name == defaultValueName ? QString() : name, asText(settings->value(p.path))});
    }
    return found;
}
