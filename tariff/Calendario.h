#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Which band list a day uses.
enum class TipoGiorno
{
    Feriale,
    Sabato,
    Festivo
};

// Sundays, and every day while the forced-holiday flag is 1, use the holiday
// list; Saturdays the Saturday list; the other days the weekday list.
TipoGiorno tipoGiorno(const QDate& data, int festivoForzato);

// Easter Sunday and Easter Monday of the year of a "dd/mm/yyyy" text (the
// year at positions 7-10), as "dd/mm/yyyy". EConvertError naming the text
// when the year is not a number from annoMinimoPasqua to annoMassimoPasqua.
QString calcolaPasqua(const QString& data);
QString calcolaPasquetta(const QString& data);

// The Gregorian calendar's years, from its first full year.
constexpr int annoMinimoPasqua = 1583;
constexpr int annoMassimoPasqua = 9999;

// Easter Sunday and Easter Monday of `anno`; an invalid date outside annoMinimoPasqua..annoMassimoPasqua.
QDate pasqua(int anno);
QDate pasquetta(int anno);

// The start-up holiday detection: today ("dd/mm") is exactly one of the nine
// fixed holidays, or Easter Sunday or Easter Monday of its year.
bool festivoAllAvvio(const QDate& oggi, const QStringList& festivita);
