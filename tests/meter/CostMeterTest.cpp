#include "meter/CostMeter.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

#include <gtest/gtest.h>

namespace {

// Monday 6 December 1999, with the factory bands: weekday TUT 220 s by day,
// class 2 75 s.
const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));

// Ticks every 100 ms from `start` for `seconds`, returning the money each
// unit added and the second (from `start`) at which it fell.
struct Unit
{
    qint64 lire;
    double at;
    bool operator==(const Unit&) const = default;
};

void PrintTo(const Unit& u, std::ostream* os)
{
    *os << u.lire << " lire at " << u.at << " s";
}

// The factory price.
CostMeter::Settings prezzo152()
{
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    return settings;
}

std::vector<Unit> run(CostMeter& meter, const QDateTime& start, int seconds)
{
    std::vector<Unit> units;
    for (int tenth = 1; tenth <= seconds * 10; ++tenth) {
        const qint64 before = meter.CostoSessione();
        if (meter.tick(start.addMSecs(tenth * 100)).scattoCaduto)
            units.push_back({meter.CostoSessione() - before, tenth / 10.0});
    }
    return units;
}

struct SessionCase
{
    const char* name;
    int tipo;       // TipoTariffaInternet
    int classe;     // TariffaCorrente
    int frazione;   // frazione scatto
    bool automatic; // AvvioAutomatico "ON", RitardoAvvio 12
    int seconds;
    qint64 atAnswer;
    std::vector<Unit> units;
};

void PrintTo(const SessionCase& c, std::ostream* os)
{
    *os << c.name;
}

class CostMeterSession : public ::testing::TestWithParam<SessionCase>
{
};

TEST_P(CostMeterSession, ChargesTheAnswerAndEveryUnit)
{
    const SessionCase& c = GetParam();
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.TipoTariffaInternet = c.tipo;
    stato.TariffaCorrente = c.classe;
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    settings.prezzi.frazioneScatto = c.frazione;

    CostMeter meter(stato, settings, lunedi10, c.automatic ? lunedi10.addSecs(-12) : lunedi10);
    EXPECT_EQ(meter.CostoSessione(), c.atAnswer);
    EXPECT_EQ(run(meter, lunedi10, c.seconds), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CostMeterSession,
    ::testing::Values(
        SessionCase{"normalTut", 1, 1, 0, false, 700, 152, {{152, 220.0}, {152, 440.0}, {152, 660.0}}},
        // After the unit at answer the session has cost one base price: every later unit is halved.
        SessionCase{"reducedTut", 2, 1, 0, false, 500, 152, {{76, 220.0}, {76, 440.0}}},
        // The completed intervals first exceed 120 s at the unit at 150 s.
        SessionCase{"reducedClass2", 2, 2, 0, false, 310, 152, {{152, 75.0}, {152, 150.0}, {76, 225.0}, {76, 300.0}}},
        SessionCase{"normalClass2NeverReduced",
                    1,
                    2,
                    0,
                    false,
                    310,
                    152,
                    {{152, 75.0}, {152, 150.0}, {152, 225.0}, {152, 300.0}}},
        SessionCase{"frazioneScatto", 1, 1, 1, false, 230, 304, {{152, 220.0}}},
        // The first interval began 12 s before the start.
        SessionCase{"automaticStart", 1, 1, 0, true, 450, 152, {{152, 208.0}, {152, 428.0}}}),
    [](const ::testing::TestParamInfo<SessionCase>& info) { return std::string(info.param.name); });

// The meter reports the long-distance reduction once, at the unit that
// reaches it, and leaves the session's flag to the session.
TEST(CostMeter, ReportsTheLongDistanceReductionOnce)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.TipoTariffaInternet = 2;
    stato.TariffaCorrente = 2;
    CostMeter meter(stato, prezzo152(), lunedi10);
    std::vector<double> reported;
    for (int tenth = 1; tenth <= 3100; ++tenth) {
        if (meter.tick(lunedi10.addMSecs(tenth * 100)).riduzioneTele)
            reported.push_back(tenth / 10.0);
    }
    EXPECT_EQ(reported, std::vector<double>{150.0});
    EXPECT_TRUE(meter.riduzioneTele());
    EXPECT_EQ(stato.RiduzioneTeleAttiva, 0);
}

