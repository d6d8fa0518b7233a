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

// The text converts, and back to the same text.
template <typename Confronto> bool scrittoCosi(Confronto&& confronto)
{
    try {
        return confronto();
    } catch (const EConvertError&) {
        return false;
    }
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

QString RecordArchivio::difettoChiusura() const
{
    if (riga.size() != 44)
        return QStringLiteral("è lunga %1 caratteri invece di 44").arg(riga.size());
    if (riga.at(10) != QLatin1Char(' ') || QStringView(riga).mid(19, 22) != QLatin1String(" collegamento Chiuso  "))
        return QStringLiteral("dopo la data e l'ora deve seguire \" collegamento Chiuso  \"");
    // The fixed formats only: a date or time the readers would take
    // differently from what the user sees is refused too.
    if (!scrittoCosi([&] { return formatDate(giorno()) == data(); }))
        return QStringLiteral("la data \"%1\" non è una data valida gg/mm/aaaa").arg(data());
    if (!scrittoCosi([&] { return formatTime(orario()) == ora(); }))
        return QStringLiteral("l'ora \"%1\" non è un'ora valida hh.nn.ss").arg(ora());
    const int f = festivo();
    const int c = classe();
    const int t = tipo();
    if (f < 0 || f > 1 || c < 1 || c > 4 || t < 1 || t > 2)
        return QStringLiteral("le cifre finali \"%1\" non sono valide (festivo 0 o 1, classe da 1 a 4, "
                              "tipo tariffa 1 o 2)")
            .arg(riga.right(3));
    return QString();
}
