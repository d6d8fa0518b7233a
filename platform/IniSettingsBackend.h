#pragma once

#include "settings/SettingsBackend.h"

#include <QSettings>
#include <memory>

// The settings tree in INI files: the program's key is <dir>/Software.ini,
// its sound events <dir>/AppEvents.ini. Names are folded to lower case, a new
// QSettings serves every call and each write is synced at once (QSettings
// replaces the file atomically). Files are 0600 in a 0700 directory.
class IniSettingsBackend : public SettingsBackend
{
public:
    explicit IniSettingsBackend(const QString& directory);

    // Copies aside every file that QSettings cannot read, before anything
    // writes it, then rewrites it with what QSettings could read of it, so
    // that it is rescued once and not at every start. Returns the copies.
    QStringList rescueUnreadableFiles() override;

    std::optional<QString> value(const QString& key, const QString& name) const override;
    bool setValue(const QString& key, const QString& name, const QString& text) override;
    bool createKey(const QString& key) override;
    bool keyExists(const QString& key) const override;
    QStringList subKeys(const QString& key) const override;
    Values values(const QString& key) const override;

    QString directory() const { return m_directory; }

    struct StoredValue
    {
        QString key;
        QString name;
        QString text;
        bool operator==(const StoredValue&) const = default;
    };
    // Every value of `key` and of the keys below it from one reading of its
    // file, in the order values() and subKeys() give them (a key's own values,
    // then each sub-key's in turn). A copy of the whole store this way takes
    // time in proportion to its size, where asking key by key reads the whole
    // file again for every key of a large store.
    QList<StoredValue> valuesBelow(const QString& key) const;

private:
    struct Location
    {
        QString file;  // empty when the key lives in no file
        QString group; // QSettings group path, lower case
    };
    Location locate(const QString& key) const;
    std::unique_ptr<QSettings> open(const Location& location) const;
    bool finishWrite(QSettings& settings, const Location& location) const;

    QString m_directory;
};
