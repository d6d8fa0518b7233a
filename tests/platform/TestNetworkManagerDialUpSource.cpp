// NetworkManagerDialUpSource against python3-dbusmock's NetworkManager
// (tests/support/dbusmock_networkmanager.py) on a private bus standing for the
// system bus. The end-to-end scenario restarts it in the middle of a call.
#include "platform/NetworkManagerDialUpSource.h"
#include "tests/support/DBusMock.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
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

QStringList networkManager()
{
    return {QStringLiteral("--template"), QStringLiteral(BRENVOLO_TEST_SUPPORT "/dbusmock_networkmanager.py"),
            QStringLiteral("--parameters"), QStringLiteral(R"({"profili": %1})").arg(QLatin1String(profili))};
}

// A method of the mock's own; its answer's first value.
QVariant mock(QDBusConnection& bus, const QString& method, const QVariantList& arguments)
{
    return bus.call(DBusMock::mockCall(nm, QStringLiteral("/org/freedesktop"), method, arguments)).arguments().value(0);
}

// An active connection of the profile numbered `profile`, on the modem.
QString activate(QDBusConnection& bus, int profile, uint state)
{
    const QString path = QStringLiteral("/org/freedesktop/NetworkManager/Settings/%1").arg(profile);
    return mock(bus, QStringLiteral("AddActiveConnection"),
                {QStringList{device}, path, QStringLiteral("/"), QString::number(profile), state})
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
    QVERIFY(casa->userName == QLatin1String("mario") && casa->password == QLatin1String("segreto") &&
            casa->passwordSaved);
    const auto fibra = source.dialParams(QStringLiteral("Fibra"), nullptr);
    QVERIFY(fibra->userName == QLatin1String("f1") && fibra->password.isEmpty() && !fibra->passwordSaved);
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
    activate(connection, 1, 2);
    const QString casa = activate(connection, 0, 1);
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
        mock(connection, QStringLiteral("SetProperty"),
             {step.path, step.interface, QStringLiteral("State"), QVariant::fromValue(QDBusVariant(step.value))});
        QTRY_COMPARE_WITH_TIMEOUT(states(source), QList<int>{step.expected}, DBusMock::patience);
    }
    QCOMPARE(source.connections()->at(0).deviceName, QStringLiteral("ttyUSB0"));
    mock(connection, QStringLiteral("RemoveActiveConnection"), {device, casa});
    QTRY_VERIFY_WITH_TIMEOUT(source.connections()->isEmpty(), DBusMock::patience);
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

    DBusMock::Server server(bus, nm, networkManager());
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
