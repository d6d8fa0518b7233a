#include "compact/BarraCompatta.h"
#include "session/CountingSession.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeServizi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Avviso = ControlloLimitiInDiretta::Avviso;
using Suono = BarraCompatta::Suono;

// Monday 6 December 1999: the factory bands count TUT at 220 s by day.
const QDateTime lunedi10(QDate(1999, 12, 6), QTime(10, 0));

// A session of the strip: its meter, started at `now` (backdated to `start`),
// ticked every 100 ms as the strip's timer does.
struct Sessione
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings settings;
    ControlloLimitiInDiretta::Limiti limiti;
    int consumiGiorno = 0;
    QDateTime now = lunedi10;
    std::unique_ptr<CostMeter> meter;
    BarraCompatta barra;
    // What the ticks asked for, with the tenth of a second from the start at which they asked.
    QList<std::pair<Avviso, qint64>> avvisi;
    int suoniScatto = 0;

    Sessione() { settings.costo = QStringLiteral("152"); }

    void start(const QDateTime& inizio)
    {
        meter = std::make_unique<CostMeter>(stato, settings, now, inizio);
        barra.start(now, inizio, meter.get(), limiti);
    }
    void start() { start(now); }
    // Ticks until `decimi` tenths after `from`.
    void tickFino(qint64 decimi, const QDateTime& from = lunedi10)
    {
        while (from.msecsTo(now) / 100 < decimi) {
            now = now.addMSecs(100);
            const BarraCompatta::Passo passo = barra.tick(now, *meter, meter->tick(now), consumiGiorno);
            for (Avviso a : passo.avvisi)
                avvisi.append({a, from.msecsTo(now) / 100});
            suoniScatto += passo.suoniScatto;
        }
    }
    void stop()
    {
        meter->close();
        barra.stop(now);
    }
};

} // namespace

TEST(BarraCompatta, ClassCaptionsAndCycle)
{
    const struct
    {
        int classe;
        const char* caption;
        int successiva;
    } cases[] = {{1, "Tut", 2}, {2, "15", 3}, {3, "30", 4}, {4, ">30", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(BarraCompatta::captionClasse(c.classe), QString::fromLatin1(c.caption));
        EXPECT_EQ(BarraCompatta::classeSuccessiva(c.classe), c.successiva);
    }
}

TEST(BarraCompatta, UserSoundWhenSetElseBeep)
{
    StatoProgramma stato;
    stato.SuonoFile = {QStringLiteral("/suoni/scatto.wav"), QStringLiteral("N/D"), QString()};
    EXPECT_EQ(BarraCompatta::fileSuono(stato, Suono::FineScatto), QStringLiteral("/suoni/scatto.wav"));
    EXPECT_TRUE(BarraCompatta::fileSuono(stato, Suono::DurataCollegamento).isEmpty());
    EXPECT_TRUE(BarraCompatta::fileSuono(stato, Suono::DurataGiornaliera).isEmpty());

    FakeSounds sounds;
    for (Suono s : {Suono::FineScatto, Suono::DurataCollegamento, Suono::DurataGiornaliera})
        BarraCompatta::suona(sounds, stato, s);
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("/suoni/scatto.wav")});
    EXPECT_EQ(sounds.beeps, 2);
    EXPECT_EQ(BarraCompatta::suonoAvviso(Avviso::Collegamento), Suono::DurataCollegamento);
    EXPECT_EQ(BarraCompatta::suonoAvviso(Avviso::Giornaliero), Suono::DurataGiornaliera);
}

TEST(BarraCompatta, StartShowsTheAnswerUnitsTheIntervalAndTheStartTime)
{
    Sessione s;
    s.settings.prezzi.frazioneScatto = 1;
    s.settings.costo = QStringLiteral("127");
    s.start();
    EXPECT_EQ(s.meter->CostoSessione(), 254);
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000254"));
    EXPECT_EQ(s.barra.cadenza(), QStringLiteral("220"));
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 220"));
    EXPECT_EQ(s.barra.gaugeMaximum(), 2200);
    EXPECT_EQ(s.barra.gaugeValue(), 0);
    EXPECT_EQ(s.barra.pannelloInizio(), QStringLiteral("inizio : 10.00.00"));
    EXPECT_TRUE(s.barra.pannelloFine().isEmpty());
    EXPECT_TRUE(s.barra.costo().isEmpty());

    s.tickFino(1);
    EXPECT_EQ(s.barra.costo(), QStringLiteral("254 -> 219"));
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 219"));
}

