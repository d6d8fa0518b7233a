#pragma once

#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsBackend.h"

#include <functional>

// Passes every read and write on to another backend, and tells its listener
// the first time a write fails (a settings folder that cannot be written):
// the user hears once that nothing is being saved, instead of every change
// being lost in silence. Later failures are not told again. A value that
// could not be written is kept in memory and read back from there until the
// program ends, so the program goes on with it (the factory values, when the
// settings folder cannot be written at all).
class ReportingSettingsBackend : public SettingsBackend
{
public:
    // `where` names the place of the settings for the message (a folder).
    ReportingSettingsBackend(SettingsBackend& inner, QString where);

    // Called once, with the message for the user, at the first failed write.
    void setOnFirstFailure(std::function<void(const QString& message)> listener);
    bool failed() const { return m_failed; }
    QString message() const;

    std::optional<QString> value(const QString& key, const QString& name) const override;
    bool setValue(const QString& key, const QString& name, const QString& text) override;
    bool createKey(const QString& key) override;
    bool keyExists(const QString& key) const override;
    QStringList subKeys(const QString& key) const override;
    Values values(const QString& key) const override;
    QStringList rescueUnreadableFiles() override;

private:
    bool report(bool written);

    SettingsBackend& m_inner;
    QString m_where;
    std::function<void(const QString&)> m_listener;
    bool m_failed = false;
    MemorySettingsBackend m_kept; // what could not be written
};
