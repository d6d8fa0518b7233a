#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

QIcon draw(int size, const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

namespace Glyphs {

QIcon trayButton()
{
    return draw(16, [](QPainter& p) {
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(Qt::lightGray);
        p.drawRect(1, 10, 14, 5);
        p.setBrush(QColor(0, 128, 0));
        p.drawRect(10, 11, 3, 3);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(8, 2, 8, 8);
        p.drawLine(5, 5, 8, 8);
        p.drawLine(11, 5, 8, 8);
    });
}

QIcon lamp(bool lit)
{
    return draw(16, [lit](QPainter& p) {
        p.setPen(QPen(Qt::darkGray, 1));
        p.setBrush(lit ? QColor(255, 220, 0) : QColor(128, 128, 96));
        p.drawEllipse(3, 1, 10, 10);
        p.setBrush(Qt::gray);
        p.drawRect(5, 11, 6, 4);
    });
}

QIcon lamp()
{
    QIcon icon = lamp(true);
    icon.addPixmap(lamp(false).pixmap(16), QIcon::Disabled);
    return icon;
}

QIcon start()
{
    return draw(16, [](QPainter& p) {
        QPainterPath path;
        path.moveTo(4, 2);
        path.lineTo(13, 8);
        path.lineTo(4, 14);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 140, 0));
        p.drawPath(path);
    });
}

QIcon stop()
{
    return draw(16, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 0, 0));
        p.drawRect(3, 3, 10, 10);
    });
}

QIcon trayFrame(int frame)
{
    return draw(22, [frame](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(230, 230, 230));
        p.drawRoundedRect(1, 4, 20, 14, 3, 3);
        p.setPen(QPen(QColor(0, 90, 200), 2));
        p.drawText(QRect(1, 4, 20, 14), Qt::AlignCenter, QStringLiteral("L"));
        for (int i = 0; i < frame && i < 3; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 160, 0));
            p.drawEllipse(4 + i * 6, 19, 3, 3);
        }
    });
}

} // namespace Glyphs
