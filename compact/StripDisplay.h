#pragma once

#include <QFrame>
#include <functional>

class BarraCompatta;
class QLCDNumber;
class QLabel;
class QProgressBar;

// The compact strip's meter (Panel4): the unit gauge, the "freq.:" interval,
// the "resto:" seconds and the LED money, with the two time panels laid over
// them. A double click on the labels shows the panels, one on a panel hides
// them. It shows what BarraCompatta holds.
class StripDisplay : public QFrame
{
    Q_OBJECT
public:
    explicit StripDisplay(QWidget* parent);

    // Places the parts, given the strip's scaled rectangle for a design rectangle.
    void layOut(const std::function<QRect(int, int, int, int)>& r);
    // The font the interval is shown in: the strip's scale allows for it.
    QFont boldFont() const;

    // The meter's texts, gauge and money as `barra` holds them; the panels keep theirs.
    void showMeter(const BarraCompatta& barra);
    // The panels' texts as `barra` holds them.
    void showPanels(const BarraCompatta& barra);
    void setPanelsVisible(bool visible);
    void setHolidayColour(const QColor& colour);
    // A start: the interval as the band in force has it, the money and the gauge at zero.
    void reset(const QString& cadenza);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGauge();
    void buildLabels();
    void setGaugeRed(bool red);

    QProgressBar* Gauge1 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLCDNumber* Digits1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
};
