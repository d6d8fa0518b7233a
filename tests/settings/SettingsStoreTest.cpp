#include "settings/SettingsStore.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/ReportingSettingsBackend.h"
#include "settings/StatoProgramma.h"

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

// The memory store remembers the key it last found: a key removed and made
// again, or written under another case, must still be the one asked for.
TEST(SettingsStore, TheMemoryStoreFindsAKeyRemovedAndMadeAgain)
{
    MemorySettingsBackend backend;
    const QString key = SettingsStore::chiave + QStringLiteral("\\limiti");
    backend.setValue(key, QStringLiteral("a"), QStringLiteral("1"));
    backend.removeKey(key);
    EXPECT_EQ(backend.value(key, QStringLiteral("a")), std::nullopt);
    EXPECT_FALSE(backend.keyExists(key));
    backend.setValue(key, QStringLiteral("b"), QStringLiteral("2"));
    EXPECT_EQ(backend.value(key.toUpper(), QStringLiteral("B")), std::optional<QString>(QStringLiteral("2")));
    EXPECT_EQ(backend.values(key).size(), 1);
    for (int i = 0; i < 1000; ++i)
        backend.setValue(SettingsStore::chiave + QStringLiteral("\\s%1").arg(i), QStringLiteral("v"),
                         QString::number(i));
    EXPECT_EQ(backend.subKeys(SettingsStore::chiave).size(), 1001);
    EXPECT_EQ(backend.value(SettingsStore::chiave + QStringLiteral("\\S999"), QStringLiteral("V")),
              std::optional<QString>(QStringLiteral("999")));
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
    EXPECT_EQ(store.read(Catalogue::Festivita[3]), QStringLiteral("000"));
    StatoProgramma stato;
    stato.fromStore(store);
    EXPECT_EQ(stato.festivita.value(0), QStringLiteral("01/01"));
    EXPECT_EQ(stato.festivita.value(3), QStringLiteral("000"));
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

namespace {

// Each section/value is named once in the catalogue, whatever the case.
TEST(SettingsCatalogue, NamesEveryValueOnce)
{
    QStringList names;
    for (const Setting& setting : Catalogue::all) {
        const QString name = (setting.sectionName() + QLatin1Char('\\') + setting.valueName()).toLower();
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.append(name);
        if (setting.kind == Setting::Kind::Integer && *setting.readDefault) {
            EXPECT_TRUE(setting.inRange(setting.defaultInteger())) << name.toStdString();
        }
    }
    EXPECT_GE(names.size(), 78);
}

struct RangeCase
{
    const char* text;
    int expected;
    bool told;
};

// Out of the setting's range: its read default, told when asked; a text that
// does not convert keeps the store's rule (the default, silently).
TEST(SettingsStore, ReadsAnIntegerWithinItsRange)
{
    const RangeCase cases[] = {{"2", 2, false}, {"0x2", 2, false}, {"7", 1, true},
                               {"0", 1, true},  {"-1", 1, true},   {"due", 1, false}};
    for (const RangeCase& c : cases) {
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        store.write(Catalogue::TariffaFlag6, QLatin1String(c.text));
        QStringList problemi;
        EXPECT_EQ(store.readInteger(Catalogue::TariffaFlag6, &problemi), c.expected) << c.text;
        EXPECT_EQ(problemi.size(), c.told ? 1 : 0) << c.text;
        EXPECT_EQ(store.readInteger(Catalogue::TariffaFlag6), c.expected) << c.text;
    }
}

TEST(SettingsStore, ReadsAPriceAsAWholeNonNegativeNumberOfLire)
{
    for (const char* valido : {"152", "000", "0"}) {
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        store.write(Catalogue::ImportoCosto, QLatin1String(valido));
        QStringList problemi;
        EXPECT_EQ(store.readPrice(Catalogue::ImportoCosto, &problemi), QLatin1String(valido));
        EXPECT_TRUE(problemi.isEmpty()) << valido;
    }
    for (const char* nonValido : {"-152", "152,5", "abc", ""}) {
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        store.write(Catalogue::ImportoCosto, QLatin1String(nonValido));
        QStringList problemi;
        EXPECT_EQ(store.readPrice(Catalogue::ImportoCosto, &problemi), QStringLiteral("000")) << nonValido;
        EXPECT_EQ(problemi, QStringList{QStringLiteral("Costo scatto non valido: '%1'").arg(QLatin1String(nonValido))});
    }
}

// A settings folder that cannot be written: the first failed write is told,
// once, every read still works, and what could not be saved is read back
// from memory until the program ends, as the message says.
TEST(ReportingSettingsBackend, TellsTheFirstFailedWriteOnce)
{
    class Refusing : public MemorySettingsBackend
    {
    public:
        bool setValue(const QString& key, const QString& name, const QString& text) override
        {
            return !refuse && MemorySettingsBackend::setValue(key, name, text);
        }
        bool refuse = false;
    } inner;
    ReportingSettingsBackend backend(inner, QStringLiteral("/home/u/.config/Brenvolo"));
    QStringList told;
    backend.setOnFirstFailure([&](const QString& message) { told.append(message); });
    SettingsStore store(backend);
    EXPECT_TRUE(store.write(Catalogue::ImportoCosto, QStringLiteral("152")));
    EXPECT_TRUE(told.isEmpty());
    inner.refuse = true;
    EXPECT_FALSE(store.write(Catalogue::ImportoCosto, QStringLiteral("200")));
    EXPECT_FALSE(store.writeSwitch(Catalogue::RitardoFlagAuto, true));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(
        told.at(0).startsWith(QStringLiteral("Impossibile salvare le impostazioni in /home/u/.config/Brenvolo")));
    EXPECT_TRUE(backend.failed());
    EXPECT_EQ(store.read(Catalogue::ImportoCosto), QStringLiteral("200"));
    EXPECT_EQ(inner.value(SettingsStore::chiave + QStringLiteral("\\importo"), QStringLiteral("costo")),
              QStringLiteral("152"));
    EXPECT_TRUE(store.isOn(Catalogue::RitardoFlagAuto));
}

} // namespace
