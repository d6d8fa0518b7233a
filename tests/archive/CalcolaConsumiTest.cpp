#include "archive/CalcolaConsumi.h"
#include "archive/Mesi.h"
#include "archive/Windows1252.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/support/ArchiveGenerator.h"
#include "tests/support/ReferenceConsumi.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>

namespace {

struct RecordingSink : ConsumiRowSink
{
    QList<ConsumiDay> rows;
    bool finished = false;
    bool row(const ConsumiDay& giorno) override
    {
        rows.append(giorno);
        return true;
    }
    bool finish() override { return finished = true; }
    QString error() const override { return QString(); }
};

// A settings store with the factory values, the snapshot taken from it and an archive file.
struct Ambiente : ArchiveFixture
{

    ConsumiResult calcola(ConsumiMode modo, const char* dal, const char* al, const ConsumiHooks& hooks = {})
    {
        return calcolaConsumi(archivio, modo, QDate::fromString(QLatin1String(dal), QStringLiteral("dd/MM/yyyy")),
                              QDate::fromString(QLatin1String(al), QStringLiteral("dd/MM/yyyy")), stato, store, hooks);
    }
};

QString aperto(const char* dataOra, const char* nome = "Casa", const char* cifre = "011")
{
    return QStringLiteral("%1 collegamento Aperto  %2 %3")
        .arg(QLatin1String(dataOra), QLatin1String(cifre), QString::fromUtf8(nome));
}

QString chiuso(const char* dataOra, const char* cifre = "011")
{
    return QStringLiteral("%1 collegamento Chiuso  %2").arg(QLatin1String(dataOra), QLatin1String(cifre));
}

ConsumiHooks conRighe(ConsumiRowSink* righe)
{
    ConsumiHooks hooks;
    hooks.righe = righe;
    return hooks;
}

struct Scenario
{
    const char* nome;
    ArchiveGenerator::Options options;
    bool notteDiversa; // weekday nights at another interval: band changes at midnight
    int frazione;
    ConsumiResult::Outcome atteso; // what the whole archive gives
};

void PrintTo(const Scenario& s, std::ostream* os)
{
    *os << s.nome;
}

ArchiveGenerator::Options opzioni(std::function<void(ArchiveGenerator::Options&)> cambia)
{
    ArchiveGenerator::Options o;
    o.days = 45;
    o.callsPerDay = 5;
    cambia(o);
    return o;
}

class OnePassMatchesDayByDay : public ::testing::TestWithParam<Scenario>
{
};

// The one-pass engine against the reading of the archive once per day, on
// made-up archives and ranges inside, across and outside them: outcomes,
// messages, the unpaired record, totals and day rows must all agree.
TEST_P(OnePassMatchesDayByDay, OnEveryRange)
{
    const Scenario& s = GetParam();
    Ambiente a;
    if (s.notteDiversa)
        a.stato.feriali[2] = QStringLiteral("00.00.00-07.59.59-3000-1400-0700-0450");
    PricingSettings prezzi;
    prezzi.frazioneScatto = s.frazione;
    for (quint32 seed : {1u, 2u}) {
        ArchiveGenerator::Options o = s.options;
        o.seed = seed;
        ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));
        const QDate primo = o.firstDay;
        const QDate ultimo = o.firstDay.addDays(o.days - 1);
        QList<QPair<QDate, QDate>> intervalli{{primo.addDays(-3), ultimo.addDays(3)},
                                              {primo, primo},
                                              {primo.addDays(10), primo.addDays(40)},
                                              {primo.addDays(-30), primo.addDays(-1)}};
        QRandomGenerator random(seed);
        for (int i = 0; i < 3; ++i) {
            const QDate dal = primo.addDays(random.bounded(-5, o.days));
            intervalli.append({dal, dal.addDays(random.bounded(0, 40))});
        }
        for (const auto& [dal, al] : intervalli) {
            SCOPED_TRACE(
                QStringLiteral("seed %1, %2 - %3").arg(seed).arg(formatDate(dal), formatDate(al)).toStdString());
            RecordingSink righeVeloci, righeRiferimento;
            const ConsumiResult veloce = scanConsumi(a.archivio, dal, al, a.stato, prezzi, &righeVeloci);
            const ConsumiResult riferimento =
                referenceScanConsumi(a.archivio, dal, al, a.stato, prezzi, &righeRiferimento);
            EXPECT_EQ(veloce.outcome, riferimento.outcome);
            EXPECT_EQ(veloce.message.toStdString(), riferimento.message.toStdString());
            EXPECT_EQ(veloce.aperturaSenzaChiusura.riga.toStdString(),
                      riferimento.aperturaSenzaChiusura.riga.toStdString());
            EXPECT_EQ(veloce.totals, riferimento.totals);
            EXPECT_EQ(righeVeloci.rows, righeRiferimento.rows);
        }
        const ConsumiResult tutto = scanConsumi(a.archivio, primo, ultimo, a.stato, prezzi);
        EXPECT_EQ(tutto.outcome, s.atteso);
        if (s.atteso == ConsumiResult::Outcome::Done) {
            EXPECT_GT(tutto.totals.ultimaGiornata.collegamenti, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Archives, OnePassMatchesDayByDay,
    ::testing::Values(Scenario{"clean", opzioni([](auto&) {}), false, 0, ConsumiResult::Outcome::Done},
                      Scenario{"midnight band changes and an extra unit",
                               opzioni([](auto& o) { o.midnightCalls = 0.2; }), true, 1, ConsumiResult::Outcome::Done},
                      Scenario{"untidy", opzioni([](auto& o) {
                                   o.days = 90;
                                   o.callsPerDay = 6;
                                   o.emptyLines = 0.1;
                                   o.oldOpenings = 0.1;
                                   o.oldestRecords = 0.03;
                                   o.oddDigits = 0.05;
                                   o.junkLines = 0.1;
                                   o.outOfOrder = 0.1;
                                   o.mixedLineEnds = true;
                                   o.finalLineEnd = false;
                               }),
                               true, 0, ConsumiResult::Outcome::Done},
                      Scenario{"missing closures", opzioni([](auto& o) {
                                   o.missingClosures = {40, 90, 91, 170};
                                   o.outOfOrder = 0.05;
                                   o.emptyLines = 0.05;
                               }),
                               false, 0, ConsumiResult::Outcome::MissingClosure},
                      Scenario{"missing closures and bad times", opzioni([](auto& o) {
                                   o.missingClosures = {120, 200};
                                   o.badTimes = 0.01;
                                   o.outOfOrder = 0.1;
                               }),
                               false, 0, ConsumiResult::Outcome::ConversionError}));

// The limits check's ranges from one reading: each result must be the one
// the range's own pass gives, whatever the others find (a missing closure
// or a bad time in one range, none in another).
TEST_P(OnePassMatchesDayByDay, ForSeveralRangesAtOnce)
{
    const Scenario& s = GetParam();
    Ambiente a;
    if (s.notteDiversa)
        a.stato.feriali[2] = QStringLiteral("00.00.00-07.59.59-3000-1400-0700-0450");
    ArchiveGenerator::Options o = s.options;
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));
    a.store.writeInteger(Catalogue::FrazioneScatto, s.frazione);
    const QDate primo = o.firstDay;
    QRandomGenerator random(7);
    for (int prova = 0; prova < 6; ++prova) {
        QList<ConsumiRange> intervalli;
        for (const ConsumiMode modo : {ConsumiMode::Daily, ConsumiMode::Monthly, ConsumiMode::Yearly}) {
            const QDate dal = primo.addDays(random.bounded(-5, o.days));
            intervalli.append({modo, dal, dal.addDays(random.bounded(0, 60))});
        }
        const QList<ConsumiResult> insieme = calcolaConsumi(a.archivio, intervalli, a.stato, a.store);
        ASSERT_EQ(insieme.size(), intervalli.size());
        for (qsizetype i = 0; i < intervalli.size(); ++i) {
            const ConsumiRange& r = intervalli.at(i);
            SCOPED_TRACE(QStringLiteral("%1 - %2").arg(formatDate(r.dal), formatDate(r.al)).toStdString());
            StatoProgramma stato = a.stato;
            const ConsumiResult solo = calcolaConsumi(a.archivio, r.modo, r.dal, r.al, stato, a.store);
            EXPECT_EQ(insieme[i].outcome, solo.outcome);
            EXPECT_EQ(insieme[i].message.toStdString(), solo.message.toStdString());
            EXPECT_EQ(insieme[i].aperturaSenzaChiusura.riga.toStdString(),
                      solo.aperturaSenzaChiusura.riga.toStdString());
            EXPECT_EQ(insieme[i].totals, solo.totals);
            EXPECT_EQ(insieme[i].minuti, solo.minuti);
            EXPECT_EQ(insieme[i].archivio, solo.archivio);
        }
    }
}

