#include "tests/support/ArchiveGenerator.h"

#include "archive/Windows1252.h"
#include "settings/Conversion.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <array>
#include <vector>

namespace {

const char* const nomi[] = {
    "Casa", "Ufficio", "Rete Citt\xe0", "Nodo Nord", "Linea di riserva con un nome pi\xf9 lungo di quaranta caratteri",
    ""};

struct Chiamata
{
    QDateTime inizio;
    QDateTime fine;
    int festivo = 0;
    int classe = 1;
    int tipo = 1;
    QString nome;
    int indice = 0;
    int giornoScrittura = 0;
};

class Scrittore
{
public:
    Scrittore(const ArchiveGenerator::Options& o, QRandomGenerator& random)
        : m_o(o)
        , m_random(random)
        , m_mancanti(o.missingClosures.begin(), o.missingClosures.end())
    {
    }

    void riga(const QString& testo)
    {
        m_out += Windows1252::encode(testo);
        if (!m_o.mixedLineEnds) {
            m_out += "\r\n";
            return;
        }
        switch (m_random.bounded(3)) {
        case 0:
            m_out += "\r\n";
            break;
        case 1:
            m_out += '\n';
            break;
        default:
            m_out += '\r';
            break;
        }
    }

    bool caso(double probabilita) { return m_random.generateDouble() < probabilita; }

    void spazzatura(const Chiamata& c)
    {
        switch (m_random.bounded(5)) {
        case 0:
            riga(QStringLiteral("Riga che non \xe8 un record"));
            break;
        case 1:
            riga(chiusura(c));
            break;
        case 2:
            riga(QStringLiteral("   "));
            break;
        case 3:
            riga(QStringLiteral("99/99/1999 10.00.00 collegamento Aperto  011 Casa"));
            break;
        default:
            riga(intestazione(c.inizio, "Aperto", c).left(36));
            break;
        }
    }

    void scrivi(const Chiamata& c)
    {
        if (caso(m_o.junkLines))
            spazzatura(c);
        const bool antica = caso(m_o.oldestRecords);
        QString apertura = intestazione(c.inizio, "Aperto", c);
        if (antica)
            apertura = apertura.left(42);
        else if (!caso(m_o.oldOpenings))
            apertura += QLatin1Char(' ') + c.nome;
        riga(apertura);
        if (m_mancanti.contains(c.indice))
            return;
        if (caso(m_o.emptyLines))
            riga(QString());
        QString fine = chiusura(c);
        if (caso(m_o.badTimes))
            fine.replace(11, 2, QStringLiteral("1x"));
        riga(antica ? fine.left(42) : fine);
    }

    QByteArray risultato() const
    {
        QByteArray out = m_out;
        if (!m_o.finalLineEnd) {
            if (out.endsWith("\r\n"))
                out.chop(2);
            else if (out.endsWith('\n') || out.endsWith('\r'))
                out.chop(1);
        }
        return out;
    }

private:
    static QString intestazione(const QDateTime& quando, const char* evento, const Chiamata& c)
    {
        return QStringLiteral("%1 %2 collegamento %3  %4%5%6")
            .arg(formatDate(quando.date()), formatTime(quando.time()), QLatin1String(evento))
            .arg(c.festivo)
            .arg(c.classe)
            .arg(c.tipo);
    }

    static QString chiusura(const Chiamata& c) { return intestazione(c.fine, "Chiuso", c); }

    const ArchiveGenerator::Options& m_o;
    QRandomGenerator& m_random;
    QSet<int> m_mancanti;
    QByteArray m_out;
};

int durata(const ArchiveGenerator::Options& o, QRandomGenerator& random, QTime& inizio)
{
    const double caso = random.generateDouble();
    if (caso < o.zeroCalls)
        return 0;
    if (caso < o.zeroCalls + o.midnightCalls) {
        inizio = QTime(23, 0).addSecs(random.bounded(3600));
        return random.bounded(600, 7200);
    }
    if (caso < o.zeroCalls + o.midnightCalls + o.longCalls)
        return random.bounded(20) == 0 ? random.bounded(86400, 30 * 3600) : random.bounded(3600, 6 * 3600);
    return random.bounded(30, 2700);
}

QByteArray genera(const ArchiveGenerator::Options& o, int* quante)
{
    QRandomGenerator random(o.seed);
    Scrittore scrittore(o, random);
    std::vector<Chiamata> rinviate;
    int indice = 0;
    for (int g = 0; g < o.days; ++g) {
        const QDate giorno = o.firstDay.addDays(g);
        auto pronte = std::stable_partition(rinviate.begin(), rinviate.end(),
                                            [&](const Chiamata& c) { return c.giornoScrittura > g; });
        std::for_each(pronte, rinviate.end(), [&](const Chiamata& c) { scrittore.scrivi(c); });
        rinviate.erase(pronte, rinviate.end());

        const int n = random.bounded(2 * o.callsPerDay + 1);
        std::vector<int> inizi;
        for (int i = 0; i < n; ++i)
            inizi.push_back(random.bounded(86400));
        std::sort(inizi.begin(), inizi.end());
        for (int secondi : inizi) {
            Chiamata c;
            QTime ora = QTime(0, 0).addSecs(secondi);
            const int d = durata(o, random, ora);
            c.inizio = QDateTime(giorno, ora);
            // Wall-clock times, as the program writes them, whatever daylight saving does.
            c.fine = QDateTime(giorno.addDays((ora.msecsSinceStartOfDay() / 1000 + d) / 86400),
                               QTime(0, 0).addSecs((ora.msecsSinceStartOfDay() / 1000 + d) % 86400));
            c.festivo = scrittore.caso(o.holidays) ? 1 : 0;
            c.classe = random.bounded(2) == 0 ? 1 : 2 + random.bounded(3);
            c.tipo = 1 + random.bounded(2);
            if (scrittore.caso(o.oddDigits)) {
                if (random.bounded(2) == 0)
                    c.classe = std::array{0, 5, 9}[random.bounded(3)];
                else
                    c.tipo = 3;
            }
            c.nome = QString::fromLatin1(nomi[random.bounded(static_cast<int>(std::size(nomi)))]);
            c.indice = indice++;
            c.giornoScrittura = g;
            if (scrittore.caso(o.outOfOrder)) {
                c.giornoScrittura = g + 1 + random.bounded(3);
                rinviate.push_back(c);
            } else {
                scrittore.scrivi(c);
            }
        }
    }
    for (const Chiamata& c : rinviate)
        scrittore.scrivi(c);
    if (quante)
        *quante = indice;
    return scrittore.risultato();
}

} // namespace

QByteArray ArchiveGenerator::generate(const Options& options)
{
    return genera(options, nullptr);
}

bool ArchiveGenerator::write(const QString& path, const Options& options)
{
    QFile file(path);
    const QByteArray bytes = generate(options);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

int ArchiveGenerator::calls(const Options& options)
{
    int n = 0;
    genera(options, &n);
    return n;
}
