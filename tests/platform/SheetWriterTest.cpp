#include "platform/SheetWriter.h"
#include "archive/Windows1252.h"
#include "platform/XlsxFile.h"
#include "reports/Esportazione.h"
#include "reports/TExcel.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeShell.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TestDirs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <clocale>

namespace {

// Reads an .xlsx back with openpyxl: the sheet's title and, row by row, each
// cell's value (dates as dd/mm/yyyy), whether it is a date, and its look.
const char lettore[] = R"(
import json, re, sys, zipfile, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
rows = []
for row in ws.iter_rows():
    cells = []
    for c in row:
        v = c.value
        if c.is_date:
            v = v.strftime("%d/%m/%Y")
        cells.append({"v": v, "type": type(c.value).__name__, "date": c.is_date, "format": c.number_format,
                      "bold": bool(c.font.b), "size": c.font.sz, "align": c.alignment.horizontal})
    rows.append(cells)
p = ws.page_setup
page = {"paper": str(p.paperSize), "wide": str(1 if p.fitToWidth is None else p.fitToWidth), "tall": str(p.fitToHeight),
        "fit": bool(ws.sheet_properties.pageSetUpPr and ws.sheet_properties.pageSetUpPr.fitToPage)}
widths = {k: d.width for k, d in ws.column_dimensions.items()}
xml = "".join(zipfile.ZipFile(sys.argv[1]).read(n).decode() for n in zipfile.ZipFile(sys.argv[1]).namelist()
              if n.endswith(".xml"))
comma = re.search(r'="-?[0-9]*,[0-9]|<v>[^<]*,', xml)
print(json.dumps({"title": ws.title, "rows": rows, "page": page, "widths": widths,
                  "comma": comma and xml[comma.start() - 40:comma.end() + 40]}))
)";