// Counts the writes that reach the store.
class CountingBackend : public MemorySettingsBackend
{
public:
    bool setValue(const QString& key, const QString& name, const QString& text) override
    {
        ++writes;
        return MemorySettingsBackend::setValue(key, name, text);
    }
    int writes = 0;
};

// Every start runs the limits check, and every write rewrites and syncs the
// store: minutes that did not change are not written again.
TEST(CalcolaConsumi, UnchangedMinutesAreNotWrittenAgain)
{
    Ambiente a;
    CountingBackend backend;
    SettingsStore store(backend);
    a.scrivi({aperto("22/03/1999 10.00.00"), chiuso("22/03/1999 10.05.00")});
    const QDate giorno(1999, 3, 22);
    EXPECT_EQ(calcolaConsumi(a.archivio, ConsumiMode::Daily, giorno, giorno, a.stato, store).minuti, 5);
    EXPECT_EQ(backend.writes, 1);
    a.stato.consumiGiorno = 0;
    EXPECT_EQ(calcolaConsumi(a.archivio, ConsumiMode::Daily, giorno, giorno, a.stato, store).minuti, 5);
    EXPECT_EQ(backend.writes, 1);
    EXPECT_EQ(a.stato.consumiGiorno, 5) << "kept in memory all the same";
    a.scrivi({aperto("22/03/1999 10.00.00"), chiuso("22/03/1999 10.06.00")});
    EXPECT_EQ(calcolaConsumi(a.archivio, ConsumiMode::Daily, giorno, giorno, a.stato, store).minuti, 6);
    EXPECT_EQ(backend.writes, 2);
    EXPECT_EQ(store.read(Catalogue::LimitiConsumiGiorno), QStringLiteral("6"));
}

