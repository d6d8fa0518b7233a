// LogindSleepWatcher against python3-dbusmock's logind on a private bus
// standing for the system bus.
#include "platform/LogindSleepWatcher.h"
#include "tests/support/DBusMock.h"

#include <QDBusArgument>
#include <QTest>

namespace {

const QString logind = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");

// The inhibitors logind holds: what, who, why, mode each.
QList<QStringList> inhibitors(QDBusConnection& bus)
{
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        logind, logindPath, QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    QList<QStringList> result;
    const auto list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        result.append({what, who, why, mode});
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
    void withoutLogindSignalsNothing();
};

void TestLogindSleepWatcher::holdsADelayInhibitorUntilTheSuspend()
{
    DBusMock::PrivateBus bus;
    DBusMock::Server server(bus, logind, {QStringLiteral("--template"), QStringLiteral("logind")});
    QVERIFY(server.ready());
    QDBusConnection connection = bus.connection();
    LogindSleepWatcher watcher(connection);
    QSignalSpy sleeps(&watcher, &LogindSleepWatcher::prepareForSleep);
    const QList<QStringList> held{{QStringLiteral("sleep"), QStringLiteral("Brenvolo"),
                                   QStringLiteral("Chiude la chiamata in corso prima della sospensione"),
                                   QStringLiteral("delay")}};
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

void TestLogindSleepWatcher::withoutLogindSignalsNothing()
{
    DBusMock::PrivateBus bus;
    LogindSleepWatcher watcher(bus.connection());
    QSignalSpy answered(&watcher, &LogindSleepWatcher::inhibitorAnswered);
    QVERIFY(answered.wait(DBusMock::patience));
    QCOMPARE(answered.at(0).at(0).toBool(), false);
    QVERIFY(!watcher.holdsInhibitor());
}

QTEST_GUILESS_MAIN(TestLogindSleepWatcher)
#include "TestLogindSleepWatcher.moc"
