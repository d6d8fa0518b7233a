#pragma once

#include <QString>
#include <QStringList>

// The twelve month names of the program's month lists, "gennaio" to "dicembre".
const QStringList& nomiMesi();

// "01" to "12" for a month name in lower case; an empty text for anything else.
QString numeroMese(const QString& nome);

// The days of a month as text, "28" to "31". The month is a number of one or
// two digits ("1".."12", "01".."12") or a month name; the year a decimal text.
// February has 29 days in the leap years of the Gregorian calendar. Empty for
// a month that is none of these; EConvertError when the year is not a number.
QString giorniNelMese(const QString& mese, const QString& anno);
