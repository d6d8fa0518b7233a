#include "tariff/FasciaOraria.h"

#include "settings/Conversion.h"

FasciaOraria::FasciaOraria(const QString& testo)
    : m_testo(testo)
    , m_inizio(strToTime(testo.left(8)))
    , m_fine(strToTime(testo.mid(9, 8)))
{
}

bool FasciaOraria::contiene(const QTime& ora) const
{
    return ora >= m_inizio && ora <= m_fine;
}

bool FasciaOraria::valida(const QString& testo)
{
    try {
        const FasciaOraria fascia(testo);
        for (int classe = 1; classe <= 4; ++classe)
            fascia.intervallo(classe);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

int FasciaOraria::intervallo(int classe) const
{
    if (classe < 1 || classe > 4)
        classe = 1;
    const QString colonna = m_testo.mid(18 + (classe - 1) * 5, 4);
    const int decimi = strToInt(colonna);
    // A zero or negative interval would make a meter charge a unit at every tick.
    if (decimi < 1)
        throw EConvertError(QStringLiteral("'%1' non è un intervallo di scatto valido").arg(colonna));
    return decimi;
}
