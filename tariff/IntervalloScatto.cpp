#include "tariff/IntervalloScatto.h"

#include "settings/Conversion.h"
#include "tariff/BandCache.h"

namespace {

QLatin1String prefisso(TipoGiorno giorno)
{
    switch (giorno) {
    case TipoGiorno::Festivo:
        return QLatin1String("Fs");
    case TipoGiorno::Sabato:
        return QLatin1String("Sa");
    case TipoGiorno::Feriale:
        break;
    }
    return QLatin1String("Fe");
}

QTime secondiInteri(const QTime& ora)
{
    return QTime(ora.hour(), ora.minute(), ora.second());
}

} // namespace

int intervalloScatto(const QDateTime& quando, int classe, int festivoForzato, const StatoProgramma& stato)
{
    BandCache fasce(stato);
    const BandCache::Found trovata = fasce.inVigore(quando.date(), festivoForzato, secondiInteri(quando.time()));
    return fasce.intervallo(trovata, classe);
}

FasciaInVigore fasciaInVigore(const QString& dataOra, int festivo, const QDate& data, const StatoProgramma& stato)
{
    const QTime ora = strToTime(dataOra.mid(11, 8));
    BandCache fasce(stato);
    const BandCache::Found trovata = fasce.inVigore(data, festivo, ora);
    return {fasce.fascia(trovata).testo(), prefisso(trovata.giorno) + QString::number(trovata.indice + 1)};
}
