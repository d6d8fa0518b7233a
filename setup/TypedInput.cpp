#include "setup/TypedInput.h"

#include "settings/Conversion.h"

#include <QList>
#include <algorithm>

namespace {

// A text cut at its separators into runs of digits. `valide` is false when
// it holds any other character.
struct Parti
{
    QList<QStringView> numeri;
    bool valide = true;

    bool separate() const { return numeri.size() > 1; }
    // No run is empty but perhaps the last, as while the user types "09.".
    bool senzaVuoti(bool ultimoVuoto) const
    {
        for (qsizetype i = 0; i < numeri.size(); ++i) {
            if (numeri[i].isEmpty() && !(ultimoVuoto && i == numeri.size() - 1 && i > 0))
                return false;
        }
        return true;
    }
};

Parti parti(QStringView testo, QLatin1String separatori)
{
    Parti p;
    const QStringView t = testo.trimmed();
    qsizetype inizio = 0;
    for (qsizetype i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            continue;
        if (i < t.size() && !separatori.contains(t[i])) {
            p.valide = false;
            return p;
        }
        p.numeri.append(t.mid(inizio, i - inizio));
        inizio = i + 1;
    }
    return p;
}

// Every run at most as long as its place allows.
bool corte(const Parti& p, const QList<int>& massimi)
{
    if (p.numeri.size() > massimi.size())
        return false;
    for (qsizetype i = 0; i < p.numeri.size(); ++i) {
        if (p.numeri[i].size() > massimi[i])
            return false;
    }
    return true;
}

std::optional<QTime> ora(int ore, int minuti, int secondi)
{
    if (!QTime::isValid(ore, minuti, secondi))
        return std::nullopt;
    return QTime(ore, minuti, secondi);
}

std::optional<QDate> giorno(int g, int m, int a, qsizetype cifreAnno)
{
    if (cifreAnno == 2)
        a += a < 50 ? 2000 : 1900;
    if (!QDate::isValid(a, m, g))
        return std::nullopt;
    return QDate(a, m, g);
}

// The part of a shown text "xx.xx.xx" or "xx/xx/xxxx" at a cursor position: 0, 1 or 2.
int parteAl(int position)
{
    return std::clamp(position / 3, 0, 2);
}

const QLatin1String separatoriOra(".:");
const QLatin1String separatoriData("/.-");

} // namespace

std::optional<QTime> TypedInput::time(const QString& text)
{
    const Parti p = parti(text, separatoriOra);
    if (!p.valide || !p.senzaVuoti(false))
        return std::nullopt;
    if (p.separate()) {
        if (!corte(p, {2, 2, 2}))
            return std::nullopt;
        const auto campo = [&p](int i) { return i < p.numeri.size() ? p.numeri[i].toInt() : 0; };
        return ora(campo(0), campo(1), campo(2));
    }
    const QStringView cifre = p.numeri.first();
    if (cifre.size() > 6)
        return std::nullopt;
    // The last pairs are the seconds and the minutes; what is left, the hours.
    const qsizetype coppie = (cifre.size() - 1) / 2;
    const qsizetype cifreOre = cifre.size() - 2 * coppie;
    const int minuti = coppie >= 1 ? cifre.mid(cifreOre, 2).toInt() : 0;
    const int secondi = coppie >= 2 ? cifre.mid(cifreOre + 2, 2).toInt() : 0;
    return ora(cifre.left(cifreOre).toInt(), minuti, secondi);
}

std::optional<QDate> TypedInput::date(const QString& text)
{
    const Parti p = parti(text, separatoriData);
    if (!p.valide || !p.senzaVuoti(false))
        return std::nullopt;
    if (p.separate()) {
        const qsizetype cifreAnno = p.numeri.size() == 3 ? p.numeri[2].size() : 0;
        if (!corte(p, {2, 2, 4}) || p.numeri.size() != 3 || (cifreAnno != 2 && cifreAnno != 4))
            return std::nullopt;
        return giorno(p.numeri[0].toInt(), p.numeri[1].toInt(), p.numeri[2].toInt(), cifreAnno);
    }
    const QStringView cifre = p.numeri.first();
    if (cifre.size() != 6 && cifre.size() != 8)
        return std::nullopt;
    return giorno(cifre.left(2).toInt(), cifre.mid(2, 2).toInt(), cifre.mid(4).toInt(), cifre.size() - 4);
}

bool TypedInput::couldBeTime(const QString& text)
{
    if (text.trimmed().isEmpty())
        return true;
    const Parti p = parti(text, separatoriOra);
    return p.valide && p.senzaVuoti(true) && corte(p, p.separate() ? QList<int>{2, 2, 2} : QList<int>{6});
}

bool TypedInput::couldBeDate(const QString& text)
{
    if (text.trimmed().isEmpty())
        return true;
    const Parti p = parti(text, separatoriData);
    return p.valide && p.senzaVuoti(true) && corte(p, p.separate() ? QList<int>{2, 2, 4} : QList<int>{8});
}

Message TypedInput::timeRefused(const QString& text)
{
    return {QStringLiteral("'%1' non è un orario valido.\r"
                           "Scrivere ore, minuti e secondi come 09.15.30, oppure le sole cifre: 091530.")
                .arg(text.trimmed()),
            QStringLiteral("Attenzione!"), Message::Icon::Critical};
}

Message TypedInput::dateRefused(const QString& text)
{
    return {QStringLiteral("'%1' non è una data valida.\r"
                           "Scrivere giorno, mese e anno come 15/03/2026, oppure le sole cifre: 15032026.")
                .arg(text.trimmed()),
            QStringLiteral("Attenzione!"), Message::Icon::Critical};
}

std::optional<QString> TypedInput::stepTime(const QString& text, int position, int steps)
{
    const std::optional<QTime> t = time(text);
    if (!t)
        return std::nullopt;
    int campi[] = {t->hour(), t->minute(), t->second()};
    const int massimi[] = {23, 59, 59};
    const int parte = parteAl(position);
    campi[parte] = std::clamp(campi[parte] + steps, 0, massimi[parte]);
    return formatTime(QTime(campi[0], campi[1], campi[2]));
}

std::optional<QString> TypedInput::stepDate(const QString& text, int position, int steps)
{
    const std::optional<QDate> d = date(text);
    if (!d)
        return std::nullopt;
    int anno = d->year();
    int mese = d->month();
    int g = d->day();
    switch (parteAl(position)) {
    case 0:
        g = std::clamp(g + steps, 1, d->daysInMonth());
        break;
    case 1:
        mese = std::clamp(mese + steps, 1, 12);
        break;
    default:
        anno = std::clamp(anno + steps, 1, 9999);
        break;
    }
    // A day the new month or year does not have becomes its last.
    g = std::min(g, QDate(anno, mese, 1).daysInMonth());
    return formatDate(QDate(anno, mese, g));
}
