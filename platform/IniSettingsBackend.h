#pragma once

#include "settings/SettingsBackend.h"

#include <QHash>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

// The settings tree in INI files: the program's key is <dir>/Software.ini,
// its sound events <dir>/AppEvents.ini. Names are folded to lower case, a new
// QSettings serves every call and each write is synced at once (QSettings
// replaces the file atomically). Files are 0600 in a 0700 directory.
class IniSettingsBackend : public SettingsBackend
{
public:
    explicit IniSettingsBackend(const QString& directory);
    ~IniSettingsBackend() override;

    // Makes the directory the user's alone (0700) and its settings files
    // readable and writable by the user alone (0600), whatever modes they
    // were left with; the program calls it before it reads anything.
    void makePrivate() const;

    // Copies aside every file that is not text or holds a value that is no
    // plain text (IniText), and every file that QSettings cannot read, before
    // anything writes it; then rewrites it with what could be read of it, so
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
    struct Stamp
    {
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Stamp&) const = default;
    };
    Location locate(const QString& key) const;
    // A QSettings over the key's file for reading; when the file is not as
    // IniText accepts it, over a cleaned copy of it, so that no reader ever
    // decodes what the program never writes.
    std::unique_ptr<QSettings> open(const Location& location) const;
    // A QSettings over the key's file itself, for writing: a file that is not
    // as IniText accepts it is rescued first; null when it cannot be.
    std::unique_ptr<QSettings> openForWriting(const Location& location);
    bool finishWrite(QSettings& settings, const Location& location) const;
    QString readablePath(const QString& file) const;
    QString keepCopy(const QString& file) const;
    bool rescueText(const QString& file, QStringList& copies) const;
    void rescueFormat(const QString& file, QStringList& copies) const;

    QString m_directory;
    // The files last found as IniText accepts them, and the cleaned copies
    // of the others, read instead of them.
    mutable QHash<QString, Stamp> m_acceptedFiles;
    mutable std::unique_ptr<QTemporaryDir> m_cleanedCopies;
};
