#include "setup/BandViewer.h"

#include "settings/StatoProgramma.h"

namespace {

// Start and end time, "08.00.00-18.30.00".
constexpr int orarioLength = 17;

} // namespace

BandViewer::BandViewer(Kind kind, const StatoProgramma& stato)
    : BandViewer(kind, stato.feriali, stato.sabato, stato.festivi)
{
}

BandViewer::BandViewer(Kind kind, const QStringList& feriali, const QStringList& sabato, const QStringList& festivi)
    : m_kind(kind)
    , m_bands{feriali, sabato, festivi}
{
    // The long-distance viewer shows the interval up to 15 km before its
    // drop-down has been given an item.
    if (!m_bands[0].isEmpty()) {
        m_selected[0] = 0;
        m_intervallo = colonnaIntervallo(m_bands[0].first(), m_kind == Kind::Tut ? 1 : 2);
    }
}

QStringList BandViewer::pageCaptions()
{
    return {QStringLiteral("FERIALI"), QStringLiteral("SABATO"), QStringLiteral("FESTIVI")};
}

QStringList BandViewer::distances()
{
    return {QStringLiteral("fino a 15 Km"), QStringLiteral("15 - 30 Km"), QStringLiteral("oltre 30 Km")};
}

QStringList BandViewer::items(int page) const
{
    QStringList list;
    if (page < 0 || page >= pageCount)
        return list;
    for (const QString& fascia : m_bands[static_cast<size_t>(page)])
        list.append(fascia.left(orarioLength));
    return list;
}

int BandViewer::selectedRow(int page) const
{
    return page >= 0 && page < pageCount ? m_selected[static_cast<size_t>(page)] : none;
}

void BandViewer::shown()
{
    if (m_kind == Kind::Teleselezione)
        m_distance = 0;
}

void BandViewer::bandClicked(int page, int row)
{
    if (page < 0 || page >= pageCount || row < 0 || row >= m_bands[static_cast<size_t>(page)].size())
        return;
    m_page = page;
    m_selected[static_cast<size_t>(page)] = row;
    show(page, row);
}

void BandViewer::pageChanged(int page)
{
    if (page < 0 || page >= pageCount)
        return;
    m_page = page;
    if (m_kind != Kind::Tut || m_bands[static_cast<size_t>(page)].isEmpty())
        return;
    m_selected[static_cast<size_t>(page)] = 0;
    show(page, 0);
}

void BandViewer::distanceChanged(int index)
{
    if (m_kind != Kind::Teleselezione)
        return;
    m_distance = index >= 0 && index < distances().size() ? index : none;
    // Nothing to show for a typed distance, or for a page whose list has no
    // band selected yet: the interval of the band shown before stays.
    show(m_page, m_selected[static_cast<size_t>(m_page)]);
}

QString BandViewer::colonnaIntervallo(const QString& fascia, int classe)
{
    return fascia.mid(18 + (classe - 1) * 5, 4);
}

int BandViewer::classe() const
{
    if (m_kind == Kind::Tut)
        return 1;
    return m_distance == none ? 0 : m_distance + 2;
}

void BandViewer::show(int page, int row)
{
    if (row == none || classe() == 0)
        return;
    m_intervallo = colonnaIntervallo(m_bands[static_cast<size_t>(page)].at(row), classe());
}
