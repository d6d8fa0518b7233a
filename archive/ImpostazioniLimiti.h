#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class SettingsStore;
struct Setting;

// The "limiti" settings as the limits watchers read them. A value that does
// not convert is left out, and a message naming the setting and its text is
// kept for the user.
class ImpostazioniLimiti
{
public:
    explicit ImpostazioniLimiti(const SettingsStore& store);

    // A whole number stored as decimal text (default "0").
    std::optional<qint64> intero(const Setting& valore);
    // A "dd/mm/yyyy" date.
    std::optional<QDate> data(const Setting& valore);
    // An alarm is on only when its text is exactly "True".
    bool allarme(const Setting& valore) const;
    // A charge is on unless its text is exactly "False".
    bool addebito(const Setting& valore) const;

    // The messages about values that did not convert, one per value.
    const QStringList& problemi() const { return m_problemi; }

private:
    void segnala(const Setting& valore, const QString& testo);

    const SettingsStore& m_store;
    QStringList m_problemi;
};
