#include "archive/RecordArchivio.h"

#include "settings/Conversion.h"

namespace {

int cifra(const QString& riga, int posizione)
{
    if (riga.size() < posizione)
        return -1;
    const QChar c = riga.at(posizione - 1);
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : -1;
}

} // namespace

bool RecordArchivio::apertura() const
{
    return QStringView(riga).mid(33, 6) == QLatin1String("Aperto");
}

bool RecordArchivio::chiusura() const
{
    return QStringView(riga).mid(33, 6) == QLatin1String("Chiuso");
}

QString RecordArchivio::data() const
{
    return riga.left(10);
}

QString RecordArchivio::ora() const
{
    return riga.mid(11, 8);
}

QString RecordArchivio::dataOra() const
{
    return riga.left(19);
}

int RecordArchivio::festivo() const
{
    return cifra(riga, 42);
}

int RecordArchivio::classe() const
{
    return cifra(riga, 43);
}

int RecordArchivio::tipo() const
{
    return cifra(riga, 44);
}

QString RecordArchivio::nomeConnessione() const
{
    return riga.mid(45, 40);
}

QDate RecordArchivio::giorno() const
{
    return strToDate(data());
}

QTime RecordArchivio::orario() const
{
    return strToTime(ora());
}

RecordArchivio::Formato RecordArchivio::formato() const
{
    if (riga.size() <= 43)
        return Formato::SenzaClasse;
    if (riga.size() == 44)
        return apertura() ? Formato::SenzaNome : chiusura() ? Formato::Corrente : Formato::Altro;
    return apertura() ? Formato::Corrente : Formato::Altro;
}

QString RecordArchivio::chiusuraProposta() const
{
    return riga.left(33) + QLatin1String("Chiuso") + riga.mid(39, 5);
}
