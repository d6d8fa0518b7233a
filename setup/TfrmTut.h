#pragma once

#include "setup/BandViewerWindow.h"

struct Servizi;

// "Tariffe TUT": the bands in force for each kind of day and the unit
// interval of the urban time tariff in the selected band.
class TfrmTut : public BandViewerWindow
{
    Q_OBJECT
public:
    explicit TfrmTut(const StatoProgramma& stato, QWidget* parent = nullptr);

    // "&Visualizza le Fasce TUT": creates the viewer, shows it modally and destroys it.
    static void apri(QWidget* parent, Servizi& servizi, StatoProgramma& stato);
};