TEST(CostMeter, AutomaticStartShowsTheIntervalLessTheDelay)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter meter(stato, CostMeter::Settings(), lunedi10, lunedi10.addSecs(-12));
    EXPECT_EQ(meter.InizioIntervallo(), lunedi10.addSecs(-12));
    EXPECT_EQ(meter.secondiMancanti(), 208);
}

TEST(CostMeter, WarnsAndBeepsInTheLastSecondsThenTurnsGreenAfterTheUnit)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings settings;
    settings.inizio = 5;
    CostMeter meter(stato, settings, lunedi10);

    // 6.0 s left: no warning yet.
    EXPECT_EQ(meter.tick(lunedi10.addMSecs(214000)).beeps, 0);
    EXPECT_FALSE(meter.avviso());
    // From 5.9 s left (s = 5) every tick is red and beeps once.
    int warningTicks = 0;
    for (int ms = 214100; ms < 220000; ms += 100) {
        EXPECT_EQ(meter.tick(lunedi10.addMSecs(ms)).beeps, 1) << ms;
        EXPECT_TRUE(meter.avviso());
        ++warningTicks;
    }
    EXPECT_EQ(warningTicks, 59);
    // The unit's tick beeps for the warning and for the unit.
    const CostMeter::Tick unit = meter.tick(lunedi10.addMSecs(220000));
    EXPECT_TRUE(unit.scattoCaduto);
    EXPECT_EQ(unit.beeps, 2);
    EXPECT_TRUE(meter.avviso());
    EXPECT_EQ(meter.tick(lunedi10.addMSecs(220100)).beeps, 0);
    EXPECT_FALSE(meter.avviso());
    EXPECT_EQ(meter.DecimiTrascorsi(), 1);
}

TEST(CostMeter, BandChangeTakesEffectOnlyAtAUnitBoundary)
{
    // The night band (400 s) runs on past 08:00:00, when the day band (220 s) begins.
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const QDateTime start(QDate(1999, 12, 6), QTime(7, 58));
    CostMeter meter(stato, prezzo152(), start);
    EXPECT_EQ(meter.CadenzaScatto(), 4000);
    EXPECT_EQ(run(meter, start, 620), (std::vector<Unit>{{152, 400.0}, {152, 620.0}}));
    EXPECT_EQ(meter.CadenzaScatto(), 2200);
}

TEST(CostMeter, ForcedHolidayCountsFromTheNextUnit)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter meter(stato, prezzo152(), lunedi10);
    meter.tick(lunedi10.addSecs(100));
    stato.FestivoForzato = 1;
    meter.tick(lunedi10.addSecs(219));
    EXPECT_EQ(meter.CadenzaScatto(), 2200);
    meter.tick(lunedi10.addSecs(220));
    EXPECT_EQ(meter.CadenzaScatto(), 4000);
}

TEST(CostMeter, ElapsedTimeComesFromTheInstantsNotFromTheTicks)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.TariffaCorrente = 2;
    CostMeter meter(stato, prezzo152(), lunedi10);
    // A tick that comes 5 s late charges one unit and counts the whole overshoot.
    EXPECT_TRUE(meter.tick(lunedi10.addSecs(80)).scattoCaduto);
    EXPECT_EQ(meter.CostoSessione(), 304);
    EXPECT_EQ(meter.DecimiCompletati(), 800);
    EXPECT_EQ(meter.InizioIntervallo(), lunedi10.addSecs(80));
    EXPECT_FALSE(meter.tick(lunedi10.addMSecs(154900)).scattoCaduto);
    EXPECT_TRUE(meter.tick(lunedi10.addSecs(155)).scattoCaduto);
}

