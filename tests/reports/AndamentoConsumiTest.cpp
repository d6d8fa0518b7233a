#include "reports/AndamentoConsumi.h"
#include "archive/Windows1252.h"
#include "reports/Esportazione.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/support/ArchiveGenerator.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

QDate data(const char* testo)
{
    return strToDate(QLatin1String(testo));
}

// Factory settings and an archive in the data directory.
struct Ambiente : ArchiveFixture
{
    QLocale italiano{QLocale::Italian, QLocale::Italy};

    // The statistics window's pass over dal..al, its days handed to the trend.
    AndamentoConsumi andamento(const QDate& dal, const QDate& al, const QDate& oggi, ConsumiResult* esito = nullptr)
    {
        AndamentoConsumi a(dal, al, oggi);
        ConsumiHooks hooks;
        hooks.righe = &a;
        const ConsumiResult r = calcolaConsumi(archivio, ConsumiMode::Statistics, dal, al, stato, store, hooks);
        EXPECT_EQ(r.outcome, ConsumiResult::Outcome::Done) << r.message.toStdString();
        if (esito)
            *esito = r;
        return a;
    }
};

struct RecordingSink : ConsumiRowSink
{
    QList<ConsumiDay> rows;
    bool row(const ConsumiDay& giorno) override
    {
        rows.append(giorno);
        return true;
    }
    bool finish() override { return true; }
    QString error() const override { return QString(); }
};

// A call of `minuti` minutes opened at 10.00.00 on `giorno` (class 1, normal tariff).
QStringList chiamata(const QDate& giorno, int minuti)
{
    const QDateTime inizio(giorno, QTime(10, 0));
    const QDateTime fine = inizio.addSecs(qint64(minuti) * 60);
    return {QStringLiteral("%1 %2 collegamento Aperto  011 Casa").arg(formatDate(giorno), formatTime(inizio.time())),
            QStringLiteral("%1 %2 collegamento Chiuso  011").arg(formatDate(fine.date()), formatTime(fine.time()))};
}

struct Raggruppamento
{
    const char* dal;
    const char* al;
    int barre;
    bool mensile;
    const char* primaFine;    // the last day of the first bar
    const char* ultimoInizio; // the first day of the last bar
};

void PrintTo(const Raggruppamento& r, std::ostream* os)
{
    *os << r.dal << '-' << r.al;
}

class Barre : public ::testing::TestWithParam<Raggruppamento>
{
};

TEST_P(Barre, OneADayUpTo62DaysOneAMonthBeyond)
{
    const Raggruppamento& r = GetParam();
    const AndamentoConsumi a(data(r.dal), data(r.al), data(r.al));
    ASSERT_EQ(a.barre().size(), r.barre);
    EXPECT_EQ(a.mensile(), r.mensile);
    EXPECT_EQ(a.barre().first().dal, data(r.dal));
    EXPECT_EQ(a.barre().first().al, data(r.primaFine));
    EXPECT_EQ(a.barre().last().dal, data(r.ultimoInizio));
    EXPECT_EQ(a.barre().last().al, data(r.al));
    for (qsizetype i = 1; i < a.barre().size(); ++i)
        EXPECT_EQ(a.barre()[i - 1].al.addDays(1), a.barre()[i].dal) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, Barre,
    ::testing::Values(Raggruppamento{"06/12/1999", "06/12/1999", 1, false, "06/12/1999", "06/12/1999"},
                      Raggruppamento{"01/12/1999", "31/12/1999", 31, false, "01/12/1999", "31/12/1999"},
                      Raggruppamento{"01/11/1999", "01/01/2000", 62, false, "01/11/1999", "01/01/2000"},
                      Raggruppamento{"01/11/1999", "02/01/2000", 3, true, "30/11/1999", "01/01/2000"},
                      Raggruppamento{"01/01/2000", "31/12/2000", 12, true, "31/01/2000", "01/12/2000"},
                      Raggruppamento{"06/12/1998", "06/12/1999", 13, true, "31/12/1998", "01/12/1999"},
                      Raggruppamento{"29/02/1996", "06/12/1999", 47, true, "29/02/1996", "01/12/1999"}));

