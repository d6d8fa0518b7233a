#include "settings/ReportingSettingsBackend.h"

#include <algorithm>

ReportingSettingsBackend::ReportingSettingsBackend(SettingsBackend& inner, QString where)
    : m_inner(inner)
    , m_where(std::move(where))
{
}

void ReportingSettingsBackend::setOnFirstFailure(std::function<void(const QString&)> listener)
{
    m_listener = std::move(listener);
}

QString ReportingSettingsBackend::message() const
{
    return QStringLiteral("Impossibile salvare le impostazioni in %1.\r"
                          "Le modifiche, e i valori predefiniti di quelle mancanti,\r"
                          "valgono solo fino alla chiusura del programma.")
        .arg(m_where);
}

bool ReportingSettingsBackend::report(bool written)
{
    if (!written && !m_failed) {
        m_failed = true;
        if (m_listener)
            m_listener(message());
    }
    return written;
}

std::optional<QString> ReportingSettingsBackend::value(const QString& key, const QString& name) const
{
    if (const std::optional<QString> kept = m_kept.value(key, name))
        return kept;
    return m_inner.value(key, name);
}

bool ReportingSettingsBackend::setValue(const QString& key, const QString& name, const QString& text)
{
    const bool written = m_inner.setValue(key, name, text);
    // Once the memory holds a value it is the newer one: it follows every later write.
    if (!written || m_kept.value(key, name))
        m_kept.setValue(key, name, text);
    return report(written);
}

bool ReportingSettingsBackend::createKey(const QString& key)
{
    const bool created = m_inner.createKey(key);
    if (!created)
        m_kept.createKey(key);
    return report(created);
}

bool ReportingSettingsBackend::keyExists(const QString& key) const
{
    return m_kept.keyExists(key) || m_inner.keyExists(key);
}

QStringList ReportingSettingsBackend::subKeys(const QString& key) const
{
    QStringList keys = m_inner.subKeys(key);
    for (const QString& kept : m_kept.subKeys(key)) {
        if (!keys.contains(kept, Qt::CaseInsensitive))
            keys.append(kept);
    }
    return keys;
}

SettingsBackend::Values ReportingSettingsBackend::values(const QString& key) const
{
    Values values = m_inner.values(key);
    for (const auto& kept : m_kept.values(key)) {
        const auto same = std::find_if(values.begin(), values.end(), [&kept](const auto& v) {
            return v.first.compare(kept.first, Qt::CaseInsensitive) == 0;
        });
        if (same != values.end())
            same->second = kept.second;
        else
            values.append(kept);
    }
    return values;
}

QStringList ReportingSettingsBackend::rescueUnreadableFiles()
{
    return m_inner.rescueUnreadableFiles();
}
