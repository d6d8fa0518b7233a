#pragma once

#include <QDateTime>
#include <QtGlobal>

// A jump of the wall clock between two readings that a timer meant to lie a
// fraction of a second or a second apart: more than a minute, forward or back.
// The machine slept without anyone saying so beforehand, or the clock was set;
// either way the time between the two readings was not spent on the call.
namespace ClockJump {

inline constexpr qint64 limit = 60 * 1000; // milliseconds

inline bool between(qint64 beforeMsecs, qint64 afterMsecs)
{
    return afterMsecs - beforeMsecs > limit || beforeMsecs - afterMsecs > limit;
}

inline bool between(const QDateTime& before, const QDateTime& after)
{
    return between(before.toMSecsSinceEpoch(), after.toMSecsSinceEpoch());
}

} // namespace ClockJump
