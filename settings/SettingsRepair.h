#pragma once

#include "settings/SettingsStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// What start-up does to a settings store that is not a first run's empty one
// but lacks values the first run writes (a file that could not be read, a
// first run cut short, a hand-edited file): every missing first-run value is
// written again, so the program never runs without its tariff bands or
// holidays, and the user is told once what was restored. A band that is
// there but does not read (a hand edit, a damaged file) would show its
// error at every session start: it gets its factory text back, once, and the
// user is told what it held.
class SettingsRepair
{
public:
    // A band that no longer reads, and the text it held.
    struct FasciaGuasta
    {
        SettingsStore::Entry fabbrica; // the band's first-run value, written in its place
        QString testo;                 // what it held
    };

    // `copie`: the unreadable settings files kept aside (SettingsBackend::rescueUnreadableFiles).
    // Writes the missing values; posCostiX as for the first run. `fasciaValida`
    // tells a band text that reads (the tariff's own parser); without it no
    // band present is looked at.
    static SettingsRepair run(SettingsStore& store, const QStringList& copie, int posCostiX,
                              const std::function<bool(const QString&)>& fasciaValida = {});

    QStringList copie;                        // unreadable files kept aside
    QList<SettingsStore::Entry> ripristinati; // first-run values written again
    QList<FasciaGuasta> fasceGuaste;          // bands given their first-run value again
    bool salvati = true;                      // they reached the store, not only the memory

    // For the user, titled "Attenzione!"; empty when there is nothing to
    // tell. Values that could not be saved are told by the store itself
    // (ReportingSettingsBackend), once, and not here again.
    QString messaggio() const;
};
