#include "platform/IniSettingsBackend.h"

#include "platform/Paths.h"
#include "settings/IniText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

constexpr QFileDevice::Permissions userOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.setPermissions(userOnly);
    return file.commit();
}

} // namespace

IniSettingsBackend::IniSettingsBackend(const QString& directory)
    : m_directory(directory)
{
}

IniSettingsBackend::~IniSettingsBackend() = default;

void IniSettingsBackend::makePrivate() const
{
    if (!QFileInfo(m_directory).isDir())
        return;
    QFile::setPermissions(m_directory, userOnly | QFileDevice::ExeOwner);
    for (const Root& root : roots) {
        const QString file = m_directory + QLatin1Char('/') + root.file;
        if (QFileInfo(file).isFile())
            QFile::setPermissions(file, userOnly);
    }
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
    auto settings = std::make_unique<QSettings>(readablePath(location.file), QSettings::IniFormat);
    if (!location.group.isEmpty())
        settings->beginGroup(location.group);
    return settings;
}

std::unique_ptr<QSettings> IniSettingsBackend::openForWriting(const Location& location)
{
    if (readablePath(location.file) != location.file) {
        QStringList copies;
        const bool rescued = rescueText(location.file, copies);
        m_acceptedFiles.remove(location.file);
        if (!rescued)
            return nullptr;
    }
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
    QFile::setPermissions(location.file, userOnly);
    m_acceptedFiles.remove(location.file);
    return ok;
}

QString IniSettingsBackend::readablePath(const QString& file) const
{
    const QFileInfo info(file);
    if (!info.isFile())
        return file;
    const Stamp stamp{info.size(), info.lastModified().toMSecsSinceEpoch()};
    if (m_acceptedFiles.value(file) == stamp)
        return file;
    const IniText::Cleaned cleaned = IniText::clean(fileBytes(file));
    if (!cleaned.changed) {
        m_acceptedFiles.insert(file, stamp);
        return file;
    }
    if (!m_cleanedCopies)
        m_cleanedCopies = std::make_unique<QTemporaryDir>();
    const QString copy = m_cleanedCopies->filePath(info.fileName());
    // Without a place for the copy, the file is read as empty rather than decoded.
    writeWhole(copy, cleaned.text);
    return copy;
}

QString IniSettingsBackend::keepCopy(const QString& file) const
{
    const QString stem = file + QStringLiteral(".illeggibile-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    // A second copy within the same second takes a number after the time.
    for (int n = 1; n <= 100; ++n) {
        const QString copy = n == 1 ? stem : stem + QStringLiteral("-%1").arg(n);
        if (QFileInfo::exists(copy))
            continue;
        if (!QFile::copy(file, copy))
            return QString();
        QFile::setPermissions(copy, userOnly);
        return copy;
    }
    return QString();
}

// A file with bytes no text holds, or a value no plain text: the original is
// kept aside and the file rewritten without them, whole or not at all.
bool IniSettingsBackend::rescueText(const QString& file, QStringList& copies) const
{
    const IniText::Cleaned cleaned = IniText::clean(fileBytes(file));
    if (!cleaned.changed)
        return true;
    const QString copy = keepCopy(file);
    if (copy.isEmpty())
        return false;
    copies.append(copy);
    return writeWhole(file, cleaned.text);
}

// A file QSettings finds malformed: kept aside (`copies` holds the copy
// already made of it, if any), then what QSettings could read
// of it written again as a whole file, through a new file that takes the old
// one's name only once it is complete.
void IniSettingsBackend::rescueFormat(const QString& file, QStringList& copies) const
{
    QSettings probe(file, QSettings::IniFormat);
    if (probe.status() != QSettings::FormatError)
        return;
    // The file as it was is kept once: by the text's rescue, or here.
    if (copies.isEmpty()) {
        const QString copy = keepCopy(file);
        if (copy.isEmpty())
            return;
        copies.append(copy);
    }
    const QString clean = file + QStringLiteral(".ripulito");
    QFile::remove(clean);
    {
        QSettings rewritten(clean, QSettings::IniFormat);
        // A name Qt read without a value would come back as "@Invalid()".
        for (const QString& key : probe.allKeys()) {
            const QVariant value = probe.value(key);
            if (value.isValid())
                rewritten.setValue(key, value);
        }
        rewritten.sync();
        if (rewritten.status() != QSettings::NoError)
            return;
    }
    QFile::setPermissions(clean, userOnly);
    if (std::rename(QFile::encodeName(clean).constData(), QFile::encodeName(file).constData()) != 0)
        QFile::remove(clean);
}

QStringList IniSettingsBackend::rescueUnreadableFiles()
{
    QStringList copies;
    for (const Root& root : roots) {
        const QString file = m_directory + QLatin1Char('/') + root.file;
        if (!QFileInfo(file).isFile())
            continue;
        QStringList copiesOfFile;
        // Nothing is decoded from a file that is not text: it is cleaned first.
        if (rescueText(file, copiesOfFile))
            rescueFormat(file, copiesOfFile);
        m_acceptedFiles.remove(file);
        copies += copiesOfFile;
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
    const auto settings = openForWriting(location);
    if (!settings)
        return false;
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
        QFile::setPermissions(location.file, userOnly);
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
