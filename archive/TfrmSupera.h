#pragma once

#include "archive/ProgressoAvviso.h"

#include <QDateTime>
#include <QWidget>

class Clock;
class Notifier;
class QLabel;
class QProgressBar;
class QTimer;

// "Superamento Limite": the over-limit warning. Borderless while its gauge
// fills over the lead time; then red, with a border, and closable. It
// deletes itself when closed.
class TfrmSupera : public QWidget
{
    Q_OBJECT
public:
    // `anticipo`: the lead time in tenths of a second; `inizio`: the warning's start instant.
    TfrmSupera(const Clock& clock, qint64 anticipo, const QDateTime& inizio, QWidget* parent = nullptr);

    // Shows a warning the way its callers do: centred, on top, borderless,
    // gauge at 0, with `testo` as its label (empty: the default text). With a
    // notifier the warning also goes to the desktop, for a user whose windows
    // are hidden or covered.
    static TfrmSupera* mostra(const Clock& clock, qint64 anticipo, const QString& testo = QString(),
                              Notifier* notifier = nullptr);

    bool scaduto() const { return m_progresso.scaduto(); }
    QTimer* timer() const { return Timer1; }

public slots:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setGaugeColour(const QColor& colour);

    const Clock& m_clock;
    ProgressoAvviso m_progresso;
    QLabel* Label1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QTimer* Timer1 = nullptr;
};
