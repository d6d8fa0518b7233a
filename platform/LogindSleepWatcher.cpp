#include "platform/LogindSleepWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindSleepWatcher::LogindSleepWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    // Qt D-Bus takes its slots by name.
    m_bus.connect(service, path, manager, QStringLiteral("PrepareForSleep"), this, SLOT(PrepareForSleep(bool)));
    auto* watcher = new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &LogindSleepWatcher::takeInhibitor);
    takeInhibitor();
}

void LogindSleepWatcher::takeInhibitor()
{
    if (m_asking || !(m_bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, manager, QStringLiteral("Inhibit"));
    call.setArguments({QStringLiteral("sleep"), QStringLiteral("Brenvolo"),
                       QStringLiteral("Chiude la chiamata in corso prima della sospensione"), QStringLiteral("delay")});
    call.setAutoStartService(false);
    m_asking = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(m_asking, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        watcher->deleteLater();
        m_asking = nullptr;
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
        m_inhibitor = reply.isValid() ? reply.value() : QDBusUnixFileDescriptor();
    });
}

void LogindSleepWatcher::PrepareForSleep(bool sleeping)
{
    emit prepareForSleep(sleeping);
    if (sleeping)
        m_inhibitor = QDBusUnixFileDescriptor();
    else
        takeInhibitor();
}
