#include "ras/RasTracker.h"

#include <iterator>
#include <limits>

namespace {

struct StateRow
{
    int state;
    int phase;
    const char16_t* english;
    const char16_t* croatian;
};

constexpr StateRow stateTable[] = {
    {DialUpSource::OpenPort, RasTracker::PhaseDialling, u"Opening comm port", u"Otvaranje komunikacijskog porta"},
    {DialUpSource::PortOpened, RasTracker::PhaseDialling, u"Comm port opened", u"Komunikacijski port je otvoren"},
    {DialUpSource::ConnectDevice, RasTracker::PhaseDialling, u"A device is about to be connected",
     u"Spajamo se na mrežu"},
    {DialUpSource::DeviceConnected, RasTracker::PhaseDialling, u"A device has connected successfully",
     u"Uređaj se uspješno spojio"},
    {DialUpSource::AllDevicesConnected, RasTracker::PhaseDialling,
     u"All devices in the device chain have successfully connected", u"Svi uređaji su se uspješno spojili"},
    {DialUpSource::Authenticate, RasTracker::PhaseAuthenticating, u"The authentication process is starting",
     u"Počinje provjera podataka"},
    {DialUpSource::StartAuthentication, RasTracker::PhaseAuthenticating,
     u"User authentication is being initiated or retried", u"Počinje provjera podataka"},
    {DialUpSource::Authenticated, RasTracker::PhaseAuthenticating,
     u"The client has successfully completed authentication", u"Podaci su provjereni"},
    {DialUpSource::LogonNetwork, RasTracker::PhaseDialling, u"Client is logging on to the network",
     u"Logiranje na mrežu"},
    {DialUpSource::Connected, RasTracker::PhaseConnected, u"Connected succesfully", u"Spojeni smo"},
    {DialUpSource::Disconnected, RasTracker::PhaseNotConnected, u"Disconnected or failed connection", u"Nismo spojeni"},
};

// Every state the service names has its phase and texts here, and nothing else does.
constexpr bool everyNamedStateHasItsRow()
{
    if (std::size(stateTable) != DialUpSource::stateNames.size())
        return false;
    for (const DialUpSource::StateName& named : DialUpSource::stateNames) {
        bool found = false;
        for (const StateRow& row : stateTable)
            found = found || row.state == named.state;
        if (!found)
            return false;
    }
    return true;
}
static_assert(everyNamedStateHasItsRow());

const StateRow* rowOf(int state)
{
    for (const StateRow& row : stateTable) {
        if (row.state == state)
            return &row;
    }
    return nullptr;
}

} // namespace

std::optional<int> RasTracker::phaseOf(int state)
{
    if (const StateRow* row = rowOf(state))
        return row->phase;
    return std::nullopt;
}

QString RasTracker::stateText(int state, Language language)
{
    const StateRow* row = rowOf(state);
    if (!row)
        return {};
    return QString::fromUtf16(language == Language::English ? row->english : row->croatian);
}

void RasTracker::setPhoneBook(const QList<DialUpSource::PhoneBookEntry>& phoneBook)
{
    m_entries.clear();
    m_numbers.clear();
    for (const DialUpSource::PhoneBookEntry& entry : phoneBook) {
        m_entries.append(entry.name);
        m_numbers.append(entry.number.value_or(QString()));
    }
}

QString RasTracker::numberOf(const QString& entry) const
{
    const qsizetype index = m_entries.lastIndexOf(entry);
    return index < 0 || index >= m_numbers.size() ? QString() : m_numbers.at(index);
}

void RasTracker::forgetConnection()
{
    m_isConnected = false;
    m_connectedEntry.clear();
    m_connectedNumber.clear();
    m_phase = PhaseNotConnected;
    m_pollCounter = 0;
}

RasTracker::PollResult RasTracker::poll(const std::optional<QList<DialUpSource::Connection>>& connections)
{
    const QString before = m_status;
    PollResult result;

    if (!connections || connections->isEmpty()) {
        m_status = stateText(DialUpSource::Disconnected, m_language);
        result.statusChanged = m_status != before;
        forgetConnection();
        return result;
    }

    QString deviceType;
    QString deviceName;
    QString entry;
    QString text;
    for (const DialUpSource::Connection& connection : *connections) {
        text = stateText(connection.state, m_language);
        if (const std::optional<int> phase = phaseOf(connection.state); phase && *phase != m_phase) {
            m_phase = *phase;
            m_pollCounter = 0;
        }
        if (connection.state == DialUpSource::Connected)
            m_isConnected = true;
        else if (connection.state == DialUpSource::Disconnected)
            m_isConnected = false;
        if (!connection.deviceName.isEmpty())
            deviceName = connection.deviceName;
        if (!connection.deviceType.isEmpty())
            deviceType = connection.deviceType;
        if (!connection.entry.isEmpty())
            entry = connection.entry;
    }
    // The counter counts polls, not connections: two connections in the same
    // new phase must still announce it.
    if (m_pollCounter < std::numeric_limits<int>::max())
        ++m_pollCounter;

    m_status = deviceType + QLatin1Char(' ') + deviceName + QLatin1Char(' ') + text;
    result.statusChanged = m_status != before;
    m_connectedEntry = entry;
    m_connectedNumber = numberOf(entry);
    if (m_pollCounter == 1)
        result.raisedPhase = m_phase;
    return result;
}
