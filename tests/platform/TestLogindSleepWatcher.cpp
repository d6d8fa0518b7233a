// LogindSleepWatcher against python3-dbusmock's logind on a private bus
// standing for the system bus.
#include "platform/LogindSleepWatcher.h"
#include "tests/support/DBusMock.h"

#include <QDBusArgument>
#include <QTest>

namespace {

const QString logind = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");

// The inhibitors logind holds, each "what who why mode".
QStringList inhibitors(QDBusConnection& bus)
{
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        logind, logindPath, QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    QStringList result;
    const auto list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        result.append(QStringList{what, who, why, mode}.join(QLatin1Char('/')));
    }
    list.endArray();
    return result;
}

void prepareForSleep(QDBusConnection& bus, bool sleeping)
{
    bus.call(DBusMock::mockCall(logind, logindPath, QStringLiteral("EmitSignal"),
                                {QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                                 QStringLiteral("b"), QVariantList{sleeping}}));
}

} // namespace

class TestLogindSleepWatcher : public QObject
{
    Q_OBJECT
private slots:
    void holdsADelayInhibitorUntilTheSuspend();
};

void TestLogindSleepWatcher::holdsADelayInhibitorUntilTheSuspend()
{
    DBusMock::PrivateBus bus;
    DBusMock::Server server(bus, logind, {QStringLiteral("--template"), QStringLiteral("logind")});
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    LogindSleepWatcher watcher(connection);
    QSignalSpy sleeps(&watcher, &LogindSleepWatcher::prepareForSleep);
    const QStringList held{QStringLiteral("sleep/Brenvolo/Chiude la chiamata in corso prima della sospensione/delay")};
    QTRY_VERIFY_WITH_TIMEOUT(watcher.holdsInhibitor(), DBusMock::patience);
    QCOMPARE(inhibitors(connection), held);

    prepareForSleep(connection, true);
    QTRY_COMPARE_WITH_TIMEOUT(sleeps.count(), 1, DBusMock::patience);
    QCOMPARE(sleeps.at(0).at(0).toBool(), true);
    QVERIFY(!watcher.holdsInhibitor());
    QTRY_VERIFY_WITH_TIMEOUT(inhibitors(connection).isEmpty(), DBusMock::patience);

    prepareForSleep(connection, false);
    QTRY_COMPARE_WITH_TIMEOUT(sleeps.count(), 2, DBusMock::patience);
    QCOMPARE(sleeps.at(1).at(0).toBool(), false);
    QTRY_COMPARE_WITH_TIMEOUT(inhibitors(connection), held, DBusMock::patience);
}

QTEST_GUILESS_MAIN(TestLogindSleepWatcher)
#include "TestLogindSleepWatcher.moc"
