#pragma once

// A D-Bus daemon of the test's own and python3-dbusmock servers on it, so
// that no test of a D-Bus service depends on, or disturbs, the desktop or the
// system it runs on. The one bus stands for the session bus and the system
// bus alike: a server's template says which it takes.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>

namespace DBusMock {

inline constexpr int patience = 20000; // ms: processes starting on a busy machine

// A bus with nothing that it could start on demand.
class PrivateBus
{
public:
    PrivateBus()
    {
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                    "<policy context=\"default\"><allow send_destination=\"*\"/>"
                                    "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(m_dir.path())
                         .toUtf8());
        config.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                        QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        if (m_daemon.waitForReadyRead(patience))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(name());
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    QString address() const { return m_address; }
    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, name()); }

private:
    QString name() const { return QStringLiteral("brenvolo-test-") + m_dir.path(); }

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// A python3-dbusmock server owning `service` on the bus: a template (with
// "--template NAME" among the arguments), or a bare mock.
class Server
{
public:
    Server(const PrivateBus& bus, const QString& service, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), bus.address());
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QDBusConnection connection = bus.connection();
        QDBusServiceWatcher watcher(service, connection, QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
        m_ready = connection.interface()->isServiceRegistered(service) || registered.wait(patience);
    }
    ~Server() { stop(); }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    bool ready() const { return m_ready; }
    void stop()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // The server stops answering, as a hung service does, until resumed.
    void pause(bool paused) { ::kill(pid_t(m_process.processId()), paused ? SIGSTOP : SIGCONT); }

private:
    QProcess m_process;
    bool m_ready = false;
};

// A call of the mock's own interface (org.freedesktop.DBus.Mock).
inline QDBusMessage mockCall(const QString& service, const QString& path, const QString& method,
                             const QVariantList& arguments = {})
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
    call.setArguments(arguments);
    return call;
}

} // namespace DBusMock
