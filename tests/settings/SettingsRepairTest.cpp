#include "settings/SettingsRepair.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsCatalogue.h"
#include "tariff/FasciaOraria.h"

#include <gtest/gtest.h>

namespace {

// A store that keeps nothing written to it, as on a full disk.
class ReadOnlyBackend : public MemorySettingsBackend
{
public:
    bool setValue(const QString&, const QString&, const QString&) override { return false; }
};

TEST(SettingsRepair, WritesTheMissingValuesBackAndNamesEachSectionOnce)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    backend.removeKey(SettingsStore::chiave + QStringLiteral("\\sabato"));
    backend.removeKey(SettingsStore::chiave + QStringLiteral("\\Posizione"));
    const SettingsRepair repair = SettingsRepair::run(store, {}, 300);
    EXPECT_EQ(repair.ripristinati.size(), 7);
    EXPECT_TRUE(repair.salvati);
    EXPECT_TRUE(store.missingFirstRunValues(300).isEmpty());
    EXPECT_EQ(store.read(Catalogue::PosizionePosCostiX), QStringLiteral("300"));
    EXPECT_EQ(repair.messaggio(), QStringLiteral("Alcune impostazioni mancavano e sono tornate ai valori predefiniti:\r"
                                                 "- posizione delle finestre\r- fasce orarie del sabato"));
    EXPECT_TRUE(SettingsRepair::run(store, {}, 300).messaggio().isEmpty());
}

TEST(SettingsRepair, TellsTheCopiesKeptAsideAndNotTheValuesThatWereNotSaved)
{
    ReadOnlyBackend backend;
    SettingsStore store(backend);
    const SettingsRepair repair = SettingsRepair::run(store, {QStringLiteral("/tmp/Software.ini.illeggibile")}, 220);
    EXPECT_EQ(repair.ripristinati, SettingsStore::firstRunDefaults(220));
    EXPECT_FALSE(repair.salvati);
    EXPECT_EQ(repair.messaggio(), QStringLiteral("Il file delle impostazioni non era leggibile.\r"
                                                 "Ne è stata salvata una copia in:\r/tmp/Software.ini.illeggibile"));
}

// A band that is there but does not read gets its factory text back, once,
// and the message keeps what it held; a band of the user's own that reads
// is left as it is.
TEST(SettingsRepair, ADamagedBandIsRepairedOnce)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    const QString propria = QStringLiteral("08.00.00-12.00.00-1800-0750-0400-0267");
    store.write(Catalogue::Feriali[0], propria);
    store.write(Catalogue::Feriali[1], QStringLiteral("zzz"));
    store.write(Catalogue::Sabato[2], QStringLiteral("25.00.00-07.59.59-4000-1500-0800-0500"));
    store.write(Catalogue::Festivi[1], QStringLiteral("00.00.00-07.59.59-4000-1500-0800"));

    const SettingsRepair repair = SettingsRepair::run(store, {}, 220, &FasciaOraria::valida);
    EXPECT_EQ(repair.fasceGuaste.size(), 3);
    EXPECT_EQ(store.read(Catalogue::Feriali[0]), propria);
    for (const Setting* fascia : {&Catalogue::Feriali[1], &Catalogue::Sabato[2], &Catalogue::Festivi[1]})
        EXPECT_EQ(store.read(*fascia), QLatin1String(fascia->firstRun)) << fascia->section << fascia->value;
    EXPECT_EQ(repair.messaggio(),
              QStringLiteral("Alcune fasce orarie non erano valide e sono tornate ai valori predefiniti:\r"
                             "- fasce orarie dei giorni feriali, fascia2: era 'zzz'\r"
                             "- fasce orarie del sabato, fascia3: era '25.00.00-07.59.59-4000-1500-0800-0500'\r"
                             "- fasce orarie dei giorni festivi, fascia2: era '00.00.00-07.59.59-4000-1500-0800'"));
    EXPECT_TRUE(SettingsRepair::run(store, {}, 220, &FasciaOraria::valida).messaggio().isEmpty());
}

} // namespace
