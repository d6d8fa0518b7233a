#pragma once

#include "platform/Clock.h"

// A clock that stands still until the test moves it.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(1999, 12, 6), QTime(10, 0)))
        : m_now(std::move(start))
    {
    }
    QDateTime now() const override { return m_now; }
    qint64 msecsSinceEpoch() const override { return m_now.toMSecsSinceEpoch(); }
    void set(const QDateTime& when) { m_now = when; }
    void advance(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now;
};