// suono\inizio 5 and a 60 s interval: red from the tick that shows "resto: 5",
// a "Fine Scatto" sound on each tick of the period and one more at the unit.
TEST(BarraCompatta, WarningPeriodTurnsTheGaugeRedAtRestoFive)
{
    Sessione s;
    s.stato.feriali[0] = QStringLiteral("08.00.00-18.30.00-0600-0750-0400-0267");
    s.start();
    EXPECT_EQ(s.barra.cadenza(), QStringLiteral("60"));
    s.tickFino(540);
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 6"));
    EXPECT_FALSE(s.barra.gaugeRed());
    EXPECT_EQ(s.suoniScatto, 0);
    s.tickFino(541);
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 5"));
    EXPECT_TRUE(s.barra.gaugeRed());
    EXPECT_EQ(s.suoniScatto, 1);
    s.tickFino(599);
    EXPECT_EQ(s.suoniScatto, 59);
    s.tickFino(600);
    EXPECT_EQ(s.suoniScatto, 61); // the last tick of the period and the unit
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000304"));
    EXPECT_TRUE(s.barra.gaugeRed());
    s.tickFino(601);
    EXPECT_FALSE(s.barra.gaugeRed());
    EXPECT_EQ(s.suoniScatto, 61);
}

TEST(BarraCompatta, BeepOffSilencesTheUnitsButNotTheLimitWarnings)
{
    Sessione s;
    s.settings.beep = false;
    s.limiti.collegamento = 600;
    s.limiti.anticipo = 100;
    s.start();
    s.tickFino(2200);
    EXPECT_EQ(s.suoniScatto, 0);
    EXPECT_EQ(s.avvisi, (QList<std::pair<Avviso, qint64>>{{Avviso::Collegamento, 500}}));
}

// The gauge takes a new unit's interval on the first tick of that unit, not at its fall.
TEST(BarraCompatta, GaugeMaximumChangesOnTheFirstTickOfANewUnit)
{
    Sessione s;
    s.now = QDateTime(QDate(1999, 12, 6), QTime(18, 29, 0));
    s.start();
    EXPECT_EQ(s.barra.gaugeMaximum(), 2200);
    const QDateTime inizio = s.now;
    s.tickFino(2200, inizio); // the unit falls at 18:32:40: the evening band counts 400 s
    EXPECT_EQ(s.meter->CadenzaScatto(), 4000);
    EXPECT_EQ(s.barra.gaugeMaximum(), 2200);
    EXPECT_EQ(s.barra.gaugeValue(), 2200);
    EXPECT_EQ(s.barra.cadenza(), QStringLiteral("400"));
    s.tickFino(2201, inizio);
    EXPECT_EQ(s.barra.gaugeMaximum(), 4000);
    EXPECT_EQ(s.barra.gaugeValue(), 1);
}

// ritardo\secondi 12: the start panel and the first unit reach 12 s back,
// the limit watch counts from the moment of the start.
TEST(BarraCompatta, AutomaticStartIsBackdatedButTheLimitWatchIsNot)
{
    Sessione s;
    s.limiti.collegamento = 600; // one minute
    const QDateTime inizio = lunedi10.addSecs(-12);
    s.start(inizio);
    EXPECT_EQ(s.barra.pannelloInizio(), QStringLiteral("inizio : 09.59.48"));
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 208"));
    s.tickFino(599);
    EXPECT_TRUE(s.avvisi.isEmpty());
    EXPECT_EQ(s.barra.DecimiSessione(), 599);
    s.tickFino(600);
    EXPECT_EQ(s.avvisi, (QList<std::pair<Avviso, qint64>>{{Avviso::Collegamento, 600}}));
    s.tickFino(2079);
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000152"));
    s.tickFino(2080); // 208 s after the start, 220 s after the backdated beginning
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000304"));
}

TEST(BarraCompatta, PerConnectionLimitWarnsOnceAtItsLead)
{
    Sessione s;
    s.limiti.collegamento = 30 * 600;
    s.limiti.anticipo = 100;
    s.start();
    s.tickFino(17899);
    EXPECT_TRUE(s.avvisi.isEmpty());
    s.tickFino(19000);
    EXPECT_EQ(s.avvisi, (QList<std::pair<Avviso, qint64>>{{Avviso::Collegamento, 17900}}));
}

TEST(BarraCompatta, DailyLimitWarnsOnlyWhenTodayCrossesIt)
{
    const struct
    {
        int usati;
        QList<std::pair<Avviso, qint64>> avvisi;
    } cases[] = {
        {70, {}},
        {59, {{Avviso::Giornaliero, 500}}},
    };
    for (const auto& c : cases) {
        Sessione s;
        s.limiti.giornaliero = 60 * 600;
        s.limiti.anticipo = 100;
        s.consumiGiorno = c.usati;
        s.start();
        s.tickFino(3000);
        EXPECT_EQ(s.avvisi, c.avvisi) << c.usati;
    }
}

