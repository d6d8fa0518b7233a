// DBusNotifier against a mock notification server (python3-dbusmock) on a
// private bus that each test starts, so no test depends on, or disturbs, the
// desktop it runs on.
#include "platform/DBusNotifier.h"
#include "tests/support/DBusMock.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");
const QString notificationsPath = QStringLiteral("/org/freedesktop/Notifications");
using DBusMock::patience;
using DBusMock::PrivateBus;

// The notification server of python3-dbusmock: its template, or a bare mock
// whose methods the test adds.
class MockServer : public DBusMock::Server
{
public:
    MockServer(const PrivateBus& bus, const QStringList& arguments)
        : DBusMock::Server(bus, notifications, arguments)
    {
    }
};

QStringList notificationTemplate(const QString& capabilities = {})
{
    QStringList arguments{QStringLiteral("--template"), QStringLiteral("notification_daemon")};
    if (!capabilities.isNull())
        arguments << QStringLiteral("--parameters") << QStringLiteral("{\"capabilities\": \"%1\"}").arg(capabilities);
    return arguments;
}

QStringList bareServer()
{
    return {notifications, notificationsPath, notifications};
}

QDBusMessage mockCall(const QString& method)
{
    return DBusMock::mockCall(notifications, notificationsPath, method);
}

struct NotifyCall
{
    QString appName;
    uint replacesId = 0;
    QString appIcon;
    QString summary;
    QString body;
    QVariantMap hints;
    int timeout = 0;
};

// The Notify calls the mock has received, oldest first.
QList<NotifyCall> notifyCalls(QDBusConnection& bus)
{
    QList<NotifyCall> calls;
    const QDBusMessage reply = bus.call(mockCall(QStringLiteral("GetCalls")));
    if (reply.type() != QDBusMessage::ReplyMessage)
        return calls;
    const auto list = reply.arguments().at(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong time = 0;
        QString method;
        QVariantList args;
        list.beginStructure();
        list >> time >> method;
        list.beginArray();
        while (!list.atEnd()) {
            QDBusVariant value;
            list >> value;
            args.append(value.variant());
        }
        list.endArray();
        list.endStructure();
        if (method != QLatin1String("Notify") || args.size() != 8)
            continue;
        calls.append({args.at(0).toString(), args.at(1).toUInt(), args.at(2).toString(), args.at(3).toString(),
                      args.at(4).toString(), qdbus_cast<QVariantMap>(args.at(6)), args.at(7).toInt()});
    }
    list.endArray();
    return calls;
}

} // namespace

class TestDBusNotifier : public QObject
{
    Q_OBJECT
private slots:
    void sendsTheNotificationAsTheServerReadsIt_data();
    void sendsTheNotificationAsTheServerReadsIt();
    void notificationsGivenBeforeTheServerAnswersArriveInOrder();
    void withoutServerDropsAndFindsOneStartedLater();
    void withoutBusDropsAtOnce();
    void neverWaitsForTheServer();
};

void TestDBusNotifier::sendsTheNotificationAsTheServerReadsIt_data()
{
    QTest::addColumn<QString>("capabilities");
    QTest::addColumn<int>("urgency");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("body");
    QTest::addColumn<uchar>("level");

    const QString text = QStringLiteral("Limite giornaliero già Superato di 5 minuti\r3 < 4 & \"costo\"");
    QTest::newRow("markup, carriage returns become line breaks, < & \" escaped")
        << QString() << int(Notifier::Urgency::Critical) << text
        << QStringLiteral("Limite giornaliero già Superato di 5 minuti\n3 &lt; 4 &amp; &quot;costo&quot;") << uchar(2);
    QTest::newRow("plain text server gets the text as it is")
        << QStringLiteral("body") << int(Notifier::Urgency::Normal) << text
        << QStringLiteral("Limite giornaliero già Superato di 5 minuti\n3 < 4 & \"costo\"") << uchar(1);
    QTest::newRow("CR LF is one line break") << QStringLiteral("body") << int(Notifier::Urgency::Low)
                                             << QStringLiteral("uno\r\ndue") << QStringLiteral("uno\ndue") << uchar(0);
}

void TestDBusNotifier::sendsTheNotificationAsTheServerReadsIt()
{
    QFETCH(QString, capabilities);
    QFETCH(int, urgency);
    QFETCH(QString, text);
    QFETCH(QString, body);
    QFETCH(uchar, level);

    PrivateBus bus;
    MockServer server(bus, notificationTemplate(capabilities));
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    DBusNotifier notifier(connection);
    QSignalSpy shown(&notifier, &DBusNotifier::shown);
    QSignalSpy dropped(&notifier, &DBusNotifier::dropped);

    notifier.notify(QStringLiteral("Attenzione!"), text, Notifier::Urgency(urgency));

    QVERIFY(shown.wait(patience));
    QCOMPARE(dropped.count(), 0);
    const QList<NotifyCall> calls = notifyCalls(connection);
    QCOMPARE(calls.size(), 1);
    const NotifyCall& call = calls.at(0);
    QCOMPARE(call.appName, QStringLiteral("Brenvolo"));
    QCOMPARE(call.replacesId, 0U);
    QCOMPARE(call.appIcon, QStringLiteral(BRENVOLO_APP_ID));
    QCOMPARE(call.summary, QStringLiteral("Attenzione!"));
    QCOMPARE(call.body, body);
    QCOMPARE(call.hints.value(QStringLiteral("urgency")).value<uchar>(), level);
    QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral(BRENVOLO_APP_ID));
    QCOMPARE(call.timeout, -1);
}

