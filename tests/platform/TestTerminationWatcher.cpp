#include "platform/TerminationWatcher.h"
#include "tests/support/UiTestRegistry.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestTerminationWatcher : public QObject
{
    Q_OBJECT
private slots:
    // The handler's write reaches the event loop as a Qt signal, one per signal received.
    void handlerWriteArrivesOnTheEventLoop()
    {
        TerminationWatcher watcher;
        QVERIFY(watcher.isActive());
        QSignalSpy requested(&watcher, &TerminationWatcher::terminationRequested);
        TerminationWatcher::notify(SIGTERM);
        TerminationWatcher::notify(SIGHUP);
        QTRY_COMPARE(requested.size(), 2);
        QCOMPARE(requested.at(0).at(0).toInt(), SIGTERM);
        QCOMPARE(requested.at(1).at(0).toInt(), SIGHUP);
    }

    // Only one watcher owns the handlers; once it is gone, the default effect is back.
    void oneWatcherAtATime()
    {
        {
            TerminationWatcher first;
            TerminationWatcher second;
            QVERIFY(first.isActive());
            QVERIFY(!second.isActive());
        }
        struct sigaction current = {};
        ::sigaction(SIGTERM, nullptr, &current);
        QVERIFY(current.sa_handler == SIG_DFL);
        TerminationWatcher again;
        QVERIFY(again.isActive());
    }
};

BRENVOLO_UI_TEST(TestTerminationWatcher)
#include "TestTerminationWatcher.moc"
