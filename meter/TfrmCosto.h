#pragma once

#include "meter/LiveMeter.h"
#include "platform/Servizi.h"

#include <QWidget>
#include <optional>

class QLabel;
class QLCDNumber;
class QProgressBar;
class QTimer;

// "Costo Chiamata": the live cost window of a counting session. It shows a
// LiveMeter ten times a second: the seconds left to the next unit as its
// caption, the interval, the running cost on six LED digits and a gauge of
// the interval that turns red in the last seconds; it beeps when the meter
// asks and tells the user of a band that cannot be read. It lives from a
// session's start to its stop; the user cannot close it.
class TfrmCosto : public QWidget
{
    Q_OBJECT
public:
    // Shows `meter`, which must outlive the window, at the position saved in
    // the store.
    TfrmCosto(Servizi& servizi, LiveMeter& meter, QWidget* parent = nullptr);

    const CostMeter& meter() const { return m_meter.meter(); }
    LiveMeter& liveMeter() const { return m_meter; }
    QTimer* timer() const { return m_meter.timer(); }
    void setTimerEnabled(bool enabled) { m_meter.setRunning(enabled); }

    // The session's stop: the meter's money and the digits go back to zero
    // and the window may close.
    void FormClose();

    // "secondi al prossimo scatto: N", the window's caption.
    static QString caption(const CostMeter& meter);
    // "costo: C -> S": the running cost the taskbar entry and the tray hint show.
    static QString costText(const CostMeter& meter);

public slots:
    // One tick of the meter at the clock's present moment.
    void Timer1Timer() { m_meter.tick(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void meterTicked(const CostMeter::Tick& tick);
    void showMeter();
    void setGaugeRed(bool red);
    void fitCaption();

    Servizi& m_servizi;
    LiveMeter& m_meter;
    bool m_closing = false;
    std::optional<bool> m_gaugeRed; // the colour and the digits last shown
    std::optional<int> m_cifre;
    qint64 m_secondiMostrati = -1; // the caption's seconds and the interval last shown
    int m_cadenzaMostrata = -1;

    QProgressBar* Gauge1 = nullptr;
    QLabel* Label3 = nullptr; // the interval in whole seconds
    QLCDNumber* Digits1 = nullptr;
};
