#include "meter/GaugeUpdate.h"
#include "meter/TfrmCosto.h"
#include "tests/support/FakeServizi.h"
#include "tests/support/UiTestRegistry.h"

#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));

// Lets a test look at the window while a message box would be open.
struct WatchingPrompter : FakePrompter
{
    std::function<void()> onMessage;
    Button message(const QString& text, const QString& title, Icon icon, Buttons buttons) override
    {
        if (onMessage)
            onMessage();
        return FakePrompter::message(text, title, icon, buttons);
    }
};

// A cost window started at 10:00:00 on a weekday with the factory settings
// (TUT, 152 lire a unit, warning from 5 s, beep on).
struct Session : FakeServizi
{
    WatchingPrompter watching;
    Servizi watched{clock, watching, sounds, shell, settings, lock, dialUp, sheet, notifier, dirs.data()};
    std::unique_ptr<LiveMeter> meter;
    std::unique_ptr<TfrmCosto> window;

    Session()
    {
        clock.set(lunedi10);
        store.writeFirstRunDefaults(220);
    }

    TfrmCosto& start()
    {
        stato.fromStore(store);
        const QDateTime now = clock.now();
        meter = std::make_unique<LiveMeter>(clock, stato, CostMeter::Settings::fromStore(store), now, now);
        window = std::make_unique<TfrmCosto>(watched, *meter);
        return *window;
    }
    // A timer tick `ms` milliseconds after the start, after one every 50 s
    // on the way there: a minute without ticks would be a jump of the clock.
    void tickAt(qint64 ms)
    {
        while (ms - lastTick > 50000) {
            lastTick += 50000;
            clock.set(lunedi10.addMSecs(lastTick));
            window->Timer1Timer();
        }
        lastTick = ms;
        clock.set(lunedi10.addMSecs(ms));
        window->Timer1Timer();
    }
    qint64 lastTick = 0;
    int lcd() const { return window->findChild<QLCDNumber*>(QStringLiteral("Digits1"))->intValue(); }
    QString interval() const { return window->findChild<QLabel*>(QStringLiteral("Label3"))->text(); }
    QProgressBar* gauge() const { return window->findChild<QProgressBar*>(QStringLiteral("Gauge1")); }
    bool gaugeRed() const { return gauge()->palette().color(QPalette::Highlight) == QColor(Qt::red); }
};

} // namespace

class TestTfrmCosto : public QObject
{
    Q_OBJECT
private slots:
    void showsTheAnswerUnitAtOnceAndTheNextOneOnTime()
    {
        Session s;
        TfrmCosto& w = s.start();
        QCOMPARE(s.lcd(), 152);
        QCOMPARE(w.meter().digitsText(), QStringLiteral("000152"));
        QCOMPARE(s.interval(), QStringLiteral("220"));
        QCOMPARE(w.windowTitle(), QStringLiteral("secondi al prossimo scatto: 220"));
        QVERIFY(!w.timer()->isActive());
        QCOMPARE(w.timer()->interval(), 100);
        QCOMPARE(w.pos(), QPoint(220, 0));

        s.tickAt(100);
        QCOMPARE(w.windowTitle(), QStringLiteral("secondi al prossimo scatto: 219"));
        QCOMPARE(TfrmCosto::costText(w.meter()), QStringLiteral("costo: 152 -> 219"));
        s.tickAt(219900);
        QCOMPARE(s.lcd(), 152);
        s.tickAt(220000);
        QCOMPARE(s.lcd(), 304);
        QCOMPARE(w.meter().digitsText(), QStringLiteral("000304"));
        QCOMPARE(s.interval(), QStringLiteral("220"));
        s.tickAt(220100);
        QCOMPARE(TfrmCosto::costText(w.meter()), QStringLiteral("costo: 304 -> 219"));
    }

    // A position saved for a screen that is no longer there: the window opens in view.
    void aSavedPositionOffTheScreenIsBroughtInside()
    {
        Session s;
        s.store.writeInteger(Catalogue::PosizionePosCostiX, 5000);
        s.store.writeInteger(Catalogue::PosizionePosCostiY, -40);
        const TfrmCosto& w = s.start();
        const QRect area = w.screen()->availableGeometry();
        QCOMPARE(w.pos(), QPoint(area.right() + 1 - w.width(), area.top()));
    }

