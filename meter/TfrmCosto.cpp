#include "meter/TfrmCosto.h"

#include "meter/GaugeUpdate.h"
#include "platform/Prompter.h"
#include "platform/Sounds.h"
#include "settings/SettingsStore.h"
#include "widgets/Controls.h"
#include "widgets/ScreenCentre.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

using Controls::makeLabel;

TfrmCosto::TfrmCosto(Servizi& servizi, LiveMeter& meter, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_servizi(servizi)
    , m_meter(meter)
{
    setObjectName(QStringLiteral("frmCosto"));
    setWindowTitle(QStringLiteral("Costo Chiamata"));

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setAccessibleName(QStringLiteral("cadenza scatto"));
    Gauge1->setTextVisible(false);
    Gauge1->setFixedHeight(8);
    Gauge1->setRange(0, qMax(1, this->meter().CadenzaScatto()));
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
    Digits1->setAccessibleName(QStringLiteral("costo"));
    Digits1->setSegmentStyle(QLCDNumber::Filled);
    Digits1->setMinimumSize(150, 40);

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

    showMeter();
    fitCaption();
    const SettingsStore store(servizi.settings);
    placeOnScreen(*this, QPoint(store.readInteger(Catalogue::PosizionePosCostiX),
                                store.readInteger(Catalogue::PosizionePosCostiY)));

    connect(&m_meter, &LiveMeter::ticked, this, &TfrmCosto::meterTicked);
    connect(&m_meter, &LiveMeter::bandError, this, [this](const QString& message) {
        m_servizi.prompter.message(message, QStringLiteral("Attenzione!"), Message::Icon::Critical);
    });
}

QString TfrmCosto::caption(const CostMeter& meter)
{
    return QStringLiteral("secondi al prossimo scatto: %1").arg(meter.secondiMancanti());
}

QString TfrmCosto::costText(const CostMeter& meter)
{
    return QStringLiteral("costo: %1 -> %2").arg(meter.CostoSessione()).arg(meter.secondiMancanti());
}

// A window manager cuts a caption that is wider than its window: the window
// is made wide enough for the longest one, with room for the caption bar's
// own buttons.
void TfrmCosto::fitCaption()
{
    QFont titleFont = font();
    titleFont.setBold(true);
    const int text = QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("secondi al prossimo scatto: 0000"));
    setMinimumWidth(std::max(minimumSizeHint().width(), text + 96));
}

void TfrmCosto::meterTicked(const CostMeter::Tick& tick)
{
    for (int i = 0; i < tick.beeps; ++i)
        m_servizi.sounds.beep();
    showMeter();
}

// Ten times a second: only what changed is handed to the widgets (the
// digits and the gauge's colour change at most once a second).
void TfrmCosto::showMeter()
{
    const CostMeter& m = meter();
    if (m.secondiMancanti() != m_secondiMostrati) {
        m_secondiMostrati = m.secondiMancanti();
        setWindowTitle(caption(m));
    }
    setGaugeRed(m.avviso());
    updateGauge(*Gauge1, m.CadenzaScatto(),
                static_cast<int>(std::clamp<qint64>(m.DecimiTrascorsi(), 0, std::max(1, m.CadenzaScatto()))));
    if (m.digits() != m_cifre) {
        m_cifre = m.digits();
        Digits1->display(m.digitsText());
    }
    if (m.secondiCadenza() != m_cadenzaMostrata) {
        m_cadenzaMostrata = m.secondiCadenza();
        Label3->setText(QString::number(m_cadenzaMostrata));
    }
}

void TfrmCosto::setGaugeRed(bool red)
{
    if (m_gaugeRed == red)
        return;
    m_gaugeRed = red;
    QPalette p = Gauge1->palette();
    p.setColor(QPalette::Highlight, red ? QColor(Qt::red) : QColor(0, 200, 0));
    Gauge1->setPalette(p);
}

void TfrmCosto::FormClose()
{
    m_meter.close();
    m_cifre = meter().digits();
    Digits1->display(meter().digitsText());
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
