#pragma once

#include "meter/CostMeter.h"
#include "platform/Message.h"
#include "platform/Servizi.h"
#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>

struct StatoProgramma;

// What a session's start hands the window that shows it.
struct SessionStart
{
    QDateTime now;   // the moment of the start
    QDateTime start; // the session's beginning, in its opening record: `now`, or RitardoAvvio seconds earlier
    bool automatic = false;
    QString nomeConnessione;   // the phone-book entry in the opening record; empty when none
    CostMeter::Settings meter; // the meter's settings, read at this start
    QList<Message> messages;   // for the user: settings read as their defaults, the archive's creation or failure
};

// What a session's stop hands the window that shows it.
struct SessionStop
{
    QDateTime end;           // the moment of the stop, never backdated, in the closing record
    QList<Message> messages; // for the user: the archive's creation or failure
};

// The counting session: the span between a start and a stop, whichever
// window shows it (the main window with its cost window, or the compact
// strip) and whoever asks (a button, the tray menu, the dial-up monitor, the
// end of the desktop session). It alone writes the session flags
// (ConteggioInCorso, AvvioAutomatico, RiduzioneTeleAttiva, ritardo\flagAuto),
// restores the unit price at the stop and appends the opening and closing
// records. It shows nothing: started() and stopped() tell the windows, which
// show the session and the messages those carry.
//
// A start or a stop runs to its end before another is taken: the windows let
// pending events run while they show one, and a start or stop asked then is
// refused, while a stop for the end of the program waits for it.
class CountingSession : public QObject
{
    Q_OBJECT
public:
    CountingSession(Servizi& servizi, StatoProgramma& stato, QObject* parent = nullptr);

    // Where the opening record's entry name comes from: the dial-up monitor's
    // connected entry. None set: the records carry no entry name.
    void setNomeConnessione(std::function<QString()> nomeConnessione);

    // A session is counting (ConteggioInCorso).
    bool isRunning() const;
    // A start or a stop is under way.
    bool inTransition() const { return m_inTransition; }
    // Counting, starting or stopping: no new start, and no quitting.
    bool isOpen() const { return isRunning() || m_inTransition; }

    // A start by hand: RiduzioneTeleAttiva cleared, ConteggioInCorso set, the
    // opening record appended, then started(). False, doing nothing, while a
    // session is open.
    bool start();
    // A start by the dial-up monitor: AvvioAutomatico and ritardo\flagAuto
    // "ON", then start(), backdated by RitardoAvvio.
    bool startAutomatic();
    // RiduzioneTeleAttiva cleared, AvvioAutomatico and ritardo\flagAuto "OFF",
    // the unit price read again from the store (undoing any reduction),
    // ConteggioInCorso cleared, the closing record appended, then stopped().
    // False, doing nothing, while idle, starting or stopping.
    bool stop();

    // The desktop session ends: a running session stops now, or as soon as
    // the start or stop under way has finished.
    void stopWhenPossible();
    // The program is asked to end: stopWhenPossible(), then finished() once
    // no session is open any more.
    void finish();
    // The program closes: ritardo\flagAuto "OFF" for the next run.
    void close();

    // When a session starting at `adesso` begins: `adesso`, or RitardoAvvio
    // seconds earlier (clamped to 0..59) when AvvioAutomatico is not "OFF".
    static QDateTime inizioSessione(const StatoProgramma& stato, const QDateTime& adesso);

    // What the running session's meter reports after each tick: the
    // long-distance reduction it reached becomes RiduzioneTeleAttiva. The
    // window that runs the meter connects it here.
    void meterTicked(const CostMeter::Tick& tick);

    // While counting, the session's last known moment is kept in the data
    // directory (SessionMarker), written at the start and then about once a
    // minute of the clock's time: `adesso` replaces it when a minute has
    // passed since it was last written. A timer calls it with the clock's now;
    // tests call it after moving the fake clock. Removed after the stop.
    void battito(const QDateTime& adesso);

signals:
    void started(const SessionStart& start);
    void stopped(const SessionStop& stop);
    void finished();

private:
    void afterTransition();
    QString archivePath() const;
    void segnaMomento(const QDateTime& adesso);

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    SettingsStore m_store;
    std::function<QString()> m_nomeConnessione;
    bool m_inTransition = false;
    bool m_stopRequested = false;
    bool m_finishRequested = false;
    QString m_apertura;  // the running session's opening record, once it is in the archive
    QDateTime m_segnato; // when the last known moment was last written
    QTimer m_battito;
};
