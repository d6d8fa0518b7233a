#include "widgets/ScreenCentre.h"

#include "widgets/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget& window)
{
    const QWidget* parent = window.parentWidget();
    const QScreen* where = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (where)
        window.move(where->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

void placeOnScreen(QWidget& window, const QPoint& wanted)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    // Given now the size its first showing would give it.
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    window.move(ScreenPlacement::inside(QRect(wanted, window.frameGeometry().size()), areas));
}
