#pragma once

#include "settings/SettingsStore.h"

#include <QList>
#include <QString>
#include <QStringList>

// What start-up does to a settings store that is not a first run's empty one
// but lacks values the first run writes (a file that could not be read, a
// first run cut short, a hand-edited file): every missing first-run value is
// written again, so the program never runs without its tariff bands or
// holidays, and the user is told once what was restored.
class SettingsRepair
{
public:
    // `copie`: the unreadable settings files kept aside (SettingsBackend::rescueUnreadableFiles).
    // Writes the missing values; posCostiX as for the first run.
    static SettingsRepair run(SettingsStore& store, const QStringList& copie, int posCostiX);

    QStringList copie;                        // unreadable files kept aside
    QList<SettingsStore::Entry> ripristinati; // first-run values written again
    bool salvati = true;                      // they reached the store, not only the memory

    // For the user, titled "Attenzione!"; empty when there is nothing to
    // tell. Values that could not be saved are told by the store itself
    // (ReportingSettingsBackend), once, and not here again.
    QString messaggio() const;
};