void TestDBusNotifier::notificationsGivenBeforeTheServerAnswersArriveInOrder()
{
    PrivateBus bus;
    MockServer server(bus, notificationTemplate());
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    DBusNotifier notifier(connection);
    QSignalSpy shown(&notifier, &DBusNotifier::shown);

    notifier.notify(QStringLiteral("uno"), QStringLiteral("primo"));
    notifier.notify(QStringLiteral("due"), QStringLiteral("secondo"));
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, patience);
    notifier.notify(QStringLiteral("tre"), QStringLiteral("terzo"));
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 3, patience);

    const QList<NotifyCall> calls = notifyCalls(connection);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls.at(0).summary, QStringLiteral("uno"));
    QCOMPARE(calls.at(1).summary, QStringLiteral("due"));
    QCOMPARE(calls.at(2).summary, QStringLiteral("tre"));
    // The server numbers its notifications; none replaces another.
    QCOMPARE(shown.at(0).at(0).toUInt(), 1U);
    QCOMPARE(shown.at(2).at(0).toUInt(), 3U);
}

void TestDBusNotifier::withoutServerDropsAndFindsOneStartedLater()
{
    PrivateBus bus;
    QDBusConnection connection = bus.connection();
    QVERIFY(connection.isConnected());
    DBusNotifier notifier(connection);
    QSignalSpy shown(&notifier, &DBusNotifier::shown);
    QSignalSpy dropped(&notifier, &DBusNotifier::dropped);

    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("nessuno"));
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("ancora nessuno"));
    QTRY_COMPARE_WITH_TIMEOUT(dropped.count(), 2, patience);
    QCOMPARE(dropped.at(0).at(0).toString(), QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"));

    MockServer server(bus, notificationTemplate());
    QVERIFY(server.ready());
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("adesso sì"));
    QVERIFY(shown.wait(patience));
    QCOMPARE(notifyCalls(connection).size(), 1);

    // The server goes away: the notification is dropped, and a new server is found.
    server.stop();
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("di nuovo nessuno"));
    QTRY_COMPARE_WITH_TIMEOUT(dropped.count(), 3, patience);
    MockServer another(bus, notificationTemplate(QStringLiteral("body")));
    QVERIFY(another.ready());
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("<b>"));
    QVERIFY(shown.wait(patience));
    QCOMPARE(notifyCalls(connection).value(0).body, QStringLiteral("<b>"));
}

void TestDBusNotifier::withoutBusDropsAtOnce()
{
    const QString name = QStringLiteral("brenvolo-test-nobus");
    QDBusConnection connection =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/brenvolo-bus"), name);
    QVERIFY(!connection.isConnected());
    DBusNotifier notifier(connection);
    QSignalSpy dropped(&notifier, &DBusNotifier::dropped);

    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("nessun bus"));

    QCOMPARE(dropped.count(), 1);
    QDBusConnection::disconnectFromBus(name);
}

void TestDBusNotifier::neverWaitsForTheServer()
{
    PrivateBus bus;
    MockServer server(bus, bareServer());
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    // A server that takes a minute to answer anything.
    QDBusMessage addMethod = mockCall(QStringLiteral("AddMethod"));
    addMethod << notifications << QStringLiteral("GetCapabilities") << QString() << QStringLiteral("as")
              << QStringLiteral("__import__('time').sleep(60); ret = ['body']");
    QCOMPARE(connection.call(addMethod).type(), QDBusMessage::ReplyMessage);
    DBusNotifier notifier(connection);
    QSignalSpy shown(&notifier, &DBusNotifier::shown);
    QSignalSpy dropped(&notifier, &DBusNotifier::dropped);

    QElapsedTimer elapsed;
    elapsed.start();
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("lento"));
    notifier.notify(QStringLiteral("Attenzione!"), QStringLiteral("lento"));
    // A blocking call would have waited for the answer, or for the bus's 25 s timeout.
    QVERIFY2(elapsed.elapsed() < 5000, qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(shown.count() + dropped.count(), 0);

    // The server dies before answering: both are dropped, the program goes on.
    server.stop();
    QTRY_COMPARE_WITH_TIMEOUT(dropped.count(), 2, patience);
    QCOMPARE(shown.count(), 0);
}

QTEST_GUILESS_MAIN(TestDBusNotifier)
#include "TestDBusNotifier.moc"
