#pragma once

#include "archive/PrezzaChiamata.h"
#include "archive/RecordArchivio.h"
#include "platform/Message.h"
#include "settings/StatoProgramma.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>

class SettingsStore;

// The five callers of the statistics pass.
enum class ConsumiMode
{
    Statistics = 0, // totals for the statistics window
    Export = 1,     // one row per day to a row sink
    Daily = 2,      // minutes used today, stored as "limiti"/"consumiGiorno"
    Monthly = 3,    // minutes used in the month, "limiti"/"consumiMese"
    Yearly = 4      // minutes used in the subscription year, "limiti"/"consumiAnno"
};

// One day of a range as the pass hands it on.
struct ConsumiDay
{
    QDate data;
    qint64 scatti = 0;
    double costo = 0; // lire
    qint64 secondi = 0;
    QString provider = QStringLiteral("---"); // entry name of the day's last call, "---" for a day without calls

    bool operator==(const ConsumiDay&) const = default;
};

// Receives the days of a range in order: the text file, the spreadsheet link, the trend chart.
class ConsumiRowSink
{
public:
    virtual ~ConsumiRowSink() = default;
    // False ends the pass; error() says why.
    virtual bool row(const ConsumiDay& giorno) = 0;
    // False when a day without any call adds nothing here: only the days
    // that had a call are then handed on, and a range of any length costs
    // no more than its calls.
    virtual bool wantsEmptyDays() const { return true; }
    // The pass completed: the rows handed over are to be kept. False, with error(), when they cannot be.
    virtual bool finish() = 0;
    virtual QString error() const = 0;
};

// What a range amounts to. Calls of 0 seconds count as connections and add nothing else.
struct ConsumiTotals
{
    qint64 scatti = 0;
    double costo = 0; // lire
    int collegamenti = 0;
    qint64 secondi = 0; // cumulative seconds of every call of the range

    struct UltimoCollegamento
    {
        qint64 scatti = 0;  // of the last call with a non-zero duration
        double costo = 0;   // of the last call with a non-zero duration
        qint64 secondi = 0; // of the last call, whatever its duration
        bool operator==(const UltimoCollegamento&) const = default;
    } ultimoCollegamento;

    struct UltimaGiornata
    {
        qint64 scatti = 0; // the last day with a call of non-zero duration
        double costo = 0;
        qint64 secondi = 0;
        int collegamenti = 0; // of the last day with any call
        bool operator==(const UltimaGiornata&) const = default;
    } ultimaGiornata;

    bool operator==(const ConsumiTotals&) const = default;
};

// The eleven results as the statistics window shows them.
struct ConsumiTexts
{
    QString durata; // "1h 5m 7s", empty when the range had no call
    QString scatti;
    QString costo;
    QString collegamenti;
    QString ultimoScatti;
    QString ultimoCosto;
    QString ultimoTempo; // "0h 5m 0s " with a blank at the end
    QString giornataScatti;
    QString giornataCosto;
    QString giornataTempo;
    QString giornataCollegamenti;

    static ConsumiTexts from(const ConsumiTotals& totals, const QLocale& locale = QLocale::system());
};

// "1h 5m 7s": whole hours, then minutes and seconds of the remainder.
QString durataConsumi(qint64 secondi);
// Lire as "L. 1.824": the lira's sign, then the whole amount grouped as the
// locale groups digits.
QString costoConsumi(double lire, const QLocale& locale = QLocale::system());

// How a pass ended.
struct ConsumiResult
{
    enum class Outcome
    {
        Done,
        ArchiveMissing,  // "Archivio chiamate inesistente!"
        MissingClosure,  // an opening record of the range without its closing record
        ConversionError, // a date, time, band or price that does not convert
        ReadError,       // the archive cannot be read
        OutputError      // the row sink failed
    };

