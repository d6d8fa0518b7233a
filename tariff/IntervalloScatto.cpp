#include "tariff/IntervalloScatto.h"

#include "settings/Conversion.h"
#include "tariff/Calendario.h"
#include "tariff/FasciaOraria.h"

namespace {

struct ListaFasce
{
    const QStringList& fasce;
    QLatin1String prefisso;
};

ListaFasce listaDelGiorno(const QDate& data, int festivo, const StatoProgramma& stato)
{
    switch (tipoGiorno(data, festivo)) {
    case TipoGiorno::Festivo:
        return {stato.festivi, QLatin1String("Fs")};
    case TipoGiorno::Sabato:
        return {stato.sabato, QLatin1String("Sa")};
    case TipoGiorno::Feriale:
        break;
    }
    return {stato.feriali, QLatin1String("Fe")};
}

// The index of the last band containing `ora`. Every band on the list must
// parse. When none contains it the last band serves, so that a live meter
// goes on counting through a gap in hand-edited bands.
qsizetype ultimaFascia(const QStringList& fasce, const QTime& ora)
{
    if (fasce.isEmpty())
        throw EConvertError(QStringLiteral("'' is not a valid time"));
    qsizetype trovata = fasce.size() - 1;
    for (qsizetype i = 0; i < fasce.size(); ++i) {
        if (FasciaOraria(fasce.at(i)).contiene(ora))
            trovata = i;
    }
    return trovata;
}

QTime secondiInteri(const QTime& ora)
{
    return QTime(ora.hour(), ora.minute(), ora.second());
}

} // namespace

int intervalloScatto(const QDateTime& quando, int classe, int festivoForzato, const StatoProgramma& stato)
{
    const ListaFasce lista = listaDelGiorno(quando.date(), festivoForzato, stato);
    const QTime ora = secondiInteri(quando.time());
    return FasciaOraria(lista.fasce.at(ultimaFascia(lista.fasce, ora))).intervallo(classe);
}

FasciaInVigore fasciaInVigore(const QString& dataOra, int festivo, const QDate& data, const StatoProgramma& stato)
{
    const ListaFasce lista = listaDelGiorno(data, festivo, stato);
    const QTime ora = strToTime(dataOra.mid(11, 8));
    const qsizetype indice = ultimaFascia(lista.fasce, ora);
    return {lista.fasce.at(indice), lista.prefisso + QString::number(indice + 1)};
}