    // When the warning starts and how many beeps a tick asks for is the
    // meter's; the window turns its gauge red and sounds them.
    void warningTurnsTheGaugeRedAndBeepsEveryTick()
    {
        Session s;
        s.start();
        s.tickAt(214000);
        QVERIFY(!s.gaugeRed());
        s.tickAt(214200);
        QVERIFY(s.gaugeRed());
        QCOMPARE(s.sounds.beeps, 1);
        QCOMPARE(s.gauge()->maximum(), 2200);
        // The bar shows the tenths to the pixel.
        QVERIFY(qAbs(s.gauge()->value() - 2142) * s.gauge()->width() < 2200);
        s.tickAt(220000);
        s.tickAt(220100);
        QVERIFY(!s.gaugeRed());
        QCOMPARE(s.gauge()->value(), 1);
    }

    void digitsWrapWhileTheTitleKeepsCounting()
    {
        Session s;
        s.store.writeText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("600000"));
        s.start();
        s.tickAt(220000);
        QCOMPARE(s.lcd(), 200000);
        QCOMPARE(TfrmCosto::costText(s.window->meter()), QStringLiteral("costo: 1200000 -> 0"));
    }

    void priceNotAWholeNumberCountsNothing()
    {
        Session s;
        s.store.writeText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("152,5"));
        s.start();
        QCOMPARE(s.lcd(), 0);
        s.tickAt(220000);
        QCOMPARE(s.lcd(), 0);
        QVERIFY(s.watching.shown.isEmpty());
    }

    void unreadableBandIsReportedOnceWithTheTimerPaused()
    {
        Session s;
        s.clock.set(QDateTime(QDate(1999, 12, 10), QTime(23, 59)));
        s.store.writeText(QStringLiteral("sabato"), QStringLiteral("fascia1"), QStringLiteral("rotta"));
        TfrmCosto& w = s.start();
        w.setTimerEnabled(true);
        bool timerDuringBox = true;
        s.watching.onMessage = [&] { timerDuringBox = w.timer()->isActive(); };
        s.watching.expectContaining(QStringLiteral("rotta"));
        const auto tickFor = [&](int seconds) {
            for (int tick = 0; tick < seconds / 50; ++tick) {
                s.clock.advance(50000);
                w.Timer1Timer();
            }
        };
        tickFor(400);
        QCOMPARE(s.watching.shown.size(), 1);
        QCOMPARE(s.watching.shown.at(0).title, QStringLiteral("Attenzione!"));
        QVERIFY(!timerDuringBox);
        QVERIFY(w.timer()->isActive());
        tickFor(400);
        QCOMPARE(s.watching.shown.size(), 1);
    }

    void onlyTheSessionsStopClosesTheWindow()
    {
        Session s;
        TfrmCosto& w = s.start();
        w.show();
        w.setTimerEnabled(true);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(w.meter().CostoSessione(), 152);
        w.FormClose();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.timer()->isActive());
        QCOMPARE(w.meter().CostoSessione(), 0);
        QCOMPARE(s.lcd(), 0);
    }

    // A 200-pixel bar over 600 tenths moves a pixel every 3 tenths.
    void gaugeFollowsWholePixels_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("less than a pixel waits") << 600 << 300 << 302 << 300;
        QTest::newRow("a whole pixel moves") << 600 << 300 << 303 << 303;
        QTest::newRow("the end of the interval shows") << 600 << 599 << 600 << 600;
        QTest::newRow("a new unit starts again") << 600 << 598 << 1 << 1;
        QTest::newRow("a new interval takes its range") << 400 << 300 << 301 << 301;
        QTest::newRow("beyond the end is the end") << 600 << 300 << 900 << 600;
        QTest::newRow("below zero is zero") << 600 << 300 << -5 << 0;
    }

    void gaugeFollowsWholePixels()
    {
        QFETCH(int, maximum);
        QFETCH(int, shown);
        QFETCH(int, value);
        QFETCH(int, expected);
        QProgressBar gauge;
        gauge.setFixedWidth(200);
        gauge.setRange(0, 600);
        gauge.setValue(shown);
        updateGauge(gauge, maximum, value);
        QCOMPARE(gauge.maximum(), maximum);
        QCOMPARE(gauge.value(), expected);
    }
};

BRENVOLO_UI_TEST(TestTfrmCosto)
#include "TestTfrmCosto.moc"
