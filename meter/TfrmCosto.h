#pragma once

#include "app/Servizi.h"
#include "meter/CostMeter.h"

#include <QWidget>

class QLabel;
class QLCDNumber;
class QProgressBar;
class QTimer;
struct StatoProgramma;

// "Costo Chiamata": the live cost window of a counting session. It shows the
// meter (CostMeter) ten times a second: the seconds left to the next unit, the
// running cost on six LED digits, a gauge of the interval that turns red in
// the last seconds, and the running cost in the application title. It lives
// from a session's start to its stop.
class TfrmCosto : public QWidget
{
    Q_OBJECT
public:
    // Reads the meter's settings and starts it at `adesso`; the timer stays off
    // until the session enables it. Warns once ("Costo scatto non valido")
    // when the unit price is not a whole number. Throws EConvertError when
    // the band in force cannot be read.
    TfrmCosto(Servizi& servizi, StatoProgramma& stato, const QDateTime& adesso, QWidget* parent = nullptr);

    const CostMeter& meter() const { return m_meter; }
    QTimer* timer() const { return Timer1; }
    void setTimerEnabled(bool enabled);

    // The session's stop: the meter's money and the digits go back to zero
    // and the window may close.
    void FormClose();

public slots:
    // One tick of the meter at the clock's present moment.
    void Timer1Timer();

signals:
    // After every tick, with the running-cost text ("costo: C -> S") for the
    // tray hint; the main window counts these to blink its lamp.
    void ticked(const QString& costText);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showMeter();
    void setGaugeRed(bool red);

    Servizi& m_servizi;
    CostMeter m_meter;
    bool m_closing = false;
    bool m_erroreMostrato = false;

    QProgressBar* Gauge1 = nullptr;
    QLabel* Label3 = nullptr; // the interval in whole seconds
    QLCDNumber* Digits1 = nullptr;
    QTimer* Timer1 = nullptr;
};
