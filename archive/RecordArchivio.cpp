#include "archive/RecordArchivio.h"

#include "archive/Windows1252.h"
#include "settings/Conversion.h"

#include <algorithm>
#include <cstring>

namespace {

int cifre(QByteArrayView riga, qsizetype da, qsizetype quante)
{
    int valore = 0;
    for (qsizetype i = da; i < da + quante; ++i) {
        const char c = riga.at(i);
        if (c < '0' || c > '9')
            return -1;
        valore = valore * 10 + (c - '0');
    }
    return valore;
}

QChar carattereCifra(int valore)
{
    return QLatin1Char(valore >= 0 && valore <= 9 ? static_cast<char>('0' + valore) : '0');
}

QString intestazione(const QDateTime& momento, const char* stato, int festivo, int classe, int tipo)
{
    QString riga = formatDate(momento.date()) + QLatin1Char(' ') + formatTime(momento.time()) +
                   QLatin1String(" collegamento ") + QLatin1String(stato) + QLatin1String("  ");
    riga += carattereCifra(festivo);
    riga += carattereCifra(classe);
    riga += carattereCifra(tipo);
    return riga;
}

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
    return QStringView(riga).mid(colonnaEvento, lunghezzaEvento) == QLatin1String("Aperto");
}

bool RecordArchivio::chiusura() const
{
    return QStringView(riga).mid(colonnaEvento, lunghezzaEvento) == QLatin1String("Chiuso");
}

bool RecordArchivio::aperturaConCifre() const
{
    return apertura() && riga.size() >= 44;
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

QString RecordArchivio::senzaNome() const
{
    return riga.left(44);
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
    const QDate scritta = dataIn(riga.left(10).toLatin1());
    return scritta.isValid() ? scritta : strToDate(data());
}

QTime RecordArchivio::orario() const
{
    const QTime scritta = oraIn(riga.left(19).toLatin1());
    return scritta.isValid() ? scritta : strToTime(ora());
}

QString RecordArchivio::conMomento(const QDateTime& momento) const
{
    return formatDate(momento.date()) + QLatin1Char(' ') + formatTime(momento.time()) + riga.mid(19);
}

QString RecordArchivio::messaggioChiusuraMancante() const
{
    return QStringLiteral("manca la chiusura del collegamento:\r") + riga.left(20);
}

RecordArchivio::Formato RecordArchivio::formato() const
{
    if (riga.size() <= lunghezzaSenzaClasse)
        return Formato::SenzaClasse;
    if (riga.size() == 44)
        return apertura() ? Formato::SenzaNome : chiusura() ? Formato::Corrente : Formato::Altro;
    return apertura() ? Formato::Corrente : Formato::Altro;
}

QString RecordArchivio::chiusuraProposta() const
{
    return riga.left(33) + QLatin1String("Chiuso") + riga.mid(39, 5);
}

QDate RecordArchivio::dataIn(QByteArrayView riga)
{
    if (riga.size() < 10 || riga.at(2) != '/' || riga.at(5) != '/')
        return QDate();
    const int giorno = cifre(riga, 0, 2);
    const int mese = cifre(riga, 3, 2);
    const int anno = cifre(riga, 6, 4);
    if (giorno < 0 || mese < 0 || anno <= 0)
        return QDate();
    return QDate(anno, mese, giorno);
}

qint64 RecordArchivio::chiaveDataIn(QByteArrayView riga)
{
    // Asked of every opening record of a pass: the eight digits are read in one go.
    if (riga.size() < 10 || riga[2] != '/' || riga[5] != '/')
        return -1;
    qint64 chiave = 0;
    bool cifre = true;
    for (const qsizetype i : {6, 7, 8, 9, 3, 4, 0, 1}) {
        const unsigned cifra = static_cast<unsigned char>(riga[i]) - unsigned('0');
        cifre = cifre && cifra <= 9;
        chiave = chiave * 10 + cifra;
    }
    return cifre ? chiave : -1;
}

int RecordArchivio::annoIn(QByteArrayView riga)
{
    if (riga.size() < 10 || riga[2] != '/' || riga[5] != '/')
        return -1;
    int anno = 0;
    bool cifre = true;
    for (qsizetype i = 6; i < 10; ++i) {
        const unsigned cifra = static_cast<unsigned char>(riga[i]) - unsigned('0');
        cifre = cifre && cifra <= 9;
        anno = anno * 10 + static_cast<int>(cifra);
    }
    return cifre ? anno : -1;
}

QTime RecordArchivio::oraIn(QByteArrayView riga)
{
    if (riga.size() < 19 || riga.at(13) != '.' || riga.at(16) != '.')
        return QTime();
    const int ore = cifre(riga, 11, 2);
    const int minuti = cifre(riga, 14, 2);
    const int secondi = cifre(riga, 17, 2);
    if (ore < 0 || minuti < 0 || secondi < 0)
        return QTime();
    return QTime(ore, minuti, secondi);
}

int RecordArchivio::cifraIn(QByteArrayView riga, int posizione)
{
    if (riga.size() < posizione)
        return -1;
    const char c = riga.at(posizione - 1);
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

bool RecordArchivio::stessaDataIn(QByteArrayView a, QByteArrayView b)
{
    return a.size() >= 10 && b.size() >= 10 && std::memcmp(a.data(), b.data(), 10) == 0;
}

QByteArray RecordArchivio::conClasseIn(QByteArrayView riga)
{
    constexpr qsizetype primaDelleCifre = 42;
    return riga.first(std::min(riga.size(), primaDelleCifre)).toByteArray() + "11";
}

QString RecordArchivio::nomeConnessioneIn(QByteArrayView riga)
{
    return riga.size() <= 45 ? QString()
                             : Windows1252::decode(riga.sliced(45, std::min<qsizetype>(40, riga.size() - 45)));
}

QString RecordArchivio::unaRiga(const QString& testo)
{
    QString riga = testo;
    for (QChar& c : riga) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return riga;
}

QString recordApertura(const QDateTime& inizio, int festivo, int classe, int tipo, const QString& nomeConnessione)
{
    return intestazione(inizio, "Aperto", festivo, classe, tipo) + QLatin1Char(' ') +
           RecordArchivio::unaRiga(nomeConnessione);
}

QString recordChiusura(const QDateTime& fine, int festivo, int classe, int tipo)
{
    return intestazione(fine, "Chiuso", festivo, classe, tipo);
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
