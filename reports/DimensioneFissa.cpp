#include "reports/DimensioneFissa.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The client area as designed, grown only where the laid-out controls need more.
QSize necessaria(const QWidget& finestra, const QSize& client)
{
    QSize dimensione = client;
    if (QLayout* layout = finestra.layout()) {
        dimensione.setWidth(std::max(dimensione.width(), layout->totalMinimumSize().width()));
        const int altezza = layout->hasHeightForWidth() ? layout->totalHeightForWidth(dimensione.width())
                                                        : layout->totalSizeHint().height();
        dimensione.setHeight(std::max(dimensione.height(), altezza));
    }
    return dimensione;
}

void fissaAlCentro(QWidget& finestra, const QSize& dimensione)
{
    finestra.setFixedSize(dimensione);
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        finestra.move(schermo->availableGeometry().center() - finestra.rect().center());
}

} // namespace

void fissaDimensione(QWidget& finestra, const QSize& client)
{
    fissaAlCentro(finestra, necessaria(finestra, client));
}

void fissaDimensioneInProporzione(QWidget& finestra, const QSize& client)
{
    const QSize minima = necessaria(finestra, client);
    const double fattore = std::max(static_cast<double>(minima.width()) / client.width(),
                                    static_cast<double>(minima.height()) / client.height());
    const QSize dimensione(static_cast<int>(std::ceil(client.width() * fattore)),
                           static_cast<int>(std::ceil(client.height() * fattore)));
    fissaAlCentro(finestra, dimensione.expandedTo(minima));
}
