#include "archive/RecordArchivio.h"
#include "settings/Conversion.h"

#include <gtest/gtest.h>

namespace {

using Formato = RecordArchivio::Formato;

struct FieldCase
{
    const char* riga;
    bool apertura;
    bool chiusura;
    const char* dataOra;
    int festivo;
    int classe;
    int tipo;
    const char* nome;
    Formato formato;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << '"' << c.riga << '"';
}

class RecordFields : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(RecordFields, AreReadByPosition)
{
    const FieldCase& c = GetParam();
    const RecordArchivio r(QString::fromLatin1(c.riga));
    EXPECT_EQ(r.apertura(), c.apertura);
    EXPECT_EQ(r.chiusura(), c.chiusura);
    EXPECT_EQ(r.dataOra(), QString::fromLatin1(c.dataOra));
    EXPECT_EQ(r.data(), QString::fromLatin1(c.dataOra).left(10));
    EXPECT_EQ(r.ora(), QString::fromLatin1(c.dataOra).mid(11));
    EXPECT_EQ(r.festivo(), c.festivo);
    EXPECT_EQ(r.classe(), c.classe);
    EXPECT_EQ(r.tipo(), c.tipo);
    EXPECT_EQ(r.nomeConnessione(), QString::fromLatin1(c.nome));
    EXPECT_EQ(r.formato(), c.formato);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordFields,
                         ::testing::Values(FieldCase{"21/03/1999 10.15.02 collegamento Aperto  011 Casa", true, false,
                                                     "21/03/1999 10.15.02", 0, 1, 1, "Casa", Formato::Corrente},
                                           FieldCase{"21/03/1999 10.47.40 collegamento Chiuso  132", false, true,
                                                     "21/03/1999 10.47.40", 1, 3, 2, "", Formato::Corrente},
                                           FieldCase{"21/03/1999 10.15.02 collegamento Aperto  142 ", true, false,
                                                     "21/03/1999 10.15.02", 1, 4, 2, "", Formato::Corrente},
                                           FieldCase{"21/03/1999 10.15.02 collegamento Aperto  011", true, false,
                                                     "21/03/1999 10.15.02", 0, 1, 1, "", Formato::SenzaNome},
                                           FieldCase{"21/03/1999 10.15.02 collegamento Aperto  0", true, false,
                                                     "21/03/1999 10.15.02", 0, -1, -1, "", Formato::SenzaClasse},
                                           FieldCase{"21/03/1999 10.15.02 collegamento Aperto  0x1", true, false,
                                                     "21/03/1999 10.15.02", 0, -1, 1, "", Formato::SenzaNome},
                                           FieldCase{"21/03/1999 10.15.02 collegamento Aperto  011 "
                                                     "Un nome di connessione molto lungo che supera quaranta caratteri",
                                                     true, false, "21/03/1999 10.15.02", 0, 1, 1,
                                                     "Un nome di connessione molto lungo che s", Formato::Corrente},
                                           FieldCase{"21/03/1999 10.47.40 collegamento Chiuso  011 x", false, true,
                                                     "21/03/1999 10.47.40", 0, 1, 1, "x", Formato::Altro},
                                           FieldCase{"", false, false, "", -1, -1, -1, "", Formato::SenzaClasse},
                                           FieldCase{"qualcosa d'altro che non e' un record dell'archivio", false,
                                                     false, "qualcosa d'altro ch", -1, -1, -1, "chivio",
                                                     Formato::Altro}));

TEST(RecordArchivio, ConversionsNameTheText)
{
    const RecordArchivio buono(QStringLiteral("31/12/1999 23.50.00 collegamento Aperto  011 "));
    EXPECT_EQ(buono.giorno(), QDate(1999, 12, 31));
    EXPECT_EQ(buono.orario(), QTime(23, 50, 0));

    const RecordArchivio cattivo(QStringLiteral("31/02/1999 24.50.00 collegamento Aperto  011 "));
    try {
        cattivo.giorno();
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'31/02/1999' is not a valid date"));
    }
    try {
        cattivo.orario();
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'24.50.00' is not a valid time"));
    }
}

TEST(RecordArchivio, ProposesTheMissingClosure)
{
    const RecordArchivio apertura(QStringLiteral("21/03/1999 10.15.02 collegamento Aperto  132 Casa"));
    const QString proposta = apertura.chiusuraProposta();
    EXPECT_EQ(proposta, QStringLiteral("21/03/1999 10.15.02 collegamento Chiuso  132"));
    EXPECT_EQ(proposta.size(), 44);
    EXPECT_TRUE(RecordArchivio(proposta).chiusura());
}

struct ChiusuraCase
{
    const char* riga;
    const char* difetto; // the start of the reason, "" when the line is a closing record
};

void PrintTo(const ChiusuraCase& c, std::ostream* os)
{
    *os << '"' << c.riga << '"';
}

class ClosingRecordCheck : public ::testing::TestWithParam<ChiusuraCase>
{
};

TEST_P(ClosingRecordCheck, AcceptsOnlyWhatTheWriterWrites)
{
    const QString difetto = RecordArchivio(QString::fromUtf8(GetParam().riga)).difettoChiusura();
    if (*GetParam().difetto == 0)
        EXPECT_TRUE(difetto.isEmpty()) << difetto.toStdString();
    else
        EXPECT_TRUE(difetto.startsWith(QString::fromUtf8(GetParam().difetto))) << difetto.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClosingRecordCheck,
    ::testing::Values(ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  132", ""},
                      ChiusuraCase{"29/02/2000 23.59.59 collegamento Chiuso  042", ""},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  132 Casa", "è lunga 49"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  13", "è lunga 43"},
                      ChiusuraCase{"", "è lunga 0"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Aperto  132", "dopo la data"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento chiuso  132", "dopo la data"},
                      ChiusuraCase{"21/03/1999_10.47.40 collegamento Chiuso  132", "dopo la data"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamentoXChiuso  132", "dopo la data"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso 1132", "dopo la data"},
                      ChiusuraCase{"29/02/1999 10.47.40 collegamento Chiuso  132", "la data \"29/02/1999\""},
                      ChiusuraCase{"21-03-1999 10.47.40 collegamento Chiuso  132", "la data"},
                      ChiusuraCase{" 1/03/1999 10.47.40 collegamento Chiuso  132", "la data"},
                      ChiusuraCase{"21/03/1999 24.00.00 collegamento Chiuso  132", "l'ora \"24.00.00\""},
                      ChiusuraCase{"21/03/1999 10:47:40 collegamento Chiuso  132", "l'ora"},
                      ChiusuraCase{"21/03/1999 10.47.4x collegamento Chiuso  132", "l'ora"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  232", "le cifre finali \"232\""},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  102", "le cifre finali"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  152", "le cifre finali"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  133", "le cifre finali"},
                      ChiusuraCase{"21/03/1999 10.47.40 collegamento Chiuso  13 ", "le cifre finali"}));

} // namespace
