#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>
#include <stdexcept>

// A text that does not convert to a number, date or time. Its message is the
// one the user sees, such as "'abc' is not a valid integer value".
class EConvertError : public std::runtime_error
{
public:
    explicit EConvertError(const QString& message);
    QString message() const;
};

// The whole number a text holds, and the one reader of them: blanks around
// it are ignored, "$" or "0x" comes before hexadecimal digits, a sign before
// decimal ones. Nothing, never an exception, when the text holds no number
// of 64 bits; tryStrToInt when it holds none within int.
std::optional<qint64> tryStrToInt64(const QString& text);
std::optional<int> tryStrToInt(const QString& text);

// Conversions that throw EConvertError naming the text.
int strToInt(const QString& text);
// "h.nn[.ss]" (":" also accepted between the parts).
QTime strToTime(const QString& text);
// "d/m/yyyy"; a two-digit year falls in 1950..2049.
QDate strToDate(const QString& text);

// The program's fixed formats, whatever the system's regional settings:
// 06/12/1999, 06/12/99, 06/12 and 09.05.07.
QString formatDate(const QDate& date);
QString formatShortDate(const QDate& date);
QString formatDayMonth(const QDate& date);
QString formatTime(const QTime& time);
