#pragma once

#include <QChartView>
#include <QLocale>
#include <QStringList>

class AndamentoConsumi;
class QCategoryAxis;
class QBarSet;
class QValueAxis;

// The bar chart of the statistics window's "Andamento" page: for each day or
// month of the computed range (or each group of months, beyond a thousand),
// its minutes against the left axis and its cost against the right one. Hovering a bar shows its day or month, units,
// cost and minutes in a tooltip.
class GraficoAndamento : public QChartView
{
    Q_OBJECT
public:
    explicit GraficoAndamento(QWidget* parent = nullptr);

    // Draws the bars of a range the statistics pass has filled.
    void mostra(const AndamentoConsumi& andamento, const QLocale& locale = QLocale::system());

    // The bars drawn: the minutes, the cost and the labels under them.
    const QBarSet& minuti() const { return *m_minuti; }
    const QBarSet& costo() const { return *m_costo; }
    QStringList etichette() const { return m_etichette; }
    // The labels the axis shows: every bar's while they fit, every few bars' beyond.
    QStringList etichetteAsse() const;
    // What hovering bar `indice` shows.
    QString descrizione(int indice) const { return m_descrizioni.value(indice); }

private:
    void passaggio(bool sopra, int indice);

    QBarSet* m_minuti = nullptr;
    QBarSet* m_costo = nullptr;
    QCategoryAxis* m_asseX = nullptr;
    QValueAxis* m_asseMinuti = nullptr;
    QValueAxis* m_asseCosto = nullptr;
    QStringList m_etichette;
    QStringList m_descrizioni;
};
