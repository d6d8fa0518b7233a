#include "archive/ProgressoAvviso.h"

#include <algorithm>
#include <limits>

namespace {

// Milliseconds between two instants, as a time of day.
qint64 millisecondiTrascorsi(const QDateTime& da, const QDateTime& a)
{
    constexpr qint64 giorno = 24 * 3600 * 1000;
    return ((da.msecsTo(a) % giorno) + giorno) % giorno;
}

} // namespace

ProgressoAvviso::ProgressoAvviso(qint64 anticipo, const QDateTime& inizio)
    : m_anticipo(anticipo)
    , m_inizio(inizio)
{
}

int ProgressoAvviso::massimo() const
{
    return int(std::clamp<qint64>(m_anticipo, 1, std::numeric_limits<int>::max()));
}

int ProgressoAvviso::tick(const QDateTime& adesso)
{
    const qint64 trascorsi = millisecondiTrascorsi(m_inizio, adesso);
    if (m_scaduto || trascorsi > m_anticipo * 100) {
        m_scaduto = true;
        return massimo();
    }
    return int(trascorsi / 100);
}
