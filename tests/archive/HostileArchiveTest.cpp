// Call archives with hostile contents: a line of megabytes without a line
// end, NUL bytes, bytes Windows-1252 leaves undefined. The statistics pass
// reads past them to the same totals as without them; the 200 MB versions are
// measured by bench/HostileFilesBench.cpp.

#include "archive/CalcolaConsumi.h"
#include "archive/LettoreArchivio.h"
#include "archive/RigheArchivio.h"
#include "reports/CorrezioneChiusura.h"
#include "tests/support/TestDirs.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray chiamata1 = "21/03/1999 10.15.02 collegamento Aperto  011 Casa\r\n"
                             "21/03/1999 10.47.40 collegamento Chiuso  011\r\n";
const QByteArray chiamata2 = "21/03/1999 18.00.00 collegamento Aperto  021 Ufficio\r\n"
                             "21/03/1999 19.10.00 collegamento Chiuso  021\r\n";
const QByteArray chiamata3 = "22/03/1999 09.00.00 collegamento Aperto  011 \r\n"
                             "22/03/1999 09.05.00 collegamento Chiuso  011\r\n";

constexpr qsizetype dueMega = 2 * 1024 * 1024;
constexpr qsizetype dieciMega = 10 * 1024 * 1024;

struct HostileCase
{
    const char* name;
    QByteArray bytes; // the three calls with something hostile among them
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

struct Passaggio
{
    ConsumiResult result;
    QList<ConsumiDay> giorni;
};

class Righe : public ConsumiRowSink
{
public:
    bool row(const ConsumiDay& giorno) override
    {
        giorni.append(giorno);
        return true;
    }
    bool finish() override { return true; }
    QString error() const override { return {}; }
    QList<ConsumiDay> giorni;
};

Passaggio passa(const TestDirs& dirs, const QByteArray& bytes)
{
    const QString path = dirs.data() + QStringLiteral("/tqklog.txt");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXPECT_EQ(file.write(bytes), bytes.size());
    file.close();
    Righe righe;
    Passaggio p;
    p.result = scanConsumi(path, QDate(1999, 3, 20), QDate(1999, 3, 23), StatoProgramma::fromFactoryDefaults(),
                           PricingSettings(), &righe);
    p.giorni = righe.giorni;
    return p;
}

class HostileArchive : public ::testing::TestWithParam<HostileCase>
{
};

TEST_P(HostileArchive, GivesTheTotalsOfItsRecords)
{
    TestDirs dirs;
    const Passaggio pulito = passa(dirs, chiamata1 + chiamata2 + chiamata3);
    ASSERT_EQ(pulito.result.outcome, ConsumiResult::Outcome::Done);
    ASSERT_EQ(pulito.result.totals.collegamenti, 3);

    const Passaggio ostile = passa(dirs, GetParam().bytes);
    EXPECT_EQ(ostile.result.outcome, ConsumiResult::Outcome::Done) << ostile.result.message.toStdString();
    EXPECT_EQ(ostile.result.totals, pulito.result.totals);
    EXPECT_EQ(ostile.giorni, pulito.giorni);

    // The repair finds nothing to close, and the maintenance tools index every line.
    QString errore;
    EXPECT_FALSE(CorrezioneChiusura::cerca(dirs.data() + QStringLiteral("/tqklog.txt"), &errore));
    EXPECT_TRUE(errore.isEmpty()) << errore.toStdString();
}

QByteArray nul(qsizetype n)
{
    return QByteArray(n, '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileArchive,
    ::testing::Values(
        HostileCase{"longLineAtTheEnd", chiamata1 + chiamata2 + chiamata3 + QByteArray(dieciMega, 'x')},
        HostileCase{"longLineInTheMiddle", chiamata1 + QByteArray(dueMega, 'x') + "\r\n" + chiamata2 + chiamata3},
        // A record cut into a long line is no record: the calls after it still count.
        HostileCase{"recordInALongLine", chiamata1 + QByteArray(dueMega, ' ') +
                                             "21/03/1999 12.00.00 collegamento Aperto  011 x" +
                                             QByteArray(dueMega, ' ') + "\n" + chiamata2 + chiamata3},
        HostileCase{"nulBytes", nul(100000) + "\r\n" + chiamata1 + nul(3) + "\n" + chiamata2 + chiamata3 + nul(70000)},
        HostileCase{"nulInAnOpening",
                    chiamata1 + chiamata2 +
                        QByteArray("21/03/1999 20.00.00 collegamento Aperto  011 ").replace(2, 1, nul(1)) + "\r\n" +
                        chiamata3},
        HostileCase{"undefinedWindows1252",
                    "\x81\x8D\x8F\x90\x9D\r\n" + chiamata1 + "\xff\xfe\x80\x81\r\n" + chiamata2 + chiamata3}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

// An entry name holding NUL and undefined bytes is handed on as it is read: one character a byte.
TEST(HostileArchive, AnEntryNameOfAnyBytesReachesTheRows)
{
    TestDirs dirs;
    const QByteArray nome("N\0\x81\x9D\xff", 5);
    const Passaggio p = passa(dirs, "21/03/1999 10.15.02 collegamento Aperto  011 " + nome +
                                        "\r\n21/03/1999 10.47.40 collegamento Chiuso  011\r\n");
    ASSERT_EQ(p.result.outcome, ConsumiResult::Outcome::Done);
    ASSERT_EQ(p.giorni.size(), 4);
    const QString provider = p.giorni.at(1).provider;
    ASSERT_EQ(provider.size(), nome.size());
    EXPECT_EQ(provider.at(1), QChar(0));
    EXPECT_EQ(provider.at(2), QChar(0x81));
    EXPECT_EQ(provider.at(4), QChar(0xFF));
}

// The maintenance tools hold the file whole, but index a line of megabytes as one line.
TEST(HostileArchive, TheMaintenanceIndexKeepsEveryByte)
{
    const QByteArray bytes = chiamata1 + QByteArray(dueMega, '\0') + "\r" + chiamata2;
    const RigheArchivio righe(bytes);
    EXPECT_EQ(righe.size(), 5);
    EXPECT_EQ(righe.byteRiga(2).size(), dueMega);
    EXPECT_EQ(righe.bytes(), bytes);
}

} // namespace
