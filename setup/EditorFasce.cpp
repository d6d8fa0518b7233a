#include "setup/EditorFasce.h"

#include "settings/Conversion.h"
#include "setup/TypedInput.h"

namespace {

struct Taglio
{
    int inizio; // 0-based
    int lunghezza;
};
constexpr Taglio tagli[EditorFasce::colonne] = {{0, 8}, {9, 8}, {18, 4}, {23, 4}, {28, 4}, {33, 4}};

const QTime mezzanotte(0, 0, 0);
const QTime ultimoSecondo(23, 59, 59);

Message errore(const QString& testo)
{
    return {testo, QStringLiteral("Attenzione!"), Message::Icon::Critical};
}

} // namespace

EditorFasce::EditorFasce(Giorno giorno, const QStringList& fasce)
    : m_giorno(giorno)
{
    for (int riga = 0; riga < numeroFasce(giorno); ++riga) {
        const QString fascia = fasce.value(riga);
        m_caricate.append(fascia);
        m_righe.append(dividi(fascia));
        m_cambiate.append(false);
    }
}

QStringList EditorFasce::dividi(const QString& fascia)
{
    QStringList celle;
    for (const Taglio& t : tagli)
        celle.append(fascia.mid(t.inizio, t.lunghezza));
    return celle;
}

QString EditorFasce::unisci(const QStringList& celle)
{
    return celle.join(QLatin1Char('-'));
}

QStringList EditorFasce::intestazioni(Giorno giorno)
{
    return {QStringLiteral("dalle"),   QStringLiteral("alle"),
            QStringLiteral("Tut"),     QStringLiteral("< 15"),
            QStringLiteral("15 - 30"), giorno == Giorno::Festivi ? QStringLiteral(">30") : QStringLiteral("> 30")};
}

QStringList EditorFasce::etichette(Giorno giorno)
{
    if (giorno == Giorno::Festivi)
        return {QStringLiteral("Notturna"), QStringLiteral("Notturna")};
    return {QStringLiteral("Ordinaria"), QStringLiteral("Notturna"), QStringLiteral("Notturna")};
}

int EditorFasce::numeroFasce(Giorno giorno)
{
    return giorno == Giorno::Festivi ? 2 : 3;
}

QString EditorFasce::cella(int colonna, int riga) const
{
    if (riga < 1 || riga > righe() || colonna < 1 || colonna > colonne)
        return {};
    return m_righe.at(riga - 1).at(colonna - 1);
}

QStringList EditorFasce::fasce() const
{
    QStringList testi;
    for (int riga = 0; riga < righe(); ++riga)
        testi.append(m_cambiate.at(riga) ? unisci(m_righe.at(riga)) : m_caricate.at(riga));
    return testi;
}

void EditorFasce::setDalle(const QTime& time)
{
    m_dalle = time;
}

void EditorFasce::setAlle(const QTime& time)
{
    m_alle = time;
}

void EditorFasce::setIntervallo(const QString& testo)
{
    m_intervallo = testo;
}

std::optional<Message> EditorFasce::leggiOrari(const QString& dalle, const QString& alle)
{
    const std::optional<QTime> inizio = TypedInput::time(dalle);
    if (!inizio) {
        m_fuoco = Fuoco::Dalle;
        return TypedInput::timeRefused(dalle);
    }
    const std::optional<QTime> fine = TypedInput::time(alle);
    if (!fine) {
        m_fuoco = Fuoco::Alle;
        return TypedInput::timeRefused(alle);
    }
    m_dalle = *inizio;
    m_alle = *fine;
    return std::nullopt;
}

void EditorFasce::pickersIniziali()
{
    m_dalle = strToTime(cella(1, m_riga));
    m_alle = strToTime(cella(2, m_riga));
}

void EditorFasce::clic(int colonna, int riga)
{
    if (riga < 1 || riga > righe() || colonna < 1 || colonna > colonne)
        return;
    m_riga = riga;
    m_colonna = colonna;
    pickersIniziali();
    if (suIntervallo()) {
        m_intervallo = cella(colonna, riga);
        m_intervalloAttivo = true;
        m_fuoco = Fuoco::Intervallo;
    } else {
        m_intervallo.clear();
        m_intervalloAttivo = false;
        m_fuoco = colonna == 1 ? Fuoco::Dalle : Fuoco::Alle;
    }
}

// An evening band starts one second after the day band ends, a night band
// ends one second before the next one starts, and a band that ends at
// midnight ends at 23.59.59.
void EditorFasce::aggiustaOrari()
{
    const bool festivi = m_giorno == Giorno::Festivi;
    const int ultima = numeroFasce(m_giorno);
    const int dopoGiorno = festivi ? 0 : 2; // rule A: never on "Festivi"
    const int finoAMezzanotte = festivi ? 1 : 2;
    if (m_riga == dopoGiorno)
        m_dalle = QTime(m_dalle.hour(), m_dalle.minute(), 1);
    if (m_riga == ultima && m_alle.second() == 0)
        m_alle = m_alle.addSecs(-1);
    if (m_riga == finoAMezzanotte && m_alle == mezzanotte)
        m_alle = ultimoSecondo;
}

std::optional<Message> EditorFasce::controllaIntervallo()
{
    m_fuoco = Fuoco::Intervallo;
    if (m_intervallo.isEmpty())
        m_intervallo = QStringLiteral("0");
    const int decimi = strToInt(m_intervallo);
    if (decimi > 9999 || decimi < 10)
        return errore(QStringLiteral("I decimi di secondo devono essere fra 10 e 9999"));
    // Always four digits, whatever was typed ("+50", "00050"): the band text keeps its fixed columns.
    m_intervallo = QString::number(decimi).rightJustified(4, QLatin1Char('0'));
    return std::nullopt;
}

std::optional<Message> EditorFasce::conferma()
{
    aggiustaOrari();
    if (suIntervallo()) {
        if (std::optional<Message> rifiuto = controllaIntervallo())
            return rifiuto;
    }
    if (m_alle < m_dalle) {
        m_fuoco = Fuoco::Dalle;
        return errore(QStringLiteral("\"dalle:\" deve precedere \"alle:\""));
    }
    QStringList& riga = m_righe[m_riga - 1];
    if (suIntervallo())
        riga[m_colonna - 1] = m_intervallo;
    riga[0] = formatTime(m_dalle);
    riga[1] = formatTime(m_alle);
    m_cambiate[m_riga - 1] = true;
    return std::nullopt;
}
