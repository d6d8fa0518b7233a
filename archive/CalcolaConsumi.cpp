#include "archive/CalcolaConsumi.h"

#include "archive/ImpostazioniLimiti.h"
#include "archive/LettoreArchivio.h"
#include "archive/Windows1252.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "tariff/BandCache.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

namespace {

constexpr qint64 nessunGiorno = -1;

struct DaySummary
{
    qint64 scatti = 0;
    double costo = 0;
    qint64 secondi = 0;
    QString provider = QStringLiteral("---");
};

// The totals of a range from calls met in file order, with the results of
// reading day by day: "last" means the latest day, then the latest call of
// that day in the file. For the rows, only the days that had a call are
// held: what is kept grows with the archive's calls, never with the range.
class RangeAccumulator
{
public:
    RangeAccumulator(qint64 giorni, bool righe)
        : m_numeroGiorni(giorni)
        , m_righe(righe)
    {
    }

    // Calls of days at or after a day that already stops the pass need no pricing.
    bool serve(qint64 giorno) const { return m_giornoErrore == nessunGiorno || giorno < m_giornoErrore; }

    void chiamata(qint64 giorno, QByteArrayView apertura, const CallPrice& p)
    {
        const bool conta = p.durata != 0;
        ++m_totals.collegamenti;
        m_totals.secondi += p.durata;
        if (conta) {
            m_totals.scatti += p.scatti;
            m_totals.costo += static_cast<double>(p.costo);
        }
        if (m_righe) {
            DaySummary& d = giornata(giorno);
            d.provider = nome(apertura);
            if (conta) {
                d.scatti += p.scatti;
                d.costo += static_cast<double>(p.costo);
                d.secondi += p.durata;
            }
        }
        if (giorno > m_giornoUltimaChiamata) {
            m_giornoUltimaChiamata = giorno;
            m_totals.ultimaGiornata.collegamenti = 0;
        }
        if (giorno == m_giornoUltimaChiamata) {
            ++m_totals.ultimaGiornata.collegamenti;
            m_totals.ultimoCollegamento.secondi = p.durata;
        }
        if (!conta)
            return;
        if (giorno > m_giornoUltimoCosto) {
            m_giornoUltimoCosto = giorno;
            m_totals.ultimaGiornata.scatti = 0;
            m_totals.ultimaGiornata.costo = 0;
            m_totals.ultimaGiornata.secondi = 0;
        }
        if (giorno == m_giornoUltimoCosto) {
            m_totals.ultimaGiornata.scatti += p.scatti;
            m_totals.ultimaGiornata.costo += static_cast<double>(p.costo);
            m_totals.ultimaGiornata.secondi += p.durata;
            m_totals.ultimoCollegamento.scatti = p.scatti;
            m_totals.ultimoCollegamento.costo = static_cast<double>(p.costo);
        }
    }

    // Within the day that stops the pass, a missing closing record outranks a
    // value that does not convert, since the day's records are paired before
    // any of its calls is priced.
    void chiusuraMancante(qint64 giorno, const QString& riga)
    {
        if (errore(giorno) && m_aperturaSenzaChiusura.isNull())
            m_aperturaSenzaChiusura = riga;
    }

    void conversione(qint64 giorno, const QString& messaggio)
    {
        if (errore(giorno) && m_conversione.isNull())
            m_conversione = messaggio;
    }

    // The result, and the rows of the days before the one that stops the pass.
    ConsumiResult risultato(const QDate& dal, ConsumiRowSink* righe) const
    {
        ConsumiResult r;
        if (righe && m_righe && !consegna(dal, *righe)) {
            r.outcome = ConsumiResult::Outcome::OutputError;
            r.message = righe->error();
            return r;
        }
        if (!m_aperturaSenzaChiusura.isNull()) {
            r.outcome = ConsumiResult::Outcome::MissingClosure;
            r.aperturaSenzaChiusura = RecordArchivio(m_aperturaSenzaChiusura);
            r.message = r.aperturaSenzaChiusura.messaggioChiusuraMancante();
        } else if (!m_conversione.isNull()) {
            r.outcome = ConsumiResult::Outcome::ConversionError;
            r.message = m_conversione;
        } else {
            r.totals = m_totals;
        }
        return r;
    }

private:
    // The entry name of an opening record. Most calls repeat the one of the
    // call before: the days then share its text instead of holding a copy each.
    const QString& nome(QByteArrayView apertura)
    {
        const QByteArrayView coda = apertura.sliced(std::min<qsizetype>(45, apertura.size()));
        if (m_nome.isNull() || coda != QByteArrayView(m_codaDelNome)) {
            m_codaDelNome = coda.toByteArray();
            m_nome = RecordArchivio::nomeConnessioneIn(apertura);
        }
        return m_nome;
    }

