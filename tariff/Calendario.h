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

// Easter Sunday and Easter Monday of the year of a "dd/mm/yyyy" text, as "dd/mm/yyyy".
QString calcolaPasqua(const QString& data);
QString calcolaPasquetta(const QString& data);

// The start-up holiday detection: today ("dd/mm") is exactly one of the nine
// fixed holidays, or Easter Sunday or Easter Monday of its year.
bool festivoAllAvvio(const QDate& oggi, const QStringList& festivita);
