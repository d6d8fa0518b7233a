#pragma once

#include "settings/MemorySettingsBackend.h"

#include <QStringList>

// A settings tree in memory that notes every read and write as
// "section/value" (writes with "=text"), in the order they happen.
class RecordingSettingsBackend : public MemorySettingsBackend
{
public:
    std::optional<QString> value(const QString& key, const QString& name) const override
    {
        reads.append(section(key) + QLatin1Char('/') + name);
        return MemorySettingsBackend::value(key, name);
    }
    bool setValue(const QString& key, const QString& name, const QString& text) override
    {
        writes.append(section(key) + QLatin1Char('/') + name + QLatin1Char('=') + text);
        return MemorySettingsBackend::setValue(key, name, text);
    }
    void forget()
    {
        reads.clear();
        writes.clear();
    }

    mutable QStringList reads;
    QStringList writes;

private:
    static QString section(const QString& key) { return key.section(QLatin1Char('\\'), 2); }
};
