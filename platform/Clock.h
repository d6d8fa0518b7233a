#pragma once

#include <QDateTime>

// The present local date and time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The same moment as milliseconds since 1970-01-01 00:00 UTC: what a
    // counter that reads the clock ten times a second uses, since it needs
    // no time-zone lookup (a local date-time asks the time-zone database
    // each time it is built or compared).
    virtual qint64 msecsSinceEpoch() const { return now().toMSecsSinceEpoch(); }
};