    // The summary of a day of the range, made on its first call. Archives
    // are mostly in date order: the latest day held is the one looked for.
    DaySummary& giornata(qint64 giorno)
    {
        if (!m_giorni.empty() && m_giorni.rbegin()->first == giorno)
            return m_giorni.rbegin()->second;
        return m_giorni.try_emplace(m_giorni.end(), giorno)->second;
    }

    // Hands on the days before the one that stops the pass, in date order:
    // every one of them, or only those held when the sink wants no empty days.
    bool consegna(const QDate& dal, ConsumiRowSink& righe) const
    {
        const qint64 fine = m_giornoErrore == nessunGiorno ? m_numeroGiorni : m_giornoErrore;
        const auto riga = [&](qint64 g, const DaySummary& d) {
            return righe.row(ConsumiDay{dal.addDays(g), d.scatti, d.costo, d.secondi, d.provider});
        };
        auto tenuto = m_giorni.begin();
        if (!righe.wantsEmptyDays()) {
            for (; tenuto != m_giorni.end() && tenuto->first < fine; ++tenuto) {
                if (!riga(tenuto->first, tenuto->second))
                    return false;
            }
            return true;
        }
        const DaySummary vuoto;
        for (qint64 g = 0; g < fine; ++g) {
            const bool conChiamate = tenuto != m_giorni.end() && tenuto->first == g;
            if (!riga(g, conChiamate ? tenuto->second : vuoto))
                return false;
            if (conChiamate)
                ++tenuto;
        }
        return true;
    }

    // True when `giorno` is now the first day that stops the pass.
    bool errore(qint64 giorno)
    {
        if (m_giornoErrore != nessunGiorno && giorno >= m_giornoErrore)
            return giorno == m_giornoErrore;
        m_giornoErrore = giorno;
        m_aperturaSenzaChiusura = QString();
        m_conversione = QString();
        return true;
    }

    ConsumiTotals m_totals;
    qint64 m_numeroGiorni;
    bool m_righe;
    // The days that had a call, by their index in the range.
    std::map<qint64, DaySummary> m_giorni;
    QByteArray m_codaDelNome; // the opening record's bytes from the name's column on
    QString m_nome;
    qint64 m_giornoUltimaChiamata = nessunGiorno;
    qint64 m_giornoUltimoCosto = nessunGiorno;
    qint64 m_giornoErrore = nessunGiorno;
    QString m_aperturaSenzaChiusura;
    QString m_conversione;
};

ConsumiResult fallimento(ConsumiResult::Outcome outcome, const QString& message)
{
    ConsumiResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

QString messaggioLettura(const QString& archivio, const QString& motivo)
{
    return QStringLiteral("Impossibile leggere l'archivio chiamate %1: %2").arg(archivio, motivo);
}

} // namespace

QString durataConsumi(qint64 secondi)
{
    return QStringLiteral("%1h %2m %3s").arg(secondi / 3600).arg(secondi % 3600 / 60).arg(secondi % 60);
}

QString costoConsumi(double lire, const QLocale& locale)
{
    // The amounts are lire whatever the locale's own currency is: the lira's
    // sign goes before the whole number, grouped as the locale groups digits.
    return QStringLiteral("L.\u00a0") + locale.toString(qRound64(lire));
}

ConsumiTexts ConsumiTexts::from(const ConsumiTotals& t, const QLocale& locale)
{
    ConsumiTexts s;
    s.durata = t.collegamenti > 0 ? durataConsumi(t.secondi) : QString();
    s.scatti = QString::number(t.scatti);
    s.costo = costoConsumi(t.costo, locale);
    s.collegamenti = QString::number(t.collegamenti);
    s.ultimoScatti = QString::number(t.ultimoCollegamento.scatti);
    s.ultimoCosto = costoConsumi(t.ultimoCollegamento.costo, locale);
    s.ultimoTempo = durataConsumi(t.ultimoCollegamento.secondi) + QLatin1Char(' ');
    s.giornataScatti = QString::number(t.ultimaGiornata.scatti);
    s.giornataCosto = costoConsumi(t.ultimaGiornata.costo, locale);
    s.giornataTempo = durataConsumi(t.ultimaGiornata.secondi) + QLatin1Char(' ');
    s.giornataCollegamenti = QString::number(t.ultimaGiornata.collegamenti);
    return s;
}

namespace {

// One range of a pass over the archive: its days and what they amount to.
struct RangeScan
{
    RangeScan(const QDate& dal, const QDate& al, bool righe)
        : dal(dal)
        , primo(dal.toJulianDay())
        , giorni(dal.isValid() && al.isValid() ? std::max<qint64>(0, dal.daysTo(al) + 1) : 0)
        , chiaveDal(dal.year() * qint64(10000) + dal.month() * 100 + dal.day())
        , chiaveAl(al.year() * qint64(10000) + al.month() * 100 + al.day())
        , somma(giorni, righe)
    {
    }

