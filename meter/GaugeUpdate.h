#pragma once

class QProgressBar;

// Moves a unit-interval gauge to `value` of `maximum` (tenths of a second).
// Ten times a second the bar advances by less than a pixel most of the time,
// and the progress bar works out its own repaint at every change: the value
// is handed on only when the filled part grows by a pixel or more, the bar
// starts again, or the range changes, so what is on the screen is the same.
void updateGauge(QProgressBar& gauge, int maximum, int value);
