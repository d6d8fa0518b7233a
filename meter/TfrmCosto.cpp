#include "meter/TfrmCosto.h"

#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/Sounds.h"
#include "settings/SettingsStore.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

CostMeter::Settings meterSettings(SettingsBackend& backend)
{
    return CostMeter::Settings::fromStore(SettingsStore(backend));
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TfrmCosto::TfrmCosto(Servizi& servizi, StatoProgramma& stato, const QDateTime& adesso, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_servizi(servizi)
    , m_meter(stato, meterSettings(servizi.settings), adesso)
{
    setObjectName(QStringLiteral("frmCosto"));
    setWindowTitle(QStringLiteral("Costo Chiamata"));

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setFixedHeight(8);
    Gauge1->setRange(0, qMax(1, m_meter.CadenzaScatto()));
    Gauge1->setValue(0);

    QLabel* cadenza = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("cadenza scatto"));
    QFont underlined = cadenza->font();
    underlined.setUnderline(true);
    cadenza->setFont(underlined);
    Label3 = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("000"));
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);

    Digits1 = new QLCDNumber(6, this);
    Digits1->setObjectName(QStringLiteral("Digits1"));
    Digits1->setSegmentStyle(QLCDNumber::Filled);
    Digits1->setMinimumSize(150, 40);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TfrmCosto::Timer1Timer);

    auto* riga = new QHBoxLayout;
    riga->addWidget(cadenza);
    riga->addWidget(makeLabel(this, QStringLiteral("Label2"), QStringLiteral("ogni")));
    riga->addWidget(Label3);
    riga->addWidget(makeLabel(this, QStringLiteral("Label4"), QStringLiteral("secondi")));
    riga->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Gauge1);
    layout->addLayout(riga);
    layout->addWidget(Digits1);

    const SettingsStore store(servizi.settings);
    move(store.readInteger(QStringLiteral("Posizione"), QStringLiteral("posCostiX"), 220),
         store.readInteger(QStringLiteral("Posizione"), QStringLiteral("posCostiY"), 310));

    Label3->setText(QString::number(m_meter.secondiCadenza()));
    Digits1->display(m_meter.digitsText());
    setGaugeRed(false);
    setWindowTitle(m_meter.caption());

    if (m_meter.prezzoNonValido())
        m_servizi.prompter.warning(QStringLiteral("Costo scatto non valido: '%1'").arg(m_meter.testoPrezzo()));
}

void TfrmCosto::setTimerEnabled(bool enabled)
{
    if (enabled)
        Timer1->start();
    else
        Timer1->stop();
}

void TfrmCosto::Timer1Timer()
{
    const CostMeter::Tick tick = m_meter.tick(m_servizi.clock.now());
    for (int i = 0; i < tick.beeps; ++i)
        m_servizi.sounds.beep();
    showMeter();
    emit ticked(m_meter.costText());

    // One report a session is enough; the meter goes on with the interval it had.
    if (!tick.errore.isEmpty() && !m_erroreMostrato) {
        m_erroreMostrato = true;
        const bool running = Timer1->isActive();
        // While the box is open the timer must not stack more ticks on it;
        // the meter recomputes the elapsed time when it resumes.
        Timer1->stop();
        m_servizi.prompter.message(tick.errore, QStringLiteral("Attenzione!"), Prompter::Icon::Critical);
        if (running)
            Timer1->start();
    }
}

void TfrmCosto::showMeter()
{
    setWindowTitle(m_meter.caption());
    QGuiApplication::setApplicationDisplayName(m_meter.costText());
    setGaugeRed(m_meter.avviso());
    Gauge1->setMaximum(qMax(1, m_meter.CadenzaScatto()));
    Gauge1->setValue(static_cast<int>(std::clamp<qint64>(m_meter.DecimiTrascorsi(), 0, Gauge1->maximum())));
    Digits1->display(m_meter.digitsText());
    Label3->setText(QString::number(m_meter.secondiCadenza()));
}

void TfrmCosto::setGaugeRed(bool red)
{
    QPalette p = Gauge1->palette();
    p.setColor(QPalette::Highlight, red ? QColor(Qt::red) : QColor(0, 200, 0));
    Gauge1->setPalette(p);
}

void TfrmCosto::FormClose()
{
    Timer1->stop();
    m_meter.close();
    Digits1->display(m_meter.digitsText());
    m_closing = true;
    close();
}

void TfrmCosto::closeEvent(QCloseEvent* event)
{
    // Closed by hand mid-session it would zero a running meter: only the
    // session's stop closes it.
    if (!m_closing) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
