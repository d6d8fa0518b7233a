#include "tests/support/ReferenceConsumi.h"

#include "archive/LettoreArchivio.h"
#include "settings/Conversion.h"

namespace {

ConsumiResult fine(ConsumiResult::Outcome outcome, const QString& message)
{
    ConsumiResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

} // namespace

ConsumiResult referenceScanConsumi(const QString& archivio, const QDate& dal, const QDate& al,
                                   const StatoProgramma& stato, const PricingSettings& prezzi, ConsumiRowSink* righe)
{
    if (!QFile::exists(archivio))
        return fine(ConsumiResult::Outcome::ArchiveMissing, QStringLiteral("Archivio chiamate inesistente!"));
    ConsumiTotals t;
    for (QDate d = dal; d <= al; d = d.addDays(1)) {
        const GiornataArchivio giornata = LettoreArchivio::chiamateDelGiorno(archivio, formatDate(d));
        if (giornata.esito == GiornataArchivio::Esito::Illeggibile)
            return fine(ConsumiResult::Outcome::ReadError, giornata.errore);
        if (giornata.esito == GiornataArchivio::Esito::ChiusuraMancante) {
            ConsumiResult r =
                fine(ConsumiResult::Outcome::MissingClosure, QStringLiteral("manca la chiusura del collegamento:\r") +
                                                                 giornata.aperturaSenzaChiusura.riga.left(20));
            r.aperturaSenzaChiusura = giornata.aperturaSenzaChiusura;
            return r;
        }
        ConsumiDay giorno;
        giorno.data = d;
        int collegamenti = 0;
        for (const ChiamataArchivio& c : giornata.chiamate) {
            std::optional<CallPrice> p;
            try {
                p = prezzaChiamata(c.apertura, c.chiusura, stato, prezzi);
            } catch (const EConvertError& e) {
                return fine(ConsumiResult::Outcome::ConversionError, e.message());
            }
            if (!p)
                continue;
            giorno.provider = c.apertura.nomeConnessione();
            t.secondi += p->durata;
            if (p->durata != 0) {
                giorno.scatti += p->scatti;
                giorno.secondi += p->durata;
                giorno.costo += static_cast<double>(p->costo);
                t.ultimaGiornata.scatti = giorno.scatti;
                t.ultimaGiornata.secondi = giorno.secondi;
                t.ultimaGiornata.costo = giorno.costo;
                t.ultimoCollegamento.scatti = p->scatti;
                t.ultimoCollegamento.costo = static_cast<double>(p->costo);
            }
            t.ultimoCollegamento.secondi = p->durata;
            ++t.collegamenti;
            ++collegamenti;
        }
        if (righe && !righe->row(giorno))
            return fine(ConsumiResult::Outcome::OutputError, righe->error());
        t.scatti += giorno.scatti;
        t.costo += giorno.costo;
        if (collegamenti > 0)
            t.ultimaGiornata.collegamenti = collegamenti;
    }
    ConsumiResult r;
    r.totals = t;
    return r;
}
