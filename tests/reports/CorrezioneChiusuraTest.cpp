#include "reports/CorrezioneChiusura.h"
#include "archive/CalcolaConsumi.h"
#include "archive/LettoreArchivio.h"
#include "archive/RigheArchivio.h"
#include "archive/VerificaLimiti.h"
#include "settings/Conversion.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/support/ArchiveGenerator.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Esito = CorrezioneChiusura::Esito;

QByteArray leggi(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const QByteArray A = "06/12/1999 10.15.02 collegamento Aperto  021 Casa";
const QByteArray C = "06/12/1999 10.45.00 collegamento Chiuso  021";
const QByteArray A2 = "07/12/1999 09.00.00 collegamento Aperto  011 Ufficio";
const QByteArray C2 = "07/12/1999 09.30.00 collegamento Chiuso  011";

struct Ambiente : ArchiveFixture
{

    ConsumiResult passata(const QString& file, const QDate& dal, const QDate& al) const
    {
        return scanConsumi(file, dal, al, stato, PricingSettings::fromStore(store));
    }
};

// Every pass over every day finds each opening record closed.
void ogniPassataAbbina(const Ambiente& a, const QString& file, const QDate& dal, int giorni)
{
    EXPECT_EQ(a.passata(file, dal, dal.addDays(giorni - 1)).outcome, ConsumiResult::Outcome::Done);
    for (int g = 0; g < giorni; ++g) {
        const QString giorno = formatDate(dal.addDays(g));
        EXPECT_EQ(LettoreArchivio::chiamateDelGiorno(file, giorno).esito, GiornataArchivio::Esito::Completa)
            << giorno.toStdString();
    }
}

TEST(CorrezioneChiusura, MendsAMidFileRecordSoThatEveryPassPairs)
{
    Ambiente a;
    ArchiveGenerator::Options o;
    o.days = 40;
    o.emptyLines = 0.1;
    o.mixedLineEnds = true;
    o.missingClosures = {ArchiveGenerator::calls(o) / 2};
    ASSERT_TRUE(ArchiveGenerator::write(a.archivio, o));
    const QByteArray prima = leggi(a.archivio);
    const QDate fine = o.firstDay.addDays(o.days - 1);

    const ConsumiResult fallita = a.passata(a.archivio, o.firstDay, fine);
    ASSERT_EQ(fallita.outcome, ConsumiResult::Outcome::MissingClosure);
    const RigheArchivio righe(prima);
    const qsizetype riga = righe.primaSenzaChiusura(fallita.aperturaSenzaChiusura.riga);
    ASSERT_GT(riga, 0);
    ASSERT_LT(riga + 2, righe.size()) << "the unpaired record should be mid-file";

    const CorrezioneChiusura correzione(a.archivio, fallita.aperturaSenzaChiusura.riga);
    EXPECT_EQ(correzione.chiusuraProposta(), fallita.aperturaSenzaChiusura.chiusuraProposta());
    const CorrezioneChiusura::Risultato r = correzione.correggi(correzione.chiusuraProposta());
    ASSERT_EQ(r.esito, Esito::Corretta) << r.messaggio.toStdString();

    ogniPassataAbbina(a, a.archivio, o.firstDay, o.days);
    // The previous archive is kept; the new one differs only by the inserted line.
    EXPECT_EQ(leggi(a.dirs.data() + QStringLiteral("/tqklog.tx~")), prima);
    const QByteArray dopo = leggi(a.archivio);
    EXPECT_EQ(dopo, righe.conRigaDopo(riga, correzione.chiusuraProposta()));
    EXPECT_EQ(dopo.size(), prima.size() + 46);
}

// With a daily limit the check at every start meets today's unpaired
// record: once repaired, the next start's check runs clean.
TEST(CorrezioneChiusura, TheNextLimitsCheckRunsClean)
{
    Ambiente a;
    a.store.writeText(QStringLiteral("limiti"), QStringLiteral("CheckBox6_Checked"), QStringLiteral("True"));
    a.store.writeText(QStringLiteral("limiti"), QStringLiteral("RxSpinEdit4_value"), QStringLiteral("60"));
    scrivi(a.archivio, "06/12/1999 09.00.00 collegamento Aperto  011 Casa\r\n"
                       "06/12/1999 10.00.00 collegamento Aperto  011 Casa\r\n"
                       "06/12/1999 10.30.00 collegamento Chiuso  011\r\n");
    const QDate oggi(1999, 12, 6);
    const LimitiResult primo = verificaLimiti(0, a.archivio, oggi, a.stato, a.store);
    ASSERT_EQ(primo.outcome, ConsumiResult::Outcome::MissingClosure);
    ASSERT_TRUE(primo.interrotto.has_value());
    const QString apertura = primo.interrotto->aperturaSenzaChiusura.riga;
    ASSERT_EQ(apertura, QStringLiteral("06/12/1999 09.00.00 collegamento Aperto  011 Casa"));
    EXPECT_EQ(primo.interrotto->archivio, a.archivio);

    const CorrezioneChiusura correzione(a.archivio, apertura);
    ASSERT_EQ(correzione.correggi(QStringLiteral("06/12/1999 09.20.00 collegamento Chiuso  011")).esito,
              Esito::Corretta);
    const LimitiResult secondo = verificaLimiti(0, a.archivio, oggi, a.stato, a.store);
    EXPECT_EQ(secondo.outcome, ConsumiResult::Outcome::Done);
    EXPECT_FALSE(secondo.interrotto.has_value());
    EXPECT_EQ(a.stato.consumiGiorno, 50);
}

TEST(CorrezioneChiusura, TheLastRecordIsClosedByAppending)
{
    Ambiente a;
    scrivi(a.archivio, A2 + "\r\n" + C2 + "\r\n" + A + "\r\n");
    const CorrezioneChiusura correzione(a.archivio, QString::fromLatin1(A));
    const QString chiusura = QStringLiteral("06/12/1999 11.02.30 collegamento Chiuso  021");
    ASSERT_EQ(correzione.correggi(chiusura).esito, Esito::Corretta);
    EXPECT_EQ(leggi(a.archivio), A2 + "\r\n" + C2 + "\r\n" + A + "\r\n" + chiusura.toLatin1() + "\r\n");
}

TEST(CorrezioneChiusura, TheClosedTwinOfTheRecordIsLeftAlone)
{
    Ambiente a;
    scrivi(a.archivio, A + "\r\n" + C + "\r\n" + A + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
    const CorrezioneChiusura correzione(a.archivio, QString::fromLatin1(A));
    ASSERT_EQ(correzione.correggi(QString::fromLatin1(C)).esito, Esito::Corretta);
    EXPECT_EQ(leggi(a.archivio), A + "\r\n" + C + "\r\n" + A + "\r\n" + C + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
}

TEST(CorrezioneChiusura, RepairsTheAlternateArchiveThatWasRead)
{
    Ambiente a;
    const QByteArray attuale = A2 + "\r\n" + C2 + "\r\n";
    scrivi(a.archivio, attuale);
    const QString altro = a.dirs.path() + QStringLiteral("/vecchio archivio.txt");
    scrivi(altro, A + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
    const ConsumiResult fallita = a.passata(altro, QDate(1999, 12, 1), QDate(1999, 12, 31));
    ASSERT_EQ(fallita.outcome, ConsumiResult::Outcome::MissingClosure);

    const CorrezioneChiusura correzione(altro, fallita.aperturaSenzaChiusura.riga);
    ASSERT_EQ(correzione.correggi(correzione.chiusuraProposta()).esito, Esito::Corretta);
    ogniPassataAbbina(a, altro, QDate(1999, 12, 6), 2);
    EXPECT_EQ(leggi(a.dirs.path() + QStringLiteral("/vecchio archivio.tx~")), A + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
    EXPECT_EQ(leggi(a.archivio), attuale);
    EXPECT_FALSE(QFile::exists(a.dirs.data() + QStringLiteral("/tqklog.tx~")));
}

TEST(CorrezioneChiusura, RefusesAnEditedLineThatIsNoClosingRecord)
{
    Ambiente a;
    const QByteArray prima = A + "\r\n" + A2 + "\r\n" + C2 + "\r\n";
    scrivi(a.archivio, prima);
    const CorrezioneChiusura correzione(a.archivio, QString::fromLatin1(A));
    const char* const sbagliate[] = {
        "",
        "06/12/1999 10.45.00 collegamento Chiuso  021 Casa",
        "06/12/1999 10.45.00 collegamento Aperto  021",
        "31/11/1999 10.45.00 collegamento Chiuso  021",
        "06/12/1999 10.65.00 collegamento Chiuso  021",
        "06/12/1999 10.45.00 collegamento Chiuso  051",
        // Before the opening at 10.15.02.
        "06/12/1999 10.15.01 collegamento Chiuso  021",
        "05/12/1999 23.00.00 collegamento Chiuso  021",
    };
    for (const char* riga : sbagliate) {
        const CorrezioneChiusura::Risultato r = correzione.correggi(QString::fromLatin1(riga));
        EXPECT_EQ(r.esito, Esito::Rifiutata) << riga;
        EXPECT_TRUE(r.messaggio.startsWith(QStringLiteral("La riga di chiusura non è valida: "))) << riga;
        EXPECT_TRUE(r.messaggio.endsWith(QStringLiteral("\r06/12/1999 10.15.02 collegamento Chiuso  021")))
            << "the message shows the proposed line";
    }
    EXPECT_EQ(leggi(a.archivio), prima);
    EXPECT_FALSE(QFile::exists(a.dirs.data() + QStringLiteral("/tqklog.tx~")));
    // The same time as the opening, and a day later, are closings.
    EXPECT_TRUE(correzione.verifica(QStringLiteral("06/12/1999 10.15.02 collegamento Chiuso  021")).isEmpty());
    EXPECT_TRUE(correzione.verifica(QStringLiteral("07/12/1999 00.10.00 collegamento Chiuso  142")).isEmpty());
}

TEST(CorrezioneChiusura, WritesNothingWhenTheArchiveCannotBeRewritten)
{
    Ambiente a;
    // Already closed meanwhile: nothing to insert.
    scrivi(a.archivio, A + "\r\n" + C + "\r\n");
    CorrezioneChiusura::Risultato r =
        CorrezioneChiusura(a.archivio, QString::fromLatin1(A)).correggi(QString::fromLatin1(C));
    EXPECT_EQ(r.esito, Esito::NonRiuscita);
    EXPECT_EQ(leggi(a.archivio), A + "\r\n" + C + "\r\n");

    // The backup cannot be made: a folder stands in its place.
    scrivi(a.archivio, A + "\r\n");
    ASSERT_TRUE(QDir(a.dirs.data()).mkdir(QStringLiteral("tqklog.tx~")));
    r = CorrezioneChiusura(a.archivio, QString::fromLatin1(A)).correggi(QString::fromLatin1(C));
    EXPECT_EQ(r.esito, Esito::NonRiuscita);
    EXPECT_TRUE(r.messaggio.contains(QStringLiteral("tqklog.tx~"))) << r.messaggio.toStdString();
    EXPECT_EQ(leggi(a.archivio), A + "\r\n");

    r = CorrezioneChiusura(a.dirs.data() + QStringLiteral("/manca.txt"), QString::fromLatin1(A))
            .correggi(QString::fromLatin1(C));
    EXPECT_EQ(r.esito, Esito::NonRiuscita);
}

TEST(CorrezioneChiusura, FindsTheFirstUnclosedRecordOfTheFile)
{
    Ambiente a;
    scrivi(a.archivio, A2 + "\r\n" + C2 + "\r\n" + A2 + "\r\n\r\n\r\n" + A + "\r\n");
    std::optional<CorrezioneChiusura> trovata = CorrezioneChiusura::cerca(a.archivio);
    ASSERT_TRUE(trovata);
    EXPECT_EQ(trovata->apertura(), QString::fromLatin1(A2));
    EXPECT_EQ(trovata->chiusuraProposta(), QStringLiteral("07/12/1999 09.00.00 collegamento Chiuso  011"));

    scrivi(a.archivio, A2 + "\r\n" + C2 + "\r\n");
    QString errore;
    EXPECT_FALSE(CorrezioneChiusura::cerca(a.archivio, &errore));
    EXPECT_TRUE(errore.isEmpty());
    EXPECT_FALSE(CorrezioneChiusura::cerca(a.dirs.data() + QStringLiteral("/manca.txt"), &errore));
    EXPECT_FALSE(errore.isEmpty());
}

} // namespace