    // The day's index in the range, or -1 when it lies outside.
    qint64 giorno(qint64 giornoGiuliano) const
    {
        const qint64 g = giornoGiuliano - primo;
        return g >= 0 && g < giorni ? g : -1;
    }

    QDate dal;
    qint64 primo;
    qint64 giorni;
    qint64 chiaveDal;
    qint64 chiaveAl;
    RangeAccumulator somma;
};

// One reading of the archive for several ranges: each opening record dated
// in one of them is paired with the next line, priced once and added to the
// ranges that hold its day.
class PassataArchivio
{
public:
    PassataArchivio(const QList<ConsumiRange>& intervalli, const StatoProgramma& stato, const PricingSettings& prezzi,
                    bool righe)
        : m_fasce(stato)
        , m_prezzi(prezzi)
    {
        m_scansioni.reserve(static_cast<size_t>(intervalli.size()));
        for (const ConsumiRange& r : intervalli) {
            m_scansioni.emplace_back(r.dal, r.al, righe);
            if (m_scansioni.back().giorni > 0) {
                m_chiaveMinima = std::min(m_chiaveMinima, m_scansioni.back().chiaveDal);
                m_chiaveMassima = std::max(m_chiaveMassima, m_scansioni.back().chiaveAl);
            }
        }
        m_annoMinimo = m_chiaveMinima / 10000;
        m_annoMassimo = m_chiaveMassima / 10000;
        m_giorniInAttesa.assign(m_scansioni.size(), -1);
    }

    // One line of the archive, in file order.
    void riga(QByteArrayView riga)
    {
        if (m_inAttesa) {
            if (RecordArchivio::chiusuraIn(riga)) {
                abbina(riga);
                m_inAttesa = false;
                return;
            }
            if (riga.isEmpty() && !m_vuotaSaltata) {
                m_vuotaSaltata = true;
                return;
            }
            chiusuraMancante();
            m_inAttesa = false;
        }
        if (RecordArchivio::aperturaIn(riga))
            apertura(riga);
    }

    // The file ended.
    void fine()
    {
        if (m_inAttesa)
            chiusuraMancante();
        m_inAttesa = false;
    }

    // Each range's result; the rows and the progress serve a single range.
    QList<ConsumiResult> risultati(ConsumiRowSink* righe) const
    {
        QList<ConsumiResult> r;
        for (const RangeScan& scansione : m_scansioni)
            r.append(scansione.somma.risultato(scansione.dal, righe));
        return r;
    }

private:
    // Most openings lie outside every range: the year's digits, then the
    // date's, tell that before a date is built.
    void apertura(QByteArrayView riga)
    {
        const int anno = RecordArchivio::annoIn(riga);
        const bool annoDentro = anno >= m_annoMinimo && anno <= m_annoMassimo;
        const qint64 chiave = annoDentro ? RecordArchivio::chiaveDataIn(riga) : -1;
        const QDate data =
            chiave >= m_chiaveMinima && chiave <= m_chiaveMassima ? RecordArchivio::dataIn(riga) : QDate();
        if (!data.isValid())
            return;
        const qint64 giuliano = data.toJulianDay();
        for (size_t i = 0; i < m_scansioni.size(); ++i) {
            m_giorniInAttesa[i] = m_scansioni[i].giorno(giuliano);
            m_inAttesa = m_inAttesa || m_giorniInAttesa[i] >= 0;
        }
        if (m_inAttesa) {
            m_vuotaSaltata = false;
            // Kept in one buffer: the reader's bytes are gone at its next line.
            m_aperturaInAttesa.resize(riga.size());
            std::memcpy(m_aperturaInAttesa.data(), riga.data(), static_cast<size_t>(riga.size()));
        }
    }

