#include "compact/StripDisplay.h"

#include "compact/BarraCompatta.h"
#include "meter/GaugeUpdate.h"
#include "widgets/Controls.h"

#include <QApplication>
#include <QEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>

namespace {

const QColor lime(0, 255, 0);
const QColor scrollBar(200, 200, 200);
const QColor led(0, 230, 0);

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = Controls::makeLabel(parent, name, text);
    label->setAutoFillBackground(true);
    Controls::setColour(label, QPalette::Window, Qt::white);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* makePanel(QWidget* parent, const QString& name, const QString& text)
{
    auto* panel = new QLabel(text, parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    Controls::setColour(panel, QPalette::Window, QApplication::palette().color(QPalette::Button));
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setIndent(3);
    panel->setToolTip(QStringLiteral("Un doppio click sul riquadro\nnasconde il pannello"));
    return panel;
}

} // namespace

StripDisplay::StripDisplay(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel4"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    Controls::setColour(this, QPalette::Window, Qt::black);
    buildGauge();
    buildLabels();
    Panel1 = makePanel(this, QStringLiteral("Panel1"), QStringLiteral("Inizio:"));
    Panel2 = makePanel(this, QStringLiteral("Panel2"), QStringLiteral("Fine:"));
    for (QWidget* w : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label9)})
        w->installEventFilter(this);
}

void StripDisplay::buildGauge()
{
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setAccessibleName(QStringLiteral("scatto in corso"));
    Gauge1->setTextVisible(false);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Controls::setColour(Gauge1, QPalette::Base, scrollBar);
    Controls::setColour(Gauge1, QPalette::Window, scrollBar);
    setGaugeRed(false);
}

void StripDisplay::buildLabels()
{
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("freq.:"));
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("000"));
    Label1->setToolTip(QStringLiteral("Cadenza scatto in secondi"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Controls::setColour(Label1, QPalette::WindowText, Qt::red);
    Label9 = makeLabel(this, QStringLiteral("Label9"), QStringLiteral("resto : 000"));
    Label9->setToolTip(QStringLiteral("Un doppio click \nvisualizza i pannelli"));

    Digits1 = new QLCDNumber(6, this);
    Digits1->setObjectName(QStringLiteral("Digits1"));
    Digits1->setAccessibleName(QStringLiteral("costo"));
    Digits1->setSegmentStyle(QLCDNumber::Flat);
    Digits1->setFrameStyle(QFrame::NoFrame);
    Digits1->setAutoFillBackground(true);
    Controls::setColour(Digits1, QPalette::Window, Qt::black);
    Controls::setColour(Digits1, QPalette::WindowText, led);
    Digits1->display(QStringLiteral("000000"));
}

QFont StripDisplay::boldFont() const
{
    return Label1->font();
}

void StripDisplay::layOut(const std::function<QRect(int, int, int, int)>& r)
{
    Gauge1->setGeometry(r(3, 2, 184, 6));
    Label8->setGeometry(r(3, 10, 28, 15));
    Label1->setGeometry(r(31, 10, 22, 15));
    Label9->setGeometry(r(56, 10, 62, 15));
    Digits1->setGeometry(r(121, 9, 66, 17));
    Panel1->setGeometry(r(0, 0, 95, 28));
    Panel2->setGeometry(r(95, 0, 95, 28));
}

void StripDisplay::showMeter(const BarraCompatta& barra)
{
    Label9->setText(barra.resto());
    Label1->setText(barra.cadenza());
    Digits1->display(barra.digits());
    updateGauge(*Gauge1, barra.gaugeMaximum(), barra.gaugeValue());
    setGaugeRed(barra.gaugeRed());
}

void StripDisplay::showPanels(const BarraCompatta& barra)
{
    Panel1->setText(barra.pannelloInizio());
    Panel2->setText(barra.pannelloFine());
}

void StripDisplay::reset(const QString& cadenza)
{
    if (!cadenza.isEmpty())
        Label1->setText(cadenza);
    Digits1->display(QStringLiteral("000000"));
    Gauge1->setValue(0);
}

void StripDisplay::setPanelsVisible(bool visible)
{
    Panel1->setVisible(visible);
    Panel2->setVisible(visible);
}

void StripDisplay::setHolidayColour(const QColor& colour)
{
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label9), static_cast<QWidget*>(Panel1),
                       static_cast<QWidget*>(Panel2)})
        Controls::setColour(w, QPalette::WindowText, colour);
}

void StripDisplay::setGaugeRed(bool red)
{
    Controls::setColour(Gauge1, QPalette::Highlight, red ? QColor(Qt::red) : lime);
}

bool StripDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Panel1 || watched == Panel2) {
            setPanelsVisible(false);
            return true;
        }
        if (watched == Label1 || watched == Label8 || watched == Label9) {
            setPanelsVisible(true);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
