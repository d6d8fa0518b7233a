#include "reports/DimensioneFissa.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

void fissaDimensione(QWidget& finestra, const QSize& client)
{
    QSize dimensione = client;
    if (QLayout* layout = finestra.layout()) {
        dimensione.setWidth(std::max(dimensione.width(), layout->totalMinimumSize().width()));
        const int altezza = layout->hasHeightForWidth() ? layout->totalHeightForWidth(dimensione.width())
                                                        : layout->totalSizeHint().height();
        dimensione.setHeight(std::max(dimensione.height(), altezza));
    }
    finestra.setFixedSize(dimensione);
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        finestra.move(schermo->availableGeometry().center() - finestra.rect().center());
}
