#include "platform/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString disconnected = QStringLiteral("org.freedesktop.DBus.Error.Disconnected");

QDBusMessage methodCall(const QString& method)
{
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

// The program's texts break lines with a carriage return; a server that
// reads markup would take "<" and "&" for tags.
QString body(const QString& text, bool markup)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return markup ? plain.toHtmlEscaped() : plain;
}

uchar urgencyLevel(Notifier::Urgency urgency)
{
    switch (urgency) {
    case Notifier::Urgency::Low:
        return 0;
    case Notifier::Urgency::Normal:
        break;
    case Notifier::Urgency::Critical:
        return 2;
    }
    return 1;
}

} // namespace

DBusNotifier::DBusNotifier(QObject* parent)
    : QObject(parent)
{
}

DBusNotifier::DBusNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
}

QDBusConnection& DBusNotifier::bus()
{
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    return *m_bus;
}

void DBusNotifier::notify(const QString& title, const QString& text, Urgency urgency)
{
    if (!bus().isConnected()) {
        emit dropped(disconnected);
        return;
    }
    const Notification notification{title, text, urgency};
    if (m_capabilities == Capabilities::Known) {
        send(notification);
        return;
    }
    m_queue.append(notification);
    if (m_capabilities == Capabilities::Unknown)
        askCapabilities();
}

void DBusNotifier::askCapabilities()
{
    m_capabilities = Capabilities::Asking;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(methodCall(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<QStringList> reply = *call;
        if (reply.isError()) {
            m_capabilities = Capabilities::Unknown;
            dropQueue(reply.error().name());
            return;
        }
        m_capabilities = Capabilities::Known;
        m_markup = reply.value().contains(QStringLiteral("body-markup"));
        const QList<Notification> queued = std::exchange(m_queue, {});
        for (const Notification& notification : queued)
            send(notification);
    });
}

void DBusNotifier::send(const Notification& notification)
{
    QDBusMessage message = methodCall(QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(urgencyLevel(notification.urgency))},
        {QStringLiteral("desktop-entry"), QStringLiteral(BRENVOLO_APP_ID)},
    };
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's choice)
    message << QStringLiteral("Brenvolo") << 0U << QStringLiteral(BRENVOLO_APP_ID) << notification.title
            << body(notification.text, m_markup) << QStringList() << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError()) {
            // The server went away: the next notification looks for one again.
            m_capabilities = Capabilities::Unknown;
            emit dropped(reply.error().name());
            return;
        }
        emit shown(reply.value());
    });
}

void DBusNotifier::dropQueue(const QString& error)
{
    const QList<Notification> queued = std::exchange(m_queue, {});
    for (qsizetype i = 0; i < queued.size(); ++i)
        emit dropped(error);
}
