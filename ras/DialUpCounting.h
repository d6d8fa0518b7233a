#pragma once

#include "settings/SettingsStore.h"

#include <QObject>

class CountingSession;
class SettingsBackend;
struct StatoProgramma;

// Counting that follows the dial-up connection: at every status report of
// the connection monitor it starts or stops the counting session, and when
// dialling begins it picks the distance class from the phone-book entry. It
// drives the session whichever window shows it: the main window, or the
// compact strip in compact mode; the windows learn of a class chosen here
// through classChosen() and of the session through the session's signals.
class DialUpCounting : public QObject
{
    Q_OBJECT
public:
    DialUpCounting(CountingSession& session, StatoProgramma& stato, SettingsBackend& settings,
                   QObject* parent = nullptr);

    // The monitor's OnStatusChange, with its IsConnected: with counting
    // following the connection (ConteggioAutomatico "0"), a connection up and
    // no session open starts one automatically (backdated); no connection and
    // a session open stops it.
    void statusChanged(bool isConnected);
    // The monitor's OnConnectionStatus, with its ConnectedEntry: when dialling
    // begins (phase 0) the entry goes to callerId\numero and, when the numbers
    // table names its class, to TariffaCorrente.
    void connectionStatus(int phase, const QString& connectedEntry);
    // The machine is about to sleep (true) or has woken (false). Before it
    // sleeps the running session stops with that moment in its closing
    // record, and no connection starts one until it wakes; awake, the next
    // status report of a connection up starts counting again.
    void prepareForSleep(bool sleeping);

signals:
    // Dialling began: the windows show the class of TariffaCorrente.
    void classChosen(int classe);

private:
    CountingSession& m_session;
    StatoProgramma& m_stato;
    SettingsStore m_store;
    bool m_sleeping = false;
};