    template <typename Fai> void perOgniRange(Fai&& fai)
    {
        for (size_t i = 0; i < m_scansioni.size(); ++i) {
            if (m_giorniInAttesa[i] >= 0 && m_scansioni[i].somma.serve(m_giorniInAttesa[i]))
                fai(m_scansioni[i].somma, m_giorniInAttesa[i]);
        }
    }

    void abbina(QByteArrayView chiusura)
    {
        bool serve = false;
        perOgniRange([&](const RangeAccumulator&, qint64) { serve = true; });
        if (!serve)
            return;
        try {
            const std::optional<CallPrice> p = prezzaChiamata(m_aperturaInAttesa, chiusura, m_fasce, m_prezzi);
            if (p)
                perOgniRange(
                    [&](RangeAccumulator& somma, qint64 giorno) { somma.chiamata(giorno, m_aperturaInAttesa, *p); });
        } catch (const EConvertError& e) {
            perOgniRange([&](RangeAccumulator& somma, qint64 giorno) { somma.conversione(giorno, e.message()); });
        }
    }

    void chiusuraMancante()
    {
        const QString apertura = Windows1252::decode(m_aperturaInAttesa);
        for (size_t i = 0; i < m_scansioni.size(); ++i) {
            if (m_giorniInAttesa[i] >= 0)
                m_scansioni[i].somma.chiusuraMancante(m_giorniInAttesa[i], apertura);
        }
    }

    std::vector<RangeScan> m_scansioni;
    qint64 m_chiaveMinima = std::numeric_limits<qint64>::max();
    qint64 m_chiaveMassima = -1;
    qint64 m_annoMinimo = 0;
    qint64 m_annoMassimo = 0;
    BandCache m_fasce;
    const PricingSettings& m_prezzi;
    // The opening record waiting for the line that closes it, and its day in each range (-1: not in it).
    bool m_inAttesa = false;
    bool m_vuotaSaltata = false;
    std::vector<qint64> m_giorniInAttesa;
    QByteArray m_aperturaInAttesa;
};

// The share of the file read, told each time it changes and at the end.
class Avanzamento
{
public:
    Avanzamento(const std::function<void(int percento)>& progresso, qint64 dimensione)
        : m_progresso(progresso)
        , m_dimensione(dimensione)
    {
    }

    void letti(qint64 byte)
    {
        if (!m_progresso || m_dimensione <= 0)
            return;
        const int ora = static_cast<int>(std::min<qint64>(100, byte * 100 / m_dimensione));
        if (ora != m_percento)
            m_progresso(m_percento = ora);
    }