TEST(AndamentoConsumi, ARangeInTheWrongOrderHasNoBars)
{
    const AndamentoConsumi a(data("02/12/1999"), data("01/12/1999"), data("06/12/1999"));
    EXPECT_TRUE(a.barre().isEmpty());
    EXPECT_FALSE(a.proiezione(600).has_value());
}

// Each day of a month, as the chart draws it, is the line the text export writes for it.
TEST(AndamentoConsumi, TheDaysAreTheExportsRowsOfTheMonth)
{
    Ambiente a;
    ArchiveGenerator::Options o;
    o.firstDay = data("25/02/1999");
    o.days = 40;
    o.emptyLines = 0.05;
    o.oldOpenings = 0.05;
    o.oddDigits = 0.02;
    o.junkLines = 0.02;
    o.outOfOrder = 0.05;
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));

    ConsumiResult esito;
    const AndamentoConsumi andamento = a.andamento(data("01/03/1999"), data("31/03/1999"), data("06/12/1999"), &esito);
    const Esportazione::Esito esportato = Esportazione(a.archivio, a.dirs.data(), a.stato, a.store, a.italiano)
                                              .esporta(QStringLiteral("marzo"), 1999, nullptr);
    ASSERT_EQ(esportato.outcome, ConsumiResult::Outcome::Done);
    QFile file(esportato.file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList righe = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);

    ASSERT_EQ(andamento.barre().size(), 31);
    ASSERT_EQ(righe.size(), 31);
    qint64 secondi = 0;
    for (int i = 0; i < 31; ++i) {
        const AndamentoConsumi::Barra& b = andamento.barre()[i];
        const QStringList campi = righe[i].split(QLatin1Char(';'));
        EXPECT_EQ(campi.mid(0, 4), (QStringList{formatDate(b.dal), QString::number(b.scatti),
                                                costoConsumi(b.costo, a.italiano), QString::number(b.secondi)}))
            << i;
        secondi += b.secondi;
    }
    EXPECT_GT(secondi, 0);
    EXPECT_EQ(secondi, esito.totals.secondi);
}

// A month's bar holds that month's days, as the export of each month gives them.
TEST(AndamentoConsumi, AMonthsBarSumsItsDays)
{
    Ambiente a;
    ArchiveGenerator::Options o;
    o.firstDay = data("20/12/1998");
    o.days = 120;
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));

    ConsumiResult esito;
    const AndamentoConsumi andamento = a.andamento(data("15/01/1999"), data("10/04/1999"), data("06/12/1999"), &esito);
    ASSERT_EQ(andamento.barre().size(), 4);
    qint64 scatti = 0;
    for (const AndamentoConsumi::Barra& b : andamento.barre()) {
        RecordingSink giorni;
        ConsumiHooks hooks;
        hooks.righe = &giorni;
        ASSERT_EQ(calcolaConsumi(a.archivio, ConsumiMode::Export, b.dal, b.al, a.stato, a.store, hooks).outcome,
                  ConsumiResult::Outcome::Done);
        AndamentoConsumi::Barra attesa{b.dal, b.al};
        for (const ConsumiDay& g : giorni.rows) {
            attesa.scatti += g.scatti;
            attesa.costo += g.costo;
            attesa.secondi += g.secondi;
        }
        EXPECT_EQ(b, attesa) << formatDate(b.dal).toStdString();
        scatti += b.scatti;
    }
    EXPECT_EQ(scatti, esito.totals.scatti);
}

