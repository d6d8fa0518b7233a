// NetworkManagerDialUpSource against python3-dbusmock's NetworkManager (with
// a modem and the profiles of tests/support/dbusmock_networkmanager.py) on a
// private bus standing for the system bus.
#include "platform/NetworkManagerDialUpSource.h"
#include "tests/support/DBusMock.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString nm = QStringLiteral("org.freedesktop.NetworkManager");
const QString device = QStringLiteral("/org/freedesktop/NetworkManager/Devices/modem");
using State = DialUpSource::State;

const char* const profili = R"([
    {"connection": {"id": "Casa", "type": "gsm"}, "gsm": {"number": "*99#", "username": "mario", "secrets": "segreto"}},
    {"connection": {"id": "Wi-Fi di casa", "type": "802-11-wireless"}},
    {"connection": {"id": "Hotspot", "type": "802-11-wireless", "metered": 1}},
    {"connection": {"id": "Telefono", "type": "bluetooth"}, "bluetooth": {"type": "dun"}, "cdma": {"number": "#777"}},
    {"connection": {"id": "Rete del telefono", "type": "bluetooth"}, "bluetooth": {"type": "panu"}},
    {"connection": {"id": "Fibra", "type": "pppoe"}, "pppoe": {"username": "f1", "password-flags": 2, "secrets": "x"}}
])";

QStringList networkManager(const QString& attivo = {})
{
    return {QStringLiteral("--template"), QStringLiteral(BRENVOLO_TEST_SUPPORT "/dbusmock_networkmanager.py"),
            QStringLiteral("--parameters"),
            QStringLiteral("{\"profili\": %1, \"attivo\": \"%2\"}").arg(QLatin1String(profili), attivo)};
}

// A mock method of the NetworkManager mock; its answer's first value.
QVariant mock(QDBusConnection& bus, const QString& method, const QVariantList& arguments)
{
    const QDBusMessage reply = bus.call(DBusMock::mockCall(nm, QStringLiteral("/org/freedesktop"), method, arguments));
    return reply.arguments().value(0);
}

void setMockProperty(QDBusConnection& bus, const QString& path, const QString& interface, const QString& name,
                     uint value)
{
    mock(bus, QStringLiteral("SetProperty"), {path, interface, name, QVariant::fromValue(QDBusVariant(value))});
}

QString activate(QDBusConnection& bus, const QString& profile, const QString& name, uint state)
{
    return mock(bus, QStringLiteral("AddActiveConnection"),
                {QStringList{device}, profile, QStringLiteral("/"), name, state})
        .toString();
}

QList<int> states(NetworkManagerDialUpSource& source)
{
    QList<int> states;
    for (const DialUpSource::Connection& connection : source.connections().value_or(QList<DialUpSource::Connection>()))
        states.append(connection.state);
    return states;
}

} // namespace

class TestNetworkManagerDialUpSource : public QObject
{
    Q_OBJECT
private slots:
    void listsTheDialUpProfiles();
    void followsAnActivationToItsEnd();
    void keepsTheConnectionWhileNetworkManagerRestarts();
    void neverWaitsLongForNetworkManager();
};

void TestNetworkManagerDialUpSource::listsTheDialUpProfiles()
{
    DBusMock::PrivateBus bus;
    DBusMock::Server server(bus, nm, networkManager());
    QVERIFY(server.ready());
    NetworkManagerDialUpSource source(bus.connection());
    const QList<DialUpSource::PhoneBookEntry> expected{{QStringLiteral("Casa"), QStringLiteral("*99#")},
                                                       {QStringLiteral("Hotspot"), QString()},
                                                       {QStringLiteral("Telefono"), QStringLiteral("#777")},
                                                       {QStringLiteral("Fibra"), QString()}};
    QCOMPARE(source.phoneBook(), expected);

    const auto casa = source.dialParams(QStringLiteral("Casa"), nullptr);
    QCOMPARE(casa->userName, QStringLiteral("mario"));
    QCOMPARE(casa->password, QStringLiteral("segreto"));
    QVERIFY(casa->passwordSaved);
    const auto fibra = source.dialParams(QStringLiteral("Fibra"), nullptr);
    QCOMPARE(fibra->userName, QStringLiteral("f1"));
    QVERIFY(!fibra->passwordSaved && fibra->password.isEmpty());
    QString error;
    QVERIFY(!source.dialParams(QStringLiteral("Wi-Fi di casa"), &error));
    QCOMPARE(error, QStringLiteral("la voce «Wi-Fi di casa» non è nella rubrica"));

    QVERIFY(!source.dial(QStringLiteral("Wi-Fi di casa")));
    QVERIFY(source.dial(QStringLiteral("Casa")));
    QTRY_COMPARE_WITH_TIMEOUT(states(source), QList<int>{State::Connected}, DBusMock::patience);
    QCOMPARE(source.connections()->at(0).entry, QStringLiteral("Casa"));
}

