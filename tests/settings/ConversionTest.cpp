#include "settings/Conversion.h"

#include "tests/support/ConversionFailure.h"
#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(Conversion, FailuresNameTheText)
{
    EXPECT_EQ(conversionFailure([] { strToInt(QStringLiteral("12a")); }),
              QStringLiteral("'12a' is not a valid integer value"));
    EXPECT_EQ(conversionFailure([] { strToTime(QStringLiteral("25.00.00")); }),
              QStringLiteral("'25.00.00' is not a valid time"));
    EXPECT_EQ(conversionFailure([] { strToTime(QStringLiteral("ab")); }), QStringLiteral("'ab' is not a valid time"));
    EXPECT_EQ(conversionFailure([] { strToDate(QStringLiteral("31/02/1999")); }),
              QStringLiteral("'31/02/1999' is not a valid date"));
    EXPECT_EQ(conversionFailure([] { strToDate(QString()); }), QStringLiteral("'' is not a valid date"));
}

TEST(Conversion, ReadsTheProgramsFormats)
{
    EXPECT_EQ(strToInt(QStringLiteral("152")), 152);
    EXPECT_EQ(strToInt(QStringLiteral("$1F")), 31);
    EXPECT_EQ(strToTime(QStringLiteral("08.00.00")), QTime(8, 0, 0));
    EXPECT_EQ(strToTime(QStringLiteral("8.5")), QTime(8, 5, 0));
    EXPECT_EQ(strToTime(QStringLiteral("23:59:59")), QTime(23, 59, 59));
    EXPECT_EQ(strToDate(QStringLiteral("06/12/1999")), QDate(1999, 12, 6));
    EXPECT_EQ(strToDate(QStringLiteral("6/1/99")), QDate(1999, 1, 6));
    EXPECT_EQ(strToDate(QStringLiteral("6/1/20")), QDate(2020, 1, 6));
}

TEST(Conversion, FormatsIgnoreTheRegionalSettings)
{
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German),
                                  QLocale(QLocale::Italian, QLocale::Italy)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(formatDate(QDate(1999, 12, 6)), QStringLiteral("06/12/1999"));
        EXPECT_EQ(formatShortDate(QDate(1999, 12, 6)), QStringLiteral("06/12/99"));
        EXPECT_EQ(formatDayMonth(QDate(1999, 5, 1)), QStringLiteral("01/05"));
        EXPECT_EQ(formatTime(QTime(9, 5, 7)), QStringLiteral("09.05.07"));
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
