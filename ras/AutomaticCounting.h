#pragma once

#include <QString>
#include <optional>

class SettingsStore;
struct StatoProgramma;

// What is done when the dial-up monitor reports: start and stop counting
// with the connection, and pick the distance class from the phone-book entry
// being dialled. These functions decide and keep the store and the state;
// DialUpCounting acts on them through the counting session.
namespace AutomaticCounting {

enum class Action
{
    None,
    Start,
    Stop
};

// At every status report: Start when counting follows the connection
// (ConteggioAutomatico "0"), the connection is up and no session is open;
// Stop when it is down and a session is open; None otherwise. sessionOpen is
// true while a session runs, starts or stops.
Action onStatusChange(const StatoProgramma& stato, bool isConnected, bool sessionOpen);

// The class of a class text: "Tut" 1, "< 15" 2, "15 - 30" 3, "> 30" 4; any
// other text (such as the unset "TuT") gives no class.
std::optional<int> classOfText(const QString& text);

// The class the numbers table gives an entry: the class text of the last of
// the five pairs whose entry name equals it exactly (case counts); no value
// when no pair matches or the text is not a class.
std::optional<int> classOfEntry(const SettingsStore& store, const QString& entry);

// At a new phase: only dialling (phase 0) is handled. Records the entry in
// callerId\numero and sets TariffaCorrente from the numbers table when it
// names a class. Returns true when the phase was handled, so the windows show
// the class of TariffaCorrente.
bool onConnectionStatus(int phase, const QString& connectedEntry, StatoProgramma& stato, SettingsStore& store);

} // namespace AutomaticCounting
