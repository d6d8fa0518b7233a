#include "archive/VerificaLimiti.h"
#include "archive/ArchivioChiamate.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/FakeNotifier.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QDate oggi(1999, 12, 6);

// A store, an archive and a prompter for one check.
struct Check
{
    TestDirs dirs;
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    LimitiResult result;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");

    Check()
    {
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
        QDir().mkpath(dirs.data());
        QFile(archivio).open(QIODevice::WriteOnly);
    }
    void set(const char* value, const QString& text)
    {
        store.writeText(QStringLiteral("limiti"), QString::fromLatin1(value), text);
    }
    void set(const char* value, qint64 number) { set(value, QString::number(number)); }
    // One call of `minuti` minutes opened on `giorno` at 01.00.00 (several
    // calls when it would pass midnight).
    void call(const QDate& giorno, int minuti)
    {
        ArchivioChiamate a(archivio);
        QDateTime inizio(giorno, QTime(1, 0));
        while (minuti > 0) {
            const int parte = std::min(minuti, 20 * 60);
            a.append(recordApertura(inizio, 0, 1, 1, QString()));
            a.append(recordChiusura(inizio.addSecs(qint64(parte) * 60), 0, 1, 1));
            minuti -= parte;
            inizio = inizio.addDays(1);
        }
    }
    void openCall(const QDate& giorno)
    {
        ArchivioChiamate(archivio).append(recordApertura(QDateTime(giorno, QTime(9, 0)), 0, 1, 1, QString()));
    }
    // The texts of the messages, in order.
    QStringList run(int dopoArresto = 0, const QDate& giorno = oggi)
    {
        result = verificaLimiti(dopoArresto, archivio, giorno, stato, store);
        QStringList texts;
        for (const Message& m : result.messages)
            texts.append(m.text);
        return texts;
    }
};

const QString tre = QStringLiteral("Limite Giornaliero già Superato di 10 minuti\r"
                                   "il collegamento comporterà un costo aggiuntivo di\r%1 L./ora");

TEST(VerificaLimiti, DailyLimitNearAndSilencedAfterAStop)
{
    Check c;
    c.set("RxSpinEdit4_value", 60);
    c.set("CheckBox6_Checked", QStringLiteral("True"));
    c.call(oggi, 55);
    EXPECT_EQ(c.run(), QStringList{QStringLiteral("Limite Giornaliero superato fra 5 minuti")});
    EXPECT_EQ(c.result.messages.first().title, QStringLiteral("Informazione!"));
    EXPECT_EQ(c.result.messages.first().icon, Message::Icon::Information);
    EXPECT_EQ(c.store.readText(QStringLiteral("limiti"), QStringLiteral("consumiGiorno"), QString()),
              QStringLiteral("55"));
    EXPECT_EQ(c.run(1), QStringList());
}

TEST(VerificaLimiti, DailyLimitPassedStatesTheExtraHourPrice)
{
    for (const bool addebito : {true, false}) {
        Check c;
        c.set("RxSpinEdit4_value", 60);
        c.set("CheckBox6_Checked", QStringLiteral("True"));
        c.set("CurrencyEdit1_value", 3000);
        c.set("CheckBox13_Checked", addebito ? QStringLiteral("True") : QStringLiteral("False"));
        c.call(oggi, 70);
        EXPECT_EQ(c.run(), QStringList{tre.arg(addebito ? 3000 : 0)});
    }
}

TEST(VerificaLimiti, AlarmOnOnlyForTrueAndZeroLimitsIgnored)
{
    Check c;
    c.set("RxSpinEdit4_value", 60);
    c.set("CheckBox6_Checked", QStringLiteral("true"));
    c.set("RxCalcEdit1_value", 0);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.call(oggi, 70);
    EXPECT_EQ(c.run(), QStringList());
}

struct Mensile
{
    int usati;
    const char* atteso; // nullptr: no message
};

class MonthlyLimit : public ::testing::TestWithParam<Mensile>
{
};

TEST_P(MonthlyLimit, WarnsWithinTheLastHourAndPastTheLimit)
{
    Check c;
    c.set("RxCalcEdit1_value", 600);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.call(QDate(1999, 12, 1), GetParam().usati);
    c.call(QDate(1999, 11, 30), 500); // another month
    // The earlier warnings were told already this month: the table is about the limit's own messages.
    c.set("avvisoMensile80", QStringLiteral("01/12/1999"));
    c.set("avvisoMensile90", QStringLiteral("01/12/1999"));
    const QStringList expected = GetParam().atteso ? QStringList{QString::fromUtf8(GetParam().atteso)} : QStringList();
    EXPECT_EQ(c.run(1), expected);
}

