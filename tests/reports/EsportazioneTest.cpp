#include "reports/Esportazione.h"
#include "archive/Windows1252.h"
#include "reports/EsportazioneFoglio.h"
#include "reports/TExcel.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSheetTransport.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

const QString errore = QStringLiteral("Errore");
const QString informazione = QStringLiteral("Informazione");
const Message connesso{QStringLiteral("Connessione con Microsoft Excel\u00ae effettuata correttamente"), informazione,
                       Message::Icon::Information};
const Message trasferito{QStringLiteral("Trasferimento effettuato con successo - Microsoft Excel\u00ae disconnesso"),
                         informazione, Message::Icon::Information};

// Factory settings, an archive in the data directory and a link over a recording transport.
struct Ambiente : ArchiveFixture
{
    QLocale italiano{QLocale::Italian, QLocale::Italy};
    FakeClock clock;
    FakeSheetTransport transport;
    TExcel excel{transport, clock};

    Esportazione esportazione() const { return Esportazione(archivio, dirs.data(), stato, store, italiano); }

    // The spreadsheet export as the dialog runs it: connect, then export.
    Esportazione::Esito foglio(const char* mese, int anno, QList<Message>* messaggi = nullptr)
    {
        const Esportazione e = esportazione();
        const Esportazione::Collegamento c = e.collega(excel);
        EXPECT_TRUE(c.collegato);
        Esportazione::Esito esito = e.esporta(QLatin1String(mese), anno, &excel);
        if (messaggi)
            *messaggi = c.messaggi + esito.messaggi;
        return esito;
    }

