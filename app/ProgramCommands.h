#pragma once

#include "widgets/SharedCommands.h"

class CountingSession;
class TfrmPrincipale;
struct Servizi;
struct StatoProgramma;

// The shared menu commands as the program carries them out: each opens its
// dialog over the window that asked, and the restart and the exit go through
// the main window.
class ProgramCommands : public SharedCommands
{
public:
    ProgramCommands(Servizi& servizi, StatoProgramma& stato, CountingSession& session, TfrmPrincipale& principale);

    void statistiche(QWidget* parent) override;
    void preferenze(QWidget* parent, bool daBarra) override;
    void fasceTut(QWidget* parent) override;
    void fasceTele(QWidget* parent) override;
    void sommario(QWidget* parent) override;
    void informazioni(QWidget* parent) override;
    void esci() override;

private:
    Servizi& m_servizi;
    StatoProgramma& m_stato;
    CountingSession& m_session;
    TfrmPrincipale& m_principale;
};
