#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered on the event
// loop, through a self-pipe: the handler only writes the signal's number to a
// socket, and the user-interface thread reads it. One watcher per program.
class TerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;
    TerminationWatcher(const TerminationWatcher&) = delete;
    TerminationWatcher& operator=(const TerminationWatcher&) = delete;

    // False when the pipe or the handlers could not be set up; the signals
    // then keep their default effect.
    bool isActive() const { return m_notifier != nullptr; }

    // What the signal handler does; async-signal-safe.
    static void notify(int signalNumber);

signals:
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    int m_sockets[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