TEST(AndamentoConsumi, LabelsAndWhatHoveringTells)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    AndamentoConsumi giorni(data("01/12/1999"), data("06/12/1999"), data("06/12/1999"));
    giorni.row(ConsumiDay{data("06/12/1999"), 12, 1824, 2833, QStringLiteral("Casa")});
    const AndamentoConsumi::Barra& sesto = giorni.barre().last();
    EXPECT_EQ(giorni.etichetta(sesto), QStringLiteral("06/12"));
    EXPECT_EQ(giorni.descrizione(sesto, italiano),
              QStringLiteral("06/12/1999\nScatti: 12\nCosto: L.\u00a01.824\nMinuti: 47"));

    AndamentoConsumi mesi(data("05/10/1999"), data("06/12/1999"), data("06/12/1999"));
    ASSERT_EQ(mesi.barre().size(), 3);
    EXPECT_EQ(mesi.etichetta(mesi.barre()[1]), QStringLiteral("11/99"));
    EXPECT_EQ(mesi.descrizione(mesi.barre()[1], italiano),
              QStringLiteral("novembre 1999\nScatti: 0\nCosto: L.\u00a00\nMinuti: 0"));
    EXPECT_TRUE(
        mesi.descrizione(mesi.barre()[0], italiano).startsWith(QStringLiteral("ottobre 1999 (dal 05/10 al 31/10)\n")));
}

// All the calendar's 119,988 months drawn in a thousand groups of 120 (the
// last of 108), every day of the range in one of them.
TEST(AndamentoConsumi, AChartOfCenturiesGroupsItsMonths)
{
    AndamentoConsumi mesi(data("01/01/0001"), data("31/12/9999"), data("06/12/1999"));
    mesi.row(ConsumiDay{data("22/03/1999"), 6, 912, 1200, QStringLiteral("Casa")});
    mesi.row(ConsumiDay{data("31/12/9999"), 1, 152, 60, QStringLiteral("Casa")});
    EXPECT_EQ(mesi.barreRaggruppate(119988), mesi.barre());
    const QList<AndamentoConsumi::Barra> gruppi = mesi.barreRaggruppate(1000);
    ASSERT_EQ(gruppi.size(), 1000);
    EXPECT_EQ(gruppi.first().dal, data("01/01/0001"));
    for (qsizetype i = 1; i < gruppi.size(); ++i)
        EXPECT_EQ(gruppi[i - 1].al.addDays(1), gruppi[i].dal) << i;
    EXPECT_EQ(gruppi[199], (AndamentoConsumi::Barra{data("01/01/1991"), data("31/12/2000"), 6, 912, 1200}));
    EXPECT_EQ(gruppi.last(), (AndamentoConsumi::Barra{data("01/01/9991"), data("31/12/9999"), 1, 152, 60}));
    EXPECT_EQ(mesi.etichetta(gruppi[199]), QStringLiteral("01/1991"));
    EXPECT_EQ(mesi.descrizione(gruppi[199], QLocale(QLocale::Italian, QLocale::Italy)),
              QStringLiteral("dal 01/01/1991 al 31/12/2000\nScatti: 6\nCosto: L.\u00a0912\nMinuti: 20"));
}

struct Proiezione
{
    const char* oggi;
    qint64 secondi;
    double costo;
    std::optional<qint64> limite;
    qint64 minutiPrevisti;
    double costoPrevisto;
    std::optional<qint64> minutiAlGiorno;
};

void PrintTo(const Proiezione& p, std::ostream* os)
{
    *os << p.oggi << ' ' << p.secondi << "s limite " << (p.limite ? QString::number(*p.limite).toStdString() : "no");
}

class ProiezioneDelMese : public ::testing::TestWithParam<Proiezione>
{
};

TEST_P(ProiezioneDelMese, FromTheDaysElapsedTodayIncluded)
{
    const Proiezione& c = GetParam();
    const ProiezioneMese p = ProiezioneMese::calcola(data(c.oggi), c.secondi, c.costo, c.limite);
    EXPECT_EQ(p.minutiPrevisti, c.minutiPrevisti);
    EXPECT_DOUBLE_EQ(p.costoPrevisto, c.costoPrevisto);
    EXPECT_EQ(p.minutiAlGiorno, c.minutiAlGiorno);
}