TEST(CostMeter, PriceThatIsNotAWholeNumberCountsNothingButKeepsCounting)
{
    for (const char* price : {"1,5", "abc", "-10", ""}) {
        StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
        stato.TipoTariffaInternet = 2;
        CostMeter::Settings settings;
        settings.costo = QString::fromLatin1(price);
        CostMeter meter(stato, settings, lunedi10);
        EXPECT_TRUE(meter.prezzoNonValido()) << price;
        EXPECT_EQ(meter.testoPrezzo(), QString::fromLatin1(price));
        EXPECT_EQ(run(meter, lunedi10, 220), (std::vector<Unit>{{0, 220.0}})) << price;
        EXPECT_EQ(meter.digitsText(), QStringLiteral("000000"));
    }
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings zero;
    zero.costo = QStringLiteral("000");
    EXPECT_FALSE(CostMeter(stato, zero, lunedi10).prezzoNonValido());
}

TEST(CostMeter, UnreadableBandAtTheStartFailsTheCreation)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.feriali[1] = QStringLiteral("000");
    EXPECT_THROW(CostMeter(stato, CostMeter::Settings(), lunedi10), EConvertError);
}

TEST(CostMeter, UnreadableBandAtAUnitKeepsTheIntervalAndSaysWhy)
{
    // Friday night into a Saturday whose bands cannot be read.
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.sabato[0] = QStringLiteral("xx.00.00-13.00.00-2200-0750-0400-0267");
    const QDateTime venerdi(QDate(1999, 12, 10), QTime(23, 59));
    CostMeter meter(stato, prezzo152(), venerdi);
    const CostMeter::Tick tick = meter.tick(venerdi.addSecs(400));
    EXPECT_TRUE(tick.scattoCaduto);
    EXPECT_TRUE(tick.errore.contains(QStringLiteral("xx.00.00"))) << tick.errore.toStdString();
    EXPECT_EQ(meter.CadenzaScatto(), 4000);
    EXPECT_TRUE(meter.tick(venerdi.addSecs(800)).scattoCaduto);
}

TEST(CostMeter, SettingsFromTheStore)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    EXPECT_EQ(CostMeter::Settings::fromStore(store).costo, QStringLiteral("000"));
    store.writeFirstRunDefaults(220);
    store.writeText(QStringLiteral("suono"), QStringLiteral("beep"), QStringLiteral("OFF"));
    const CostMeter::Settings read = CostMeter::Settings::fromStore(store);
    EXPECT_EQ(read.costo, QStringLiteral("152"));
    EXPECT_FALSE(read.beep);
    EXPECT_EQ(read.prezzi.ridTutDopo, 1);
    EXPECT_EQ(read.prezzi.ridTelDopo, 120);
}

// Reductions and prices the store holds out of range would make negative or
// inflated costs: they are read as their defaults, each told once.
TEST(CostMeter, SettingsOutOfRangeAreReadAsTheirDefaults)
{
    MemorySettingsBackend backend;
    SettingsStore store(backend);
    store.writeFirstRunDefaults(220);
    store.writeText(QStringLiteral("internet"), QStringLiteral("ridTut"), QStringLiteral("-50"));
    store.writeText(QStringLiteral("internet"), QStringLiteral("ridTelDopo"), QStringLiteral("-1"));
    store.writeText(QStringLiteral("frazione"), QStringLiteral("scatto"), QStringLiteral("2"));
    store.writeText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("-152"));
    QStringList problemi;
    const CostMeter::Settings read = CostMeter::Settings::fromStore(store, &problemi);
    EXPECT_EQ(read.prezzi.ridTut, 50);
    EXPECT_EQ(read.prezzi.ridTelDopo, 120);
    EXPECT_EQ(read.prezzi.frazioneScatto, 0);
    EXPECT_EQ(read.costo, QStringLiteral("000"));
    EXPECT_EQ(problemi,
              (QStringList{QStringLiteral("Il valore '-50' dell'impostazione internet\\ridTut non è valido:\r"
                                          "viene usato il valore 50."),
                           QStringLiteral("Il valore '-1' dell'impostazione internet\\ridTelDopo non è valido:\r"
                                          "viene usato il valore 120."),
                           QStringLiteral("Il valore '2' dell'impostazione frazione\\scatto non è valido:\r"
                                          "viene usato il valore 0."),
                           QStringLiteral("Costo scatto non valido: '-152'")}));
}

} // namespace
