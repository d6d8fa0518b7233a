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
#include <optional>

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
    // The machine is about to sleep: a running session stops with this
    // moment in its closing record, now or once the start or stop under way
    // has finished.
    void stopForSleep();
    // The clock jumped (ClockJump) between `lastMoment`, when the session was
    // last seen counting (the meter's last tick, or the heartbeat's), and
    // `now`: the session stops with `lastMoment` in its closing record and in
    // the crash-state file, and its stop carries a message saying so.
    // `startedAt` is the `now` of the start of the session seen jumping
    // (SessionStart::now): nothing happens unless that session is running.
    void stopAtClockJump(const QDateTime& startedAt, const QDateTime& lastMoment, const QDateTime& now);
    // The program is asked to end: stopWhenPossible(), then finished() once
    // no session is open any more.
    void finish();
    // The program closes: ritardo\flagAuto "OFF" for the next run.
    void close();

    // When a session starting at `adesso` begins: `adesso`, or RitardoAvvio
    // seconds earlier (clamped to 0..59) when AvvioAutomatico is not "OFF";
    // a backdated start never reaches before `ultimaChiusura`, the moment of
    // the archive's last closing record (nor after `adesso`), so no second
    // is counted in two sessions.
    static QDateTime inizioSessione(const StatoProgramma& stato, const QDateTime& adesso,
                                    const std::optional<QDateTime>& ultimaChiusura = std::nullopt);

    // What the running session's meter reports after each tick: the
    // long-distance reduction it reached becomes RiduzioneTeleAttiva. The
    // window that runs the meter connects it here.
    void meterTicked(const CostMeter::Tick& tick);

    // The session's heartbeat, every second while counting: a jump of the
    // clock since the last beat stops the session at that beat
    // (stopAtClockJump). Otherwise the session's last known moment is kept in
    // the data directory (SessionMarker), written at the start and then every
    // ten seconds of the clock's time: `adesso` replaces it when ten seconds
    // have passed since it was last written, so a session cut short is closed
    // at most ten seconds early. Removed after the stop. A state that cannot
    // be written is told once a session: in the start's messages, or by
    // avviso(). A timer calls it with the clock's now; tests call it after
    // moving the fake clock.
    void battito(const QDateTime& adesso);

signals:
    void started(const SessionStart& start);
    void stopped(const SessionStop& stop);
    void finished();
    // Something the user must hear while counting, outside a start or a stop.
    void avviso(const Message& message);

private:
    struct PendingStop
    {
        QDateTime end;
        QList<Message> messages;
    };

    void afterTransition();
    QString archivePath() const;
    std::optional<QDateTime> ultimaChiusura() const;
    std::optional<Message> segnaMomento(const QDateTime& adesso);
    bool stopAt(const QDateTime& end, const QList<Message>& messages);
    void stopAtWhenPossible(const PendingStop& stop);

    Servizi& m_servizi;
    StatoProgramma& m_stato;
    SettingsStore m_store;
    std::function<QString()> m_nomeConnessione;
    bool m_inTransition = false;
    bool m_stopRequested = false;
    bool m_finishRequested = false;
    std::optional<PendingStop> m_pendingStop; // a stop at a given moment, asked during a transition
    QString m_apertura;                       // the running session's opening record, once it is in the archive
    QDateTime m_avviata;                      // when the running session was started (its `now`, not backdated)
    QDateTime m_segnato;                      // when the last known moment was last written
    bool m_segnoFallito = false;              // a failed write of it was told, this session
    QDateTime m_ultimoBattito;                // the heartbeat's last moment
    QTimer m_battito;
};
