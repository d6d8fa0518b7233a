#include "settings/Conversion.h"

#include <optional>
#include <utility>

EConvertError::EConvertError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

QString EConvertError::message() const
{
    return QString::fromStdString(what());
}

std::optional<qint64> tryStrToInt64(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    qint64 number = 0;
    if (t.startsWith(QLatin1Char('$')))
        number = t.mid(1).toLongLong(&ok, 16);
    else if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X"))))
        number = t.mid(2).toLongLong(&ok, 16);
    else
        number = t.toLongLong(&ok, 10);
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<int> tryStrToInt(const QString& text)
{
    const std::optional<qint64> number = tryStrToInt64(text);
    if (!number || !std::in_range<int>(*number))
        return std::nullopt;
    return static_cast<int>(*number);
}

int strToInt(const QString& text)
{
    const std::optional<int> number = tryStrToInt(text);
    if (!number)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *number;
}

namespace {

// The texts the two conversions accept are simple enough to read by hand:
// a regular expression costs the program's start a compilation of each
// pattern. Blanks are the ASCII ones (tab to carriage return and space),
// digits the ASCII ones.
class Lettura
{
public:
    explicit Lettura(QStringView testo)
        : m_testo(testo)
    {
    }

    void saltaSpazi()
    {
        while (m_at < m_testo.size() && spazio(m_testo[m_at]))
            ++m_at;
    }

    // One to `massimo` digits; their number in *cifre. No value when there is none.
    std::optional<int> numero(int massimo, int* cifre = nullptr)
    {
        int valore = 0;
        int lette = 0;
        while (lette < massimo && m_at < m_testo.size() && m_testo[m_at] >= u'0' && m_testo[m_at] <= u'9') {
            valore = valore * 10 + (m_testo[m_at].unicode() - u'0');
            ++m_at;
            ++lette;
        }
        if (cifre)
            *cifre = lette;
        return lette > 0 ? std::optional(valore) : std::nullopt;
    }

    // The next character is one of `separatori`: it is taken.
    bool separatore(QLatin1String separatori)
    {
        if (m_at >= m_testo.size() || !separatori.contains(m_testo[m_at]))
            return false;
        ++m_at;
        return true;
    }

    // Nothing but blanks is left.
    bool fine()
    {
        saltaSpazi();
        return m_at == m_testo.size();
    }

private:
    static bool spazio(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

    QStringView m_testo;
    qsizetype m_at = 0;
};

// "h.nn[.ss]" with ":" also between the parts, blanks around.
QTime leggiOra(QStringView text)
{
    Lettura l(text);
    l.saltaSpazi();
    const std::optional<int> ore = l.numero(2);
    if (!ore || !l.separatore(QLatin1String(".:")))
        return QTime();
    const std::optional<int> minuti = l.numero(2);
    if (!minuti)
        return QTime();
    std::optional<int> secondi = 0;
    if (l.separatore(QLatin1String(".:")))
        secondi = l.numero(2);
    if (!secondi || !l.fine())
        return QTime();
    return QTime(*ore, *minuti, *secondi);
}

// "d/m/y" with one or two digits for the day and the month, one to four for the year, blanks around.
QDate leggiData(QStringView text)
{
    Lettura l(text);
    l.saltaSpazi();
    const std::optional<int> giorno = l.numero(2);
    if (!giorno || !l.separatore(QLatin1String("/")))
        return QDate();
    const std::optional<int> mese = l.numero(2);
    if (!mese || !l.separatore(QLatin1String("/")))
        return QDate();
    int cifre = 0;
    std::optional<int> anno = l.numero(4, &cifre);
    if (!anno || !l.fine())
        return QDate();
    if (cifre <= 2)
        *anno += *anno < 50 ? 2000 : 1900;
    return QDate(*anno, *mese, *giorno);
}

} // namespace

QTime strToTime(const QString& text)
{
    const QTime time = leggiOra(text);
    if (!time.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return time;
}

QDate strToDate(const QString& text)
{
    const QDate date = leggiData(text);
    if (!date.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QString formatDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString formatShortDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yy"));
}

QString formatDayMonth(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM"));
}

QString formatTime(const QTime& time)
{
    return time.toString(QStringLiteral("hh.mm.ss"));
}
