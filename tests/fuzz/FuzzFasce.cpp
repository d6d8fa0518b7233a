// The band texts over arbitrary bytes: the band record, the lookup of the
// interval in force (intervalloScatto) checked against a plain walk of the
// list, the band of an archived event (fasciaInVigore), the band viewers
// and the holiday calendar.
//
// Input, parts separated by form feeds, one text a line: the weekday bands,
// the Saturday bands, the holiday bands, the questions ("dd/mm/yyyy hh.nn.ss
// CLASS FESTIVO"), the nine fixed holidays.

#include "settings/Conversion.h"
#include "setup/BandViewer.h"
#include "tariff/BandCache.h"
#include "tariff/Calendario.h"
#include "tariff/IntervalloScatto.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QDateTime>
#include <variant>

namespace {

QStringList righe(const QByteArray& parte)
{
    QStringList testi;
    for (const QByteArray& riga : parte.split('\n'))
        testi.append(QString::fromUtf8(riga));
    return testi;
}

// The interval or the conversion message.
using Esito = std::variant<int, QString>;

QString descrivi(const Esito& e)
{
    return std::holds_alternative<int>(e) ? QString::number(std::get<int>(e)) : std::get<QString>(e);
}

// The interval in force the plain way: every band of the day's list parsed
// anew, the last one holding the time, else the list's last band.
Esito camminata(const QStringList& lista, const QTime& ora, int classe)
{
    try {
        if (lista.isEmpty())
            return QStringLiteral("'' is not a valid time");
        std::vector<FasciaOraria> fasce;
        for (const QString& testo : lista)
            fasce.emplace_back(testo);
        qsizetype trovata = static_cast<qsizetype>(fasce.size()) - 1;
        for (qsizetype i = 0; i < static_cast<qsizetype>(fasce.size()); ++i) {
            if (fasce[static_cast<size_t>(i)].contiene(ora))
                trovata = i;
        }
        return fasce[static_cast<size_t>(trovata)].intervallo(classe);
    } catch (const EConvertError& e) {
        return e.message();
    }
}

const QStringList& listaDelGiorno(const StatoProgramma& stato, const QDate& data, int festivo)
{
    switch (tipoGiorno(data, festivo)) {
    case TipoGiorno::Festivo:
        return stato.festivi;
    case TipoGiorno::Sabato:
        return stato.sabato;
    case TipoGiorno::Feriale:
        break;
    }
    return stato.feriali;
}

void domanda(const StatoProgramma& stato, const QString& riga)
{
    const QStringList campi = riga.mid(20).split(QLatin1Char(' '));
    const int classe = campi.value(0).toInt();
    const int festivo = campi.value(1).toInt();
    QDate data(1999, 3, 22);
    QTime ora(0, 0);
    try {
        data = strToDate(riga.left(10));
        ora = strToTime(riga.mid(11, 8));
    } catch (const EConvertError&) {
    }

    Esito trovato;
    try {
        trovato = intervalloScatto(QDateTime(data, ora), classe, festivo, stato);
    } catch (const EConvertError& e) {
        trovato = e.message();
    }
    const QDateTime quando(data, ora);
    const QTime secondi(quando.time().hour(), quando.time().minute(), quando.time().second());
    const Esito atteso = camminata(listaDelGiorno(stato, quando.date(), festivo), secondi, classe);
    if (trovato != atteso)
        FuzzSupport::fail(QStringLiteral("«%1»: intervalloScatto %2, the list's walk %3")
                              .arg(riga, descrivi(trovato), descrivi(atteso)));

    try {
        const FasciaInVigore f = fasciaInVigore(riga.left(19), festivo, data, stato);
        if (f.identificativo.size() < 3)
            FuzzSupport::fail(QStringLiteral("«%1»: band identifier «%2»").arg(riga, f.identificativo));
    } catch (const EConvertError&) {
    }
    try {
        calcolaPasquetta(riga.left(10));
    } catch (const EConvertError&) {
    }
}

void viewer(const StatoProgramma& stato)
{
    for (const BandViewer::Kind kind : {BandViewer::Kind::Tut, BandViewer::Kind::Teleselezione}) {
        BandViewer v(kind, stato.feriali, stato.sabato, stato.festivi);
        v.shown();
        for (int page = 0; page < BandViewer::pageCount; ++page) {
            v.pageChanged(page);
            for (int row = -1; row <= v.items(page).size(); ++row) {
                v.bandClicked(page, row);
                for (int distanza = BandViewer::none; distanza <= BandViewer::distances().size(); ++distanza)
                    v.distanceChanged(distanza);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QList<QByteArray> parti = FuzzSupport::parts(data, size, 5);
    StatoProgramma stato;
    stato.feriali = righe(parti.at(0));
    stato.sabato = righe(parti.at(1));
    stato.festivi = righe(parti.at(2));
    stato.festivita = righe(parti.at(4));
    for (const QString& riga : righe(parti.at(3)))
        domanda(stato, riga);
    viewer(stato);
    festivoAllAvvio(QDate(1999, 12, 26), stato.festivita);
    return 0;
}