    QByteArray leggi(const QString& nome) const
    {
        QFile file(QDir(dirs.data()).filePath(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
};

QString formula(const QString& testo)
{
    return QStringLiteral("[FORMULA(\"%1\")]").arg(testo);
}

QString select(const QString& riferimento)
{
    return QStringLiteral("[SELECT(\"%1\")]").arg(riferimento);
}

QStringList rigaFoglio(const QStringList& valori)
{
    QStringList comandi;
    for (qsizetype i = 0; i < valori.size(); ++i) {
        QString v = valori[i];
        comandi << formula(v.replace(QLatin1Char('"'), QLatin1String("\"\"")));
        comandi << select(i + 1 < valori.size() ? QStringLiteral("R[0]C[1]") : QStringLiteral("R[1]C[-4]"));
    }
    return comandi;
}

TEST(Esportazione, AThirtyDayMonthFromHeaderToDisconnect)
{
    Ambiente a;
    // April 1999: the 5th is Easter Monday, the 7th a Wednesday.
    a.scrivi({QStringLiteral("07/04/1999 10.00.00 collegamento Aperto  011 Casa \"Mia\""),
              QStringLiteral("07/04/1999 10.20.00 collegamento Chiuso  011"),
              QStringLiteral("30/04/1999 22.00.00 collegamento Aperto  011 Rete \"]"),
              QStringLiteral("30/04/1999 22.00.30 collegamento Chiuso  011")});
    QList<Message> messaggi;
    const Esportazione::Esito esito = a.foglio("aprile", 1999, &messaggi);
    EXPECT_TRUE(esito.eseguita);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::Done);
    EXPECT_EQ(messaggi, QList<Message>({connesso, trasferito}));
    EXPECT_EQ(a.transport.documentName, QStringLiteral("apr_99"));

    QStringList comandi{select(QStringLiteral("R1C1")),
                        formula(QStringLiteral("Data")),
                        select(QStringLiteral("R[0]C[1]")),
                        formula(QStringLiteral("Scatti")),
                        select(QStringLiteral("R[0]C[1]")),
                        formula(QStringLiteral("Costo")),
                        select(QStringLiteral("R[0]C[1]")),
                        formula(QStringLiteral("Secondi")),
                        select(QStringLiteral("R[0]C[1]")),
                        formula(QStringLiteral("Provider")),
                        QStringLiteral("[select(\"R1C1:R1C5\")]"),
                        QStringLiteral("[format.font(,10,true,false,false,false,0)]"),
                        QStringLiteral("[alignment(3,false,3,0)]"),
                        QStringLiteral("[select(\"R2C1\")]")};
    for (int giorno = 1; giorno <= 30; ++giorno) {
        const QString data = QStringLiteral("%1/04/1999").arg(giorno, 2, 10, QLatin1Char('0'));
        if (giorno == 7)
            comandi += rigaFoglio({data, QStringLiteral("6"), QStringLiteral("912"), QStringLiteral("1200"),
                                   QStringLiteral("Casa \"Mia\"")});
        else if (giorno == 30)
            comandi += rigaFoglio(
                {data, QStringLiteral("1"), QStringLiteral("152"), QStringLiteral("30"), QStringLiteral("Rete \"]")});
        else
            comandi += rigaFoglio(
                {data, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("---")});
    }
    ASSERT_EQ(comandi.size(), 314);

    QStringList log{QStringLiteral("open Excel System"), QStringLiteral("request Selection")};
    for (qsizetype i = 0; i < comandi.size(); ++i) {
        if (i + 1 == 128 || i + 1 == 256)
            log << QStringLiteral("request Status");
        log << QStringLiteral("execute ") + comandi[i];
    }
    log << QStringLiteral("close Keep");
    EXPECT_EQ(a.transport.log, log);
}

TEST(Esportazione, TheProgramNotFoundOrNotConnected)
{
    Ambiente a;
    a.scrivi({});
    a.transport.answers = false;
    Esportazione::Collegamento c = a.esportazione().collega(a.excel);
    EXPECT_FALSE(c.collegato);
    EXPECT_FALSE(c.spegniFoglio);
    EXPECT_EQ(c.messaggi, QList<Message>({{QStringLiteral("Microsoft Excel\u00ae non trovato!"), errore,
                                           Message::Icon::Critical}}));

    // The program answers and drops the conversation at once.
    Ambiente b;
    b.transport.onRequest = [&b](const QString&) { b.transport.connected = false; };
    c = b.esportazione().collega(b.excel);
    EXPECT_FALSE(c.collegato);
    EXPECT_TRUE(c.spegniFoglio);
    EXPECT_EQ(c.messaggi, QList<Message>({{QStringLiteral("Impossibile connettersi con Microsoft Excel\u00ae"), errore,
                                           Message::Icon::Critical}}));
}

TEST(Esportazione, AnExportThatStopsKeepsNoSheet)
{
    struct Caso
    {
        const char* nome;
        std::function<void(Ambiente&)> prepara;
        const char* mese;
        bool eseguita;
        ConsumiResult::Outcome outcome;
        QString messaggio;
    };
    const std::vector<Caso> casi{
        {"archive missing", [](Ambiente&) {}, "marzo", true, ConsumiResult::Outcome::ArchiveMissing,
         QStringLiteral("L'archivio chiamate non esiste!")},
        {"no month", [](Ambiente& a) { a.scrivi({}); }, "", false, ConsumiResult::Outcome::Done, QString()},
        {"missing closure",
         [](Ambiente& a) { a.scrivi({QStringLiteral("03/03/1999 10.00.00 collegamento Aperto  011 Casa")}); }, "marzo",
         true, ConsumiResult::Outcome::MissingClosure,
         QStringLiteral("manca la chiusura del collegamento:\r03/03/1999 10.00.00 ")},
        {"no answer",
         [](Ambiente& a) {
             a.scrivi({});
             a.transport.statusAnswers = {QStringLiteral("Busy"), QStringLiteral("Busy"), QStringLiteral("Busy")};
             a.transport.onRequest = [&a](const QString&) { a.clock.advance(10000); };
         },
         "marzo", true, ConsumiResult::Outcome::OutputError, QStringLiteral("Microsoft Excel\u00ae non risponde")},
        {"sheet not kept",
         [](Ambiente& a) {
             a.scrivi({});
             a.transport.failClose = true;
         },
         "marzo", true, ConsumiResult::Outcome::OutputError,
         QStringLiteral("Impossibile scrivere il file mar_99.xlsx: No space left on device")},
    };
    for (const Caso& c : casi) {
        Ambiente a;
        c.prepara(a);
        QList<Message> messaggi;
        const Esportazione::Esito esito = a.foglio(c.mese, 1999, &messaggi);
        EXPECT_EQ(esito.eseguita, c.eseguita) << c.nome;
        EXPECT_EQ(esito.outcome, c.outcome) << c.nome;
        ASSERT_FALSE(messaggi.isEmpty()) << c.nome;
        EXPECT_EQ(messaggi.first(), connesso) << c.nome;
        if (c.messaggio.isEmpty()) {
            EXPECT_EQ(messaggi.size(), 1) << c.nome;
        } else {
            ASSERT_EQ(messaggi.size(), 2) << c.nome;
            EXPECT_EQ(messaggi[1].text, c.messaggio) << c.nome;
            EXPECT_EQ(messaggi[1].icon, Message::Icon::Critical) << c.nome;
        }
        EXPECT_FALSE(a.transport.log.contains(QStringLiteral("close Keep")) && !a.transport.failClose) << c.nome;
        EXPECT_FALSE(a.transport.isConnected()) << c.nome;
    }
}

TEST(Esportazione, TheMissingClosureGoesToTheRepair)
{
    Ambiente a;
    const QString apertura = QStringLiteral("20/03/1999 10.00.00 collegamento Aperto  011 Casa");
    a.scrivi({QStringLiteral("01/03/1999 10.00.00 collegamento Aperto  011 Casa"),
              QStringLiteral("01/03/1999 10.05.00 collegamento Chiuso  011"), apertura});
    const Esportazione::Esito esito = a.esportazione().esporta(QStringLiteral("marzo"), 1999, nullptr);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::MissingClosure);
    EXPECT_EQ(esito.passata.aperturaSenzaChiusura.riga, apertura);
    ASSERT_EQ(esito.messaggi.size(), 1);
    EXPECT_EQ(esito.messaggi[0].title, QStringLiteral("Attenzione!"));
}

TEST(Esportazione, MonthsAndYearsThatMakeAPeriod)
{
    struct Caso
    {
        const char* mese;
        int anno;
        QDate dal, al;
    };
    const std::vector<Caso> casi{
        {"febbraio", 2000, QDate(2000, 2, 1), QDate(2000, 2, 29)},
        {"febbraio", 1999, QDate(1999, 2, 1), QDate(1999, 2, 28)},
        {"aprile", 1995, QDate(1995, 4, 1), QDate(1995, 4, 30)},
        {"dicembre", 2030, QDate(2030, 12, 1), QDate(2030, 12, 31)},
        {"marzo", 99, {}, {}},
        {"marzo", 1994, {}, {}},
        {"marzo", 2031, {}, {}},
        {"Marzo", 1999, {}, {}},
        {"", 1999, {}, {}},
    };
    for (const Caso& c : casi) {
        const auto p = Esportazione::periodo(QLatin1String(c.mese), c.anno);
        EXPECT_EQ(p.has_value(), c.dal.isValid()) << c.mese << ' ' << c.anno;
        if (p && c.dal.isValid()) {
            EXPECT_EQ(p->first, c.dal);
            EXPECT_EQ(p->second, c.al);
        }
    }
    EXPECT_EQ(Esportazione::nomeDocumento(QStringLiteral("gennaio"), 1999), QStringLiteral("gen_99"));
    EXPECT_EQ(Esportazione::mesePredefinito(QDate(1999, 3, 22)), 2);
}

TEST(Esportazione, SheetCellsHoldTheTextExportsValues)
{
    EXPECT_EQ(EsportazioneFoglio::costo(912), QStringLiteral("912"));
    EXPECT_EQ(EsportazioneFoglio::costo(1234567), QStringLiteral("1234567"));
    EXPECT_EQ(EsportazioneFoglio::costo(0), QStringLiteral("0"));
    EXPECT_EQ(EsportazioneFoglio::costo(75.5), QStringLiteral("75.5"));
}

TEST(Esportazione, WritesOneLineADayOfTheMonth)
{
    Ambiente a;
    // 01/02/2000 was a Tuesday: 2200 tenths on class 1 from 08.00.00.
    a.scrivi({QStringLiteral("31/01/2000 10.00.00 collegamento Aperto  011 Casa"),
              QStringLiteral("31/01/2000 10.20.00 collegamento Chiuso  011"),
              QStringLiteral("01/02/2000 10.00.00 collegamento Aperto  011 Casa"),
              QStringLiteral("01/02/2000 10.20.00 collegamento Chiuso  011"),
              QStringLiteral("01/02/2000 11.00.00 collegamento Aperto  011 Rete Citt\u00e0"),
              QStringLiteral("01/02/2000 11.20.00 collegamento Chiuso  011"),
              QStringLiteral("29/02/2000 23.59.00 collegamento Aperto  011 Notte"),
              QStringLiteral("01/03/2000 00.01.00 collegamento Chiuso  011")});
    const Esportazione::Esito esito = a.esportazione().esporta(QStringLiteral("febbraio"), 2000, nullptr);
    ASSERT_EQ(esito.outcome, ConsumiResult::Outcome::Done);
    EXPECT_TRUE(esito.messaggi.isEmpty());
    EXPECT_EQ(esito.file, a.dirs.data() + QStringLiteral("/feb_00.txt"));
    const QList<QByteArray> righe = a.leggi(QStringLiteral("feb_00.txt")).split('\n');
    ASSERT_EQ(righe.size(), 30); // 29 days and the empty text after the last line end
    EXPECT_EQ(QString::fromUtf8(righe[0]), QStringLiteral("01/02/2000;12;L.\u00a01.824;2400;Rete Citt\u00e0\r"));
    EXPECT_EQ(QString::fromUtf8(righe[1]), QStringLiteral("02/02/2000;0;L.\u00a00;0;---\r"));
    EXPECT_EQ(QString::fromUtf8(righe[28]), QStringLiteral("29/02/2000;1;L.\u00a0152;120;Notte\r"));
    EXPECT_TRUE(righe[29].isEmpty());
}

TEST(Esportazione, AStoppedTextExportLeavesThePreviousFile)
{
    Ambiente a;
    QFile precedente(QDir(a.dirs.data()).filePath(QStringLiteral("mar_99.txt")));
    ASSERT_TRUE(precedente.open(QIODevice::WriteOnly));
    precedente.write("precedente\r\n");
    precedente.close();

    Esportazione::Esito esito = a.esportazione().esporta(QStringLiteral("marzo"), 1999, nullptr);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::ArchiveMissing);
    EXPECT_EQ(esito.messaggi.value(0).text, QStringLiteral("L'archivio chiamate non esiste!"));

    a.scrivi({QStringLiteral("01/03/1999 10.00.00 collegamento Aperto  011 Casa"),
              QStringLiteral("01/03/1999 10.05.00 collegamento Chiuso  011"),
              QStringLiteral("20/03/1999 10.00.00 collegamento Aperto  011 Casa")});
    esito = a.esportazione().esporta(QStringLiteral("marzo"), 1999, nullptr);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::MissingClosure);
    EXPECT_TRUE(esito.file.isEmpty());
    EXPECT_EQ(a.leggi(QStringLiteral("mar_99.txt")), QByteArray("precedente\r\n"));
    EXPECT_EQ(QDir(a.dirs.data()).entryList(QDir::Files).size(), 2); // the archive and the old export only

    const Esportazione altrove(a.archivio, a.dirs.path() + QStringLiteral("/manca"), a.stato, a.store, a.italiano);
    esito = altrove.esporta(QStringLiteral("aprile"), 1999, nullptr);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::OutputError);
    EXPECT_TRUE(esito.messaggi.value(0).text.startsWith(QStringLiteral("Impossibile scrivere il file")));
}

} // namespace
