#pragma once

#include "app/Servizi.h"

#include <QWidget>

struct StatoProgramma;

// The compact strip that stands in for the main window in compact display
// mode: borderless, always on top. For now it only names the program; the
// meter, its buttons and its menu join it with the compact window's work.
class TfrmLight : public QWidget
{
    Q_OBJECT
public:
    TfrmLight(Servizi& servizi, StatoProgramma& stato, QWidget* owner);

private:
    Servizi& m_servizi;
    StatoProgramma& m_stato;
};
