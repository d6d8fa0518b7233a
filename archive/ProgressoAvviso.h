#pragma once

#include <QDateTime>

// The over-limit warning's wait: its gauge fills over the lead time from the
// warning's start, then the warning has expired (it turns red and may be
// closed). Times in tenths of a second, the gauge in tenths too.
class ProgressoAvviso
{
public:
    // `anticipo`: the lead time; `inizio`: the warning's start instant.
    ProgressoAvviso(qint64 anticipo, const QDateTime& inizio);

    // The gauge's full scale: the lead time, at least 1.
    int massimo() const;
    // The gauge at `adesso`: the tenths elapsed since the start, read as a
    // time of day (a warning never lasts a day, and a clock that passed
    // midnight keeps counting); the full scale once expired. Expiry, past the
    // lead time, is for good.
    int tick(const QDateTime& adesso);
    bool scaduto() const { return m_scaduto; }

private:
    qint64 m_anticipo;
    QDateTime m_inizio;
    bool m_scaduto = false;
};
