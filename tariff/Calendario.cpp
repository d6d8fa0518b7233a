#include "tariff/Calendario.h"

#include "settings/Conversion.h"

namespace {

// Gauss's rule for the Gregorian calendar. Its constants M and N are 24 and 5
// from 1900 to 2099; computing them from the century keeps other years right.
QDate pasquaDiGauss(int anno)
{
    const int k = anno / 100;
    const int p = (13 + 8 * k) / 25;
    const int q = k / 4;
    const int m = (15 - p + k - q) % 30;
    const int n = (4 + k - q) % 7;
    const int a = anno % 19;
    const int b = anno % 4;
    const int c = anno % 7;
    const int d = (19 * a + m) % 30;
    const int e = (2 * b + 4 * c + 6 * d + n) % 7;
    if (d == 29 && e == 6)
        return QDate(anno, 4, 19);
    if (d == 28 && e == 6 && (11 * m + 11) % 30 < 19)
        return QDate(anno, 4, 18);
    if (d + e + 22 <= 31)
        return QDate(anno, 3, d + e + 22);
    return QDate(anno, 4, d + e - 9);
}

int annoDelTesto(const QString& data)
{
    const int anno = strToInt(data.mid(6, 4));
    if (anno < annoMinimoPasqua || anno > annoMassimoPasqua)
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(data));
    return anno;
}

} // namespace

TipoGiorno tipoGiorno(const QDate& data, int festivoForzato)
{
    if (festivoForzato == 1 || data.dayOfWeek() == Qt::Sunday)
        return TipoGiorno::Festivo;
    if (data.dayOfWeek() == Qt::Saturday)
        return TipoGiorno::Sabato;
    return TipoGiorno::Feriale;
}

QDate pasqua(int anno)
{
    if (anno < annoMinimoPasqua || anno > annoMassimoPasqua)
        return QDate();
    return pasquaDiGauss(anno);
}

QDate pasquetta(int anno)
{
    return pasqua(anno).addDays(1);
}

QString calcolaPasqua(const QString& data)
{
    return formatDate(pasqua(annoDelTesto(data)));
}

QString calcolaPasquetta(const QString& data)
{
    return formatDate(pasquetta(annoDelTesto(data)));
}

bool festivoAllAvvio(const QDate& oggi, const QStringList& festivita)
{
    if (!oggi.isValid())
        return false;
    const QString giorno = formatDayMonth(oggi);
    return festivita.contains(giorno) || oggi == pasqua(oggi.year()) || oggi == pasquetta(oggi.year());
}