INSTANTIATE_TEST_SUITE_P(Used, MonthlyLimit,
                         ::testing::Values(Mensile{540, nullptr}, Mensile{541, "Limite Mensile superato fra 59 minuti"},
                                           Mensile{600, nullptr},
                                           Mensile{601,
                                                   "Limite Mensile già Superato di 1 minuti\r"
                                                   "il collegamento comporterà un costo aggiuntivo di\r0 L./ora"}));

TEST(VerificaLimiti, YearlyRangeCoversThreeHundredSixtySixDays)
{
    Check c;
    c.set("RxCalcEdit2_value", 100);
    c.set("CheckBox11_Checked", QStringLiteral("True"));
    c.set("DateEdit2_text", QStringLiteral("01/01/1999"));
    c.call(QDate(1998, 12, 31), 50);
    c.call(QDate(1999, 1, 1), 30);
    c.call(QDate(2000, 1, 1), 40);
    c.call(QDate(2000, 1, 2), 50);
    EXPECT_EQ(c.run(), QStringList{QStringLiteral("Limite Annuo superato fra 30 minuti")});
    EXPECT_EQ(c.stato.consumiAnno, 70);
}

TEST(VerificaLimiti, MissingClosureTodayEndsTheCheckAfterTheDailyPass)
{
    Check c;
    c.set("RxSpinEdit4_value", 60);
    c.set("CheckBox6_Checked", QStringLiteral("True"));
    c.set("RxCalcEdit1_value", 600);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.call(QDate(1999, 12, 1), 541);
    c.openCall(oggi);
    const QStringList texts = c.run();
    EXPECT_EQ(c.result.outcome, ConsumiResult::Outcome::MissingClosure);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("manca la chiusura del collegamento:\r06/12/1999 09.00.00")));
    EXPECT_EQ(texts.at(1),
              QStringLiteral("Impossibile verificare i limiti \ra causa di un errore nel file tqklog.txt"));
    EXPECT_EQ(c.result.messages.at(1).icon, Message::Icon::Critical);
    // The repair starts from the unpaired record and the archive read.
    ASSERT_TRUE(c.result.interrotto);
    EXPECT_TRUE(c.result.interrotto->aperturaSenzaChiusura.apertura());
    EXPECT_EQ(c.result.interrotto->archivio, c.archivio);
}

TEST(VerificaLimiti, SettingThatDoesNotConvertIsToldOnceAndLeftOut)
{
    Check c;
    c.set("RxSpinEdit4_value", QStringLiteral("sessanta"));
    c.set("CheckBox6_Checked", QStringLiteral("True"));
    c.set("RxCalcEdit1_value", 600);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.set("RxCalcEdit2_value", 100);
    c.set("CheckBox11_Checked", QStringLiteral("True"));
    c.set("DateEdit2_text", QStringLiteral("31/02/1999"));
    c.call(QDate(1999, 12, 1), 541);
    const QStringList texts = c.run();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts.at(0).contains(QStringLiteral("RxSpinEdit4_value")));
    EXPECT_TRUE(texts.at(0).contains(QStringLiteral("'sessanta'")));
    EXPECT_EQ(texts.at(1), QStringLiteral("Limite Mensile superato fra 59 minuti"));
    EXPECT_TRUE(texts.at(2).contains(QStringLiteral("'31/02/1999'")));
}

} // namespace

namespace {

// A reduction out of range is told once however many passes read it.
TEST(VerificaLimiti, ASettingReadAsItsDefaultIsToldOnce)
{
    Check c;
    c.set("RxSpinEdit4_value", 60);
    c.set("CheckBox6_Checked", QStringLiteral("True"));
    c.set("RxCalcEdit1_value", 600);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.store.writeText(QStringLiteral("internet"), QStringLiteral("ridTel"), QStringLiteral("500"));
    const QStringList texts = c.run();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.at(0).contains(QStringLiteral("internet\\ridTel")));
}

} // namespace

