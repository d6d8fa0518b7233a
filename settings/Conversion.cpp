#include "settings/Conversion.h"

#include <QRegularExpression>

EConvertError::EConvertError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

QString EConvertError::message() const
{
    return QString::fromStdString(what());
}

int strToInt(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    int number = 0;
    if (t.startsWith(QLatin1Char('$')))
        number = t.mid(1).toInt(&ok, 16);
    else if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X"))))
        number = t.mid(2).toInt(&ok, 16);
    else
        number = t.toInt(&ok, 10);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return number;
}

QTime strToTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})[.:](\\d{1,2})(?:[.:](\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    QTime time;
    if (m.hasMatch())
        time = QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!time.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return time;
}

QDate strToDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    QDate date;
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() <= 2)
            year += year < 50 ? 2000 : 1900;
        date = QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
    }
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
