#include "meter/LiveMeter.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeClock.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QDateTime venerdi(QDate(1999, 12, 10), QTime(23, 59));

// Friday night into a Saturday whose bands cannot be read: the meter goes on
// with the interval it had and tells the band once in the session.
TEST(LiveMeter, TellsAnUnreadableBandOnceAndGoesOn)
{
    FakeClock clock(venerdi);
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.sabato[0] = QStringLiteral("rotta");
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    LiveMeter meter(clock, stato, settings, venerdi, venerdi);
    EXPECT_EQ(meter.timer()->interval(), 100);
    EXPECT_FALSE(meter.timer()->isActive());
    QStringList told;
    int ticks = 0;
    QObject::connect(&meter, &LiveMeter::bandError, [&](const QString& message) { told.append(message); });
    QObject::connect(&meter, &LiveMeter::ticked, [&](const CostMeter::Tick&) { ++ticks; });
    for (int tick = 1; tick <= 24; ++tick) {
        clock.advance(50000);
        meter.tick();
    }
    EXPECT_EQ(ticks, 24);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.at(0).contains(QStringLiteral("rotta")));
    EXPECT_EQ(meter.meter().CostoSessione(), 4 * 152);
    meter.close();
    EXPECT_EQ(meter.meter().CostoSessione(), 0);
}

// Two hours between two ticks: the meter counts nothing of them, stops and
// tells the last tick before the jump, once.
TEST(LiveMeter, StopsAtAJumpOfTheClock)
{
    FakeClock clock(venerdi);
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    LiveMeter meter(clock, stato, CostMeter::Settings(), venerdi, venerdi);
    meter.setRunning(true);
    QList<QDateTime> jumps;
    QObject::connect(&meter, &LiveMeter::clockJumped,
                     [&](const QDateTime& startedAt, const QDateTime& last) { jumps << startedAt << last; });
    clock.advance(60000);
    meter.tick();
    const int costo = meter.meter().CostoSessione();
    clock.advance(2 * 3600 * 1000);
    meter.tick();
    meter.tick();
    EXPECT_EQ(jumps, (QList<QDateTime>{venerdi, venerdi.addSecs(60)}));
    EXPECT_FALSE(meter.timer()->isActive());
    EXPECT_EQ(meter.meter().CostoSessione(), costo);
}

TEST(LiveMeter, CountsFromTheSessionsBeginning)
{
    const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));
    FakeClock clock(lunedi10);
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    LiveMeter meter(clock, stato, CostMeter::Settings(), lunedi10, lunedi10.addSecs(-12));
    for (int tick = 0; tick < 4; ++tick) {
        clock.advance(52000);
        meter.tick();
    }
    EXPECT_EQ(meter.meter().InizioIntervallo(), lunedi10.addSecs(208));
}

// A clock that counts how often it is asked for a local date-time.
class CountingClock : public FakeClock
{
public:
    using FakeClock::FakeClock;
    QDateTime now() const override
    {
        ++localReadings;
        return FakeClock::now();
    }
    mutable int localReadings = 0;
};

// Ten ticks a second all through a call: the elapsed time comes from the
// clock's plain milliseconds, and only a unit boundary turns a moment into a
// local date-time (each one asks the time-zone database).
TEST(LiveMeter, TicksWithoutLocalTimeAndLooksUpTheIntervalAtUnits)
{
    const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));
    CountingClock clock(lunedi10);
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    LiveMeter meter(clock, stato, settings, lunedi10, lunedi10);
    int units = 0;
    QObject::connect(&meter, &LiveMeter::ticked, [&](const CostMeter::Tick& tick) { units += tick.scattoCaduto; });
    for (int tick = 0; tick < 4500; ++tick) { // 450 s: two units of 220 s
        clock.advance(100);
        meter.tick();
    }
    EXPECT_EQ(clock.localReadings, 0);
    EXPECT_EQ(units, 2);
    EXPECT_EQ(meter.meter().CostoSessione(), 3 * 152);
    EXPECT_EQ(meter.meter().InizioIntervallo(), lunedi10.addSecs(440));
    EXPECT_EQ(meter.meter().DecimiTrascorsi(), 100);
}

} // namespace
