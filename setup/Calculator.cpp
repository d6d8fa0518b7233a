#include "setup/Calculator.h"

#include <QLocale>
#include <cmath>

namespace {

// A recursive-descent reader over the expression's text; every rule returns
// no value as soon as the text stops making sense.
class Reader
{
public:
    explicit Reader(const QString& text)
        : m_text(text)
    {
    }

    std::optional<double> whole()
    {
        std::optional<double> value = sum();
        skipBlanks();
        if (!value || m_at != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    bool take(QChar c)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text.at(m_at) == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    std::optional<double> sum()
    {
        std::optional<double> value = product();
        while (value) {
            if (take(QLatin1Char('+'))) {
                const std::optional<double> next = product();
                value = next ? std::optional<double>(*value + *next) : std::nullopt;
            } else if (take(QLatin1Char('-'))) {
                const std::optional<double> next = product();
                value = next ? std::optional<double>(*value - *next) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> product()
    {
        std::optional<double> value = factor();
        while (value) {
            if (take(QLatin1Char('*'))) {
                const std::optional<double> next = factor();
                value = next ? std::optional<double>(*value * *next) : std::nullopt;
            } else if (take(QLatin1Char('/'))) {
                const std::optional<double> next = factor();
                value = next && *next != 0.0 ? std::optional<double>(*value / *next) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> factor()
    {
        if (take(QLatin1Char('-'))) {
            const std::optional<double> value = factor();
            return value ? std::optional<double>(-*value) : std::nullopt;
        }
        if (take(QLatin1Char('+')))
            return factor();
        if (take(QLatin1Char('('))) {
            const std::optional<double> value = sum();
            return value && take(QLatin1Char(')')) ? value : std::nullopt;
        }
        return number();
    }

    std::optional<double> number()
    {
        skipBlanks();
        const qsizetype start = m_at;
        while (m_at < m_text.size() && (m_text.at(m_at).isDigit() || m_text.at(m_at) == QLatin1Char('.') ||
                                        m_text.at(m_at) == QLatin1Char(',')))
            ++m_at;
        QString digits = m_text.mid(start, m_at - start);
        digits.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double value = QLocale::c().toDouble(digits, &ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        return value;
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

} // namespace

std::optional<double> Calculator::evaluate(const QString& expression)
{
    const std::optional<double> value = Reader(expression).whole();
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}
