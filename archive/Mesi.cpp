#include "archive/Mesi.h"

#include "settings/Conversion.h"

#include <QRegularExpression>

namespace {

int numero(const QString& mese)
{
    static const QRegularExpression cifre(QStringLiteral("^\\d{1,2}$"));
    if (cifre.match(mese).hasMatch()) {
        const int n = mese.toInt();
        return n >= 1 && n <= 12 ? n : 0;
    }
    return static_cast<int>(nomiMesi().indexOf(mese)) + 1;
}

bool bisestile(int anno)
{
    return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
}

} // namespace

const QStringList& nomiMesi()
{
    static const QStringList nomi{QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
                                  QStringLiteral("aprile"),  QStringLiteral("maggio"),   QStringLiteral("giugno"),
                                  QStringLiteral("luglio"),  QStringLiteral("agosto"),   QStringLiteral("settembre"),
                                  QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};
    return nomi;
}

QString numeroMese(const QString& nome)
{
    const qsizetype i = nomiMesi().indexOf(nome);
    return i < 0 ? QString() : QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

QString giorniNelMese(const QString& mese, const QString& anno)
{
    const int n = numero(mese);
    const int a = strToInt(anno);
    if (n == 0)
        return QString();
    static const int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return QString::number(n == 2 && bisestile(a) ? 29 : giorni[n - 1]);
}
