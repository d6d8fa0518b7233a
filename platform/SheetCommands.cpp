#include "platform/SheetCommands.h"

#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <functional>
#include <optional>

namespace {

struct Argument
{
    enum class Kind
    {
        Missing,
        Text,
        Number,
        Logical
    };
    Kind kind = Kind::Missing;
    QString text;
    double number = 0;
    bool logical = false;
};

struct Command
{
    QString name; // lower case
    QList<Argument> arguments;
};

// Reads "[name(arg,arg,...)]" commands: an argument is missing, a text in
// double quotes (a doubled quote stands for one), a number, TRUE or FALSE.
class Parser
{
public:
    explicit Parser(const QString& text)
        : m_text(text)
    {
    }

    // Nothing when the text is not a sequence of commands.
    std::optional<QList<Command>> commands()
    {
        QList<Command> list;
        blanks();
        while (m_at < m_text.size()) {
            std::optional<Command> c = command();
            if (!c)
                return std::nullopt;
            list.append(*c);
            blanks();
        }
        if (list.isEmpty())
            return std::nullopt;
        return list;
    }

private:
    QChar peek() const { return m_at < m_text.size() ? m_text.at(m_at) : QChar(); }

    bool take(QChar c)
    {
        blanks();
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }

    void blanks()
    {
        while (peek() == QLatin1Char(' '))
            ++m_at;
    }

    std::optional<Command> command()
    {
        if (!take(QLatin1Char('[')))
            return std::nullopt;
        blanks();
        Command c;
        while (peek().isLetterOrNumber() || peek() == QLatin1Char('.') || peek() == QLatin1Char('_'))
            c.name += m_text.at(m_at++).toLower();
        if (c.name.isEmpty() || !c.name.at(0).isLetter() || !take(QLatin1Char('(')))
            return std::nullopt;
        blanks();
        if (peek() != QLatin1Char(')')) {
            do {
                std::optional<Argument> a = argument();
                if (!a)
                    return std::nullopt;
                c.arguments.append(*a);
            } while (take(QLatin1Char(',')));
        }
        if (!take(QLatin1Char(')')) || !take(QLatin1Char(']')))
            return std::nullopt;
        return c;
    }