INSTANTIATE_TEST_SUITE_P(Months, ProiezioneDelMese,
                         ::testing::Values(
                             // Half of November: twice what is used; 600 minutes left over the 16 days from today.
                             Proiezione{"15/11/1999", 300 * 60, 10000, 900, 600, 20000, 37},
                             Proiezione{"15/11/1999", 300 * 60 + 59, 10000, std::nullopt, 601, 20000, std::nullopt},
                             // The first day: the day's calls so far stand for every day of the month.
                             Proiezione{"01/12/1999", 30 * 60, 456, 600, 930, 14136, 18},
                             // The last day: what is left is for today alone.
                             Proiezione{"29/02/2000", 500 * 60, 0, 600, 500, 0, 100},
                             // Used up or passed: nothing more a day.
                             Proiezione{"10/12/1999", 700 * 60, 3100, 600, 2170, 9610, 0},
                             Proiezione{"10/12/1999", 600 * 60, 3100, 600, 1860, 9610, 0}));

TEST(ProiezioneMese, TheLinesOfThePage)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(ProiezioneMese::calcola(data("15/11/1999"), 300 * 60, 10000, 900).righe(italiano),
              (QStringList{QStringLiteral("Proiezione a fine novembre 1999 (trascorsi 15 giorni su 30)"),
                           QStringLiteral("Minuti previsti: 600 (finora 300)   Costo previsto: L.\u00a020.000"),
                           QStringLiteral("Per restare nel limite mensile di 900 minuti: 37 minuti al giorno")}));
    EXPECT_EQ(ProiezioneMese::calcola(data("15/11/1999"), 300 * 60, 10000, std::nullopt).righe(italiano).size(), 2);
    EXPECT_EQ(ProiezioneMese::calcola(data("15/11/1999"), 300 * 60, 10000, 300).righe(italiano).last(),
              QStringLiteral("Limite mensile di 300 minuti già esaurito"));
}

// The projection takes the current month's days up to today from the same
// pass, and only when the range holds them all.
TEST(AndamentoConsumi, TheProjectionOfAMonthHalfElapsed)
{
    Ambiente a;
    a.scrivi(chiamata(data("31/10/1999"), 100) + chiamata(data("01/11/1999"), 100) + chiamata(data("14/11/1999"), 120) +
             chiamata(data("15/11/1999"), 80) + chiamata(data("16/11/1999"), 500));
    const QDate oggi = data("15/11/1999");
    const std::optional<ProiezioneMese> p = a.andamento(data("01/10/1999"), data("30/11/1999"), oggi).proiezione(900);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->giorniTrascorsi, 15);
    EXPECT_EQ(p->giorniNelMese, 30);
    EXPECT_EQ(p->minuti(), 300);
    EXPECT_EQ(p->minutiPrevisti, 600);
    EXPECT_EQ(p->minutiAlGiorno, 37);
    EXPECT_GT(p->costo, 0);
    EXPECT_DOUBLE_EQ(p->costoPrevisto, p->costo * 2);

    EXPECT_TRUE(a.andamento(data("01/11/1999"), oggi, oggi).proiezione(900).has_value());
    EXPECT_FALSE(a.andamento(data("02/11/1999"), oggi, oggi).proiezione(900).has_value());
    EXPECT_FALSE(a.andamento(data("01/11/1999"), data("14/11/1999"), oggi).proiezione(900).has_value());
    EXPECT_EQ(AndamentoConsumi(data("02/11/1999"), oggi, oggi).proiezioneNonDisponibile(),
              QStringLiteral("Proiezione di novembre 1999: calcolare un periodo che comprenda i giorni dal "
                             "01/11/1999 a oggi."));
}

TEST(ProiezioneMese, TheMonthlyLimitWhenItsAlarmIsOn)
{
    const struct
    {
        const char* allarme;
        const char* minuti;
        std::optional<qint64> limite;
    } casi[] = {{"True", "600", 600},        {"False", "600", std::nullopt}, {"true", "600", std::nullopt},
                {"True", "0", std::nullopt}, {"True", "-5", std::nullopt},   {"True", "seicento", std::nullopt}};
    for (const auto& c : casi) {
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        store.writeText(QStringLiteral("limiti"), QStringLiteral("CheckBox7_Checked"), QLatin1String(c.allarme));
        store.writeText(QStringLiteral("limiti"), QStringLiteral("RxCalcEdit1_value"), QLatin1String(c.minuti));
        EXPECT_EQ(ProiezioneMese::limiteMensile(store), c.limite) << c.allarme << ' ' << c.minuti;
    }
}

} // namespace
