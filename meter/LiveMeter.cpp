#include "meter/LiveMeter.h"

#include "meter/ClockJump.h"
#include "platform/Clock.h"

#include <QTimer>

LiveMeter::LiveMeter(const Clock& clock, StatoProgramma& stato, const CostMeter::Settings& settings,
                     const QDateTime& now, const QDateTime& start, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_meter(stato, settings, now, start)
    , m_timer(new QTimer(this))
    , m_startedAt(now)
    , m_lastTick(now.toMSecsSinceEpoch())
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(tickInterval);
    connect(m_timer, &QTimer::timeout, this, &LiveMeter::tick);
}

void LiveMeter::setRunning(bool running)
{
    if (running)
        m_timer->start();
    else
        m_timer->stop();
}

void LiveMeter::tick()
{
    if (m_jumped)
        return;
    const qint64 now = m_clock.msecsSinceEpoch();
    if (ClockJump::between(m_lastTick, now)) {
        m_jumped = true;
        m_timer->stop();
        emit clockJumped(m_startedAt, QDateTime::fromMSecsSinceEpoch(m_lastTick), QDateTime::fromMSecsSinceEpoch(now));
        return;
    }
    m_lastTick = now;
    const CostMeter::Tick result = m_meter.tick(now);
    emit ticked(result);
    if (result.errore.isEmpty() || m_bandErrorTold)
        return;
    m_bandErrorTold = true;
    // While the listener's message box is open the timer must not stack more
    // ticks on it; the meter recomputes the elapsed time when it resumes.
    const bool running = m_timer->isActive();
    m_timer->stop();
    emit bandError(result.errore);
    // However long the message stayed open, the pause is no jump of the clock.
    m_lastTick = m_clock.msecsSinceEpoch();
    if (running)
        m_timer->start();
}

void LiveMeter::close()
{
    m_timer->stop();
    m_meter.close();
}
