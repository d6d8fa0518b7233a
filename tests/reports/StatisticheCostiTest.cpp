#include "reports/StatisticheCosti.h"
#include "archive/Windows1252.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/support/FakeShell.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

const QString attenzione = QStringLiteral("Attenzione!");
const QDate oggi(1999, 12, 6);
const QString inesatta = QStringLiteral("Una data è inesatta!");
const QString ordine = QStringLiteral("La data finale deve essere uguale o successiva a quella iniziale");

// 22/03/1999 was a Monday: 2200 tenths on class 1 from 08.00.00, 152 lire a unit.
const QStringList ventiMinuti{QStringLiteral("22/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                              QStringLiteral("22/03/1999 10.20.00 collegamento Chiuso  011")};
const QStringList ilGiornoDopo{QStringLiteral("23/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                               QStringLiteral("23/03/1999 10.05.00 collegamento Chiuso  011")};

// Factory settings and the statistics of a window over the data directory.
struct Ambiente : ArchiveFixture
{
    QLocale italiano{QLocale::Italian, QLocale::Italy};
    StatisticheCosti statistiche{dirs.data(), stato, store, italiano};

    void imposta(const char* valore, const char* testo)
    {
        store.writeText(QStringLiteral("limiti"), QLatin1String(valore), QLatin1String(testo));
    }
};

TEST(StatisticheCosti, DatesThatAreRefusedComputeNothing)
{
    struct Caso
    {
        const char* inizio;
        const char* fine;
        QString messaggio;
    };
    const std::vector<Caso> casi{
        {"31/02/1999", "01/03/1999", inesatta}, {"", "01/03/1999", inesatta},
        {"01/03/1999", "", inesatta},           {"01/03/1999", "1999-03-02", inesatta},
        {"02/03/1999", "01/03/1999", ordine},   {"01/01/2000", "31/12/1999", ordine},
    };
    for (const Caso& c : casi) {
        // No archive and a daily limit: a pass or the limits page would each say something.
        Ambiente a;
        a.imposta("CheckBox6_Checked", "True");
        a.imposta("RxSpinEdit4_value", "60");
        const StatisticheCosti::Calcolo r = a.statistiche.calcola(QLatin1String(c.inizio), QLatin1String(c.fine), oggi);
        EXPECT_FALSE(r.eseguito) << c.inizio << ' ' << c.fine;
        EXPECT_FALSE(r.testi.has_value()) << c.inizio << ' ' << c.fine;
        ASSERT_EQ(r.messaggi.size(), 1) << c.inizio << ' ' << c.fine;
        EXPECT_EQ(r.messaggi[0], (Message{c.messaggio, attenzione, Message::Icon::Critical}));
        EXPECT_EQ(r.limiti, StatisticheCosti::Scostamenti{});
    }
}

TEST(StatisticheCosti, EqualDatesAreOneDay)
{
    Ambiente a;
    a.scrivi(a.archivio, ventiMinuti + ilGiornoDopo);
    const StatisticheCosti::Calcolo r =
        a.statistiche.calcola(QStringLiteral("22/03/1999"), QStringLiteral("22/03/1999"), oggi);
    ASSERT_TRUE(r.eseguito);
    ASSERT_TRUE(r.testi.has_value());
    EXPECT_TRUE(r.messaggi.isEmpty());
    EXPECT_EQ(r.testi->collegamenti, QStringLiteral("1"));
    EXPECT_EQ(r.testi->durata, QStringLiteral("0h 20m 0s"));
}

TEST(StatisticheCosti, TheTextsAreThoseOfThePass)
{
    Ambiente a;
    a.scrivi(a.archivio, ventiMinuti + ilGiornoDopo);
    const StatisticheCosti::Calcolo r =
        a.statistiche.calcola(QStringLiteral("1/3/1999"), QStringLiteral("31/03/99"), oggi);
    ASSERT_TRUE(r.testi.has_value());
    const ConsumiTexts& t = *r.testi;
    EXPECT_EQ(t.durata, QStringLiteral("0h 25m 0s"));
    EXPECT_EQ(t.scatti, QStringLiteral("8"));
    EXPECT_EQ(t.costo, QStringLiteral("L.\u00a01.216"));
    EXPECT_EQ(t.collegamenti, QStringLiteral("2"));
    EXPECT_EQ(t.ultimoScatti, QStringLiteral("2"));
    EXPECT_EQ(t.ultimoCosto, QStringLiteral("L.\u00a0304"));
    EXPECT_EQ(t.ultimoTempo, QStringLiteral("0h 5m 0s "));
    EXPECT_EQ(t.giornataScatti, QStringLiteral("2"));
    EXPECT_EQ(t.giornataTempo, QStringLiteral("0h 5m 0s "));
    EXPECT_EQ(t.giornataCollegamenti, QStringLiteral("1"));
    EXPECT_EQ(t.giornataCosto, QStringLiteral("L.\u00a0304"));
}

// An invalid unit price prices every call at nothing: the window says why,
// once while it is open, not at every "&Calcola".
TEST(StatisticheCosti, AnInvalidUnitPriceIsToldOnce)
{
    Ambiente a;
    a.scrivi(ventiMinuti);
    a.store.writeText(QStringLiteral("importo"), QStringLiteral("costo"), QStringLiteral("-152"));
    const Message avviso{QStringLiteral("Costo scatto non valido: '-152'")};
    const QString marzo = QStringLiteral("22/03/1999");
    EXPECT_TRUE(a.statistiche.calcola(marzo, marzo, oggi).messaggi.contains(avviso));
    EXPECT_FALSE(a.statistiche.calcola(marzo, marzo, oggi).messaggi.contains(avviso));
}

TEST(StatisticheCosti, AMissingArchiveIsToldAndTheLimitsPageStillFilled)
{
    Ambiente a;
    a.imposta("CheckBox6_Checked", "True");
    a.imposta("RxSpinEdit4_value", "60");
    a.imposta("consumiGiorno", "75");
    const StatisticheCosti::Calcolo r =
        a.statistiche.calcola(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"), oggi);
    EXPECT_TRUE(r.eseguito);
    EXPECT_FALSE(r.testi.has_value());
    EXPECT_EQ(r.messaggi, QList<Message>({{QStringLiteral("Archivio chiamate inesistente!"), attenzione,
                                           Message::Icon::Critical}}));
    EXPECT_EQ(r.limiti.giornaliero, QStringLiteral("-15"));
    EXPECT_FALSE(r.andamento.has_value());
    EXPECT_TRUE(r.proiezione.isEmpty());
}

// The "Andamento" page comes from the pass that gives the totals.
TEST(StatisticheCosti, TheTrendAndTheProjectionComeWithTheTotals)
{
    Ambiente a;
    a.scrivi(a.archivio, ventiMinuti + ilGiornoDopo);
    a.imposta("CheckBox7_Checked", "True");
    a.imposta("RxCalcEdit1_value", "600");
    const QDate ventitre(1999, 3, 23);
    StatisticheCosti::Calcolo r =
        a.statistiche.calcola(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"), ventitre);
    ASSERT_TRUE(r.andamento.has_value());
    ASSERT_EQ(r.andamento->barre().size(), 31);
    EXPECT_EQ(r.andamento->barre()[21].scatti, 6);
    EXPECT_EQ(r.andamento->barre()[22].scatti, 2);
    qint64 scatti = 0;
    for (const AndamentoConsumi::Barra& b : r.andamento->barre())
        scatti += b.scatti;
    EXPECT_EQ(QString::number(scatti), r.testi->scatti);
    ASSERT_EQ(r.proiezione.size(), 3);
    EXPECT_EQ(r.proiezione[0], QStringLiteral("Proiezione a fine marzo 1999 (trascorsi 23 giorni su 31)"));
    // 600 - 25 minutes over the 9 days from the 23rd.
    EXPECT_EQ(r.proiezione[2], QStringLiteral("Per restare nel limite mensile di 600 minuti: 63 minuti al giorno"));

    r = a.statistiche.calcola(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"), oggi);
    EXPECT_EQ(r.proiezione, QStringList{AndamentoConsumi(QDate(), QDate(), oggi).proiezioneNonDisponibile()});
}

TEST(StatisticheCosti, TheLimitsPageComparesTheStoredConsumption)
{
    struct Caso
    {
        const char* nome;
        std::vector<std::pair<const char*, const char*>> impostazioni;
        StatisticheCosti::Scostamenti atteso;
        int messaggi = 0;
    };
    const std::vector<Caso> casi{
        {"nothing set", {}, {}},
        {"daily exceeded",
         {{"CheckBox6_Checked", "True"}, {"RxSpinEdit4_value", "60"}, {"ConsumiGiorno", "75"}},
         {QStringLiteral("-15"), QStringLiteral("0"), QStringLiteral("0"), {}}},
        {"daily alarm off", {{"CheckBox6_Checked", "False"}, {"RxSpinEdit4_value", "60"}, {"ConsumiGiorno", "75"}}, {}},
        {"only the exact True", {{"CheckBox6_Checked", "true"}, {"RxSpinEdit4_value", "60"}}, {}},
        {"alarm off, nonsense not read",
         {{"CheckBox7_Checked", "False"}, {"RxCalcEdit1_value", "molti"}, {"consumiMese", "?"}},
         {}},
        {"monthly and yearly left",
         {{"CheckBox7_Checked", "True"},
          {"RxCalcEdit1_value", "600"},
          {"consumiMese", "541"},
          {"CheckBox11_Checked", "True"},
          {"RxCalcEdit2_value", "6000"}},
         {QStringLiteral("0"), QStringLiteral("59"), QStringLiteral("6000"), {}}},
        {"a limit that does not convert",
         {{"CheckBox6_Checked", "True"}, {"RxSpinEdit4_value", "un'ora"}, {"consumiGiorno", "10"}},
         {},
         1},
        {"a consumption that does not convert",
         {{"CheckBox11_Checked", "True"}, {"RxCalcEdit2_value", "100"}, {"consumiAnno", "1e3"}},
         {},
         1},
    };
    for (const Caso& c : casi) {
        Ambiente a;
        for (const auto& [valore, testo] : c.impostazioni)
            a.imposta(valore, testo);
        StatisticheCosti::Scostamenti s = StatisticheCosti::scostamenti(a.store);
        EXPECT_EQ(s.messaggi.size(), c.messaggi) << c.nome;
        for (const Message& m : s.messaggi)
            EXPECT_TRUE(m.text.contains(QStringLiteral("non è valido"))) << c.nome;
        s.messaggi.clear();
        EXPECT_EQ(s, c.atteso) << c.nome << ": " << s.giornaliero.toStdString() << ' ' << s.mensile.toStdString() << ' '
                               << s.annuo.toStdString();
    }
}

TEST(StatisticheCosti, ChoosingTheArchive)
{
    Ambiente a;
    const QString altro = a.dirs.path() + QStringLiteral("/altro.txt");
    const QString testo = a.dirs.path() + QStringLiteral("/lettera.txt");
    a.scrivi(altro, ventiMinuti);
    a.scrivi(testo, {QStringLiteral("Caro Mario,"), QStringLiteral("ti scrivo")});
    const QString attuale = QDir(a.dirs.data()).filePath(QStringLiteral("tqklog.txt"));
    const QString etichettaAttuale = QStringLiteral("Costi calcolati dall'archivio chiamate");
    const QString etichettaAltro = QStringLiteral("Costi calcolati da archivio alternativo");

    EXPECT_EQ(a.statistiche.archivio(), attuale);
    EXPECT_EQ(a.statistiche.etichetta(), etichettaAttuale);

    EXPECT_EQ(a.statistiche.scegliAltroFile(altro), StatisticheCosti::Scelta::Valida);
    EXPECT_TRUE(a.stato.AltroFileAttivo);
    EXPECT_EQ(a.statistiche.archivio(), altro);
    EXPECT_EQ(a.statistiche.archivioAlternativo(), altro);
    EXPECT_EQ(a.statistiche.archivioAttuale(), attuale);
    EXPECT_EQ(a.statistiche.etichetta(), etichettaAltro);

    a.statistiche.attuale();
    EXPECT_FALSE(a.stato.AltroFileAttivo);
    EXPECT_EQ(a.statistiche.archivio(), attuale);
    EXPECT_EQ(a.statistiche.etichetta(), etichettaAttuale);

    for (const QString& file : {testo, a.dirs.path() + QStringLiteral("/nessuno.txt")}) {
        ASSERT_EQ(a.statistiche.scegliAltroFile(altro), StatisticheCosti::Scelta::Valida);
        EXPECT_EQ(a.statistiche.scegliAltroFile(file), StatisticheCosti::Scelta::NonValida);
        EXPECT_FALSE(a.stato.AltroFileAttivo);
        EXPECT_EQ(a.statistiche.archivio(), attuale);
    }
    ASSERT_EQ(a.statistiche.scegliAltroFile(altro), StatisticheCosti::Scelta::Valida);
    EXPECT_EQ(a.statistiche.scegliAltroFile(QString()), StatisticheCosti::Scelta::Annullata);
    EXPECT_FALSE(a.stato.AltroFileAttivo);
    EXPECT_EQ(StatisticheCosti::archivioNonValido(),
              (Message{QStringLiteral("Il file non sembra essere un file di archivio valido"), QStringLiteral("Errore"),
                       Message::Icon::Critical}));
}

TEST(StatisticheCosti, ThePassReadsTheAlternateArchiveAndReportsItsMissingClosure)
{
    Ambiente a;
    const QString altro = a.dirs.path() + QStringLiteral("/altro.txt");
    const QString aperta = QStringLiteral("05/03/1999 09.00.00 collegamento Aperto  011 Altrove");
    a.scrivi(a.archivio, ventiMinuti);
    a.scrivi(altro, QStringList{aperta} + ilGiornoDopo);
    ASSERT_EQ(a.statistiche.scegliAltroFile(altro), StatisticheCosti::Scelta::Valida);
    const StatisticheCosti::Calcolo r =
        a.statistiche.calcola(QStringLiteral("01/03/1999"), QStringLiteral("31/03/1999"), oggi);
    EXPECT_FALSE(r.testi.has_value());
    EXPECT_EQ(r.passata.outcome, ConsumiResult::Outcome::MissingClosure);
    EXPECT_EQ(r.passata.archivio, altro);
    EXPECT_EQ(r.passata.aperturaSenzaChiusura.riga, aperta);
    EXPECT_EQ(r.messaggi, QList<Message>({{QStringLiteral("manca la chiusura del collegamento:\r"
                                                          "05/03/1999 09.00.00 "),
                                           attenzione, Message::Icon::Critical}}));
}

TEST(StatisticheCosti, TheStartDateOpensAsADateAndIsStoredAsTyped)
{
    struct Caso
    {
        const char* salvata; // nullptr: none stored
        const char* mostrata;
    };
    const std::vector<Caso> casi{
        {nullptr, "01/01/1996"},      {"15/03/1998", "15/03/1998"}, {"1/2/98", "01/02/1998"},
        {"31/02/1999", "01/01/1996"}, {"ieri", "01/01/1996"},       {"", "01/01/1996"},
    };
    for (const Caso& c : casi) {
        Ambiente a;
        if (c.salvata)
            a.store.writeText(QStringLiteral("InizioConteggio"), QStringLiteral("DataInizio"),
                              QLatin1String(c.salvata));
        else
            a.backend.removeKey(SettingsStore::chiave + QStringLiteral("\\InizioConteggio"));
        EXPECT_EQ(a.statistiche.dataInizio(), QLatin1String(c.mostrata)) << (c.salvata ? c.salvata : "none");
    }

    Ambiente a;
    ASSERT_EQ(a.statistiche.scegliAltroFile(a.archivio), StatisticheCosti::Scelta::NonValida);
    a.stato.AltroFileAttivo = true;
    a.statistiche.chiudi(QStringLiteral("31/02/1999"));
    EXPECT_FALSE(a.stato.AltroFileAttivo);
    EXPECT_EQ(a.store.readText(QStringLiteral("inizioconteggio"), QStringLiteral("datainizio"), QString()),
              QStringLiteral("31/02/1999"));
}

TEST(StatisticheCosti, ViewingTheArchive)
{
    Ambiente a;
    FakeShell shell;
    const Message inesistente{QStringLiteral("Archivio chiamate inesistente!"), attenzione, Message::Icon::Critical};
    EXPECT_EQ(a.statistiche.visualizza(shell), inesistente);
    EXPECT_TRUE(shell.viewed.isEmpty());

    a.scrivi(a.archivio, ventiMinuti);
    // Executable or not, the archive goes to the viewer.
    QFile::setPermissions(a.archivio, QFile::permissions(a.archivio) | QFileDevice::ExeOwner);
    EXPECT_EQ(a.statistiche.visualizza(shell), std::nullopt);
    EXPECT_EQ(shell.viewed, QStringList{a.archivio});
    EXPECT_TRUE(shell.opened.isEmpty() && shell.ran.isEmpty());

    // No viewer (or no xdg-open): what to install, and where the file is.
    const Message senzaVisore{QStringLiteral("Blocco Note non trovato!\rManca un programma per mostrare i file di "
                                             "testo:\rinstallare xdg-utils e un editor di testo.\r\r"
                                             "Il file di conteggio si trova in:\r%1")
                                  .arg(a.archivio),
                              attenzione, Message::Icon::Critical};
    for (const int risultato : {Shell::NotFound, 0, 32}) {
        shell.result = risultato;
        EXPECT_EQ(a.statistiche.visualizza(shell), senzaVisore);
    }

    const QString altro = a.dirs.path() + QStringLiteral("/altro.txt");
    a.scrivi(altro, ventiMinuti);
    ASSERT_EQ(a.statistiche.scegliAltroFile(altro), StatisticheCosti::Scelta::Valida);
    shell.result = Shell::Started;
    EXPECT_EQ(a.statistiche.visualizza(shell), std::nullopt);
    EXPECT_EQ(shell.viewed.last(), altro);
}

TEST(StatisticheCosti, TheDeletionConcernsTqklogOnly)
{
    Ambiente a;
    EXPECT_EQ(a.statistiche.cancellazioneImpossibile(),
              (Message{QStringLiteral("Archivio chiamate inesistente!"), attenzione, Message::Icon::Critical}));
    a.scrivi(a.archivio, {});
    EXPECT_EQ(a.statistiche.cancellazioneImpossibile(), std::nullopt);
    EXPECT_EQ(StatisticheCosti::dataDelCampo(QStringLiteral("02/03/1999"), QDate(1999, 12, 6)), QDate(1999, 3, 2));
    EXPECT_EQ(StatisticheCosti::dataDelCampo(QStringLiteral("31/02/1999"), QDate(1999, 12, 6)), QDate(1999, 12, 6));
}

} // namespace
