#include "tests/support/CliProcess.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

void archivio(const TestDirs& dirs, const QByteArray& bytes)
{
    ASSERT_TRUE(writeFile(dirs.data() + QStringLiteral("/tqklog.txt"), bytes));
}

const QByteArray dueChiamate = "22/03/1999 10.00.00 collegamento Aperto  011 Casa\r\n"
                               "22/03/1999 10.20.00 collegamento Chiuso  011\r\n"
                               "23/03/1999 10.00.00 collegamento Aperto  012 Ufficio\r\n"
                               "23/03/1999 10.00.00 collegamento Chiuso  012\r\n";

TEST(StatisticsCommands, ConsumiPrintsTheTotalsAsJson)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    const CliRun run = cli({QStringLiteral("consumi"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"),
                            QStringLiteral("--al"), QStringLiteral("31/03/1999"), QStringLiteral("--json")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("{\"scatti\": 6, \"costo\": 912, \"collegamenti\": 2, \"secondi\": 1200, "
                                      "\"durata\": \"0h 20m 0s\", \"ultimo_collegamento\": {\"scatti\": 6, "
                                      "\"costo\": 912, \"secondi\": 0, \"tempo\": \"0h 0m 0s \"}, "
                                      "\"ultima_giornata\": {\"scatti\": 6, \"costo\": 912, \"secondi\": 1200, "
                                      "\"tempo\": \"0h 20m 0s \", \"collegamenti\": 1}, \"proiezione\": null}\n"));
}

// The month of --oggi projected from its days in the range, with the minutes a day the monthly limit leaves.
TEST(StatisticsCommands, ConsumiJsonProjectsTheMonthOfToday)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    const QStringList marzo{QStringLiteral("consumi"), QStringLiteral("--dal"),      QStringLiteral("01/03/1999"),
                            QStringLiteral("--al"),    QStringLiteral("31/03/1999"), QStringLiteral("--json"),
                            QStringLiteral("--oggi"),  QStringLiteral("22/03/1999")};
    const QString proiezione =
        QStringLiteral("\"proiezione\": {\"mese\": \"03/1999\", \"giorni_trascorsi\": 22, \"giorni_nel_mese\": 31, "
                       "\"minuti\": 20, \"costo\": 912, \"minuti_previsti\": 28, \"costo_previsto\": 1285, "
                       "\"limite_mensile\": %1, \"minuti_al_giorno\": %2}}\n");
    CliRun run = cli(marzo);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(proiezione.arg(QStringLiteral("null"), QStringLiteral("null"))))
        << run.out.toStdString();
    run = cli(marzo + QStringList{QStringLiteral("--imposta"), QStringLiteral("limiti/CheckBox7_Checked=True"),
                                  QStringLiteral("--imposta"), QStringLiteral("limiti/RxCalcEdit1_value=600")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(proiezione.arg(600).arg(58))) << run.out.toStdString();
}

TEST(StatisticsCommands, AndamentoPrintsTheChartsRows)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    CliRun run = cli({QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("21/03/1999"),
                      QStringLiteral("--al"), QStringLiteral("23/03/1999")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("21/03/1999;0;0;0\n22/03/1999;6;912;20\n23/03/1999;0;0;0\n"));

    run = cli({QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("15/02/1999"),
               QStringLiteral("--al"), QStringLiteral("31/12/1999"), QStringLiteral("--json")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral(
        "{\"raggruppamento\": \"mese\", \"righe\": [{\"dal\": \"15/02/1999\", \"al\": \"28/02/1999\", \"scatti\": 0, "
        "\"costo\": 0, \"secondi\": 0, \"minuti\": 0}, {\"dal\": \"01/03/1999\", \"al\": \"31/03/1999\", "
        "\"scatti\": 6, \"costo\": 912, \"secondi\": 1200, \"minuti\": 20}, ")))
        << run.out.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("\"dal\"")), 11);
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\"minuti\": 0}]}\n")));

    run = cli({QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("02/03/1999"),
               QStringLiteral("--al"), QStringLiteral("01/03/1999")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("01/03/1999")}).exitCode, 2);
    QFile::remove(dirs.data() + QStringLiteral("/tqklog.txt"));
    run = cli({QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"),
               QStringLiteral("--al"), QStringLiteral("31/03/1999")});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, QStringLiteral("Archivio chiamate inesistente!\n"));
}

TEST(StatisticsCommands, ExitStatusesTellWhatWentWrong)
{
    TestDirs dirs;
    const QStringList marzo{QStringLiteral("consumi"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"),
                            QStringLiteral("--al"), QStringLiteral("31/03/1999")};
    CliRun run = cli(marzo);
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, QStringLiteral("Archivio chiamate inesistente!\n"));

    archivio(dirs, dueChiamate + "24/03/1999 10.00.00 collegamento Aperto  011 Casa\r\n");
    run = cli(marzo);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, QStringLiteral("manca la chiusura del collegamento:\\r24/03/1999 10.00.00 \n"));

    EXPECT_EQ(cli({QStringLiteral("consumi"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"),
                   QStringLiteral("--al"), QStringLiteral("32/03/1999")})
                  .exitCode,
              5);
    EXPECT_EQ(cli({QStringLiteral("consumi"), QStringLiteral("--dal"), QStringLiteral("01/03/1999")}).exitCode, 2);
}

