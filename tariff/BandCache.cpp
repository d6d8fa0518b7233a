#include "tariff/BandCache.h"

#include "settings/Conversion.h"

namespace {

const QStringList& testi(const StatoProgramma& stato, TipoGiorno giorno)
{
    switch (giorno) {
    case TipoGiorno::Festivo:
        return stato.festivi;
    case TipoGiorno::Sabato:
        return stato.sabato;
    case TipoGiorno::Feriale:
        break;
    }
    return stato.feriali;
}

} // namespace

BandCache::BandCache(const StatoProgramma& stato)
    : m_stato(stato)
{
}

BandCache::List& BandCache::list(TipoGiorno giorno)
{
    List& l = m_lists.at(static_cast<size_t>(giorno));
    if (!l.parsed) {
        l.parsed = true;
        const QStringList& fasce = testi(m_stato, giorno);
        if (fasce.isEmpty())
            l.error = QStringLiteral("'' is not a valid time");
        try {
            for (const QString& testo : fasce)
                l.bands.push_back(Band{FasciaOraria(testo), {}});
        } catch (const EConvertError& e) {
            l.error = e.message();
            l.bands.clear();
        }
    }
    if (!l.error.isEmpty())
        throw EConvertError(l.error);
    return l;
}

BandCache::Found BandCache::inVigore(const QDate& data, int festivo, const QTime& ora)
{
    const TipoGiorno giorno = tipoGiorno(data, festivo);
    const List& l = list(giorno);
    qsizetype trovata = static_cast<qsizetype>(l.bands.size()) - 1;
    for (qsizetype i = 0; i < static_cast<qsizetype>(l.bands.size()); ++i) {
        if (l.bands[static_cast<size_t>(i)].fascia.contiene(ora))
            trovata = i;
    }
    return {giorno, trovata};
}

const FasciaOraria& BandCache::fascia(const Found& found) const
{
    return m_lists.at(static_cast<size_t>(found.giorno)).bands.at(static_cast<size_t>(found.indice)).fascia;
}

int BandCache::intervallo(const Found& found, int classe)
{
    // inVigore found it in a list that parsed.
    Band& band = m_lists.at(static_cast<size_t>(found.giorno)).bands.at(static_cast<size_t>(found.indice));
    const size_t colonna = classe >= 1 && classe <= 4 ? static_cast<size_t>(classe - 1) : 0;
    // A column that does not convert is read again, and fails again, every time it is asked for.
    if (band.intervalli[colonna] == 0)
        band.intervalli[colonna] = band.fascia.intervallo(classe);
    return band.intervalli[colonna];
}

qint64 BandCache::costoScatto()
{
    if (!m_costoScatto && m_erroreCosto.isNull()) {
        try {
            m_costoScatto = strToInt(m_stato.CostoScattoBase);
        } catch (const EConvertError& e) {
            m_erroreCosto = e.message();
        }
    }
    if (!m_costoScatto)
        throw EConvertError(m_erroreCosto);
    return *m_costoScatto;
}
