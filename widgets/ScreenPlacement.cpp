#include "widgets/ScreenPlacement.h"

#include <algorithm>

QPoint ScreenPlacement::inside(const QRect& window, const QList<QRect>& areas)
{
    if (areas.isEmpty())
        return window.topLeft();
    QRect chosen = areas.first();
    qint64 largest = 0;
    qint64 inView = 0;
    for (const QRect& area : areas) {
        const QRect common = area.intersected(window);
        const qint64 size = qint64(common.width()) * common.height();
        inView += size;
        if (size > largest) {
            largest = size;
            chosen = area;
        }
    }
    if (inView >= qint64(window.width()) * window.height())
        return window.topLeft();
    const int x = std::max(chosen.left(), std::min(window.left(), chosen.right() + 1 - window.width()));
    const int y = std::max(chosen.top(), std::min(window.top(), chosen.bottom() + 1 - window.height()));
    return {x, y};
}
