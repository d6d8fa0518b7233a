#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// A registry-like tree below the user's own root: keys are paths separated by
// "\" (such as "Software\Brenvolo\importo"), each key holds named text values
// and an unnamed default value (the empty name). Key and value names are
// matched without regard to case.
class SettingsBackend
{
public:
    using Values = QList<QPair<QString, QString>>;

    virtual ~SettingsBackend() = default;

    virtual std::optional<QString> value(const QString& key, const QString& name) const = 0;
    // Creates the key and its parents when missing. Returns false when the
    // value could not be stored.
    virtual bool setValue(const QString& key, const QString& name, const QString& text) = 0;
    virtual bool createKey(const QString& key) = 0;
    virtual bool keyExists(const QString& key) const = 0;
    // Direct sub-keys of a key and the named values of a key, in stored order.
    virtual QStringList subKeys(const QString& key) const = 0;
    virtual Values values(const QString& key) const = 0;

    // Keeps aside, as copies, the stored files that cannot be read and makes
    // them readable again with what could be read of them; returns the
    // copies' paths. A store without files has nothing to rescue.
    virtual QStringList rescueUnreadableFiles() { return {}; }
};