TEST(CalcolaConsumi, ARangeWithoutCalls)
{
    Ambiente a;
    a.scrivi({aperto("10/03/1999 10.00.00"), chiuso("10/03/1999 10.05.00")});
    RecordingSink righe;
    const ConsumiResult r = a.calcola(ConsumiMode::Export, "01/02/1999", "28/02/1999", conRighe(&righe));
    ASSERT_EQ(r.outcome, ConsumiResult::Outcome::Done);
    EXPECT_EQ(r.totals, ConsumiTotals{});
    const ConsumiTexts t = ConsumiTexts::from(r.totals, QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(t.durata, QString());
    EXPECT_EQ(t.costo, QStringLiteral("L.\u00a00"));
    EXPECT_EQ(t.ultimoTempo, QStringLiteral("0h 0m 0s "));
    ASSERT_EQ(righe.rows.size(), 28);
    EXPECT_EQ(righe.rows.last(), (ConsumiDay{QDate(1999, 2, 28), 0, 0, 0, QStringLiteral("---")}));
    EXPECT_TRUE(righe.finished);
}

TEST(CalcolaConsumi, LastCallLastDayAndProvider)
{
    Ambiente a;
    // 22/03/1999 was a Monday: 2200 tenths on class 1 in the daytime.
    a.scrivi({aperto("22/03/1999 10.00.00", "Primo"), chiuso("22/03/1999 10.05.00"),
              aperto("22/03/1999 11.00.00", "Secondo"), chiuso("22/03/1999 11.10.00"),
              aperto("23/03/1999 10.00.00", "Terzo"), chiuso("23/03/1999 10.03.40"),
              aperto("23/03/1999 12.00.00", "Quarto"), QString(), chiuso("23/03/1999 12.00.00"),
              aperto("24/03/1999 23.50.00", "Notte"), chiuso("25/03/1999 00.20.00"),
              aperto("21/03/1999 23.50.00", "Prima"), chiuso("22/03/1999 00.10.00")});
    RecordingSink righe;
    const ConsumiResult r = a.calcola(ConsumiMode::Export, "22/03/1999", "24/03/1999", conRighe(&righe));
    ASSERT_EQ(r.outcome, ConsumiResult::Outcome::Done);
    const ConsumiTotals& t = r.totals;
    EXPECT_EQ(t.collegamenti, 5);
    EXPECT_EQ(t.secondi, 300 + 600 + 220 + 0 + 1800);
    EXPECT_EQ(t.scatti, 2 + 3 + 2 + 0 + 5);
    EXPECT_EQ(t.costo, 12 * 152.0);
    // The night call of the last day is the last call and the last day.
    EXPECT_EQ(t.ultimoCollegamento, (ConsumiTotals::UltimoCollegamento{5, 760, 1800}));
    EXPECT_EQ(t.ultimaGiornata, (ConsumiTotals::UltimaGiornata{5, 760, 1800, 1}));
    ASSERT_EQ(righe.rows.size(), 3);
    EXPECT_EQ(righe.rows[0], (ConsumiDay{QDate(1999, 3, 22), 5, 5 * 152.0, 900, QStringLiteral("Secondo")}));
    EXPECT_EQ(righe.rows[1], (ConsumiDay{QDate(1999, 3, 23), 2, 2 * 152.0, 220, QStringLiteral("Quarto")}));
    EXPECT_EQ(righe.rows[2], (ConsumiDay{QDate(1999, 3, 24), 5, 5 * 152.0, 1800, QStringLiteral("Notte")}));

    // Over the 23rd alone the call of 0 seconds is the last one read: it
    // counts as a connection and leaves the previous units with 0 as the time.
    const ConsumiResult giorno = a.calcola(ConsumiMode::Statistics, "23/03/1999", "23/03/1999");
    EXPECT_EQ(giorno.totals.ultimoCollegamento, (ConsumiTotals::UltimoCollegamento{2, 304, 0}));
    EXPECT_EQ(giorno.totals.ultimaGiornata, (ConsumiTotals::UltimaGiornata{2, 304, 220, 2}));
    const ConsumiTexts testi = ConsumiTexts::from(giorno.totals, QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(testi.durata, QStringLiteral("0h 3m 40s"));
    EXPECT_EQ(testi.ultimoTempo, QStringLiteral("0h 0m 0s "));
    EXPECT_EQ(testi.giornataTempo, QStringLiteral("0h 3m 40s "));
    EXPECT_EQ(testi.collegamenti, QStringLiteral("2"));
}

TEST(CalcolaConsumi, MinutesOfTheLimitModes)
{
    Ambiente a;
    a.scrivi({aperto("22/03/1999 10.00.00"), chiuso("22/03/1999 10.05.00"), aperto("23/03/1999 10.00.00"),
              chiuso("23/03/1999 10.02.30"), aperto("23/03/1999 11.00.00"), chiuso("23/03/1999 11.05.00")});
    EXPECT_EQ(a.calcola(ConsumiMode::Daily, "23/03/1999", "23/03/1999").minuti, 7);
    EXPECT_EQ(a.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiGiorno"), QString()),
              QStringLiteral("7"));
    EXPECT_EQ(a.stato.consumiGiorno, 7);
    EXPECT_EQ(a.calcola(ConsumiMode::Monthly, "01/03/1999", "31/03/1999").minuti, 12);
    EXPECT_EQ(a.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiMese"), QString()),
              QStringLiteral("12"));
    EXPECT_EQ(a.calcola(ConsumiMode::Yearly, "01/01/1999", "01/01/2000").minuti, 12);
    EXPECT_EQ(a.stato.consumiAnno, 12);
    EXPECT_EQ(a.calcola(ConsumiMode::Daily, "24/03/1999", "24/03/1999").minuti, 0);
    EXPECT_EQ(a.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiGiorno"), QString()),
              QStringLiteral("0"));
}

TEST(CalcolaConsumi, AMissingClosureStopsThePassAndAsksForTheRepair)
{
    Ambiente a;
    a.scrivi({aperto("21/03/1999 10.15.02"), chiuso("21/03/1999 10.47.40"), aperto("22/03/1999 10.00.00"), QString(),
              QString(), chiuso("22/03/1999 10.10.00")});
    a.store.writeText(QStringLiteral("limiti"), QStringLiteral("consumiMese"), QStringLiteral("5"));
    const ConsumiResult r = a.calcola(ConsumiMode::Monthly, "01/03/1999", "31/03/1999");
    EXPECT_TRUE(r.erroreArchivio());
    const QList<Message> messages = r.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("manca la chiusura del collegamento:\r22/03/1999 10.00.00 "));
    EXPECT_EQ(messages[0].title, QStringLiteral("Attenzione!"));
    EXPECT_EQ(messages[0].icon, Message::Icon::Critical);
    // What the repair starts from: the unpaired record, its proposed closure and the archive read.
    EXPECT_EQ(r.aperturaSenzaChiusura.riga, aperto("22/03/1999 10.00.00"));
    EXPECT_EQ(r.aperturaSenzaChiusura.chiusuraProposta(), chiuso("22/03/1999 10.00.00"));
    EXPECT_EQ(r.archivio, a.archivio);
    EXPECT_EQ(a.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiMese"), QString()),
              QStringLiteral("5"));
}

TEST(CalcolaConsumi, FailuresAreToldAndChangeNothing)
{
    Ambiente a;
    const ConsumiResult mancante = a.calcola(ConsumiMode::Daily, "22/03/1999", "22/03/1999");
    EXPECT_EQ(mancante.outcome, ConsumiResult::Outcome::ArchiveMissing);
    a.scrivi({aperto("22/03/1999 10.00.00"), chiuso("22/03/1999 10.0x.00")});
    const ConsumiResult conversione = a.calcola(ConsumiMode::Daily, "22/03/1999", "22/03/1999");
    EXPECT_EQ(conversione.outcome, ConsumiResult::Outcome::ConversionError);
    EXPECT_EQ(mancante.messages() + conversione.messages(),
              (QList<Message>{{QStringLiteral("Archivio chiamate inesistente!"), QStringLiteral("Attenzione!"),
                               Message::Icon::Critical},
                              {QStringLiteral("'22/03/1999 10.0x.00' is not a valid date and time"),
                               QStringLiteral("Attenzione!"), Message::Icon::Critical}}));
    EXPECT_EQ(a.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiGiorno"), QStringLiteral("-")),
              QStringLiteral("-"));
}

// Line ends of every kind, one split across two reading blocks, a line far
// longer than a block, one tolerated empty line and two that are not.
TEST(CalcolaConsumi, ReadsEveryLineEnd)
{
    Ambiente a;
    QByteArray bytes;
    bytes += QByteArray(65535, 'x') + "\r\n"; // the CR ends the first block, its LF starts the next
    bytes +=
        Windows1252::encode(aperto("22/03/1999 10.00.00")) + '\r' + Windows1252::encode(chiuso("22/03/1999 10.05.00"));
    bytes += '\n' + QByteArray(200000, 'y') + '\r';
    bytes += Windows1252::encode(aperto("22/03/1999 11.00.00")) + "\n\n" +
             Windows1252::encode(chiuso("22/03/1999 11.05.00"));
    bytes += "\r\n";
    {
        QFile file(a.archivio);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const ConsumiResult r = a.calcola(ConsumiMode::Statistics, "22/03/1999", "22/03/1999");
    ASSERT_EQ(r.outcome, ConsumiResult::Outcome::Done) << r.message.toStdString();
    EXPECT_EQ(r.totals.collegamenti, 2);
    EXPECT_EQ(r.totals.secondi, 600);
    EXPECT_EQ(r.totals, referenceScanConsumi(a.archivio, QDate(1999, 3, 22), QDate(1999, 3, 22), a.stato, {}).totals);

    a.scrivi({aperto("22/03/1999 10.00.00"), QString(), QString(), chiuso("22/03/1999 10.05.00")}, "\n");
    EXPECT_EQ(a.calcola(ConsumiMode::Statistics, "22/03/1999", "22/03/1999").outcome,
              ConsumiResult::Outcome::MissingClosure);
}

TEST(CalcolaConsumi, ProgressStaysWithinTheGauge)
{
    Ambiente a;
    ArchiveGenerator::Options o;
    o.firstDay = QDate(1999, 3, 1);
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));
    QList<int> passi;
    ConsumiHooks hooks;
    hooks.progresso = [&](int p) { passi.append(p); };
    a.calcola(ConsumiMode::Statistics, "01/03/1999", "31/03/1999", hooks);
    ASSERT_FALSE(passi.isEmpty());
    EXPECT_TRUE(std::is_sorted(passi.begin(), passi.end()));
    EXPECT_EQ(passi.last(), 100);
    passi.clear();
    a.calcola(ConsumiMode::Statistics, "01/03/1999", "02/03/1999", hooks);
    a.calcola(ConsumiMode::Monthly, "01/03/1999", "31/03/1999", hooks);
    EXPECT_TRUE(passi.isEmpty());
}