    std::optional<Argument> argument()
    {
        blanks();
        Argument a;
        if (peek() == QLatin1Char(',') || peek() == QLatin1Char(')'))
            return a;
        if (peek() == QLatin1Char('"'))
            return text();
        static const QRegularExpression numero(QStringLiteral("-?[0-9]+(\\.[0-9]+)?"));
        const QRegularExpressionMatch m =
            numero.match(m_text, m_at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (m.hasMatch()) {
            m_at += m.capturedLength();
            a.kind = Argument::Kind::Number;
            a.number = QLocale::c().toDouble(m.captured());
            return a;
        }
        for (const bool valore : {true, false}) {
            const QString parola = valore ? QStringLiteral("true") : QStringLiteral("false");
            if (m_text.mid(m_at, parola.size()).compare(parola, Qt::CaseInsensitive) == 0) {
                m_at += parola.size();
                a.kind = Argument::Kind::Logical;
                a.logical = valore;
                return a;
            }
        }
        return std::nullopt;
    }

    std::optional<Argument> text()
    {
        Argument a;
        a.kind = Argument::Kind::Text;
        ++m_at;
        for (;;) {
            if (m_at >= m_text.size())
                return std::nullopt;
            const QChar c = m_text.at(m_at++);
            if (c != QLatin1Char('"')) {
                a.text += c;
            } else if (peek() == QLatin1Char('"')) {
                a.text += c;
                ++m_at;
            } else {
                return a;
            }
        }
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

bool missing(const Argument& a)
{
    return a.kind == Argument::Kind::Missing;
}

Argument argomento(const QList<Argument>& a, qsizetype i)
{
    return i < a.size() ? a.at(i) : Argument();
}

// Any argument given from `da` on.
bool oltre(const QList<Argument>& a, qsizetype da)
{
    for (qsizetype i = da; i < a.size(); ++i) {
        if (!missing(a.at(i)))
            return true;
    }
    return false;
}

bool tipo(const Argument& x, Argument::Kind k)
{
    return missing(x) || x.kind == k;
}

// What a format command does to each cell of the selection.
using Stile = std::function<void(SheetCommands::Style&)>;

// format.font(name, size, bold, italic, underline, strikeout, colour 0,
// outline FALSE, shadow FALSE); none when the arguments are not these.
std::optional<Stile> carattere(const QList<Argument>& a)
{
    const Argument nome = argomento(a, 0), dimensione = argomento(a, 1), colore = argomento(a, 6);
    bool valido = tipo(nome, Argument::Kind::Text) && tipo(dimensione, Argument::Kind::Number) &&
                  (missing(dimensione) || (dimensione.number >= 1 && dimensione.number <= 409)) &&
                  (missing(colore) || (colore.kind == Argument::Kind::Number && colore.number == 0)) && a.size() <= 9;
    for (int i : {2, 3, 4, 5})
        valido = valido && tipo(argomento(a, i), Argument::Kind::Logical);
    for (int i : {7, 8})
        valido = valido && (missing(argomento(a, i)) ||
                            (argomento(a, i).kind == Argument::Kind::Logical && !argomento(a, i).logical));
    if (!valido)
        return std::nullopt;
    return [a, nome, dimensione](SheetCommands::Style& s) {
        const auto logico = [&a](int i, bool& campo) {
            if (!missing(argomento(a, i)))
                campo = argomento(a, i).logical;
        };
        if (!missing(nome))
            s.fontName = nome.text;
        if (!missing(dimensione))
            s.fontSize = dimensione.number;
        logico(2, s.bold);
        logico(3, s.italic);
        logico(4, s.underline);
        logico(5, s.strikeout);
    };
}

// alignment(horizontal 1-7, wrap, vertical 1-4, orientation 0-3); none when
// the arguments are not these.
std::optional<Stile> allineamento(const QList<Argument>& a)
{
    const Argument orizzontale = argomento(a, 0), aCapo = argomento(a, 1), verticale = argomento(a, 2),
                   orientamento = argomento(a, 3);
    const auto intero = [](const Argument& x, int da, int fino) {
        // The range first: a number beyond an int's cannot be cast to see whether it is whole.
        return missing(x) || (x.kind == Argument::Kind::Number && x.number >= da && x.number <= fino &&
                              x.number == static_cast<int>(x.number));
    };
    if (!intero(orizzontale, 1, 7) || !tipo(aCapo, Argument::Kind::Logical) || !intero(verticale, 1, 4) ||
        !intero(orientamento, 0, 3) || oltre(a, 4))
        return std::nullopt;
    return [orizzontale, aCapo, verticale, orientamento](SheetCommands::Style& s) {
        if (!missing(orizzontale))
            s.horizontal = static_cast<int>(orizzontale.number);
        if (!missing(aCapo))
            s.wrap = aCapo.logical;
        if (!missing(verticale))
            s.vertical = static_cast<int>(verticale.number);
        if (!missing(orientamento))
            s.orientation = static_cast<int>(orientamento.number);
    };
}

// What format.font or alignment does; none for any other command or arguments.
std::optional<Stile> stile(const Command& c)
{
    if (c.name == QLatin1String("format.font"))
        return carattere(c.arguments);
    if (c.name == QLatin1String("alignment"))
        return allineamento(c.arguments);
    return std::nullopt;
}

// "R2C1", "R[1]C[-4]", "RC[1]" against the active cell; nothing when it is none of these or falls outside the sheet.
std::optional<SheetCommands::Address> cella(const QString& testo, const SheetCommands::Address& attiva)
{
    static const QRegularExpression forma(
        QStringLiteral("^R(?:([0-9]+)|\\[(-?[0-9]+)\\])?C(?:([0-9]+)|\\[(-?[0-9]+)\\])?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forma.match(testo);
    if (!m.hasMatch())
        return std::nullopt;
    const auto parte = [&m](int assoluto, int relativo, int base) -> qint64 {
        if (m.capturedLength(assoluto) > 0)
            return m.captured(assoluto).length() > 9 ? -1 : m.captured(assoluto).toLongLong();
        if (m.capturedLength(relativo) > 0)
            return m.captured(relativo).length() > 9 ? -1 : base + m.captured(relativo).toLongLong();
        return base;
    };
    const qint64 riga = parte(1, 2, attiva.first);
    const qint64 colonna = parte(3, 4, attiva.second);
    if (riga < 1 || riga > SheetCommands::maxRows || colonna < 1 || colonna > SheetCommands::maxColumns)
        return std::nullopt;
    return SheetCommands::Address{static_cast<int>(riga), static_cast<int>(colonna)};
}

QString r1c1(const SheetCommands::Address& a)
{
    return QStringLiteral("R%1C%2").arg(a.first).arg(a.second);
}

// A decimal number that writes back as the same text: "1824", "-3", "0.5",
// but not "0612345" or "1e5", which stay texts so that nothing is lost.
std::optional<double> numero(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
    if (testo.size() > 16 || !forma.match(testo).hasMatch() || testo == QLatin1String("-0"))
        return std::nullopt;
    bool ok = false;
    const double valore = QLocale::c().toDouble(testo, &ok);
    if (!ok || QLocale::c().toString(valore, 'f', QLocale::FloatingPointShortest) != testo)
        return std::nullopt;
    return valore;
}

// "dd/mm/yyyy", the program's date format, from 1900 on as sheets count days.
QDate data(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^([0-9]{2})/([0-9]{2})/((19|[2-9][0-9])[0-9]{2})$"));
    const QRegularExpressionMatch m = forma.match(testo);
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

} // namespace

bool SheetCommands::fail(const QString& error)
{
    m_error = error;
    return false;
}

QString SheetCommands::selectionText() const
{
    return m_first == m_last ? r1c1(m_first) : r1c1(m_first) + QLatin1Char(':') + r1c1(m_last);
}

bool SheetCommands::select(const QString& reference)
{
    const QStringList parti = reference.split(QLatin1Char(':'));
    if (parti.size() > 2)
        return fail(QStringLiteral("riferimento non valido: %1").arg(reference));
    const std::optional<Address> primo = cella(parti.first(), m_active);
    const std::optional<Address> ultimo = parti.size() == 2 ? cella(parti.last(), m_active) : primo;
    if (!primo || !ultimo)
        return fail(QStringLiteral("riferimento non valido: %1").arg(reference));
    m_first = {qMin(primo->first, ultimo->first), qMin(primo->second, ultimo->second)};
    m_last = {qMax(primo->first, ultimo->first), qMax(primo->second, ultimo->second)};
    m_active = m_first;
    return true;
}

bool SheetCommands::formula(const QString& text)
{
    Cell& c = m_cells[m_active];
    c.text.clear();
    c.number = 0;
    c.date = QDate();
    if (text.isEmpty()) {
        c.kind = Cell::Kind::Empty;
    } else if (const std::optional<double> n = numero(text)) {
        c.kind = Cell::Kind::Number;
        c.number = *n;
    } else if (const QDate d = data(text); d.isValid()) {
        c.kind = Cell::Kind::Date;
        c.date = d;
    } else {
        // A text that starts with "=" stays a text: the writer computes no formulas.
        c.kind = Cell::Kind::Text;
        c.text = text;
    }
    return true;
}

template <typename Apply> bool SheetCommands::format(Apply apply)
{
    const qint64 quante = static_cast<qint64>(m_last.first - m_first.first + 1) * (m_last.second - m_first.second + 1);
    if (quante > maxFormattedCells)
        return fail(QStringLiteral("selezione troppo grande da formattare: %1").arg(selectionText()));
    for (int r = m_first.first; r <= m_last.first; ++r) {
        for (int c = m_first.second; c <= m_last.second; ++c)
            apply(m_cells[{r, c}].style);
    }
    return true;
}

bool SheetCommands::execute(const QString& text)
{
    m_error.clear();
    const std::optional<QList<Command>> commands = Parser(text).commands();
    if (!commands)
        return fail(QStringLiteral("comando non riconosciuto: %1").arg(text));
    for (const Command& c : *commands) {
        const QList<Argument>& a = c.arguments;
        bool fatto = false;
        if (c.name == QLatin1String("select")) {
            fatto = a.size() == 1 && a.first().kind == Argument::Kind::Text && select(a.first().text);
        } else if (c.name == QLatin1String("formula")) {
            fatto = !a.isEmpty() && a.first().kind == Argument::Kind::Text && !oltre(a, 1);
            if (fatto)
                formula(a.first().text);
        } else {
            const std::optional<Stile> s = stile(c);
            fatto = s && format(*s);
        }
        // A command refused without a reason of its own is one not understood.
        if (!fatto)
            return m_error.isEmpty() ? fail(QStringLiteral("comando non riconosciuto: %1").arg(text)) : false;
    }
    return true;
}
