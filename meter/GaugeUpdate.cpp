#include "meter/GaugeUpdate.h"

#include <QProgressBar>
#include <algorithm>

void updateGauge(QProgressBar& gauge, int maximum, int value)
{
    maximum = std::max(1, maximum);
    value = std::clamp(value, 0, maximum);
    const qint64 shown = gauge.value();
    const bool moved = shown < 0 || maximum != gauge.maximum() || value < shown || value == maximum ||
                       (value - shown) * std::max(1, gauge.width()) >= maximum;
    if (!moved)
        return;
    gauge.setMaximum(maximum);
    gauge.setValue(value);
}
