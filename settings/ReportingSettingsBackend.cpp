#include "settings/ReportingSettingsBackend.h"

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
                          "Le modifiche valgono solo fino alla chiusura del programma.")
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
    return m_inner.value(key, name);
}

bool ReportingSettingsBackend::setValue(const QString& key, const QString& name, const QString& text)
{
    return report(m_inner.setValue(key, name, text));
}

bool ReportingSettingsBackend::createKey(const QString& key)
{
    return report(m_inner.createKey(key));
}

bool ReportingSettingsBackend::keyExists(const QString& key) const
{
    return m_inner.keyExists(key);
}

QStringList ReportingSettingsBackend::subKeys(const QString& key) const
{
    return m_inner.subKeys(key);
}

SettingsBackend::Values ReportingSettingsBackend::values(const QString& key) const
{
    return m_inner.values(key);
}
