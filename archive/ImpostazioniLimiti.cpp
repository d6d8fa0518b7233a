#include "archive/ImpostazioniLimiti.h"

#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

ImpostazioniLimiti::ImpostazioniLimiti(const SettingsStore& store)
    : m_store(store)
{
}

void ImpostazioniLimiti::segnala(const Setting& valore, const QString& testo)
{
    const QString messaggio = QStringLiteral("Il valore '%1' dell'impostazione %2\\%3 non è valido:\r"
                                             "il limite non viene considerato.")
                                  .arg(testo, valore.sectionName(), valore.valueName());
    if (!m_problemi.contains(messaggio))
        m_problemi.append(messaggio);
}

std::optional<qint64> ImpostazioniLimiti::intero(const Setting& valore)
{
    const QString testo = m_store.read(valore);
    bool ok = false;
    const qint64 numero = testo.trimmed().toLongLong(&ok);
    if (ok)
        return numero;
    segnala(valore, testo);
    return std::nullopt;
}

std::optional<QDate> ImpostazioniLimiti::data(const Setting& valore)
{
    const QString testo = m_store.read(valore);
    try {
        return strToDate(testo);
    } catch (const EConvertError&) {
        segnala(valore, testo);
        return std::nullopt;
    }
}

bool ImpostazioniLimiti::allarme(const Setting& valore) const
{
    return m_store.read(valore) == QLatin1String("True");
}

bool ImpostazioniLimiti::addebito(const Setting& valore) const
{
    return m_store.read(valore) != QLatin1String("False");
}