    Outcome outcome = Outcome::Done;
    QString message;                      // the message for the user when the pass did not complete
    RecordArchivio aperturaSenzaChiusura; // MissingClosure: the opening record, whole
    QString archivio;                     // the archive that was read (calcolaConsumi)
    QStringList avvisi;                   // settings read as their defaults, for the user (calcolaConsumi)
    ConsumiTotals totals;                 // complete only with Done
    int minuti = 0;                       // Daily, Monthly, Yearly: the minutes stored

    // The archive error the limits check looks for: the pass stopped on a missing closing record.
    bool erroreArchivio() const { return outcome == Outcome::MissingClosure; }
    // What the caller shows: each of `avvisi`, then, when the pass did not
    // complete, its message in an error box titled "Attenzione!". A missing
    // closing record is then repaired from aperturaSenzaChiusura and archivio.
    QList<Message> messages() const;
};

// The archive read once over the range `dal`..`al` (both included, dal <= al):
// every opening record dated in the range is paired with the closing record
// on the next line (one empty line may come between), priced, and added to
// its day. The results are those of reading the archive once for each day in
// order: the pass ends at the first day, in date order, with an opening
// record left without its closing record (the first such record of that day
// in file order) or with a call that does not convert, and `righe` receives
// the days before it. A call whose class digit is not 1..4 is left out. Holds
// one small summary for each day that had a call, only when `righe` is given:
// the days without calls are handed on as they come, never held, so the
// memory follows the archive's calls, not the range's length. Reads the file
// in blocks. `progresso` gets the percentage of the file read, 0..100. No
// messages, no settings written.
ConsumiResult scanConsumi(const QString& archivio, const QDate& dal, const QDate& al, const StatoProgramma& stato,
                          const PricingSettings& prezzi, ConsumiRowSink* righe = nullptr,
                          const std::function<void(int percento)>& progresso = {});

// One range of the limits check and the mode of its pass.
struct ConsumiRange
{
    ConsumiMode modo = ConsumiMode::Statistics;
    QDate dal;
    QDate al;
};

// What the statistics pass hands on while it runs.
struct ConsumiHooks
{
    ConsumiRowSink* righe = nullptr; // the day rows of the Export and Statistics modes
    // The gauge of the Statistics and Export modes, for ranges of more than two days: 0..100.
    std::function<void(int percento)> progresso;
};

// The statistics pass of a mode: reads "frazione"/"scatto" and the
// "internet" reductions from `store`, prices at stato.CostoScattoBase, runs
// scanConsumi and then
//  - Export and Statistics: finishes hooks.righe when the pass completed;
//  - Daily: minutes = last day's seconds / 60; Monthly and Yearly: the
//    range's seconds / 60; kept in stato.consumiGiorno/Mese/Anno and written
//    to "limiti"/"consumiGiorno", "consumiMese" or "consumiAnno" when they
//    changed (registraConsumi).
// Nothing is kept or written when the pass did not complete. It shows
// nothing: the result says what the user is to be told (messages()).
ConsumiResult calcolaConsumi(const QString& archivio, ConsumiMode modo, const QDate& dal, const QDate& al,
                             StatoProgramma& stato, SettingsStore& store, const ConsumiHooks& hooks = {});

// The passes of several ranges (the limits check's day, month and
// subscription year) from one reading of the archive: each result, in the
// order of `intervalli`, is the one calcolaConsumi would return for its
// range and mode, minutes included, but nothing is kept or written:
// registraConsumi does that for each result the caller goes on with.
QList<ConsumiResult> calcolaConsumi(const QString& archivio, const QList<ConsumiRange>& intervalli,
                                    const StatoProgramma& stato, const SettingsStore& store);

// Keeps the minutes of a completed Daily, Monthly or Yearly pass in
// stato.consumiGiorno/Mese/Anno and in the store's "limiti" value, which is
// written only when its text changes. Nothing for other modes or a pass that
// did not complete.
void registraConsumi(const ConsumiResult& risultato, ConsumiMode modo, StatoProgramma& stato, SettingsStore& store);
