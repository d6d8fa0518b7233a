#include "widgets/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgRenderer>
#include <functional>
#include <string_view>

namespace {

const QString iconResource = QStringLiteral(":/icons/brenvolo.svg");
// The counter's units digit in the icon, over which the animation draws.
const QString unitsCell = QStringLiteral("cella-unita");
// The display's colours in brenvolo.svg.
const QColor displayColour(0xd4, 0xe6, 0xa5);
const QColor digitColour(0x1d, 0x2b, 0x14);

const int traySizes[] = {16, 22, 24, 32, 48, 64};
const int windowSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A seven-segment digit on a grid three strokes wide and five high, as the
// icon's digits are drawn: segments a..f clockwise from the top, g the middle.
QPainterPath sevenSegments(const QRectF& cell, int digit)
{
    struct Segment
    {
        char name;
        int x, y, width, height; // strokes
    };
    static constexpr Segment segments[] = {{'a', 0, 0, 3, 1}, {'b', 2, 0, 1, 3}, {'c', 2, 2, 1, 3}, {'d', 0, 4, 3, 1},
                                           {'e', 0, 2, 1, 3}, {'f', 0, 0, 1, 3}, {'g', 0, 2, 3, 1}};
    static constexpr std::string_view lit[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                               "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const qreal w = cell.width() / 3;
    const qreal h = cell.height() / 5;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const Segment& segment : segments) {
        if (lit[digit % 10].find(segment.name) != std::string_view::npos)
            path.addRect(cell.left() + segment.x * w, cell.top() + segment.y * h, segment.width * w,
                         segment.height * h);
    }
    // One path, filled once: abutting rectangles filled apart leave faint seams.
    return path.simplified();
}

// The icon at one size; a units digit from 0 to 9 replaces the one drawn, -1 keeps it.
QPixmap renderIcon(QSvgRenderer& svg, int size, int unitsDigit)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    if (unitsDigit >= 0) {
        const QRectF box = svg.viewBoxF();
        const QRectF cell = svg.boundsOnElement(unitsCell);
        const qreal scale = size / box.width();
        const QRectF target((cell.left() - box.left()) * scale, (cell.top() - box.top()) * scale, cell.width() * scale,
                            cell.height() * scale);
        // Half a pixel more covers the antialiased rim of the digit underneath.
        painter.fillRect(target.adjusted(-0.5, -0.5, 0.5, 0.5), displayColour);
        painter.fillPath(sevenSegments(target, unitsDigit), digitColour);
    }
    painter.end();
    return pixmap;
}

template <std::size_t N> QIcon renderIcon(const int (&sizes)[N], int unitsDigit)
{
    QSvgRenderer svg(iconResource);
    QIcon icon;
    for (const int size : sizes)
        icon.addPixmap(renderIcon(svg, size, unitsDigit));
    return icon;
}

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

QIcon application()
{
    return renderIcon(windowSizes, -1);
}

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

QIcon minimise()
{
    return draw(16, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRect(3, 11, 10, 2);
    });
}

QIcon trayFrame(int frame)
{
    if (frame <= 0)
        return application();
    return renderIcon(traySizes, frame);
}

} // namespace Glyphs
