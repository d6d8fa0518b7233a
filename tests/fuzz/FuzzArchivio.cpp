// The call archive's readers over arbitrary bytes: the statistics pass
// (scanConsumi) checked against the plain day-by-day reading, the
// maintenance tools' line index, the search for an unpaired opening record and
// the old-format conversion.
//
// Input: a first line of settings, "DAL GIORNI COSTO FRAZIONE RIDTUT
// RIDTUTDOPO RIDTEL RIDTELDOPO" (any missing or unreadable field keeps the
// factory value), then the archive's bytes.

#include "archive/ArchivioChiamate.h"
#include "archive/CalcolaConsumi.h"
#include "archive/RigheArchivio.h"
#include "archive/Windows1252.h"
#include "reports/ConversioneArchivio.h"
#include "reports/CorrezioneChiusura.h"
#include "settings/Conversion.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/ReferenceConsumi.h"

#include <QDir>
#include <vector>

namespace {

// The days of the range the reference also reads, once per day.
constexpr qint64 giorniDiConfronto = 8;
constexpr qint64 giorniMassimi = 400;

struct Caso
{
    QDate dal = QDate(1999, 3, 21);
    qint64 giorni = 3;
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    PricingSettings prezzi;
    QByteArray archivio;
};

Caso leggiCaso(const std::uint8_t* data, std::size_t size)
{
    Caso c;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype fineRiga = input.indexOf('\n');
    const QByteArray intestazione = fineRiga < 0 ? input : input.left(fineRiga);
    c.archivio = fineRiga < 0 ? QByteArray() : input.mid(fineRiga + 1);

    const QList<QByteArray> campi = intestazione.split(' ');
    const auto campo = [&campi](qsizetype i) { return QString::fromLatin1(campi.value(i)); };
    const auto intero = [&](qsizetype i, int& valore) {
        bool ok = false;
        const int letto = campo(i).toInt(&ok);
        if (ok)
            valore = letto;
    };
    try {
        c.dal = strToDate(campo(0));
    } catch (const EConvertError&) {
    }
    int giorni = static_cast<int>(c.giorni);
    intero(1, giorni);
    c.giorni = std::clamp<qint64>(giorni, 1, giorniMassimi);
    if (campi.size() > 2)
        c.stato.CostoScattoBase = campo(2);
    intero(3, c.prezzi.frazioneScatto);
    intero(4, c.prezzi.ridTut);
    intero(5, c.prezzi.ridTutDopo);
    intero(6, c.prezzi.ridTel);
    intero(7, c.prezzi.ridTelDopo);
    return c;
}

// The rows a pass hands on, kept to compare.
class Righe : public ConsumiRowSink
{
public:
    bool row(const ConsumiDay& giorno) override
    {
        giorni.push_back(giorno);
        return true;
    }
    bool finish() override { return true; }
    QString error() const override { return {}; }

    std::vector<ConsumiDay> giorni;
};

QString descrivi(const ConsumiResult& r)
{
    const ConsumiTotals& t = r.totals;
    return QStringLiteral("outcome %1 «%2» scatti %3 costo %4 collegamenti %5 secondi %6 ultimo %7/%8/%9 "
                          "giornata %10/%11/%12/%13")
        .arg(static_cast<int>(r.outcome))
        .arg(r.message)
        .arg(t.scatti)
        .arg(t.costo, 0, 'f', 0)
        .arg(t.collegamenti)
        .arg(t.secondi)
        .arg(t.ultimoCollegamento.scatti)
        .arg(t.ultimoCollegamento.costo, 0, 'f', 0)
        .arg(t.ultimoCollegamento.secondi)
        .arg(t.ultimaGiornata.scatti)
        .arg(t.ultimaGiornata.costo, 0, 'f', 0)
        .arg(t.ultimaGiornata.secondi)
        .arg(t.ultimaGiornata.collegamenti);
}

void passaggio(const Caso& c, const QString& path)
{
    const QDate al = c.dal.addDays(c.giorni - 1);
    Righe righe;
    int ultimo = -1;
    const ConsumiResult r = scanConsumi(path, c.dal, al, c.stato, c.prezzi, &righe, [&](int percento) {
        if (percento < ultimo || percento > 100)
            FuzzSupport::fail(QStringLiteral("progress went from %1 to %2").arg(ultimo).arg(percento));
        ultimo = percento;
    });
    if (r.outcome != ConsumiResult::Outcome::ReadError && ultimo != 100)
        FuzzSupport::fail(QStringLiteral("progress ended at %1").arg(ultimo));

    if (c.giorni <= giorniDiConfronto) {
        Righe attese;
        const ConsumiResult atteso = referenceScanConsumi(path, c.dal, al, c.stato, c.prezzi, &attese);
        const bool uguali = r.outcome == atteso.outcome && r.message == atteso.message &&
                            r.aperturaSenzaChiusura.riga == atteso.aperturaSenzaChiusura.riga &&
                            r.totals == atteso.totals && righe.giorni == attese.giorni;
        if (!uguali)
            FuzzSupport::fail(QStringLiteral("one pass: %1\nday by day: %2").arg(descrivi(r), descrivi(atteso)));
    }

    // The repair must find again the opening record the pass stopped at.
    if (r.outcome == ConsumiResult::Outcome::MissingClosure) {
        const RigheArchivio indice(c.archivio);
        if (indice.primaSenzaChiusura(r.aperturaSenzaChiusura.riga) < 0)
            FuzzSupport::fail(QStringLiteral("the repair cannot find «%1»").arg(r.aperturaSenzaChiusura.riga));
    }
}

void manutenzione(const Caso& c, const QString& path)
{
    if (Windows1252::encode(Windows1252::decode(c.archivio)) != c.archivio)
        FuzzSupport::fail(QStringLiteral("Windows-1252 bytes do not survive decoding"));

    const RigheArchivio righe(c.archivio);
    const RigheArchivio convertite(ConversioneArchivio::converti(c.archivio));
    if (convertite.size() != righe.size())
        FuzzSupport::fail(
            QStringLiteral("the conversion made %1 lines of %2").arg(convertite.size()).arg(righe.size()));

    const std::optional<CorrezioneChiusura> correzione = CorrezioneChiusura::cerca(path);
    if (correzione) {
        const qsizetype i = righe.primaSenzaChiusura(correzione->apertura());
        if (i < 0)
            FuzzSupport::fail(QStringLiteral("«%1» is unpaired, then not").arg(correzione->apertura()));
        // Once written, the proposed closing pairs the record (the check does not write it).
        const QString proposta = correzione->chiusuraProposta();
        correzione->verifica(proposta);
        const RigheArchivio riparate(righe.conRigaDopo(i, proposta));
        if (riparate.size() != righe.size() + 1 || riparate.senzaChiusura(i))
            FuzzSupport::fail(QStringLiteral("the repair did not pair «%1»").arg(correzione->apertura()));
    }
    archivioValido(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Caso c = leggiCaso(data, size);
    const QString path = QDir(FuzzSupport::freshDirectory()).filePath(QStringLiteral("tqklog.txt"));
    FuzzSupport::writeFile(path, c.archivio);
    passaggio(c, path);
    manutenzione(c, path);
    return 0;
}
