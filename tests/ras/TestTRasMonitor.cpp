#include "ras/TRasMonitor.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/UiTestRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

// The monitor as a window owns it: creation checks, the phone book read
// once, the poll timer and the two events.
class TestTRasMonitor : public QObject
{
    Q_OBJECT
private slots:
    void readsThePhoneBookOnceAtCreation()
    {
        FakeDialUpSource source;
        source.entries = {{QStringLiteral("Casa"), QStringLiteral("0612345")},
                          {QStringLiteral("Ufficio"), QStringLiteral("0298765")}};
        QWidget window;
        TRasMonitor monitor(source, &window);
        QCOMPARE(monitor.AvailableEntries(), (QStringList{QStringLiteral("Casa"), QStringLiteral("Ufficio")}));
        QCOMPARE(monitor.AvailableNumbers(), (QStringList{QStringLiteral("0612345"), QStringLiteral("0298765")}));
        source.entries.clear();
        monitor.poll();
        monitor.poll();
        QCOMPARE(source.phoneBookReads, 1);
        QCOMPARE(monitor.AvailableEntries().size(), 2);
        QVERIFY(monitor.creationMessages().isEmpty());
        QCOMPARE(monitor.parent(), &window);
    }

    void startsIdleAndCroatian()
    {
        FakeDialUpSource source;
        QWidget window;
        TRasMonitor monitor(source, &window);
        QCOMPARE(monitor.Language(), RasTracker::Language::Croatian);
        QVERIFY(!monitor.DoTimer());
        QVERIFY(!monitor.IsConnected());
        QCOMPARE(monitor.phase(), 3);
        QCOMPARE(monitor.pollCounter(), 0);
        QVERIFY(monitor.Status().isEmpty());
        QCOMPARE(monitor.property("Language").value<RasTracker::Language>(), RasTracker::Language::Croatian);
    }

    void anUnreadableEntryIsReportedAndKept()
    {
        FakeDialUpSource source;
        source.entries = {{QStringLiteral("Casa"), std::nullopt}, {QStringLiteral("Ufficio"), QStringLiteral("02")}};
        QWidget window;
        TRasMonitor monitor(source, &window);
        QCOMPARE(monitor.creationMessages(), QStringList{QStringLiteral("Ne mogu dobiti informacije o vezi Casa")});
        QCOMPARE(monitor.AvailableEntries(), (QStringList{QStringLiteral("Casa"), QStringLiteral("Ufficio")}));
        QCOMPARE(monitor.AvailableNumbers(), (QStringList{QString(), QStringLiteral("02")}));
    }

    void aPhoneBookThatCannotBeListedIsEmpty()
    {
        FakeDialUpSource source;
        source.entries = {{QStringLiteral("Casa"), QStringLiteral("06")}};
        source.phoneBookFails = true;
        QWidget window;
        TRasMonitor monitor(source, &window);
        QVERIFY(monitor.AvailableEntries().isEmpty());
        QVERIFY(monitor.creationMessages().isEmpty());
    }

    void mustBeOwnedByAWindow()
    {
        FakeDialUpSource source;
        QObject notAWindow;
        for (QObject* owner : {static_cast<QObject*>(nullptr), &notAWindow}) {
            try {
                TRasMonitor monitor(source, owner);
                QFAIL("a monitor without a window was created");
            } catch (const TRasMonitor::CreationError& error) {
                QCOMPARE(error.message(), QStringLiteral("Please drop the component onto a Form!"));
            }
        }
        QCOMPARE(source.phoneBookReads, 0);
    }

    void oneMonitorPerWindow()
    {
        FakeDialUpSource source;
        QWidget window;
        QWidget other;
        auto* first = new TRasMonitor(source, &window);
        QVERIFY_THROWS_EXCEPTION(TRasMonitor::CreationError, TRasMonitor(source, &window));
        QCOMPARE(window.findChildren<TRasMonitor*>().size(), 1);
        QCOMPARE(window.findChild<TRasMonitor*>(), first);
        TRasMonitor second(source, &other);
        QCOMPARE(second.parent(), &other);
    }

    void doTimerSwitchesTheHalfSecondPoll()
    {
        FakeDialUpSource source;
        QWidget window;
        TRasMonitor monitor(source, &window);
        auto* timer = monitor.findChild<QTimer*>();
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isActive());
        monitor.setProperty("DoTimer", true);
        QVERIFY(monitor.DoTimer());
        QVERIFY(timer->isActive());

        // A tick of the timer is a poll.
        source.oneConnection(QStringLiteral("Casa"), DialUpSource::Connected);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(source.polls, 1);
        QVERIFY(monitor.IsConnected());

        monitor.setDoTimer(false);
        QVERIFY(!timer->isActive());
        QVERIFY(!monitor.DoTimer());
    }

    void pollRaisesTheNewPhaseThenTheStatus()
    {
        FakeDialUpSource source;
        QWidget window;
        TRasMonitor monitor(source, &window);
        monitor.setLanguage(RasTracker::Language::English);
        QStringList events;
        connect(&monitor, &TRasMonitor::OnConnectionStatus, this,
                [&](int phase) { events.append(QStringLiteral("phase %1").arg(phase)); });
        connect(&monitor, &TRasMonitor::OnStatusChange, this, [&](bool changed) {
            events.append(QStringLiteral("status %1 %2").arg(changed).arg(monitor.IsConnected()));
        });

        source.oneConnection(QStringLiteral("Casa"), DialUpSource::OpenPort);
        monitor.poll();
        monitor.poll();
        source.oneConnection(QStringLiteral("Casa"), DialUpSource::Connected);
        monitor.poll();
        QCOMPARE(monitor.Status(), QStringLiteral("modem Modem Connected succesfully"));
        QCOMPARE(monitor.ConnectedEntry(), QStringLiteral("Casa"));
        source.hangUp();
        monitor.poll();
        QCOMPARE(events,
                 (QStringList{QStringLiteral("phase 0"), QStringLiteral("status 1 0"), QStringLiteral("status 0 0"),
                              QStringLiteral("phase 2"), QStringLiteral("status 1 1"), QStringLiteral("status 1 0")}));
        QCOMPARE(monitor.Status(), QStringLiteral("Disconnected or failed connection"));
    }
};

BRENVOLO_UI_TEST(TestTRasMonitor)
#include "TestTRasMonitor.moc"
