#include "archive/ImpostazioniLimiti.h"

#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

namespace {
const QString sezione = QStringLiteral("limiti");
}

ImpostazioniLimiti::ImpostazioniLimiti(const SettingsStore& store)
    : m_store(store)
{
}

void ImpostazioniLimiti::segnala(const QString& valore, const QString& testo)
{
    const QString messaggio = QStringLiteral("Il valore '%1' dell'impostazione limiti\\%2 non è valido:\r"
                                             "il limite non viene considerato.")
                                  .arg(testo, valore);
    if (!m_problemi.contains(messaggio))
        m_problemi.append(messaggio);
}

std::optional<qint64> ImpostazioniLimiti::intero(const QString& valore)
{
    const QString testo = m_store.readText(sezione, valore, QStringLiteral("0"));
    bool ok = false;
    const qint64 numero = testo.trimmed().toLongLong(&ok);
    if (ok)
        return numero;
    segnala(valore, testo);
    return std::nullopt;
}

std::optional<QDate> ImpostazioniLimiti::data(const QString& valore, const QString& predefinita)
{
    const QString testo = m_store.readText(sezione, valore, predefinita);
    try {
        return strToDate(testo);
    } catch (const EConvertError&) {
        segnala(valore, testo);
        return std::nullopt;
    }
}

bool ImpostazioniLimiti::allarme(const QString& valore) const
{
    return m_store.readText(sezione, valore, QStringLiteral("False")) == QLatin1String("True");
}

bool ImpostazioniLimiti::addebito(const QString& valore) const
{
    return m_store.readText(sezione, valore, QStringLiteral("False")) != QLatin1String("False");
}
