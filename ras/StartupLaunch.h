#pragma once

#include <QString>

class DialUpSource;
class SettingsStore;
class Shell;

// What the first window shown does at start: dial the chosen phone-book
// entry and open the programs the user listed. Nothing here waits for the
// dial or the programs, and no failure is reported: the dial shows up in the
// monitor's polls, a program that does not start is simply not there.
//
// Paths and entry names are handed over whole, however long they are.
namespace StartupLaunch {

// Asks the dial-up source to dial connessione\provider (default "NESSUNO",
// handed over as it stands: the system answers for the name).
void dialProvider(const SettingsStore& store, DialUpSource& dialUp);

// Opens esegui\browser shown normally, then esegui\mail and esegui\altro
// minimised; a value of "NESSUNO" (or empty) is skipped.
void launchPrograms(const SettingsStore& store, Shell& shell);

// Both, in that order: the dial only when composizioneAutomatica (the
// connessione\automatico snapshot) is "ON", the programs in any case.
void run(const QString& composizioneAutomatica, const SettingsStore& store, DialUpSource& dialUp, Shell& shell);

} // namespace StartupLaunch
