#include "archive/TfrmSupera.h"

#include "platform/Clock.h"
#include "platform/Notifier.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TfrmSupera::TfrmSupera(const Clock& clock, qint64 anticipo, const QDateTime& inizio, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
    , m_clock(clock)
    , m_progresso(anticipo, inizio)
{
    setObjectName(QStringLiteral("frmSupera"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Superamento Limite"));

    Label1 = new QLabel(QStringLiteral("LIMITE COLLEGAMENTO SUPERATO  A INDICATORE ROSSO !"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    QPalette labelColours = Label1->palette();
    labelColours.setColor(QPalette::Window, QColor(0, 128, 128));
    labelColours.setColor(QPalette::WindowText, QColor(0, 255, 255));
    Label1->setPalette(labelColours);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setValue(0);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TfrmSupera::Timer1Timer);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Gauge1);
    resize(320, 110);
}

TfrmSupera* TfrmSupera::mostra(const Clock& clock, qint64 anticipo, const QString& testo, Notifier* notifier)
{
    auto* finestra = new TfrmSupera(clock, anticipo, clock.now());
    if (!testo.isEmpty())
        finestra->Label1->setText(testo);
    if (notifier)
        notifier->notify(finestra->windowTitle(), finestra->Label1->text(), Notifier::Urgency::Critical);
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        finestra->move(schermo->availableGeometry().center() - finestra->rect().center());
    finestra->show();
    return finestra;
}

void TfrmSupera::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (scaduto())
        return;
    setGaugeColour(QColor(Qt::green));
    Gauge1->setMaximum(m_progresso.massimo());
    Timer1->start();
}

void TfrmSupera::Timer1Timer()
{
    const int valore = m_progresso.tick(m_clock.now());
    if (!scaduto()) {
        Gauge1->setValue(valore);
        return;
    }
    Timer1->stop();
    setGaugeColour(QColor(255, 0, 0));
    Gauge1->setValue(Gauge1->maximum());
    // A caption bar and a border: the user can close it now.
    const bool visibile = isVisible();
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    if (visibile)
        show();
}

void TfrmSupera::closeEvent(QCloseEvent* event)
{
    if (!scaduto()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    event->accept();
}

void TfrmSupera::setGaugeColour(const QColor& colour)
{
    QPalette colori = Gauge1->palette();
    colori.setColor(QPalette::Highlight, colour);
    Gauge1->setPalette(colori);
}