// A unit price that is no price (negative, beyond 32 bits) would cost every
// call nothing: each command that prices calls refuses it, as a value that
// does not convert, and writes nothing.
TEST(StatisticsCommands, AnInvalidUnitPriceIsRefused)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    const QStringList comandi[] = {
        {QStringLiteral("consumi"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"), QStringLiteral("--al"),
         QStringLiteral("31/03/1999")},
        {QStringLiteral("andamento"), QStringLiteral("--dal"), QStringLiteral("01/03/1999"), QStringLiteral("--al"),
         QStringLiteral("31/03/1999")},
        {QStringLiteral("esporta"), QStringLiteral("--mese"), QStringLiteral("marzo"), QStringLiteral("--anno"),
         QStringLiteral("1999")},
    };
    for (const char* prezzo : {"-152", "99999999999", "-2147483648"}) {
        for (const QStringList& comando : comandi) {
            const CliRun run = cli(comando + QStringList{QStringLiteral("--imposta"),
                                                         QStringLiteral("importo/costo=") + QLatin1String(prezzo)});
            EXPECT_EQ(run.exitCode, 5) << prezzo << ' ' << comando.first().toStdString();
            EXPECT_EQ(run.err, QStringLiteral("Costo scatto non valido: '%1'\n").arg(QLatin1String(prezzo)));
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(dirs.data() + QStringLiteral("/mar_99.txt")));
}

TEST(StatisticsCommands, EsportaWritesTheMonthFile)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    const CliRun run =
        cli({QStringLiteral("esporta"), QStringLiteral("--mese"), QStringLiteral("marzo"), QStringLiteral("--anno"),
             QStringLiteral("1999"), QStringLiteral("--imposta"), QStringLiteral("importo/costo=100")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString path = dirs.data() + QStringLiteral("/mar_99.txt");
    EXPECT_EQ(run.out, path + QLatin1Char('\n'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> righe = file.readAll().split('\n');
    ASSERT_EQ(righe.size(), 32);
    // The cost as the statistics window writes it: "L. 600", with a no-break space.
    EXPECT_EQ(righe[21], QByteArray("22/03/1999;6;L.\xC2\xA0"
                                    "600;1200;Casa\r"));
    EXPECT_EQ(righe[22], QByteArray("23/03/1999;0;L.\xC2\xA0"
                                    "0;0;Ufficio\r"));
    EXPECT_EQ(righe[23], QByteArray("24/03/1999;0;L.\xC2\xA0"
                                    "0;0;---\r"));
}

TEST(StatisticsCommands, EsportaXlsxSavesTheSheet)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    const CliRun run = cli({QStringLiteral("esporta"), QStringLiteral("--mese"), QStringLiteral("marzo"),
                            QStringLiteral("--anno"), QStringLiteral("1999"), QStringLiteral("--xlsx")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString path = dirs.data() + QStringLiteral("/mar_99.xlsx");
    EXPECT_EQ(run.out, path + QLatin1Char('\n'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "PK"); // a zip container, as every .xlsx
    EXPECT_FALSE(QFile::exists(dirs.data() + QStringLiteral("/mar_99.txt")));
}

TEST(StatisticsCommands, EsportaTakesOnlyTheDialogsYears)
{
    TestDirs dirs;
    archivio(dirs, dueChiamate);
    for (const char* anno : {"99", "1994", "2031", "01999", "mille"}) {
        const CliRun run = cli({QStringLiteral("esporta"), QStringLiteral("--mese"), QStringLiteral("marzo"),
                                QStringLiteral("--anno"), QLatin1String(anno)});
        EXPECT_EQ(run.exitCode, 2) << anno;
        EXPECT_TRUE(run.out.isEmpty()) << anno;
    }
    EXPECT_EQ(cli({QStringLiteral("esporta"), QStringLiteral("--mese"), QStringLiteral("Marzo"),
                   QStringLiteral("--anno"), QStringLiteral("1999")})
                  .exitCode,
              2);
    EXPECT_EQ(QDir(dirs.data()).entryList(QDir::Files), QStringList{QStringLiteral("tqklog.txt")});
}

TEST(StatisticsCommands, EsportaOnAFullDiskFailsAndKeepsThePreviousExport)
{
    TestDirs dirs;
    SmallTmpfs disco(dirs.data());
    if (!disco.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const QString altrove = dirs.path() + QStringLiteral("/tqklog.txt");
    ASSERT_TRUE(writeFile(altrove, dueChiamate));
    for (const char* estensione : {"txt", "xlsx"}) {
        const QString path = dirs.data() + QStringLiteral("/mar_99.") + QLatin1String(estensione);
        ASSERT_TRUE(writeFile(path, "buona\r\n"));
    }
    ASSERT_TRUE(disco.fill());
    for (const char* estensione : {"txt", "xlsx"}) {
        QStringList argomenti{QStringLiteral("esporta"),
                              QStringLiteral("--mese"),
                              QStringLiteral("marzo"),
                              QStringLiteral("--anno"),
                              QStringLiteral("1999"),
                              QStringLiteral("--archivio"),
                              altrove};
        if (QLatin1String(estensione) == QLatin1String("xlsx"))
            argomenti << QStringLiteral("--xlsx");
        const CliRun run = cli(argomenti);
        const QString path = dirs.data() + QStringLiteral("/mar_99.") + QLatin1String(estensione);
        EXPECT_EQ(run.exitCode, 3) << estensione;
        EXPECT_TRUE(run.out.isEmpty()) << estensione;
        EXPECT_EQ(run.err, QStringLiteral("Impossibile scrivere il file %1: No space left on device\n").arg(path));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("buona\r\n")) << estensione;
    }
}

} // namespace
