#include "archive/RigheArchivio.h"

#include <gtest/gtest.h>

namespace {

const QByteArray A = "06/12/1999 10.15.02 collegamento Aperto  021 Casa";
const QByteArray C = "06/12/1999 10.45.00 collegamento Chiuso  021";
const QByteArray A2 = "07/12/1999 09.00.00 collegamento Aperto  011 Ufficio";
const QByteArray C2 = "07/12/1999 09.30.00 collegamento Chiuso  011";

TEST(RigheArchivio, EndsLinesAsTheReadersDo)
{
    const RigheArchivio righe(QByteArray("uno\r\ndue\nt\xe8\r\r\nquattro"));
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe.byteRiga(0), QByteArrayView("uno"));
    EXPECT_EQ(righe.byteRiga(1), QByteArrayView("due"));
    EXPECT_EQ(righe.byteRiga(2), QByteArrayView("t\xe8"));
    EXPECT_EQ(righe.record(2).riga, QStringLiteral("tè"));
    EXPECT_TRUE(righe.byteRiga(3).isEmpty());
    EXPECT_EQ(righe.byteRiga(4), QByteArrayView("quattro"));
    EXPECT_EQ(RigheArchivio(QByteArray("a\r\n")).size(), 1);
    EXPECT_EQ(RigheArchivio(QByteArray()).size(), 0);
}

struct CasoChiusura
{
    const char* nome;
    QByteArray bytes;
    qsizetype riga;
    bool senzaChiusura;
};

void PrintTo(const CasoChiusura& c, std::ostream* os)
{
    *os << c.nome;
}

class SenzaChiusura : public ::testing::TestWithParam<CasoChiusura>
{
};

TEST_P(SenzaChiusura, AsAStatisticsPassSeesIt)
{
    EXPECT_EQ(RigheArchivio(GetParam().bytes).senzaChiusura(GetParam().riga), GetParam().senzaChiusura);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, SenzaChiusura,
    ::testing::Values(CasoChiusura{"closed", A + "\r\n" + C + "\r\n", 0, false},
                      CasoChiusura{"oneEmptyLineTolerated", A + "\r\n\r\n" + C + "\r\n", 0, false},
                      CasoChiusura{"twoEmptyLines", A + "\r\n\r\n\r\n" + C + "\r\n", 0, true},
                      CasoChiusura{"lastLine", C2 + "\r\n" + A + "\r\n", 1, true},
                      CasoChiusura{"lastLineWithoutLineEnd", A, 0, true},
                      CasoChiusura{"followedByAnEmptyLastLine", A + "\r\n\r\n", 0, true},
                      CasoChiusura{"followedByAnotherOpening", A + "\r\n" + A2 + "\r\n" + C2 + "\r\n", 0, true},
                      CasoChiusura{"theOtherOpeningIsClosed", A + "\r\n" + A2 + "\r\n" + C2 + "\r\n", 1, false},
                      CasoChiusura{"aClosingRecordIsNoOpening", C + "\r\n", 0, false},
                      CasoChiusura{"aDateNoDayIsWrittenAs", "6/12/1999  10.15.02 collegamento Aperto  021 Casa\r\n", 0,
                                   false}),
    [](const ::testing::TestParamInfo<CasoChiusura>& info) { return std::string(info.param.nome); });

TEST(RigheArchivio, FindsTheUnclosedOneOfTwoIdenticalOpenings)
{
    const RigheArchivio righe(A + "\r\n" + C + "\r\n" + A + "\r\n" + A2 + "\r\n" + C2 + "\r\n");
    EXPECT_EQ(righe.primaSenzaChiusura(QString::fromLatin1(A)), 2);
    EXPECT_EQ(righe.primaSenzaChiusura(), 2);
    EXPECT_EQ(righe.primaSenzaChiusura(QString::fromLatin1(A2)), -1);
    EXPECT_EQ(RigheArchivio(A + "\r\n" + C + "\r\n").primaSenzaChiusura(), -1);
}

struct CasoInserimento
{
    const char* nome;
    QByteArray prima;
    qsizetype riga;
    QByteArray dopo;
};

void PrintTo(const CasoInserimento& c, std::ostream* os)
{
    *os << c.nome;
}

class ConRigaDopo : public ::testing::TestWithParam<CasoInserimento>
{
};

TEST_P(ConRigaDopo, InsertsTheLineAndKeepsEveryOtherByte)
{
    EXPECT_EQ(RigheArchivio(GetParam().prima).conRigaDopo(GetParam().riga, QString::fromLatin1(C)), GetParam().dopo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ConRigaDopo,
    ::testing::Values(CasoInserimento{"midFile", A + "\r\n" + A2 + "\r\n" + C2 + "\r\n", 0,
                                      A + "\r\n" + C + "\r\n" + A2 + "\r\n" + C2 + "\r\n"},
                      CasoInserimento{"afterTheOneEmptyLine", A + "\r\n\r\n" + A2 + "\r\n", 0,
                                      A + "\r\n\r\n" + C + "\r\n" + A2 + "\r\n"},
                      CasoInserimento{"lastLineIsAppending", C2 + "\r\n" + A + "\r\n", 1,
                                      C2 + "\r\n" + A + "\r\n" + C + "\r\n"},
                      CasoInserimento{"lastLineWithoutLineEnd", C2 + "\n" + A, 1, C2 + "\n" + A + "\r\n" + C + "\r\n"},
                      CasoInserimento{"emptyLastLineIsAppending", A + "\r\n\r\n", 0, A + "\r\n\r\n" + C + "\r\n"},
                      CasoInserimento{"otherLineEndsKept", A + "\n" + A2 + "\r" + C2 + "\n", 0,
                                      A + "\n" + C + "\r\n" + A2 + "\r" + C2 + "\n"}),
    [](const ::testing::TestParamInfo<CasoInserimento>& info) { return std::string(info.param.nome); });

} // namespace
