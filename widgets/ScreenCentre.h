#pragma once

class QWidget;

// Places a window in the middle of the screen its parent is on (the primary
// screen without a parent), as the program's dialogs open.
void centreOnScreen(QWidget& window);
