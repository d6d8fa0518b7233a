#include "settings/SettingsRepair.h"
#include "settings/MemorySettingsBackend.h"

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

} // namespace
