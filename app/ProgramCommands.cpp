#include "app/ProgramCommands.h"

#include "app/TfrmInfo.h"
#include "app/TfrmPrincipale.h"
#include "compact/TfrmLight.h"
#include "reports/TfrmStatistiche.h"
#include "setup/TfrmSetup.h"
#include "setup/TfrmTele.h"
#include "setup/TfrmTut.h"
#include "widgets/Sommario.h"

#include <QTimer>

ProgramCommands::ProgramCommands(Servizi& servizi, StatoProgramma& stato, CountingSession& session,
                                 TfrmPrincipale& principale)
    : m_servizi(servizi)
    , m_stato(stato)
    , m_session(session)
    , m_principale(principale)
{
}

void ProgramCommands::statistiche(QWidget* parent)
{
    TfrmStatistiche::apri(parent, m_servizi, m_stato, m_session);
}

void ProgramCommands::preferenze(QWidget* parent, bool daBarra)
{
    const TfrmLight* barra = m_principale.compactWindow();
    const QSize dimensioneBarra = barra ? barra->frameGeometry().size() : QSize();
    // Yes at the restart prompt: the program ends from its event loop, after its usual closing steps.
    if (TfrmSetup::apri(parent, m_servizi, m_stato, daBarra, m_principale.frameGeometry().size(), dimensioneBarra))
        QTimer::singleShot(0, &m_principale, &TfrmPrincipale::shutDown);
}

void ProgramCommands::fasceTut(QWidget* parent)
{
    TfrmTut::apri(parent, m_servizi, m_stato);
}

void ProgramCommands::fasceTele(QWidget* parent)
{
    TfrmTele::apri(parent, m_servizi, m_stato);
}

void ProgramCommands::sommario(QWidget* parent)
{
    Sommario::apri(parent, m_servizi, m_stato);
}

void ProgramCommands::informazioni(QWidget* parent)
{
    TfrmInfo::apri(parent, m_servizi, m_stato);
}

void ProgramCommands::esci()
{
    // The main window's close writes ritardo\flagAuto "OFF", stops the
    // polling, closes the strip and ends the program.
    m_principale.close();
}