TEST(BarraCompatta, MoneyStaysAfterTheStopAndTheNextStartResetsIt)
{
    Sessione s;
    s.start();
    s.tickFino(2200);
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000304"));
    s.now = s.now.addSecs(5);
    s.stop();
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000304"));
    EXPECT_EQ(s.barra.resto(), QStringLiteral("resto: 000"));
    EXPECT_EQ(s.barra.gaugeValue(), 0);
    EXPECT_FALSE(s.barra.gaugeRed());
    EXPECT_EQ(s.barra.pannelloFine(), QStringLiteral("fine   : 10.03.45"));
    EXPECT_EQ(s.barra.pannelloInizio(), QStringLiteral("inizio : 10.00.00"));

    s.start();
    EXPECT_EQ(s.barra.digits(), QStringLiteral("000152"));
    EXPECT_TRUE(s.barra.pannelloFine().isEmpty());
}

// Both warnings are re-armed at each start.
TEST(BarraCompatta, EachSessionGetsItsOwnWarnings)
{
    Sessione s;
    s.limiti.collegamento = 600;
    s.start();
    s.tickFino(700);
    s.stop();
    const QDateTime seconda = s.now;
    s.start();
    s.tickFino(600, seconda);
    EXPECT_EQ(s.avvisi.size(), 2);
}

namespace {

// The strip's start and stop on a store and an archive: what they tell the user.
struct Barra : FakeServizi
{
    BarraCompatta barra;
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
};

TEST(BarraCompatta, TheStartReadsTheLimitsAndTellsTheSessionsBoxesFirst)
{
    Barra b;
    b.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit3_value"), QStringLiteral("trenta"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox5_Checked"), QStringLiteral("True"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    SessionStart avvio;
    avvio.now = avvio.start = lunedi10;
    avvio.messages = {{QStringLiteral("Creazione archivio chiamate")}};
    const QList<Message> detti = b.barra.avvia(avvio, nullptr, b.store);
    ASSERT_EQ(detti.size(), 2);
    EXPECT_EQ(detti.at(0).text, QStringLiteral("Creazione archivio chiamate"));
    EXPECT_TRUE(detti.at(1).text.contains(QStringLiteral("RxSpinEdit3_value"))) << detti.at(1).text.toStdString();
    EXPECT_EQ(b.barra.limiti().giornaliero, 60 * 600);
    EXPECT_EQ(b.barra.limiti().collegamento, 0);
    EXPECT_EQ(b.barra.pannelloInizio(), QStringLiteral("inizio : 10.00.00"));
}

// After a stop the limits are checked without the daily messages; today's
// consumption stays for the next session's watch, and a missing closing
// record leads to the repair.
TEST(BarraCompatta, TheStopChecksTheLimits)
{
    Barra b;
    b.configured(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("RxCalcEdit1_value"), QStringLiteral("100"));
    b.configured(QStringLiteral("limiti"), QStringLiteral("CheckBox7_Checked"), QStringLiteral("True"));
    const auto scrivi = [&b](const QByteArray& righe) {
        QFile archivio(b.archive());
        ASSERT_TRUE(archivio.open(QIODevice::WriteOnly));
        archivio.write(righe);
    };
    scrivi("06/12/1999 11.00.00 collegamento Aperto  011 Casa\r\n06/12/1999 12.05.00 collegamento Chiuso  011\r\n");
    SessionStop fine{QDateTime(QDate(1999, 12, 6), QTime(12, 5)), {{QStringLiteral("primo")}}};
    BarraCompatta::Arresto arresto = b.barra.arresta(fine, b.archive(), b.stato, b.store);
    ASSERT_EQ(arresto.messaggi.size(), 2);
    EXPECT_EQ(arresto.messaggi.at(0).text, QStringLiteral("primo"));
    EXPECT_EQ(arresto.messaggi.at(1).text, QStringLiteral("Limite Mensile superato fra 35 minuti"));
    EXPECT_FALSE(arresto.interrotto);
    EXPECT_EQ(b.stato.consumiGiorno, 65);
    EXPECT_EQ(b.barra.pannelloFine(), QStringLiteral("fine   : 12.05.00"));

    scrivi("06/12/1999 11.00.00 collegamento Aperto  011 Casa\r\n");
    arresto = b.barra.arresta({fine.end, {}}, b.archive(), b.stato, b.store);
    EXPECT_TRUE(arresto.interrotto);
    ASSERT_FALSE(arresto.messaggi.isEmpty());
    EXPECT_TRUE(arresto.messaggi.at(0).text.contains(QStringLiteral("manca la chiusura del collegamento")));
}

} // namespace