// Activating through the device's steps, activated, deactivating; a Wi-Fi
// profile's connection beside it is never one.
void TestNetworkManagerDialUpSource::followsAnActivationToItsEnd()
{
    DBusMock::PrivateBus bus;
    DBusMock::Server server(bus, nm, networkManager());
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    NetworkManagerDialUpSource source(connection);
    const QString settings = QStringLiteral("/org/freedesktop/NetworkManager/Settings/");
    const QString wifi = activate(connection, settings + QLatin1Char('1'), QStringLiteral("wifi"), 2);
    const QString casa = activate(connection, settings + QLatin1Char('0'), QStringLiteral("casa"), 1);
    const QString deviceInterface = nm + QStringLiteral(".Device");
    const QString activeInterface = nm + QStringLiteral(".Connection.Active");
    const struct
    {
        const QString& path;
        const QString& interface;
        uint value;
        State expected;
    } steps[] = {
        {device, deviceInterface, 40, State::OpenPort},     {device, deviceInterface, 50, State::ConnectDevice},
        {device, deviceInterface, 60, State::Authenticate}, {device, deviceInterface, 70, State::Authenticated},
        {casa, activeInterface, 2, State::Connected},       {casa, activeInterface, 3, State::Disconnected}};
    for (const auto& step : steps) {
        setMockProperty(connection, step.path, step.interface, QStringLiteral("State"), step.value);
        QTRY_COMPARE_WITH_TIMEOUT(states(source), QList<int>{step.expected}, DBusMock::patience);
    }
    QCOMPARE(source.connections()->at(0).deviceName, QStringLiteral("ttyUSB0"));
    mock(connection, QStringLiteral("RemoveActiveConnection"), {device, casa});
    QTRY_VERIFY_WITH_TIMEOUT(source.connections()->isEmpty(), DBusMock::patience);
    QVERIFY(!wifi.isEmpty());
}

// Gone from the bus, NetworkManager leaves its connection standing while the
// interface is up; started again, it tells.
void TestNetworkManagerDialUpSource::keepsTheConnectionWhileNetworkManagerRestarts()
{
    QTemporaryDir dirs;
    QVERIFY(QDir().mkpath(dirs.path() + QStringLiteral("/sys/class/net/ppp0")));
    QFile flags(dirs.path() + QStringLiteral("/sys/class/net/ppp0/flags"));
    QVERIFY(flags.open(QIODevice::WriteOnly) && flags.write("0x1091\n") > 0);
    flags.close();
    DBusMock::PrivateBus bus;
    auto server = std::make_unique<DBusMock::Server>(bus, nm, networkManager(QStringLiteral("Casa")));
    QVERIFY(server->ready());
    NetworkManagerDialUpSource source(bus.connection(), dirs.path());
    QCOMPARE(states(source), QList<int>{State::Connected});

    server.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!source.answers(), DBusMock::patience);
    QCOMPARE(states(source), QList<int>{State::Connected});
    server = std::make_unique<DBusMock::Server>(bus, nm, networkManager(QStringLiteral("Casa")));
    QTRY_VERIFY_WITH_TIMEOUT(source.answers(), DBusMock::patience);
    QCOMPARE(states(source), QList<int>{State::Connected});

    server.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!source.answers(), DBusMock::patience);
    QVERIFY(flags.open(QIODevice::WriteOnly | QIODevice::Truncate) && flags.write("0x1090\n") > 0);
    flags.close();
    QVERIFY(source.connections()->isEmpty());
}

// Absent, NetworkManager is no phone book and no connection at once; hung,
// it costs a reading at most callTimeout.
void TestNetworkManagerDialUpSource::neverWaitsLongForNetworkManager()
{
    DBusMock::PrivateBus bus;
    NetworkManagerDialUpSource absent(bus.connection());
    QVERIFY(!absent.phoneBook());
    QVERIFY(absent.connections()->isEmpty());
    QVERIFY(!absent.dial(QStringLiteral("Casa")));

    DBusMock::Server server(bus, nm, networkManager(QStringLiteral("Casa")));
    QVERIFY(server.ready());
    server.pause(true);
    QElapsedTimer elapsed;
    elapsed.start();
    NetworkManagerDialUpSource hung(bus.connection());
    QVERIFY2(elapsed.elapsed() < 3 * NetworkManagerDialUpSource::callTimeout,
             qPrintable(QString::number(elapsed.elapsed())));
    QVERIFY(!hung.answers());
    QVERIFY(hung.connections()->isEmpty());
    server.pause(false);
}

QTEST_GUILESS_MAIN(TestNetworkManagerDialUpSource)
#include "TestNetworkManagerDialUpSource.moc"
