#pragma once

#include "platform/Message.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// How the preferences dialog reads a time or a date the user typed: the way
// the field shows it ("09.15.30", "15/03/2026") or its digits alone
// ("091530", "15032026"). A time or a date that does not exist is refused,
// never brought to a near one.
class TypedInput
{
public:
    // Hours, minutes and seconds separated by "." (or ":"), one or two digits
    // each, the seconds and minutes optional ("9.15" is 09.15.00); or only
    // digits, the last two the seconds and the two before them the minutes
    // when there are more than four, the minutes when three or four ("0915"
    // is 09.15.00, "915" too). Blanks around are ignored.
    static std::optional<QTime> time(const QString& text);
    // Day, month and year separated by "/" (or "." or "-"), one or two digits
    // for the day and the month, two or four for the year; or the eight
    // digits ddmmyyyy, or six ddmmyy. A two-digit year falls in 1950..2049.
    static std::optional<QDate> date(const QString& text);

    // While the user types: true when more keys can still make the text a
    // time (a date): only digits, separators and blanks, no part too long.
    static bool couldBeTime(const QString& text);
    static bool couldBeDate(const QString& text);

    // The messages of a refused text.
    static Message timeRefused(const QString& text);
    static Message dateRefused(const QString& text);

    // An arrow key on a time or a date field: the part at `position` of the
    // shown text ("09.15.30": hours, minutes, seconds; "15/03/2026": day,
    // month, year) moves by `steps`, staying within its range; the text comes
    // back as the field shows it. No value when the text is not a time (a date).
    static std::optional<QString> stepTime(const QString& text, int position, int steps);
    static std::optional<QString> stepDate(const QString& text, int position, int steps);
};