namespace {

QString avviso(int percento, int usati, int limite, const char* nome = "Mensile")
{
    return QStringLiteral("Limite %1 utilizzato oltre %2: %3 minuti su %4")
        .arg(QLatin1String(nome), percento == 80 ? QStringLiteral("l'80%") : QStringLiteral("il 90%"))
        .arg(usati)
        .arg(limite);
}

// Told at the first start that sees 80 % passed, not at the next start in the
// same month, and again in the next month; then 90 %, once too.
TEST(VerificaLimiti, TheEarlierWarningsOnceAMonth)
{
    Check c;
    c.set("RxCalcEdit1_value", 1000);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.call(QDate(1999, 12, 1), 850);
    EXPECT_EQ(c.run(), QStringList{avviso(80, 850, 1000)});
    EXPECT_EQ(c.result.messages.first().title, QStringLiteral("Informazione!"));
    EXPECT_EQ(c.store.readText(QStringLiteral("limiti"), QStringLiteral("avvisoMensile80"), QString()),
              QStringLiteral("01/12/1999"));
    EXPECT_EQ(c.run(), QStringList());
    EXPECT_EQ(c.run(1, QDate(1999, 12, 31)), QStringList());

    c.call(QDate(2000, 1, 3), 810);
    EXPECT_EQ(c.run(0, QDate(2000, 1, 4)), QStringList{avviso(80, 810, 1000)});
    EXPECT_EQ(c.run(0, QDate(2000, 1, 5)), QStringList());
    c.call(QDate(2000, 1, 5), 100);
    // After a session too: the monthly messages do not wait for the next start.
    EXPECT_EQ(c.run(1, QDate(2000, 1, 5)), QStringList{avviso(90, 910, 1000)});
    EXPECT_EQ(c.run(0, QDate(2000, 1, 6)), QStringList());
}

TEST(VerificaLimiti, TheYearlyEarlierWarningOnceASubscriptionYear)
{
    Check c;
    c.set("RxCalcEdit2_value", 6000);
    c.set("CheckBox11_Checked", QStringLiteral("True"));
    c.set("DateEdit2_text", QStringLiteral("01/01/1999"));
    for (int mese = 1; mese <= 7; ++mese)
        c.call(QDate(1999, mese, 10), 700);
    EXPECT_EQ(c.run(), QStringList{avviso(80, 4900, 6000, "Annuo")});
    EXPECT_EQ(c.run(), QStringList());
    // A new subscription year is a new period.
    c.set("DateEdit2_text", QStringLiteral("01/07/1999"));
    EXPECT_EQ(c.run(), QStringList());
    for (int mese = 8; mese <= 10; ++mese)
        c.call(QDate(1999, mese, 20), 1400);
    EXPECT_EQ(c.run(), QStringList{avviso(80, 4900, 6000, "Annuo")});
}

// Off with the limit: no warning and nothing remembered.
TEST(VerificaLimiti, NoEarlierWarningWithoutTheLimit)
{
    for (const auto& [allarme, minuti] : {std::pair("False", 600), std::pair("True", 0)}) {
        Check c;
        c.set("RxCalcEdit1_value", minuti);
        c.set("CheckBox7_Checked", QLatin1String(allarme));
        c.call(QDate(1999, 12, 1), 500);
        EXPECT_EQ(c.run(), QStringList()) << allarme << minuti;
        EXPECT_EQ(c.store.readText(QStringLiteral("limiti"), QStringLiteral("avvisoMensile80"), QStringLiteral("-")),
                  QStringLiteral("-"));
    }
}

// Near the limit the check's own message says more: the thresholds it
// passed are remembered and not told again later in the month.
TEST(VerificaLimiti, NoEarlierWarningBesideTheLimitsOwnMessage)
{
    Check c;
    c.set("RxCalcEdit1_value", 600);
    c.set("CheckBox7_Checked", QStringLiteral("True"));
    c.call(QDate(1999, 12, 1), 550);
    EXPECT_EQ(c.run(), QStringList{QStringLiteral("Limite Mensile superato fra 50 minuti")});
    EXPECT_EQ(c.store.readText(QStringLiteral("limiti"), QStringLiteral("avvisoMensile90"), QString()),
              QStringLiteral("01/12/1999"));
}

} // namespace

// Only the limits' own messages reach the desktop; the errors met on the way
// stay in the program's boxes.
TEST(VerificaLimiti, OnlyTheLimitsAreNotified)
{
    FakeNotifier notifier;
    notificaLimiti(notifier,
                   {{QStringLiteral("Limite Giornaliero superato fra 5 minuti"), QStringLiteral("Informazione!"),
                     Message::Icon::Information},
                    {QStringLiteral("Limite Mensile già Superato di 3 minuti\rdal 01/12/1999"),
                     QStringLiteral("Informazione!"), Message::Icon::Information},
                    {QStringLiteral("Impossibile verificare i limiti \ra causa di un errore nel file tqklog.txt"),
                     QStringLiteral("Attenzione!"), Message::Icon::Critical},
                    {QStringLiteral("Valore non valido in limiti\\RxSpinEdit4_value")}});
    ASSERT_EQ(notifier.sent.size(), 2);
    EXPECT_EQ(notifier.sent.at(0).title, QStringLiteral("Limiti di utilizzo"));
    EXPECT_EQ(notifier.sent.at(0).text, QStringLiteral("Limite Giornaliero superato fra 5 minuti"));
    EXPECT_EQ(notifier.sent.at(1).text, QStringLiteral("Limite Mensile già Superato di 3 minuti\rdal 01/12/1999"));
    EXPECT_EQ(notifier.sent.at(1).urgency, Notifier::Urgency::Normal);
}
