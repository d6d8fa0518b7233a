#include "reports/GraficoAndamento.h"

#include "reports/AndamentoConsumi.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QCursor>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

const QColor coloreMinuti(0x1f, 0x4e, 0x9c);
const QColor coloreCosto(0xd9, 0x7b, 0x12);
// The most labels the axis under the bars holds without running them into each other.
constexpr qsizetype massimoEtichette = 8;
// The most bars drawn: far more than the chart's width in pixels, and what
// 83 years of months give. Each bar costs the chart a few KiB and its layout
// time: the 120,000 months of all the calendar are drawn in groups.
constexpr qsizetype massimoBarre = 1000;

QFont piccolo(QFont font, int pixel)
{
    font.setPixelSize(pixel);
    return font;
}

QBarSet* insieme(const QString& nome, const QColor& colore)
{
    auto* set = new QBarSet(nome);
    set->setColor(colore);
    set->setBorderColor(colore);
    return set;
}

QValueAxis* asseValori(const QString& titolo, const QColor& colore, const QFont& font)
{
    auto* asse = new QValueAxis;
    asse->setTitleText(titolo);
    asse->setTitleFont(font);
    asse->setTitleBrush(colore);
    asse->setLabelsFont(font);
    asse->setLabelsColor(colore);
    asse->setLabelFormat(QStringLiteral("%.0f"));
    asse->setRange(0, 1);
    asse->setMinorTickCount(0);
    return asse;
}

// From 0 to a round value above the highest bar, with whole-number ticks.
void scala(QValueAxis& asse, double massimo)
{
    asse.setRange(0, std::max(1.0, massimo));
    asse.applyNiceNumbers();
    asse.setMin(0);
}

} // namespace

GraficoAndamento::GraficoAndamento(QWidget* parent)
    : QChartView(parent)
{
    auto* grafico = new QChart;
    grafico->setAnimationOptions(QChart::NoAnimation);
    grafico->setBackgroundRoundness(0);
    grafico->setMargins(QMargins(2, 2, 2, 2));
    grafico->layout()->setContentsMargins(0, 0, 0, 0);
    const QFont font = piccolo(this->font(), 10);

    m_minuti = insieme(QStringLiteral("Minuti"), coloreMinuti);
    m_costo = insieme(QStringLiteral("Costo"), coloreCosto);
    // Two series, one a value axis each; the chart sets their bars of a day side by side.
    auto* serieMinuti = new QBarSeries;
    serieMinuti->append(m_minuti);
    auto* serieCosto = new QBarSeries;
    serieCosto->append(m_costo);
    for (QBarSeries* serie : {serieMinuti, serieCosto}) {
        serie->setBarWidth(0.9);
        grafico->addSeries(serie);
    }

    // Labels under their bar's middle, so that a few of them can stand for all.
    m_asseX = new QCategoryAxis;
    m_asseX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_asseX->setLabelsFont(font);
    m_asseX->setGridLineVisible(false);
    m_asseX->setRange(-0.5, 0.5);
    m_asseMinuti = asseValori(QStringLiteral("Minuti"), coloreMinuti, font);
    m_asseCosto = asseValori(QStringLiteral("Costo (lire)"), coloreCosto, font);
    m_asseCosto->setGridLineVisible(false);
    grafico->addAxis(m_asseX, Qt::AlignBottom);
    grafico->addAxis(m_asseMinuti, Qt::AlignLeft);
    grafico->addAxis(m_asseCosto, Qt::AlignRight);
    for (QBarSeries* serie : {serieMinuti, serieCosto})
        serie->attachAxis(m_asseX);
    serieMinuti->attachAxis(m_asseMinuti);
    serieCosto->attachAxis(m_asseCosto);

    grafico->legend()->setAlignment(Qt::AlignTop);
    grafico->legend()->setFont(font);
    for (QBarSeries* serie : {serieMinuti, serieCosto}) {
        for (QLegendMarker* segno : grafico->legend()->markers(serie))
            segno->setVisible(!segno->label().isEmpty());
    }

    for (QBarSet* set : {m_minuti, m_costo})
        connect(set, &QBarSet::hovered, this, &GraficoAndamento::passaggio);

    // The view starts with a chart of its own, which it gives up without deleting it.
    QChart* vuoto = chart();
    setChart(grafico);
    delete vuoto;
    setRenderHint(QPainter::Antialiasing);
    // The page decides the chart's size; the chart asks for none of its own.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(160, 100);
}

void GraficoAndamento::mostra(const AndamentoConsumi& andamento, const QLocale& locale)
{
    for (QBarSet* set : {m_minuti, m_costo})
        set->remove(0, set->count());
    m_descrizioni.clear();
    QStringList etichette;
    double minutiMassimi = 0;
    double costoMassimo = 0;
    for (const AndamentoConsumi::Barra& barra : andamento.barreRaggruppate(massimoBarre)) {
        const auto minuti = static_cast<double>(barra.minuti());
        m_minuti->append(minuti);
        m_costo->append(barra.costo);
        minutiMassimi = std::max(minutiMassimi, minuti);
        costoMassimo = std::max(costoMassimo, barra.costo);
        etichette.append(andamento.etichetta(barra));
        m_descrizioni.append(andamento.descrizione(barra, locale));
    }
    m_etichette = etichette;
    for (const QString& etichetta : m_asseX->categoriesLabels())
        m_asseX->remove(etichetta);
    // Bar i stands over i on the axis.
    m_asseX->setStartValue(-0.5);
    m_asseX->setRange(-0.5, static_cast<double>(std::max<qsizetype>(1, etichette.size())) - 0.5);
    const qsizetype passo = (etichette.size() + massimoEtichette - 1) / massimoEtichette;
    for (qsizetype i = 0; i < etichette.size(); i += std::max<qsizetype>(1, passo))
        m_asseX->append(etichette[i], static_cast<double>(i));
    scala(*m_asseMinuti, minutiMassimi);
    scala(*m_asseCosto, costoMassimo);
    setToolTip(QString());
}

QStringList GraficoAndamento::etichetteAsse() const
{
    return m_asseX->categoriesLabels();
}

void GraficoAndamento::passaggio(bool sopra, int indice)
{
    const QString testo = sopra ? descrizione(indice) : QString();
    setToolTip(testo);
    if (testo.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), testo, this);
}
