#pragma once

class QWidget;

class QPoint;

// Places a window in the middle of the screen its parent is on (the primary
// screen without a parent), as the program's dialogs open.
void centreOnScreen(QWidget& window);

// Moves a top-level window to `wanted` (a saved or a default position), or,
// where that would leave part of it outside the screens' available areas
// (under a panel, past an edge, on a screen that is gone), to the nearest
// place inside them.
void placeOnScreen(QWidget& window, const QPoint& wanted);
