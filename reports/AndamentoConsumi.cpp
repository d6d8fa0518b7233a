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

QList<AndamentoConsumi::Barra> AndamentoConsumi::barreRaggruppate(qsizetype massimo) const
{
    if (massimo <= 0 || m_barre.size() <= massimo)
        return m_barre;
    const qsizetype perGruppo = (m_barre.size() + massimo - 1) / massimo;
    QList<Barra> gruppi;
    gruppi.reserve(massimo);
    for (qsizetype i = 0; i < m_barre.size(); ++i) {
        const Barra& b = m_barre[i];
        if (i % perGruppo == 0)
            gruppi.append(Barra{b.dal, b.al});
        Barra& g = gruppi.last();
        g.al = b.al;
        g.scatti += b.scatti;
        g.costo += b.costo;
        g.secondi += b.secondi;
    }
    return gruppi;
}

QString AndamentoConsumi::etichetta(const Barra& barra) const
{
    if (gruppo(barra))
        return barra.dal.toString(QStringLiteral("MM/yyyy"));
    return m_mensile ? barra.dal.toString(QStringLiteral("MM/yy")) : formatDayMonth(barra.dal);
}

bool AndamentoConsumi::gruppo(const Barra& barra) const
{
    return barra.al > (m_mensile ? ultimoDelMese(barra.dal) : barra.dal);
}

QString AndamentoConsumi::descrizione(const Barra& barra, const QLocale& locale) const
{
    QString quando = formatDate(barra.dal);
    if (gruppo(barra)) {
        quando = QStringLiteral("dal %1 al %2").arg(quando, formatDate(barra.al));
    } else if (m_mensile) {
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
