#pragma once

#include "platform/DialUpSource.h"
#include "ras/RasTracker.h"

#include <QObject>
#include <QStringList>
#include <stdexcept>

class QTimer;

// The dial-up connection monitor a window owns: it reads the phone book once
// when it is created, polls the dial-up source every 500 ms while DoTimer is
// on, and raises OnConnectionStatus when a new phase is first seen and
// OnStatusChange at every poll.
class TRasMonitor : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList AvailableEntries READ AvailableEntries)
    Q_PROPERTY(QStringList AvailableNumbers READ AvailableNumbers)
    Q_PROPERTY(QString ConnectedEntry READ ConnectedEntry)
    Q_PROPERTY(QString ConnectedNumber READ ConnectedNumber)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(bool IsConnected READ IsConnected)
    Q_PROPERTY(RasTracker::Language Language READ Language WRITE setLanguage)
    Q_PROPERTY(bool DoTimer READ DoTimer WRITE setDoTimer)
public:
    // A monitor that cannot be created: its owner is not a window, or the
    // window already holds one.
    class CreationError : public std::runtime_error
    {
    public:
        explicit CreationError(const QString& message);
        QString message() const;
    };

    static constexpr int pollInterval = 500; // milliseconds

    // The owner must be a window holding no other monitor, else CreationError.
    // The source must outlive the monitor.
    TRasMonitor(DialUpSource& source, QObject* owner);
    ~TRasMonitor() override;

    QStringList AvailableEntries() const { return m_tracker.availableEntries(); }
    QStringList AvailableNumbers() const { return m_tracker.availableNumbers(); }
    QString ConnectedEntry() const { return m_tracker.connectedEntry(); }
    QString ConnectedNumber() const { return m_tracker.connectedNumber(); }
    QString Status() const { return m_tracker.status(); }
    bool IsConnected() const { return m_tracker.isConnected(); }
    RasTracker::Language Language() const { return m_tracker.language(); }
    void setLanguage(RasTracker::Language language) { m_tracker.setLanguage(language); }
    bool DoTimer() const { return m_doTimer; }
    void setDoTimer(bool on);

    // What the phone book could not tell at creation, one message per entry
    // whose properties were unreadable, in the language of that moment. The
    // entry is listed all the same, with an empty number.
    QStringList creationMessages() const { return m_creationMessages; }

    int phase() const { return m_tracker.phase(); }
    int pollCounter() const { return m_tracker.pollCounter(); }

    // One poll of the source; the timer calls it, tests call it directly.
    void poll();

Q_SIGNALS:
    void OnConnectionStatus(int phase);
    void OnStatusChange(bool statusChanged);

private:
    static QObject* checkedOwner(QObject* owner);
    void readPhoneBook();

    DialUpSource& m_source;
    RasTracker m_tracker;
    QTimer* m_timer;
    bool m_doTimer = false;
    QStringList m_creationMessages;
};
