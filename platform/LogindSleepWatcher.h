#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

class QDBusPendingCallWatcher;

// logind's word that the machine is about to sleep or has woken
// (PrepareForSleep of org.freedesktop.login1.Manager on the system bus).
// While the program runs it holds a delay inhibitor of sleep, so that what
// its listeners do at prepareForSleep(true) (the running session's closing
// record) is done before the machine sleeps: the inhibitor is let go as soon
// as they have returned, and taken again once the machine is awake (and
// whenever logind starts anew). Without logind nothing is ever signalled;
// the calls never wait.
class LogindSleepWatcher : public QObject
{
    Q_OBJECT
public:
    explicit LogindSleepWatcher(const QDBusConnection& bus, QObject* parent = nullptr);

    // logind holds the program's delay inhibitor.
    bool holdsInhibitor() const { return m_inhibitor.isValid(); }

signals:
    void prepareForSleep(bool sleeping);

private slots:
    void PrepareForSleep(bool sleeping);

private:
    void takeInhibitor();

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_inhibitor;
    QDBusPendingCallWatcher* m_asking = nullptr;
};
