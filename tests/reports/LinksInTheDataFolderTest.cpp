#include "reports/ConversioneArchivio.h"
#include "reports/CorrezioneChiusura.h"
#include "reports/Esportazione.h"
#include "reports/EsportazioneTesto.h"
#include "tests/support/ArchiveFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString apertura = QStringLiteral("06/03/1999 10.15.02 collegamento Aperto  021 Casa");
const QString chiusura = QStringLiteral("06/03/1999 10.45.00 collegamento Chiuso  021");

// Each file the maintenance tools and the text export write beside the
// archive, with a symbolic link planted at its name that leads out of the
// data folder (a shared one, $BRENVOLO_DIR, may be anyone's to write in).
struct LinkCase
{
    const char* nome;
    const char* file;
    std::function<void(ArchiveFixture&)> scrive;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.nome;
}

class LinkInTheDataFolder : public ::testing::TestWithParam<LinkCase>
{
};

TEST_P(LinkInTheDataFolder, IsReplacedNeverWrittenThrough)
{
    ArchiveFixture a;
    QTemporaryDir altrove;
    const QString bersaglio = altrove.filePath(QStringLiteral("di qualcun altro"));
    ArchiveFixture::scrivi(bersaglio, {QStringLiteral("da non toccare")});
    const QString nome = QDir(a.dirs.data()).filePath(QLatin1String(GetParam().file));
    ASSERT_TRUE(QFile::link(bersaglio, nome));

    GetParam().scrive(a);

    QFile fuori(bersaglio);
    ASSERT_TRUE(fuori.open(QIODevice::ReadOnly));
    EXPECT_EQ(fuori.readAll(), QByteArray("da non toccare\r\n"));
    const QFileInfo scritto(nome);
    EXPECT_FALSE(scritto.isSymLink());
    EXPECT_TRUE(scritto.isFile());
    EXPECT_GT(scritto.size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkInTheDataFolder,
    ::testing::Values(LinkCase{"TextExport", "mar_99.txt",
                               [](ArchiveFixture& a) {
                                   a.scrivi({apertura, chiusura});
                                   const Esportazione e(a.archivio, a.dirs.data(), a.stato, a.store);
                                   EXPECT_EQ(e.esporta(QStringLiteral("marzo"), 1999, nullptr).outcome,
                                             ConsumiResult::Outcome::Done);
                               }},
                      LinkCase{"RepairCopy", "tqklog.tx~",
                               [](ArchiveFixture& a) {
                                   a.scrivi({apertura});
                                   const CorrezioneChiusura correzione(a.archivio, apertura);
                                   EXPECT_EQ(correzione.correggi(chiusura).esito, CorrezioneChiusura::Esito::Corretta);
                               }},
                      LinkCase{"ConversionCopy", "tqklog_old.txt",
                               [](ArchiveFixture& a) {
                                   a.scrivi({apertura.left(42), chiusura.left(42)});
                                   EXPECT_EQ(ConversioneArchivio(a.archivio).esegui().esito,
                                             ConversioneArchivio::Esito::Convertito);
                               }}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return info.param.nome; });

struct NameCase
{
    const char* name;
    const char* provider;
    const char* field;
};

class ExportedName : public ::testing::TestWithParam<NameCase>
{
};

// An entry's name stays one field and a text when the file is imported into
// a spreadsheet with ";" as separator.
TEST_P(ExportedName, IsOneFieldAndNeverAFormula)
{
    ConsumiDay giorno;
    giorno.data = QDate(1999, 3, 6);
    giorno.provider = QString::fromUtf8(GetParam().provider);
    const QString riga = EsportazioneTesto::riga(giorno, QLocale::c());
    EXPECT_EQ(riga.section(QLatin1Char(';'), 4), QString::fromUtf8(GetParam().field)) << riga.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportedName,
                         ::testing::Values(NameCase{"Plain", "Rete Città", "Rete Città"},
                                           NameCase{"Semicolons", "a;b;c", "a,b,c"},
                                           NameCase{"Equals", "=1+1", "'=1+1"}, NameCase{"Plus", "+39", "'+39"},
                                           NameCase{"Minus", "-2", "'-2"}, NameCase{"At", "@SOMMA(A1)", "'@SOMMA(A1)"},
                                           NameCase{"FormulaAfterASemicolon", ";=1", ",=1"},
                                           NameCase{"DayWithoutCalls", "---", "---"}),
                         [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

} // namespace
