#pragma once

#include <QDateTime>
#include <QString>

class SettingsStore;
struct StatoProgramma;

// The live meter of a counting session, as the telephone exchange charges a
// call: one unit at answer, then one more each time the unit interval in
// force elapses, the interval looked up anew at every unit boundary. It holds
// no widget and reads no clock: the window that shows it calls tick() ten
// times a second with the present moment. Times are in tenths of a second,
// money in whole lire.
class CostMeter
{
public:
    // The settings the meter reads once, when a session starts.
    struct Settings
    {
        int frazioneScatto = 0; // 1: one extra unit charged at answer
        int ridTut = 50;        // percent of the base price for a reduced TUT unit
        int ridTutDopo = 1;     // ... once the session cost reaches this many base prices
        int ridTel = 50;        // percent of the base price for a reduced long-distance unit
        int ridTelDopo = 120;   // ... once the completed intervals exceed this many seconds
        bool beep = true;       // beep when a unit falls and during the warning
        int inizio = 5;         // warning period, seconds before a unit falls
        QString costo = QStringLiteral("000");
        QString flagAuto = QStringLiteral("OFF");

        static Settings fromStore(const SettingsStore& store);
    };

    // What a tick asks of the window besides redrawing the meter's values.
    struct Tick
    {
        int beeps = 0; // system beeps to sound: one in the warning, one more when a unit falls
        bool scattoCaduto = false;
        QString errore; // a band that could not be read at a unit boundary; the interval is kept
    };

    // Starts the meter at `adesso`: sets stato.CostoScatto and CostoScattoBase
    // from the settings' price, stato.AvvioAutomatico from its flag, charges the
    // unit at answer (two with frazione scatto 1) and looks up the first
    // interval, backdated by stato.RitardoAvvio for an automatic start. Throws
    // EConvertError when the band in force cannot be read.
    CostMeter(StatoProgramma& stato, const Settings& settings, const QDateTime& adesso);

    Tick tick(const QDateTime& adesso);
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

    // The moment the session is taken to have started: `adesso`, or
    // RitardoAvvio seconds earlier (clamped to 0..59) for an automatic start.
    static QDateTime inizioSessione(const StatoProgramma& stato, const QDateTime& adesso);

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
    // "secondi al prossimo scatto: N".
    QString caption() const;
    // "costo: C -> S": the application title and the tray hint.
    QString costText() const;

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
    int m_digits = 0;
    bool m_avviso = false;
};
