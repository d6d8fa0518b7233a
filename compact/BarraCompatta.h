#pragma once

#include "archive/ControlloLimitiInDiretta.h"
#include "archive/VerificaLimiti.h"
#include "meter/CostMeter.h"
#include "platform/Message.h"

#include <QDateTime>
#include <QList>
#include <QString>

class SettingsStore;
class Sounds;
struct SessionStart;
struct SessionStop;
struct StatoProgramma;

// What the compact strip shows of a counting session, and what each tick of
// its meter asks of it: the "resto:" and "freq.:" texts, the gauge, the LED
// money, the running-cost text of the taskbar entry, the "Fine Scatto"
// sounds and the warnings of the live watch on the per-connection and daily
// limits. It also holds the strip's class cycle and the choice between the
// user's sound files and the beep. The strip's window binds its widgets to it.
//
// Times are in tenths of a second, money in whole lire.
class BarraCompatta
{
public:
    // The strip's sounds, in the order of StatoProgramma::SuonoFile.
    enum class Suono
    {
        FineScatto = 0,
        DurataCollegamento = 1,
        DurataGiornaliera = 2
    };

    // What one tick asks of the window besides redrawing.
    struct Passo
    {
        // Over-limit warnings to raise now, in this order, each after its own sound.
        QList<ControlloLimitiInDiretta::Avviso> avvisi;
        // "Fine Scatto" sounds: one on each tick of the warning period, one more when a unit falls.
        int suoniScatto = 0;
    };

    // What the strip's stop asks of it besides redrawing.
    struct Arresto
    {
        // The stop's own boxes, then those of the limits check after a stop.
        QList<Message> messaggi;
        // The check stopped on a missing closing record: the repair starts from it.
        std::optional<ConsumiResult> interrotto;
    };

    // The class button's caption: "Tut", "15", "30", ">30".
    static QString captionClasse(int classe);
    // The class button's cycle 1 -> 2 -> 3 -> 4 -> 1.
    static int classeSuccessiva(int classe);

    // The user's file for `suono`; empty when none is set (empty or "N/D"): the beep then.
    static QString fileSuono(const StatoProgramma& stato, Suono suono);
    // Plays the user's file for `suono`, or beeps.
    static void suona(Sounds& sounds, const StatoProgramma& stato, Suono suono);
    static Suono suonoAvviso(ControlloLimitiInDiretta::Avviso avviso);

    // A session's start at `adesso`: the limit watch re-armed with `limiti`
    // and counting from `adesso`, never backdated; the start panel gets the
    // session's beginning `inizio`; the display shows `meter` (none when the
    // meter could not start: zeros).
    void start(const QDateTime& adesso, const QDateTime& inizio, const CostMeter* meter,
               const ControlloLimitiInDiretta::Limiti& limiti);
    // The strip's start of a session: start() with the limits read from
    // `store`. Returns the boxes for the user: the session's own, then the
    // limits' settings that do not convert.
    QList<Message> avvia(const SessionStart& sessione, const CostMeter* meter, const SettingsStore& store);
    // One tick of the meter at `adesso`, once `meter` has ticked with
    // `tick`; `consumiGiorno` is today's consumption in minutes.
    Passo tick(const QDateTime& adesso, const CostMeter& meter, const CostMeter::Tick& tick, int consumiGiorno);
    // The session's stop at `fine`: the meter's values go back to zero, the
    // LED money stays until the next start.
    void stop(const QDateTime& fine);
    // The strip's stop of a session: stop(), then the limits check after a
    // stop over `archivio` (no daily message), which leaves today's
    // consumption for the next session's daily watch in `stato`.
    Arresto arresta(const SessionStop& sessione, const QString& archivio, StatoProgramma& stato, SettingsStore& store);

    // Panel1, Panel2: "inizio : hh.nn.ss" and "fine   : hh.nn.ss".
    const QString& pannelloInizio() const { return m_pannelloInizio; }
    const QString& pannelloFine() const { return m_pannelloFine; }
    // Label9: "resto: " and the whole seconds left in the unit.
    const QString& resto() const { return m_resto; }
    // Label1: the unit interval in whole seconds.
    const QString& cadenza() const { return m_cadenza; }
    // The running cost and the seconds left, "C -> S"; empty before the first tick.
    const QString& costo() const { return m_costo; }
    // Digits1: six digits with leading zeros.
    const QString& digits() const { return m_digits; }
    int gaugeMaximum() const { return m_gaugeMaximum; }
    int gaugeValue() const { return m_gaugeValue; }
    bool gaugeRed() const { return m_gaugeRed; }

    // Tenths of a second from the start to the last tick: the limit watch's time.
    qint64 DecimiSessione() const { return m_DecimiSessione; }
    // The limits read at the last start, in tenths of a second.
    const ControlloLimitiInDiretta::Limiti& limiti() const { return m_controllo.limiti(); }

private:
    void mostra(const CostMeter& meter);

    ControlloLimitiInDiretta m_controllo{{}};
    QDateTime m_InizioSessioneLimiti;
    qint64 m_DecimiSessione = 0;
    qint64 m_mancantiPrecedenti = 1; // DecimiMancanti of the previous tick

    QString m_pannelloInizio = QStringLiteral("Inizio:");
    QString m_pannelloFine = QStringLiteral("Fine:");
    QString m_resto = QStringLiteral("resto : 000");
    QString m_cadenza = QStringLiteral("000");
    QString m_costo;
    QString m_digits = QStringLiteral("000000");
    int m_gaugeMaximum = 100;
    int m_gaugeValue = 0;
    bool m_gaugeRed = false;
};
