#include "settings/SettingsStore.h"
#include "settings/MemorySettingsBackend.h"

#include <gtest/gtest.h>

namespace {

struct IntegerCase
{
    const char* stored; // nullptr: value missing
    int expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os)
{
    *os << (c.stored ? c.stored : "(missing)");
}

class ReadInteger : public ::testing::TestWithParam<IntegerCase>
{
};

TEST_P(ReadInteger, ConvertsOrGivesTheDefault)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    if (GetParam().stored)
        store.writeText(QStringLiteral("tariffa"), QStringLiteral("flag5"), QString::fromUtf8(GetParam().stored));
    EXPECT_EQ(store.readInteger(QStringLiteral("tariffa"), QStringLiteral("flag5"), 1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadInteger,
                         ::testing::Values(IntegerCase{"3", 3}, IntegerCase{"0x3", 3}, IntegerCase{"0X1f", 31},
                                           IntegerCase{"0x", 1}, IntegerCase{"0X", 1}, IntegerCase{"tre", 1},
                                           IntegerCase{"", 1}, IntegerCase{"-4", -4}, IntegerCase{"3a", 1},
                                           IntegerCase{"0xZZ", 1}, IntegerCase{nullptr, 1}));

TEST(SettingsStore, NamesMatchWithoutRegardToCaseBothWays)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeInteger(QStringLiteral("Posizione"), QStringLiteral("posX"), 42);
    EXPECT_EQ(store.readInteger(QStringLiteral("posizione"), QStringLiteral("PosX"), 0), 42);
    store.writeText(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    EXPECT_EQ(store.readText(QStringLiteral("Limiti"), QStringLiteral("checkbox6_checked"), QStringLiteral("False")),
              QStringLiteral("True"));
    // A write under another case replaces the value, it does not add a second one.
    store.writeText(QStringLiteral("LIMITI"), QStringLiteral("CHECKBOX6_CHECKED"), QStringLiteral("False"));
    EXPECT_EQ(store.allValues().size(), 2);
}

TEST(SettingsStore, MissingSectionOrValueGivesTheReadersDefault)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ(store.readText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("000")),
              QStringLiteral("000"));
    store.writeText(QStringLiteral("importo"), QStringLiteral("altro"), QStringLiteral("1"));
    EXPECT_EQ(store.readText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("000")),
              QStringLiteral("000"));
}

TEST(SettingsStore, FirstRunWhenTheKeyHoldsNoSection)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_TRUE(store.isFirstRun());
    store.open();
    EXPECT_TRUE(backend.keyExists(SettingsStore::chiave));
    EXPECT_TRUE(store.isFirstRun());

    store.writeFirstRunDefaults(220);
    EXPECT_FALSE(store.isFirstRun());

    // The user deleted the sections but left the key.
    for (const QString& section : backend.subKeys(SettingsStore::chiave))
        backend.removeKey(SettingsStore::chiave + QLatin1Char('\\') + section);
    EXPECT_TRUE(backend.keyExists(SettingsStore::chiave));
    EXPECT_TRUE(store.isFirstRun());
}

TEST(SettingsStore, FirstRunWritesExactlyTheFortyNineDefaults)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.open();
    store.writeFirstRunDefaults(317);

    const QList<SettingsStore::Entry> defaults = SettingsStore::firstRunDefaults(317);
    ASSERT_EQ(defaults.size(), 49);
    EXPECT_EQ(defaults.at(21),
              (SettingsStore::Entry{QStringLiteral("Posizione"), QStringLiteral("posCostiX"), QStringLiteral("317")}));
    EXPECT_EQ(defaults.at(32).text, QStringLiteral("01/01"));
    EXPECT_EQ(defaults.at(40).text, QStringLiteral("26/12"));
    EXPECT_EQ(defaults.at(41).text, QStringLiteral("08.00.00-18.30.00-2200-0750-0400-0267"));
    EXPECT_EQ(defaults.at(48).text, QStringLiteral("00.00.00-07.59.59-4000-1500-0800-0500"));

    EXPECT_EQ(store.allValues().size(), 49);
    for (const SettingsStore::Entry& entry : defaults)
        EXPECT_EQ(store.readText(entry.section, entry.value, QStringLiteral("?")), entry.text)
            << entry.section.toStdString() << '/' << entry.value.toStdString();
}

TEST(SettingsStore, MissingHolidayReadsAsThreeZeros)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    backend.removeKey(SettingsStore::chiave + QStringLiteral("\\festivita"));
    store.writeText(QStringLiteral("festivita"), QStringLiteral("FEST1"), QStringLiteral("01/01"));
    EXPECT_EQ(store.readText(QStringLiteral("festivita"), QStringLiteral("FEST4"), QStringLiteral("000")),
              QStringLiteral("000"));
}

TEST(SettingsStore, SoundEventsAreRegisteredAndReadFromTheirCurrentKey)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.registerSoundEvents();
    for (const QString& event : SettingsStore::soundEvents()) {
        EXPECT_TRUE(backend.keyExists(SettingsStore::chiaveEventi + QLatin1Char('\\') + event));
        EXPECT_EQ(store.soundFile(event), QStringLiteral("N/D"));
    }
    backend.setValue(SettingsStore::chiaveEventi + QStringLiteral("\\Fine Scatto\\.current"), QString(),
                     QStringLiteral("/usr/share/sounds/scatto.wav"));
    EXPECT_EQ(store.soundFile(QStringLiteral("fine scatto")), QStringLiteral("/usr/share/sounds/scatto.wav"));
    // The program's own key still counts as a first run: events live elsewhere.
    EXPECT_TRUE(store.isFirstRun());
}

} // namespace
