#pragma once

#include <QProgressBar>

// A pie-shaped progress gauge without text: the done part a navy slice
// growing clockwise from twelve o'clock over a silver disc.
class PieGauge : public QProgressBar
{
    Q_OBJECT
public:
    explicit PieGauge(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {36, 36}; }
    QSize minimumSizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
