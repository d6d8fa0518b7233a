#include "reports/PieGauge.h"

#include <QPainter>

PieGauge::PieGauge(QWidget* parent)
    : QProgressBar(parent)
{
    setTextVisible(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PieGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int lato = qMin(width(), height()) - 2;
    const QRectF disco((width() - lato) / 2.0, (height() - lato) / 2.0, lato, lato);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xc0, 0xc0, 0xc0));
    painter.drawEllipse(disco);
    const int intervallo = maximum() - minimum();
    if (intervallo <= 0 || value() <= minimum())
        return;
    const double parte = static_cast<double>(value() - minimum()) / intervallo;
    painter.setBrush(QColor(0x00, 0x00, 0x80));
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock.
    painter.drawPie(disco, 90 * 16, -qRound(parte * 360 * 16));
}
