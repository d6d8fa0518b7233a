#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <optional>

// Desktop notifications through org.freedesktop.Notifications on the session
// bus. Every call to the server is asynchronous, so the user-interface thread
// never waits for the bus or the server. The first notification asks the
// server whether it reads markup in the text; the notifications given until it
// answers wait in a queue. Without a server they are dropped, and the next one
// asks again, so a server started later is found.
class DBusNotifier : public QObject, public Notifier
{
    Q_OBJECT
public:
    // The session bus, connected at the first notification.
    explicit DBusNotifier(QObject* parent = nullptr);
    // Another bus, such as a private one in the tests.
    explicit DBusNotifier(const QDBusConnection& bus, QObject* parent = nullptr);

    void notify(const QString& title, const QString& text, Urgency urgency = Urgency::Normal) override;

signals:
    // The server took a notification and gave it this id.
    void shown(uint id);
    // A notification went nowhere: the bus's error name (no bus, no server ...).
    void dropped(const QString& error);

private:
    struct Notification
    {
        QString title;
        QString text;
        Urgency urgency;
    };
    enum class Capabilities
    {
        Unknown,
        Asking,
        Known
    };

    QDBusConnection& bus();
    void askCapabilities();
    void send(const Notification& notification);
    void dropQueue(const QString& error);

    std::optional<QDBusConnection> m_bus;
    Capabilities m_capabilities = Capabilities::Unknown;
    bool m_markup = false;
    QList<Notification> m_queue;
};
