#pragma once

#include <QSize>

class QWidget;

// Fixes a dialog's size at `client`, its client area as designed, grown only
// where this desktop's fonts need more room for the laid-out controls, and
// centres it on the screen.
void fissaDimensione(QWidget& finestra, const QSize& client);

// As fissaDimensione, but a window whose controls need more room than its
// design grows by one factor in both directions, keeping its proportions.
void fissaDimensioneInProporzione(QWidget& finestra, const QSize& client);