// Keeps the rows of the days from `primo` to `ultimo`; counts the others,
// which must be empty days, and any day handed on out of date order.
struct CalendarSink : RecordingSink
{
    QDate primo, ultimo, seguente;
    bool ogniGiorno = true;
    qint64 vuoti = 0, guasti = 0;
    bool row(const ConsumiDay& g) override
    {
        guasti += g.data < seguente || (ogniGiorno && seguente.isValid() && g.data != seguente);
        seguente = g.data.addDays(1);
        if (g.data >= primo && g.data <= ultimo)
            return RecordingSink::row(g);
        (g == ConsumiDay{g.data} ? vuoti : guasti) += 1;
        return true;
    }
    bool wantsEmptyDays() const override { return ogniGiorno; }
};

// From the first day of year 1 to the last of 9999 the archive amounts to
// its own days: the others come, in order, as empty days, and not at all to
// a sink that wants no empty days.
TEST(CalcolaConsumi, AWholeCalendarRangeIsTheArchivesOwnDays)
{
    Ambiente a;
    ArchiveGenerator::Options o;
    o.firstDay = QDate(1999, 3, 1);
    o.outOfOrder = 0.1;
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));
    RecordingSink propri;
    const QDate ultimo = o.firstDay.addDays(o.days - 1);
    const ConsumiResult proprio = scanConsumi(a.archivio, o.firstDay, ultimo, a.stato, {}, &propri);
    QList<ConsumiDay> conChiamate = propri.rows;
    conChiamate.removeIf([](const ConsumiDay& g) { return g == ConsumiDay{g.data}; });
    for (const bool ogniGiorno : {true, false}) {
        CalendarSink tutti;
        tutti.primo = o.firstDay;
        tutti.ultimo = ultimo;
        tutti.ogniGiorno = ogniGiorno;
        const ConsumiResult r = scanConsumi(a.archivio, QDate(1, 1, 1), QDate(9999, 12, 31), a.stato, {}, &tutti);
        EXPECT_EQ(r.outcome, ConsumiResult::Outcome::Done);
        EXPECT_EQ(r.totals, proprio.totals);
        EXPECT_EQ(tutti.rows, ogniGiorno ? propri.rows : conChiamate);
        EXPECT_EQ(tutti.vuoti, ogniGiorno ? QDate(1, 1, 1).daysTo(QDate(9999, 12, 31)) + 1 - o.days : 0);
        EXPECT_EQ(tutti.guasti, 0);
    }
}

TEST(Mesi, NumbersAndLengths)
{
    EXPECT_EQ(numeroMese(QStringLiteral("gennaio")), QStringLiteral("01"));
    EXPECT_EQ(numeroMese(QStringLiteral("dicembre")), QStringLiteral("12"));
    EXPECT_EQ(numeroMese(QStringLiteral("Dicembre")), QString());
    const struct
    {
        const char* mese;
        const char* anno;
        const char* giorni;
    } casi[] = {{"2", "1900", "28"},      {"02", "1999", "28"}, {"febbraio", "2000", "29"}, {"2", "2024", "29"},
                {"aprile", "1999", "30"}, {"1", "1999", "31"},  {"12", "1999", "31"},       {"13", "1999", ""},
                {"", "1999", ""},         {"00", "1999", ""}};
    for (const auto& c : casi)
        EXPECT_EQ(giorniNelMese(QLatin1String(c.mese), QLatin1String(c.anno)), QLatin1String(c.giorni)) << c.mese;
    EXPECT_THROW(giorniNelMese(QStringLiteral("2"), QStringLiteral("abc")), EConvertError);
}

} // namespace
