#pragma once

#include "archive/PrezzaChiamata.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class SettingsStore;
struct StatoProgramma;

// The arithmetic of a counting session's meter, as the telephone exchange
// charges a call: one unit at answer, then one more each time the unit
// interval in force elapses, the interval looked up anew at every unit
// boundary. It holds no widget, no timer and reads no clock, and writes no
// session flag (it reports the reduction it reaches): LiveMeter calls
// tick() ten times a second with the present moment. Times are in tenths of a
// second, money in whole lire.
class CostMeter
{
public:
    // The settings the meter reads once, when a session starts.
    struct Settings
    {
        // frazione scatto (one extra unit charged at answer) and the reductions:
        // ridTut percent of the base price for a TUT unit once the session cost
        // ridTutDopo base prices; ridTel percent for a long-distance unit once
        // the completed intervals exceed ridTelDopo seconds.
        PricingSettings prezzi;
        bool beep = true; // beep when a unit falls and during the warning
        int inizio = 5;   // warning period, seconds before a unit falls
        QString costo = QStringLiteral("000");

        // Reads them as a session's start does; values the store holds out of
        // range are read as their defaults and told in `problemi`.
        static Settings fromStore(const SettingsStore& store, QStringList* problemi = nullptr);
    };

    // What a tick asks of the window besides redrawing the meter's values.
    struct Tick
    {
        int beeps = 0; // system beeps to sound: one in the warning, one more when a unit falls
        bool scattoCaduto = false;
        // The long-distance reduction was reached at this tick: the session
        // keeps it (RiduzioneTeleAttiva); the meter lowers its own price.
        bool riduzioneTele = false;
        QString errore; // a band that could not be read at a unit boundary; the interval is kept
    };

    // Starts the meter at `adesso` for a session that began at `inizio` (earlier
    // than `adesso` for an automatic start): sets stato.CostoScatto and
    // CostoScattoBase from the settings' price, charges the unit at answer
    // (two with frazione scatto 1) and looks up the first interval at `inizio`.
    // Throws EConvertError when the band in force cannot be read.
    CostMeter(StatoProgramma& stato, const Settings& settings, const QDateTime& adesso, const QDateTime& inizio);
    // A session started by hand: it begins at `adesso`.
    CostMeter(StatoProgramma& stato, const Settings& settings, const QDateTime& adesso)
        : CostMeter(stato, settings, adesso, adesso)
    {
    }

    // One tick at the moment `adesso`, given in milliseconds since the epoch
    // (Clock::msecsSinceEpoch): the elapsed time is the difference of two
    // such readings, and only a unit boundary turns the moment into a local
    // date-time, for the interval lookup.
    Tick tick(qint64 adesso);
    Tick tick(const QDateTime& adesso) { return tick(adesso.toMSecsSinceEpoch()); }
    // The session's stop: the money and the completed time go back to zero.
    void close();

    // The unit price was not a whole number: every unit counts 0 lire.
    bool prezzoNonValido() const { return m_prezzoNonValido; }
    QString testoPrezzo() const { return m_testoPrezzo; }

    qint64 CostoSessione() const { return m_CostoSessione; }
    int CadenzaScatto() const { return m_CadenzaScatto; }
    qint64 DecimiTrascorsi() const { return m_DecimiTrascorsi; }
    qint64 DecimiMancanti() const { return m_DecimiMancanti; }
    qint64 DecimiCompletati() const { return m_DecimiCompletati; }
    QDateTime InizioIntervallo() const { return m_InizioIntervallo; }

    // The six-digit counter: stepped up one lira at a time from zero, so it
    // wraps from 999999 to 0 while CostoSessione keeps counting.
    int digits() const { return m_digits; }
    QString digitsText() const;
    // Whole seconds left in the interval, truncated towards zero.
    qint64 secondiMancanti() const { return m_DecimiMancanti / 10; }
    // The interval in force in whole seconds, for the "ogni N secondi" label.
    int secondiCadenza() const { return m_CadenzaScatto / 10; }
    // The gauge is red during the last seconds before a unit falls.
    bool avviso() const { return m_avviso; }
    // The completed intervals passed ridTelDopo seconds: a long-distance unit costs ridTel percent.
    bool riduzioneTele() const { return m_riduzioneTele; }

private:
    void applicaRiduzioni();
    void addebita(qint64 importo);
    qint64 prezzo() const;

    StatoProgramma& m_stato;
    Settings m_settings;
    bool m_prezzoNonValido = false;
    QString m_testoPrezzo;

    qint64 m_CostoSessione = 0;
    int m_CadenzaScatto = 0;
    qint64 m_DecimiTrascorsi = 0;
    qint64 m_DecimiMancanti = 0;
    qint64 m_DecimiCompletati = 0;
    QDateTime m_InizioIntervallo;
    qint64 m_inizioIntervalloMs = 0; // m_InizioIntervallo in milliseconds since the epoch
    int m_digits = 0;
    bool m_avviso = false;
    bool m_riduzioneTele = false;
};