QJsonObject leggiXlsx(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(lettore), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QByteArray contenuto(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The process's locale set to it_IT.UTF-8, as the program's start sets it from
// an Italian desktop's environment; made below `cartella` when the system lacks it.
bool localeItaliano(const QString& cartella)
{
    if (std::setlocale(LC_ALL, "it_IT.UTF-8"))
        return true;
    const QString definizioni = cartella + QStringLiteral("/locale");
    QDir().mkpath(definizioni);
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("it_IT"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                       definizioni + QStringLiteral("/it_IT.UTF-8")});
    // Only while it loads: glibc's newlocale() loses its copy of LOCPATH.
    qputenv("LOCPATH", QFile::encodeName(definizioni));
    const bool fatto = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
    qunsetenv("LOCPATH");
    return fatto;
}

bool scrivi(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An archive, the factory settings and the sheet writer in a data directory.
struct Ambiente
{
    TestDirs dirs;
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    QString archivio = dirs.path() + QStringLiteral("/tqklog.txt");
    FakeShell shell;
    FakeClock clock;

    Ambiente()
    {
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
    }

    void archivia(const QStringList& righe) const
    {
        QByteArray bytes;
        for (const QString& r : righe)
            bytes += Windows1252::encode(r) + "\r\n";
        ASSERT_TRUE(scrivi(archivio, bytes));
    }

    Esportazione esportazione() const { return Esportazione(archivio, dirs.data(), stato, store, QLocale::c()); }

    // The export of the dialog through the sheet writer.
    Esportazione::Esito foglio(SheetWriter& writer, const char* mese, int anno)
    {
        TExcel excel(writer, clock);
        const Esportazione e = esportazione();
        EXPECT_TRUE(e.collega(excel).collegato);
        return e.esporta(QLatin1String(mese), anno, &excel);
    }
};

TEST(SheetWriter, AMonthReadBackHasTheTextExportsValues)
{
    Ambiente a;
    a.archivia({QStringLiteral("02/03/1999 10.00.00 collegamento Aperto  011 Casa \"Mia\""),
                QStringLiteral("02/03/1999 10.20.00 collegamento Chiuso  011"),
                QStringLiteral("09/03/1999 10.00.00 collegamento Aperto  011 Rete \"]"),
                QStringLiteral("09/03/1999 10.40.00 collegamento Chiuso  011"),
                QStringLiteral("30/03/1999 11.00.00 collegamento Aperto  011 0612345"),
                QStringLiteral("30/03/1999 11.20.00 collegamento Chiuso  011")});
    SheetWriter writer(a.dirs.data(), &a.shell);
    const Esportazione::Esito esito = a.foglio(writer, "marzo", 1999);
    ASSERT_EQ(esito.outcome, ConsumiResult::Outcome::Done) << esito.messaggi.value(0).text.toStdString();
    const QString path = a.dirs.data() + QStringLiteral("/mar_99.xlsx");
    EXPECT_EQ(writer.savedPath(), path);
    ASSERT_EQ(a.shell.opened.size(), 1);
    EXPECT_EQ(a.shell.opened[0].program, path);
    EXPECT_EQ(QDir(a.dirs.data()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("mar_99.xlsx")});

    const Esportazione::Esito testo = a.esportazione().esporta(QStringLiteral("marzo"), 1999, nullptr);
    ASSERT_EQ(testo.outcome, ConsumiResult::Outcome::Done);
    QList<QByteArray> righe = contenuto(testo.file).split('\n');
    righe.removeLast();
    ASSERT_EQ(righe.size(), 31);

    const QJsonObject foglio = leggiXlsx(path);
    EXPECT_EQ(foglio[QStringLiteral("title")].toString(), QStringLiteral("Foglio1"));
    const QJsonArray r = foglio[QStringLiteral("rows")].toArray();
    ASSERT_EQ(r.size(), 32);
    const QStringList intestazione{QStringLiteral("Data"), QStringLiteral("Scatti"), QStringLiteral("Costo"),
                                   QStringLiteral("Secondi"), QStringLiteral("Provider")};
    const QJsonArray primaRiga = r[0].toArray();
    ASSERT_EQ(primaRiga.size(), 5);
    for (int c = 0; c < 5; ++c) {
        const QJsonObject cella = primaRiga[c].toObject();
        EXPECT_EQ(cella[QStringLiteral("v")].toString(), intestazione[c]);
        EXPECT_TRUE(cella[QStringLiteral("bold")].toBool()) << c;
        EXPECT_EQ(cella[QStringLiteral("align")].toString(), QStringLiteral("center")) << c;
        EXPECT_EQ(cella[QStringLiteral("size")].toDouble(), 10) << c;
    }
    for (int giorno = 0; giorno < 31; ++giorno) {
        QStringList campi = QString::fromUtf8(righe[giorno].chopped(1)).split(QLatin1Char(';'));
        ASSERT_EQ(campi.size(), 5);
        const QJsonArray riga = r[giorno + 1].toArray();
        ASSERT_EQ(riga.size(), 5) << giorno;
        const QJsonObject data = riga[0].toObject();
        EXPECT_TRUE(data[QStringLiteral("date")].toBool()) << giorno;
        EXPECT_EQ(data[QStringLiteral("format")].toString(), QStringLiteral("dd/mm/yyyy"));
        EXPECT_EQ(data[QStringLiteral("v")].toString(), campi[0]);
        // The text file shows the cost in the currency format ("1,064" here), the sheet as a plain number.
        campi[2].remove(QRegularExpression(QStringLiteral("[^0-9]")));
        for (int c = 1; c <= 3; ++c) {
            const QJsonObject numero = riga[c].toObject();
            EXPECT_NE(numero[QStringLiteral("type")].toString(), QStringLiteral("str")) << giorno << ' ' << c;
            EXPECT_EQ(numero[QStringLiteral("v")].toDouble(), campi[c].toDouble()) << giorno << ' ' << c;
            EXPECT_FALSE(numero[QStringLiteral("bold")].toBool());
        }
        const QJsonObject provider = riga[4].toObject();
        EXPECT_EQ(provider[QStringLiteral("type")].toString(), QStringLiteral("str"));
        EXPECT_EQ(provider[QStringLiteral("v")].toString(), campi[4]) << giorno;
    }
    EXPECT_EQ(r[2].toArray()[4].toObject()[QStringLiteral("v")].toString(), QStringLiteral("Casa \"Mia\""));
    EXPECT_EQ(r[9].toArray()[4].toObject()[QStringLiteral("v")].toString(), QStringLiteral("Rete \"]"));
    EXPECT_EQ(r[30].toArray()[4].toObject()[QStringLiteral("v")].toString(), QStringLiteral("0612345"));
    EXPECT_EQ(r[2].toArray()[2].toObject()[QStringLiteral("v")].toDouble(), 912);
    EXPECT_EQ(r[9].toArray()[2].toObject()[QStringLiteral("v")].toDouble(), 1672); // "1,672" in the text file
}

TEST(SheetWriter, OnlyACompletedConversationReplacesTheFile)
{
    Ambiente a;
    const QString path = a.dirs.data() + QStringLiteral("/mar_99.xlsx");
    ASSERT_TRUE(scrivi(path, "precedente"));

    SheetWriter writer(a.dirs.data(), &a.shell);
    writer.setDocumentName(QStringLiteral("mar_99"));
    EXPECT_FALSE(writer.open(QStringLiteral("Calc"), QStringLiteral("System")));
    ASSERT_TRUE(writer.open(QStringLiteral("Excel"), QStringLiteral("System")));
    EXPECT_EQ(writer.request(QStringLiteral("Status"), 10000), QStringLiteral("Ready"));
    EXPECT_EQ(writer.request(QStringLiteral("Selection"), 10000), QStringLiteral("R1C1"));
    EXPECT_FALSE(writer.request(QStringLiteral("Formats"), 10000));
    EXPECT_TRUE(writer.execute(QStringLiteral("[FORMULA(\"1\")]"), false));
    EXPECT_TRUE(writer.close(SheetTransport::Ending::Abandon));
    EXPECT_EQ(contenuto(path), QByteArray("precedente"));

    // A refused command: the transfer is not kept, however it ends.
    ASSERT_TRUE(writer.open(QStringLiteral("Excel"), QStringLiteral("System")));
    EXPECT_TRUE(writer.execute(QStringLiteral("[FORMULA(\"1\")]"), false));
    EXPECT_FALSE(writer.execute(QStringLiteral("[SAVE()]"), true));
    EXPECT_FALSE(writer.close(SheetTransport::Ending::Keep));
    EXPECT_TRUE(writer.message().startsWith(QStringLiteral("Il foglio non è stato salvato")));
    EXPECT_EQ(contenuto(path), QByteArray("precedente"));
    EXPECT_TRUE(a.shell.opened.isEmpty());
    EXPECT_FALSE(writer.isConnected());
    EXPECT_FALSE(writer.execute(QStringLiteral("[FORMULA(\"1\")]"), false));

    ASSERT_TRUE(writer.open(QStringLiteral("excel"), QStringLiteral("system")));
    EXPECT_TRUE(writer.close(SheetTransport::Ending::Keep));
    EXPECT_NE(contenuto(path), QByteArray("precedente"));
    EXPECT_EQ(QDir(a.dirs.data()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SheetWriter, ASheetNoProgramCanOpenIsStillKept)
{
    Ambiente a;
    a.archivia({});
    a.shell.result = Shell::NotFound;
    SheetWriter writer(a.dirs.data(), &a.shell);
    const Esportazione::Esito esito = a.foglio(writer, "aprile", 1999);
    ASSERT_EQ(esito.outcome, ConsumiResult::Outcome::Done);
    ASSERT_EQ(esito.messaggi.size(), 2);
    EXPECT_EQ(esito.messaggi[1].text,
              QStringLiteral("Il foglio è stato salvato in %1, ma nessun programma ha potuto aprirlo.")
                  .arg(a.dirs.data() + QStringLiteral("/apr_99.xlsx")));
    EXPECT_TRUE(QFile::exists(a.dirs.data() + QStringLiteral("/apr_99.xlsx")));
}

TEST(SheetWriter, AFullDiskKeepsThePreviousExports)
{
    Ambiente a;
    SmallTmpfs disco(a.dirs.data());
    if (!disco.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    a.archivia({QStringLiteral("02/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                QStringLiteral("02/03/1999 10.20.00 collegamento Chiuso  011")});
    const QString xlsx = a.dirs.data() + QStringLiteral("/mar_99.xlsx");
    const QString txt = a.dirs.data() + QStringLiteral("/mar_99.txt");
    ASSERT_TRUE(scrivi(xlsx, "foglio precedente"));
    ASSERT_TRUE(scrivi(txt, "testo precedente"));
    ASSERT_TRUE(disco.fill());

    SheetWriter writer(a.dirs.data(), &a.shell);
    Esportazione::Esito esito = a.foglio(writer, "marzo", 1999);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::OutputError);
    ASSERT_EQ(esito.messaggi.size(), 1);
    EXPECT_EQ(esito.messaggi[0].text,
              QStringLiteral("Impossibile scrivere il file %1: No space left on device").arg(xlsx));
    EXPECT_EQ(contenuto(xlsx), QByteArray("foglio precedente"));
    EXPECT_TRUE(a.shell.opened.isEmpty());

    esito = a.esportazione().esporta(QStringLiteral("marzo"), 1999, nullptr);
    EXPECT_EQ(esito.outcome, ConsumiResult::Outcome::OutputError);
    EXPECT_TRUE(esito.file.isEmpty());
    EXPECT_EQ(esito.messaggi.value(0).text,
              QStringLiteral("Impossibile scrivere il file %1: No space left on device").arg(txt));
    EXPECT_EQ(contenuto(txt), QByteArray("testo precedente"));
    EXPECT_EQ(QDir(a.dirs.data()).entryList(QDir::Files | QDir::Hidden).size(), 3); // no half-written file
}

// Under an Italian locale the C library writes decimal commas; the sheet's XML
// keeps the points every reader expects, and the file reads back as under C.
// It prints on A4, every column on one page across.
TEST(SheetWriter, AnItalianLocaleWritesTheSameWorkbook)
{
    TestDirs dirs;
    SheetCommands foglio;
    ASSERT_TRUE(foglio.execute(QStringLiteral("[SELECT(\"R1C1:R1C3\")][FORMULA(\"Provider del collegamento\")]"
                                              "[FORMAT.FONT(\"Arial\",8.5,TRUE)][SELECT(\"R2C2\")]"
                                              "[FORMULA(\"1234.75\")][SELECT(\"R2C3\")][FORMULA(\"06/12/1999\")]")))
        << foglio.error().toStdString();
    const QString allaC = dirs.data() + QStringLiteral("/c.xlsx");
    const QString allItaliana = dirs.data() + QStringLiteral("/it.xlsx");
    ASSERT_EQ(XlsxFile::write(foglio, allaC), QString());
    const bool italiano = localeItaliano(dirs.path());
    const QString scritto = italiano ? XlsxFile::write(foglio, allItaliana) : QStringLiteral("nessun locale");
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(italiano) << "it_IT.UTF-8 cannot be made (localedef)";
    ASSERT_EQ(scritto, QString());

    const QJsonObject c = leggiXlsx(allaC);
    const QJsonObject it = leggiXlsx(allItaliana);
    ASSERT_FALSE(it.isEmpty());
    EXPECT_EQ(it, c);
    EXPECT_EQ(it[QStringLiteral("rows")].toArray()[1].toArray()[1].toObject()[QStringLiteral("v")].toDouble(), 1234.75);
    EXPECT_TRUE(it[QStringLiteral("comma")].isNull()) << it[QStringLiteral("comma")].toString().toStdString();

    const QJsonObject pagina = it[QStringLiteral("page")].toObject();
    EXPECT_EQ(pagina[QStringLiteral("paper")].toString(), QStringLiteral("9"));
    EXPECT_EQ(pagina[QStringLiteral("wide")].toString(), QStringLiteral("1"));
    EXPECT_EQ(pagina[QStringLiteral("tall")].toString(), QStringLiteral("0"));
    EXPECT_TRUE(pagina[QStringLiteral("fit")].toBool());
}

// A link planted at the workbook's name (the data folder may be a shared one)
// is replaced by the workbook; the file it led to is left alone, and nothing
// of the writer's stays behind, in the data folder or elsewhere.
TEST(SheetWriter, ALinkAtTheWorkbooksNameIsReplaced)
{
    Ambiente a;
    a.archivia({QStringLiteral("02/03/1999 10.00.00 collegamento Aperto  011 Casa"),
                QStringLiteral("02/03/1999 10.20.00 collegamento Chiuso  011")});
    const QString fuori = a.dirs.path() + QStringLiteral("/di qualcun altro");
    ASSERT_TRUE(scrivi(fuori, "da non toccare"));
    const QString xlsx = a.dirs.data() + QStringLiteral("/mar_99.xlsx");
    ASSERT_TRUE(QFile::link(fuori, xlsx));

    SheetWriter writer(a.dirs.data(), &a.shell);
    EXPECT_EQ(a.foglio(writer, "marzo", 1999).outcome, ConsumiResult::Outcome::Done);
    EXPECT_EQ(contenuto(fuori), QByteArray("da non toccare"));
    EXPECT_FALSE(QFileInfo(xlsx).isSymLink());
    EXPECT_EQ(leggiXlsx(xlsx).value(QStringLiteral("title")).toString(), QStringLiteral("Foglio1"));
    EXPECT_EQ(QDir(a.dirs.data()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("mar_99.xlsx")});
}

} // namespace
