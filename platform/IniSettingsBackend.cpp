#include "platform/IniSettingsBackend.h"

#include "platform/Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <map>

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
    const bool ok = settings.status() == QSettings::NoError;
    QFile::setPermissions(location.file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return ok;
}

QString IniSettingsBackend::rescueUnreadableFiles()
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
        if (QFile::copy(file, copy)) {
            QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            copies.append(copy);
        }
    }
    if (copies.isEmpty())
        return {};
    return QStringLiteral("Il file delle impostazioni non era leggibile.\r"
                          "Ne è stata salvata una copia in:\r%1\r"
                          "Le impostazioni mancanti tornano ai valori predefiniti.")
        .arg(copies.join(QLatin1Char('\r')));
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
    return open(location)->childGroups();
}

SettingsBackend::Values IniSettingsBackend::values(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return {};
    const auto settings = open(location);
    Values values;
    for (const QString& name : settings->childKeys()) {
        const QString shown = name == defaultValueName ? QString() : name;
        values.append({shown, asText(settings->value(name))});
    }
    return values;
}

QList<IniSettingsBackend::StoredValue> IniSettingsBackend::valuesBelow(const QString& key) const
{
    const Location location = locate(key);
    if (location.file.isEmpty() || !QFileInfo::exists(location.file))
        return {};
    const auto settings = open(location);

    // The keys come as paths "group/sub/name"; ordered by name at every
    // level, as childKeys() and childGroups() order them.
    struct Tree
    {
        QMap<QString, QString> values;
        std::map<QString, std::unique_ptr<Tree>> children;
    };
    Tree root;
    for (const QString& path : settings->allKeys()) {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        Tree* node = &root;
        if (slash > 0) {
            for (const QStringView part : QStringView(path).first(slash).split(QLatin1Char('/'))) {
                std::unique_ptr<Tree>& child = node->children[part.toString()];
                if (!child)
                    child = std::make_unique<Tree>();
                node = child.get();
            }
        }
        node->values.insert(path.mid(slash + 1), asText(settings->value(path)));
    }

    QList<StoredValue> found;
    const auto collect = [&found](const auto& self, const Tree& tree, const QString& treeKey) -> void {
        for (auto value = tree.values.cbegin(); value != tree.values.cend(); ++value)
            found.append({treeKey, value.key() == defaultValueName ? QString() : value.key(), value.value()});
        for (const auto& [name, child] : tree.children)
            self(self, *child, treeKey + QLatin1Char('\\') + name);
    };
    collect(collect, root, key);
    return found;
}
