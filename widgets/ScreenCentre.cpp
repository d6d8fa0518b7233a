#include "widgets/ScreenCentre.h"

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
