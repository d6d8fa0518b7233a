#include "ras/DialUpCounting.h"

#include "ras/AutomaticCounting.h"
#include "session/CountingSession.h"
#include "settings/StatoProgramma.h"

DialUpCounting::DialUpCounting(CountingSession& session, StatoProgramma& stato, SettingsBackend& settings,
                               QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_stato(stato)
    , m_store(settings)
{
}

void DialUpCounting::statusChanged(bool isConnected)
{
    // Until the machine sleeps the line is still up: it must not start a session the sleep would cut.
    if (m_sleeping)
        return;
    switch (AutomaticCounting::onStatusChange(m_stato, isConnected, m_session.isOpen())) {
    case AutomaticCounting::Action::Start:
        m_session.startAutomatic();
        break;
    case AutomaticCounting::Action::Stop:
        m_session.stop();
        break;
    case AutomaticCounting::Action::None:
        break;
    }
}

void DialUpCounting::connectionStatus(int phase, const QString& connectedEntry)
{
    if (AutomaticCounting::onConnectionStatus(phase, connectedEntry, m_stato, m_store))
        emit classChosen(m_stato.TariffaCorrente);
}

void DialUpCounting::prepareForSleep(bool sleeping)
{
    m_sleeping = sleeping;
    if (sleeping)
        m_session.stopForSleep();
}
