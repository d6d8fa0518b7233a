#include "reports/AndamentoConsumi.h"

#include "archive/Mesi.h"
#include "settings/Conversion.h"

#include <algorithm>

namespace {

QDate primoDelMese(const QDate& giorno)
{
    return QDate(giorno.year(), giorno.month(), 1);
}

QDate ultimoDelMese(const QDate& giorno)
{
    return QDate(giorno.year(), giorno.month(), giorno.daysInMonth());
}

QString meseAnno(const QDate& giorno)
{
    return nomiMesi().value(giorno.month() - 1) + QLatin1Char(' ') + QString::number(giorno.year());
}

} // namespace

AndamentoConsumi::AndamentoConsumi(const QDate& dal, const QDate& al, const QDate& oggi)
    : m_dal(dal)
    , m_al(al)
    , m_oggi(oggi)
{
    if (!dal.isValid() || !al.isValid() || dal > al)
        return;
    m_mensile = dal.daysTo(al) + 1 > massimoGiorni;
    // Up to 120,000 months from year 1 to 9999: the list is made once at its size.
    m_barre.reserve(m_mensile ? (al.year() - dal.year()) * 12 + al.month() - dal.month() + 1 : dal.daysTo(al) + 1);
    for (QDate giorno = dal; giorno <= al;) {
        const QDate fine = m_mensile ? std::min(ultimoDelMese(giorno), al) : giorno;
        m_barre.append(Barra{giorno, fine});
        giorno = fine.addDays(1);
    }
}

bool AndamentoConsumi::row(const ConsumiDay& giorno)
{
    // Bars are in date order and contiguous: the one holding the day is found by halving.
    const auto barra =
        std::partition_point(m_barre.begin(), m_barre.end(), [&giorno](const Barra& b) { return b.al < giorno.data; });
    if (barra != m_barre.end() && barra->dal <= giorno.data) {
        barra->scatti += giorno.scatti;
        barra->costo += giorno.costo;
        barra->secondi += giorno.secondi;
    }
    if (m_oggi.isValid() && giorno.data >= primoDelMese(m_oggi) && giorno.data <= m_oggi) {
        m_secondiMese += giorno.secondi;
        m_costoMese += giorno.costo;
    }
    return true;
}

QString AndamentoConsumi::etichetta(const Barra& barra) const
{
    return m_mensile ? barra.dal.toString(QStringLiteral("MM/yy")) : formatDayMonth(barra.dal);
}

QString AndamentoConsumi::descrizione(const Barra& barra, const QLocale& locale) const
{
    QString quando = formatDate(barra.dal);
    if (m_mensile) {
        quando = meseAnno(barra.dal);
        if (barra.dal != primoDelMese(barra.dal) || barra.al != ultimoDelMese(barra.dal))
            quando += QStringLiteral(" (dal %1 al %2)").arg(formatDayMonth(barra.dal), formatDayMonth(barra.al));
    }
    return QStringLiteral("%1\nScatti: %2\nCosto: %3\nMinuti: %4")
        .arg(quando)
        .arg(barra.scatti)
        .arg(costoConsumi(barra.costo, locale))
        .arg(barra.minuti());
}

std::optional<ProiezioneMese> AndamentoConsumi::proiezione(std::optional<qint64> limiteMensile) const
{
    if (m_barre.isEmpty() || !m_oggi.isValid() || m_dal > primoDelMese(m_oggi) || m_al < m_oggi)
        return std::nullopt;
    return ProiezioneMese::calcola(m_oggi, m_secondiMese, m_costoMese, limiteMensile);
}

QString AndamentoConsumi::proiezioneNonDisponibile() const
{
    return QStringLiteral("Proiezione di %1: calcolare un periodo che comprenda i giorni dal %2 a oggi.")
        .arg(meseAnno(m_oggi), formatDate(primoDelMese(m_oggi)));
}
