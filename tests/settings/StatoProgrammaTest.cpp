#include "settings/StatoProgramma.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

struct Snapshot
{
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;

    Snapshot() { store.writeFirstRunDefaults(220); }
    void set(const char* section, const char* value, const char* text)
    {
        store.writeText(QString::fromUtf8(section), QString::fromUtf8(value), QString::fromUtf8(text));
    }
};

TEST(StatoProgramma, TakesTheFactorySnapshot)
{
    Snapshot s;
    s.stato.fromStore(s.store);
    EXPECT_EQ(s.stato.feriali.size(), 3);
    EXPECT_EQ(s.stato.sabato.at(1), QStringLiteral("13.00.01-23.59.59-4000-1500-0800-0500"));
    EXPECT_EQ(s.stato.festivi.size(), 2);
    EXPECT_EQ(s.stato.festivita.at(8), QStringLiteral("26/12"));
    EXPECT_EQ(s.stato.CostoScatto, QStringLiteral("152"));
    EXPECT_EQ(s.stato.CostoScattoBase, QStringLiteral("152"));
    EXPECT_EQ(s.stato.RitardoAvvio, 12);
    EXPECT_EQ(s.stato.TariffaCorrente, 1);
    EXPECT_EQ(s.stato.TipoTariffaInternet, 1);
    EXPECT_EQ(s.stato.ModoVisualizzazione, Visualizzazione::Normale);
    EXPECT_EQ(s.stato.ComposizioneAutomatica, QStringLiteral("OFF"));
    EXPECT_EQ(s.stato.ConteggioAutomatico, QStringLiteral("0"));
    EXPECT_EQ(s.stato.SuonoFile[0], QStringLiteral("N/D"));
}

struct OutOfRangeCase
{
    const char* section;
    const char* value;
    const char* text;
    int (*field)(const StatoProgramma&);
    int expected;
};

int modo(const StatoProgramma& s)
{
    return static_cast<int>(s.ModoVisualizzazione);
}
int classe(const StatoProgramma& s)
{
    return s.TariffaCorrente;
}
int ritardo(const StatoProgramma& s)
{
    return s.RitardoAvvio;
}
int tipo(const StatoProgramma& s)
{
    return s.TipoTariffaInternet;
}

void PrintTo(const OutOfRangeCase& c, std::ostream* os)
{
    *os << c.section << '/' << c.value << '=' << c.text;
}

class SnapshotRange : public ::testing::TestWithParam<OutOfRangeCase>
{
};

TEST_P(SnapshotRange, KeepsFieldsInTheirRange)
{
    Snapshot s;
    s.set(GetParam().section, GetParam().value, GetParam().text);
    s.stato.fromStore(s.store);
    EXPECT_EQ(GetParam().field(s.stato), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, SnapshotRange,
                         ::testing::Values(OutOfRangeCase{"visualizza", "tipo", "7", modo, 0},
                                           OutOfRangeCase{"visualizza", "tipo", "-1", modo, 0},
                                           OutOfRangeCase{"visualizza", "tipo", "3", modo, 3},
                                           OutOfRangeCase{"tariffa", "flag5", "0x3", classe, 3},
                                           OutOfRangeCase{"tariffa", "flag5", "tre", classe, 1},
                                           OutOfRangeCase{"tariffa", "flag5", "5", classe, 1},
                                           OutOfRangeCase{"tariffa", "flag5", "0", classe, 1},
                                           OutOfRangeCase{"ritardo", "secondi", "75", ritardo, 59},
                                           OutOfRangeCase{"ritardo", "secondi", "-3", ritardo, 0},
                                           OutOfRangeCase{"tariffa", "flag6", "7", tipo, 1},
                                           OutOfRangeCase{"tariffa", "flag6", "2", tipo, 2}));

// A tariff type or a unit price out of range would reach the archive and the
// totals: read as the default, each is told; the other fallbacks are silent.
TEST(StatoProgramma, TellsTheValuesThatWouldReachTheArchive)
{
    Snapshot s;
    s.set("tariffa", "flag6", "7");
    s.set("importo", "costo", "-152");
    s.set("tariffa", "flag5", "9");
    QStringList problemi;
    s.stato.fromStore(s.store, &problemi);
    EXPECT_EQ(s.stato.TipoTariffaInternet, 1);
    EXPECT_EQ(s.stato.CostoScatto, QStringLiteral("000"));
    EXPECT_EQ(s.stato.CostoScattoBase, QStringLiteral("000"));
    EXPECT_EQ(problemi, (QStringList{QStringLiteral("Costo scatto non valido: '-152'"),
                                     QStringLiteral("Il valore '7' dell'impostazione tariffa\\flag6 non è valido:\r"
                                                    "viene usato il valore 1.")}));
    problemi.clear();
    s.set("importo", "costo", "0x98");
    s.set("tariffa", "flag6", "2");
    s.stato.fromStore(s.store, &problemi);
    EXPECT_TRUE(problemi.isEmpty());
    EXPECT_EQ(s.stato.CostoScattoBase, QStringLiteral("0x98"));
}

TEST(StatoProgramma, PositionFollowsTheDisplayMode)
{
    Snapshot s;
    s.set("Posizione", "posX", "10");
    s.set("Posizione", "posY", "20");
    s.set("PosizioneFine", "posX", "30");
    s.set("PosizioneFine", "posY", "40");
    s.stato.fromStore(s.store);
    EXPECT_EQ(s.stato.Posizione, QPoint(10, 20));
    s.set("visualizza", "tipo", "2");
    s.stato.fromStore(s.store);
    EXPECT_EQ(s.stato.Posizione, QPoint(30, 40));
}

} // namespace
