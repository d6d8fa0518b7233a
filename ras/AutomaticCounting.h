#pragma once

#include <QString>
#include <optional>

class SettingsStore;
struct StatoProgramma;

// What the windows do when the dial-up monitor reports: start and stop
// counting with the connection, and pick the distance class from the
// phone-book entry being dialled. The windows press their own buttons; these
// functions decide and keep the store and the state.
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
// the state of the window's start button (down while a session runs or starts).
Action onStatusChange(const StatoProgramma& stato, bool isConnected, bool sessionOpen);

// Marks the session about to start as automatic, so its start is backdated:
// AvvioAutomatico "ON" and ritardo\flagAuto "ON".
void markAutomaticStart(StatoProgramma& stato, SettingsStore& store);

// The class of a class text: "Tut" 1, "< 15" 2, "15 - 30" 3, "> 30" 4; any
// other text (such as the unset "TuT") gives no class.
std::optional<int> classOfText(const QString& text);

// The class the numbers table gives an entry: the class text of the last of
// the five pairs whose entry name equals it exactly (case counts); no value
// when no pair matches or the text is not a class.
std::optional<int> classOfEntry(const SettingsStore& store, const QString& entry);

// At a new phase: only dialling (phase 0) is handled. Records the entry in
// callerId\numero and sets TariffaCorrente from the numbers table when it
// names a class. Returns true when the phase was handled, so the window puts
// the button of TariffaCorrente down.
bool onConnectionStatus(int phase, const QString& connectedEntry, StatoProgramma& stato, SettingsStore& store);

} // namespace AutomaticCounting