    void fine()
    {
        if (m_progresso && m_percento != 100)
            m_progresso(100);
    }

private:
    const std::function<void(int)>& m_progresso;
    qint64 m_dimensione;
    int m_percento = -1;
};

// Reads the archive once for every range of `intervalli`.
QList<ConsumiResult> scanRanges(const QString& archivio, const QList<ConsumiRange>& intervalli,
                                const StatoProgramma& stato, const PricingSettings& prezzi, ConsumiRowSink* righe,
                                const std::function<void(int percento)>& progresso)
{
    const auto tutti = [&](const ConsumiResult& r) { return QList<ConsumiResult>(intervalli.size(), r); };
    LettoreArchivio lettore(archivio);
    if (!lettore.exists())
        return tutti(
            fallimento(ConsumiResult::Outcome::ArchiveMissing, QStringLiteral("Archivio chiamate inesistente!")));
    QString errore;
    if (!lettore.open(&errore))
        return tutti(fallimento(ConsumiResult::Outcome::ReadError, messaggioLettura(archivio, errore)));

    PassataArchivio passata(intervalli, stato, prezzi, righe != nullptr);
    Avanzamento avanzamento(progresso, lettore.size());
    QByteArrayView riga;
    while (lettore.next(riga)) {
        passata.riga(riga);
        avanzamento.letti(lettore.consumed());
    }
    if (!lettore.error().isEmpty())
        return tutti(fallimento(ConsumiResult::Outcome::ReadError, messaggioLettura(archivio, lettore.error())));
    passata.fine();
    avanzamento.fine();
    return passata.risultati(righe);
}

// The minutes a completed pass of the limits check stands for.
int minutiDi(ConsumiMode modo, const ConsumiTotals& totals)
{
    switch (modo) {
    case ConsumiMode::Daily:
        return static_cast<int>(totals.ultimaGiornata.secondi / 60);
    case ConsumiMode::Monthly:
    case ConsumiMode::Yearly:
        return static_cast<int>(totals.secondi / 60);
    case ConsumiMode::Statistics:
    case ConsumiMode::Export:
        break;
    }
    return 0;
}

} // namespace

ConsumiResult scanConsumi(const QString& archivio, const QDate& dal, const QDate& al, const StatoProgramma& stato,
                          const PricingSettings& prezzi, ConsumiRowSink* righe,
                          const std::function<void(int percento)>& progresso)
{
    return scanRanges(archivio, {ConsumiRange{ConsumiMode::Statistics, dal, al}}, stato, prezzi, righe, progresso)
        .first();
}

QList<Message> ConsumiResult::messages() const
{
    QList<Message> m;
    for (const QString& avviso : avvisi)
        m.append({avviso});
    if (outcome != Outcome::Done)
        m.append({message, QStringLiteral("Attenzione!"), Message::Icon::Critical});
    return m;
}

ConsumiResult calcolaConsumi(const QString& archivio, ConsumiMode modo, const QDate& dal, const QDate& al,
                             StatoProgramma& stato, SettingsStore& store, const ConsumiHooks& hooks)
{
    QStringList avvisi;
    // The minutes of the limits need no price: only the figures in lire say
    // why they are all nothing.
    const bool inLire = modo == ConsumiMode::Statistics || modo == ConsumiMode::Export;
    const PricingSettings prezzi =
        inLire ? PricingSettings::forPass(store, &avvisi) : PricingSettings::fromStore(store, &avvisi);
    const bool conIndicatore = (modo == ConsumiMode::Statistics || modo == ConsumiMode::Export) && dal.daysTo(al) > 1;
    ConsumiRowSink* righe = modo == ConsumiMode::Export || modo == ConsumiMode::Statistics ? hooks.righe : nullptr;
    ConsumiResult r = scanConsumi(archivio, dal, al, stato, prezzi, righe,
                                  conIndicatore ? hooks.progresso : std::function<void(int)>());

    if (r.outcome == ConsumiResult::Outcome::Done && righe && !righe->finish())
        r = fallimento(ConsumiResult::Outcome::OutputError, righe->error());
    r.archivio = archivio;
    r.avvisi = avvisi;
    r.minuti = r.outcome == ConsumiResult::Outcome::Done ? minutiDi(modo, r.totals) : 0;
    registraConsumi(r, modo, stato, store);
    return r;
}

QList<ConsumiResult> calcolaConsumi(const QString& archivio, const QList<ConsumiRange>& intervalli,
                                    const StatoProgramma& stato, const SettingsStore& store)
{
    QStringList avvisi;
    const PricingSettings prezzi = PricingSettings::fromStore(store, &avvisi);
    QList<ConsumiResult> risultati = scanRanges(archivio, intervalli, stato, prezzi, nullptr, {});
    for (qsizetype i = 0; i < risultati.size(); ++i) {
        ConsumiResult& r = risultati[i];
        r.archivio = archivio;
        r.avvisi = avvisi;
        r.minuti = r.outcome == ConsumiResult::Outcome::Done ? minutiDi(intervalli.at(i).modo, r.totals) : 0;
    }
    return risultati;
}

void registraConsumi(const ConsumiResult& r, ConsumiMode modo, StatoProgramma& stato, SettingsStore& store)
{
    const ImpostazioniLimiti::Limite* limite = ImpostazioniLimiti::limiteDelPasso(modo);
    if (r.outcome != ConsumiResult::Outcome::Done || !limite)
        return;
    stato.*limite->consumoInMemoria = r.minuti;
    // Each write rewrites and syncs the whole store: an unchanged value is left as it is.
    if (store.read(*limite->consumo) != QString::number(r.minuti))
        store.writeInteger(*limite->consumo, r.minuti);
}
