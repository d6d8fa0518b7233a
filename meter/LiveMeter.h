#pragma once

#include "meter/CostMeter.h"

#include <QObject>

class Clock;
class QTimer;

// A counting session's running meter: CostMeter ticked every 100 ms by its
// own timer at the clock's present moment. It shows nothing and sounds
// nothing: the window that shows it (the cost window, the compact strip)
// redraws what it reads here and plays the beeps each tick asks for, in its
// own way. A band that cannot be read at a unit boundary is told once in a
// session through bandError(), with the timer paused while its listener shows
// it; the meter goes on with the interval it had. A jump of the clock between
// two ticks (ClockJump) ends its counting: it stops at the last tick before
// the jump and says so through clockJumped(), once.
class LiveMeter : public QObject
{
    Q_OBJECT
public:
    static constexpr int tickInterval = 100; // milliseconds

    // Starts the meter at `now` for a session that began at `start` (see
    // CostMeter); the timer stays off until setRunning(true). Throws
    // EConvertError when the band in force at `start` cannot be read.
    LiveMeter(const Clock& clock, StatoProgramma& stato, const CostMeter::Settings& settings, const QDateTime& now,
              const QDateTime& start, QObject* parent = nullptr);

    const CostMeter& meter() const { return m_meter; }
    QTimer* timer() const { return m_timer; }
    void setRunning(bool running);

    // The session's stop: the timer stops, the money and the completed time go back to zero.
    void close();

public slots:
    // One tick at the clock's present moment; the timer calls it, tests call it directly.
    void tick();

signals:
    // After every tick, once the meter's values are those of this tick.
    void ticked(const CostMeter::Tick& tick);
    // The first band of the session that could not be read at a unit boundary.
    void bandError(const QString& message);
    // The clock jumped between the tick at `lastTick` and `now`: the meter
    // counted nothing of the gap and counts no more. `startedAt` is the `now`
    // it was started at, which tells its session.
    void clockJumped(const QDateTime& startedAt, const QDateTime& lastTick, const QDateTime& now);

private:
    const Clock& m_clock;
    CostMeter m_meter;
    QTimer* m_timer;
    QDateTime m_startedAt;
    qint64 m_lastTick; // milliseconds since the epoch
    bool m_jumped = false;
    bool m_bandErrorTold = false;
};
