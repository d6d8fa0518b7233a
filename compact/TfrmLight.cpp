#include "compact/TfrmLight.h"

#include "settings/StatoProgramma.h"

#include <QHBoxLayout>
#include <QLabel>

TfrmLight::TfrmLight(Servizi& servizi, StatoProgramma& stato, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
    , m_servizi(servizi)
    , m_stato(stato)
{
    setObjectName(QStringLiteral("frmLight"));
    setWindowTitle(QStringLiteral("Brenvolo"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    auto* label = new QLabel(QStringLiteral("Brenvolo"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    setFixedSize(300, 26);
    move(m_stato.Posizione);
}
