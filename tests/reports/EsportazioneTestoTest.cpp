#include "reports/EsportazioneTesto.h"
#include "archive/Windows1252.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

struct Esportazione
{
    TestDirs dirs;
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    QLocale italiano{QLocale::Italian, QLocale::Italy};

    Esportazione()
    {
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
    }

    void archiviaRighe(const QStringList& righe)
    {
        QFile file(archivio);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& r : righe)
            file.write(Windows1252::encode(r) + "\r\n");
    }

    // The export; what it reports is shown through `prompter` when one is given.
    std::optional<ConsumiResult> esporta(const char* mese, const char* anno, const QString& directory,
                                         Prompter* prompter = nullptr)
    {
        const std::optional<ConsumiResult> r =
            esportaMese(archivio, QLatin1String(mese), QLatin1String(anno), directory, stato, store, {}, italiano);
        if (r && prompter)
            prompter->show(r->messages());
        return r;
    }

    QByteArray leggi(const QString& nome) const
    {
        QFile file(QDir(dirs.data()).filePath(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
};

TEST(EsportazioneTesto, NamesTheFileAfterTheMonthAndYear)
{
    EXPECT_EQ(EsportazioneTesto::nomeFile(QStringLiteral("gennaio"), QStringLiteral("1999")),
              QStringLiteral("gen_99.txt"));
    EXPECT_EQ(EsportazioneTesto::nomeFile(QStringLiteral("dicembre"), QStringLiteral("2030")),
              QStringLiteral("dic_30.txt"));
}

TEST(EsportazioneTesto, WritesOneLineADayOfTheMonth)
{
    Esportazione e;
    // 01/02/2000 was a Tuesday: 2200 tenths on class 1 from 08.00.00.
    e.archiviaRighe({QStringLiteral("31/01/2000 10.00.00 collegamento Aperto  011 Casa"),
                     QStringLiteral("31/01/2000 10.20.00 collegamento Chiuso  011"),
                     QStringLiteral("01/02/2000 10.00.00 collegamento Aperto  011 Casa"),
                     QStringLiteral("01/02/2000 10.20.00 collegamento Chiuso  011"),
                     QStringLiteral("01/02/2000 11.00.00 collegamento Aperto  011 Rete Citt\u00e0"),
                     QStringLiteral("01/02/2000 11.20.00 collegamento Chiuso  011"),
                     QStringLiteral("29/02/2000 23.59.00 collegamento Aperto  011 Notte"),
                     QStringLiteral("01/03/2000 00.01.00 collegamento Chiuso  011")});
    const std::optional<ConsumiResult> r = e.esporta("febbraio", "2000", e.dirs.data());
    ASSERT_TRUE(r);
    ASSERT_EQ(r->outcome, ConsumiResult::Outcome::Done);
    const QList<QByteArray> righe = e.leggi(QStringLiteral("feb_00.txt")).split('\n');
    ASSERT_EQ(righe.size(), 30); // 29 days and the empty text after the last line end
    EXPECT_EQ(QString::fromUtf8(righe[0]), QStringLiteral("01/02/2000;12;1.824\u00a0€;2400;Rete Citt\u00e0\r"));
    EXPECT_EQ(QString::fromUtf8(righe[1]), QStringLiteral("02/02/2000;0;0\u00a0€;0;---\r"));
    EXPECT_EQ(QString::fromUtf8(righe[28]), QStringLiteral("29/02/2000;1;152\u00a0€;120;Notte\r"));
    EXPECT_TRUE(righe[29].isEmpty());
}

TEST(EsportazioneTesto, AStoppedPassLeavesThePreviousExport)
{
    Esportazione e;
    QFile precedente(QDir(e.dirs.data()).filePath(QStringLiteral("mar_99.txt")));
    ASSERT_TRUE(precedente.open(QIODevice::WriteOnly));
    precedente.write("precedente\r\n");
    precedente.close();

    FakePrompter prompter;
    prompter.expect(QStringLiteral("Archivio chiamate inesistente!"))
        .expectContaining(QStringLiteral("manca la chiusura del collegamento"));
    const std::optional<ConsumiResult> mancante = e.esporta("marzo", "1999", e.dirs.data(), &prompter);
    ASSERT_TRUE(mancante);
    EXPECT_EQ(mancante->outcome, ConsumiResult::Outcome::ArchiveMissing);

    e.archiviaRighe({QStringLiteral("01/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                     QStringLiteral("01/03/1999 10.05.00 collegamento Chiuso  011"),
                     QStringLiteral("20/03/1999 10.00.00 collegamento Aperto  011 Casa")});
    const std::optional<ConsumiResult> aperta = e.esporta("marzo", "1999", e.dirs.data(), &prompter);
    ASSERT_TRUE(aperta);
    EXPECT_EQ(aperta->outcome, ConsumiResult::Outcome::MissingClosure);
    EXPECT_EQ(prompter.shown.size(), 2);
    EXPECT_EQ(e.leggi(QStringLiteral("mar_99.txt")), QByteArray("precedente\r\n"));
    EXPECT_EQ(QDir(e.dirs.data()).entryList(QDir::Files).size(), 2); // the archive and the old export only
}

TEST(EsportazioneTesto, MonthsThatMakeNoDatesExportNothing)
{
    Esportazione e;
    e.archiviaRighe({});
    EXPECT_FALSE(e.esporta("", "1999", e.dirs.data()));
    EXPECT_FALSE(e.esporta("Marzo", "1999", e.dirs.data()));
    EXPECT_EQ(QDir(e.dirs.data()).entryList(QDir::Files).size(), 1);
}

TEST(EsportazioneTesto, AFileThatCannotBeWrittenIsAnError)
{
    Esportazione e;
    e.archiviaRighe({});
    FakePrompter prompter;
    prompter.expectContaining(QStringLiteral("Impossibile scrivere il file"));
    const std::optional<ConsumiResult> r =
        e.esporta("aprile", "1999", e.dirs.path() + QStringLiteral("/manca"), &prompter);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->outcome, ConsumiResult::Outcome::OutputError);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(QStringLiteral("Impossibile scrivere il file")))
        << r->message.toStdString();
}

} // namespace
