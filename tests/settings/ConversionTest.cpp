#include "settings/Conversion.h"

#include "tests/support/ConversionFailure.h"
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <optional>

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

// The dates and times are read by hand: they must accept exactly what the
// patterns below accept, tried on texts made of their pieces and near misses.
TEST(Conversion, ReadsWhatItsPatternsMatch)
{
    const QRegularExpression ora(QStringLiteral("^\\s*(\\d{1,2})[.:](\\d{1,2})(?:[.:](\\d{1,2}))?\\s*$"));
    const QRegularExpression data(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s*$"));
    const QStringList pezzi{QStringLiteral("0"),      QStringLiteral("7"),      QStringLiteral("12"),
                            QStringLiteral("123"),    QStringLiteral("."),      QStringLiteral(":"),
                            QStringLiteral("/"),      QStringLiteral(" "),      QStringLiteral("\t"),
                            QStringLiteral("\n"),     QStringLiteral("1999"),   QStringLiteral("x"),
                            QStringLiteral("\u00a0"), QStringLiteral("\u0663"), QString()};
    QRandomGenerator random(3);
    for (int prova = 0; prova < 20000; ++prova) {
        QString testo;
        for (int n = random.bounded(1, 8); n > 0; --n)
            testo += pezzi.at(random.bounded(pezzi.size()));
        const QRegularExpressionMatch o = ora.match(testo);
        const QTime attesa =
            o.hasMatch() ? QTime(o.captured(1).toInt(), o.captured(2).toInt(), o.captured(3).toInt()) : QTime();
        const QRegularExpressionMatch d = data.match(testo);
        QDate attesaData;
        if (d.hasMatch()) {
            int anno = d.captured(3).toInt();
            if (d.captured(3).size() <= 2)
                anno += anno < 50 ? 2000 : 1900;
            attesaData = QDate(anno, d.captured(2).toInt(), d.captured(1).toInt());
        }
        const auto letta = [](auto converti) {
            try {
                return std::optional(converti());
            } catch (const EConvertError&) {
                return decltype(std::optional(converti()))();
            }
        };
        const auto t = letta([&] { return strToTime(testo); });
        EXPECT_EQ(t.has_value(), attesa.isValid()) << testo.toStdString();
        if (t && attesa.isValid()) {
            EXPECT_EQ(*t, attesa) << testo.toStdString();
        }
        const auto g = letta([&] { return strToDate(testo); });
        EXPECT_EQ(g.has_value(), attesaData.isValid()) << testo.toStdString();
        if (g && attesaData.isValid()) {
            EXPECT_EQ(*g, attesaData) << testo.toStdString();
        }
    }
    EXPECT_EQ(strToTime(QStringLiteral(" 9:05 \r\n")), QTime(9, 5));
    EXPECT_EQ(strToDate(QStringLiteral("\t1/2/3")), QDate(2003, 2, 1));
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
