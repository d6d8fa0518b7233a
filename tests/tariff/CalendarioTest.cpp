#include "tariff/Calendario.h"
#include "settings/Conversion.h"

#include <gtest/gtest.h>

namespace {

// The anonymous Gregorian algorithm (Meeus/Jones/Butcher): a computation
// independent of the one under test.
QDate pasquaDiRiferimento(int y)
{
    const int a = y % 19;
    const int b = y / 100;
    const int c = y % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

TEST(Calendario, KindOfDay)
{
    const QDate lunedi(1999, 3, 22);
    const QDate venerdi(1999, 3, 26);
    const QDate sabato(1999, 3, 27);
    const QDate domenica(1999, 3, 28);
    EXPECT_EQ(tipoGiorno(lunedi, 0), TipoGiorno::Feriale);
    EXPECT_EQ(tipoGiorno(venerdi, 0), TipoGiorno::Feriale);
    EXPECT_EQ(tipoGiorno(sabato, 0), TipoGiorno::Sabato);
    EXPECT_EQ(tipoGiorno(domenica, 0), TipoGiorno::Festivo);
    EXPECT_EQ(tipoGiorno(lunedi, 1), TipoGiorno::Festivo);
    EXPECT_EQ(tipoGiorno(sabato, 1), TipoGiorno::Festivo);
    EXPECT_EQ(tipoGiorno(domenica, 1), TipoGiorno::Festivo);
    // Fixed holidays act only through the flag.
    EXPECT_EQ(tipoGiorno(QDate(1999, 12, 8), 0), TipoGiorno::Feriale);
}

struct EasterCase
{
    const char* input;
    const char* pasqua;
    const char* pasquetta;
};

class KnownEasters : public ::testing::TestWithParam<EasterCase>
{
};

TEST_P(KnownEasters, SundayAndMonday)
{
    const EasterCase& c = GetParam();
    EXPECT_EQ(calcolaPasqua(QString::fromLatin1(c.input)), QString::fromLatin1(c.pasqua));
    EXPECT_EQ(calcolaPasquetta(QString::fromLatin1(c.input)), QString::fromLatin1(c.pasquetta));
}

INSTANTIATE_TEST_SUITE_P(Cases, KnownEasters,
                         ::testing::Values(EasterCase{"01/01/1999", "04/04/1999", "05/04/1999"},
                                           EasterCase{"31/12/2000", "23/04/2000", "24/04/2000"},
                                           EasterCase{"15/06/2008", "23/03/2008", "24/03/2008"},
                                           EasterCase{"01/01/2038", "25/04/2038", "26/04/2038"},
                                           EasterCase{"01/01/2049", "18/04/2049", "19/04/2049"},
                                           EasterCase{"01/01/1981", "19/04/1981", "20/04/1981"},
                                           EasterCase{"01/01/2016", "27/03/2016", "28/03/2016"},
                                           EasterCase{"01/01/2024", "31/03/2024", "01/04/2024"},
                                           EasterCase{"01/01/1954", "18/04/1954", "19/04/1954"},
                                           EasterCase{"01/01/2285", "22/03/2285", "23/03/2285"},
                                           EasterCase{"01/01/1700", "11/04/1700", "12/04/1700"}));

TEST(Calendario, EasterSundayOfEveryYearOfTheCenturies)
{
    for (int anno = 1900; anno <= 2099; ++anno) {
        const QString data = QStringLiteral("01/01/%1").arg(anno);
        ASSERT_EQ(calcolaPasqua(data), formatDate(pasquaDiRiferimento(anno))) << anno;
    }
}

TEST(Calendario, EasterOfEveryGregorianYear)
{
    for (int anno = annoMinimoPasqua; anno <= annoMassimoPasqua; ++anno) {
        ASSERT_EQ(pasqua(anno), pasquaDiRiferimento(anno)) << anno;
        ASSERT_EQ(pasquetta(anno), pasquaDiRiferimento(anno).addDays(1)) << anno;
    }
    EXPECT_FALSE(pasqua(annoMinimoPasqua - 1).isValid());
    EXPECT_FALSE(pasqua(annoMassimoPasqua + 1).isValid());
}

TEST(Calendario, AYearThatDoesNotConvertIsNamed)
{
    for (const char* text : {"01/01/19x9", "01/01", "", "01/01/1500", "01/01/0000"}) {
        try {
            calcolaPasqua(QString::fromLatin1(text));
            ADD_FAILURE() << text;
        } catch (const EConvertError& error) {
            EXPECT_TRUE(error.message().startsWith(QLatin1Char('\''))) << error.what();
        }
    }
}

struct StartCase
{
    QDate oggi;
    bool festivo;
};

class StartUpHoliday : public ::testing::TestWithParam<StartCase>
{
};

TEST_P(StartUpHoliday, FixedHolidaysAndEaster)
{
    const QStringList festivita{QStringLiteral("01/01"), QStringLiteral("06/01"), QStringLiteral("25/04"),
                                QStringLiteral("01/05"), QStringLiteral("15/08"), QStringLiteral("01/11"),
                                QStringLiteral("08/12"), QStringLiteral("25/12"), QStringLiteral("26/12")};
    EXPECT_EQ(festivoAllAvvio(GetParam().oggi, festivita), GetParam().festivo)
        << GetParam().oggi.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, StartUpHoliday,
                         ::testing::Values(StartCase{QDate(2023, 12, 26), true}, StartCase{QDate(1999, 1, 6), true},
                                           StartCase{QDate(2024, 3, 31), true}, StartCase{QDate(2024, 4, 1), true},
                                           StartCase{QDate(2016, 3, 28), true}, StartCase{QDate(2024, 4, 2), false},
                                           StartCase{QDate(2024, 3, 30), false}, StartCase{QDate(2023, 12, 27), false},
                                           StartCase{QDate(), false}));

TEST(Calendario, AHolidayMustBeWrittenInFull)
{
    EXPECT_FALSE(festivoAllAvvio(QDate(2023, 5, 1), {QStringLiteral("1/5"), QStringLiteral("000")}));
    EXPECT_FALSE(festivoAllAvvio(QDate(2023, 5, 1), {QStringLiteral(" 01/05")}));
    EXPECT_TRUE(festivoAllAvvio(QDate(2023, 5, 1), {QStringLiteral("000"), QStringLiteral("01/05")}));
}

} // namespace
