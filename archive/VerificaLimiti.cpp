#include "archive/VerificaLimiti.h"

#include "archive/ImpostazioniLimiti.h"
#include "archive/Mesi.h"
#include "archive/SoglieLimite.h"
#include "platform/Notifier.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

namespace {

using Limite = ImpostazioniLimiti::Limite;

const Limite& giornaliero = ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Giornaliero);
const Limite& mensile = ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Mensile);
const Limite& annuo = ImpostazioniLimiti::limite(ImpostazioniLimiti::Periodo::Annuo);

struct Intervallo
{
    std::optional<QDate> dal;
    std::optional<QDate> al;
};

// The current month, from its first day to its last.
Intervallo meseDi(const QDate& oggi)
{
    const QDate inizio(oggi.year(), oggi.month(), 1);
    const int giorni = giorniNelMese(QString::number(oggi.month()), QString::number(oggi.year())).toInt();
    return {inizio, inizio.addDays(giorni - 1)};
}

// The subscription year from its first day to the day 365 days later; no
// range when its alarm is off or its first day does not convert.
Intervallo annoAbbonamento(ImpostazioniLimiti& impostazioni)
{
    if (!impostazioni.allarme(annuo))
        return {};
    const std::optional<QDate> inizio = impostazioni.inizioAnno();
    return {inizio, inizio ? std::optional(inizio->addDays(365)) : std::nullopt};
}

// The ranges whose passes the check will run, found as the check finds them,
// so that one reading of the archive can serve them all. Its own reading of
// the settings tells nothing: the check tells what it meets.
QList<ConsumiRange> intervalliDaLeggere(const QDate& oggi, const SettingsStore& store)
{
    ImpostazioniLimiti impostazioni(store);
    QList<ConsumiRange> intervalli;
    const auto aggiungi = [&](const Limite& limite, const Intervallo& intervallo) {
        const std::optional<qint64> valore = impostazioni.attivo(limite);
        if (valore && *valore != 0 && intervallo.dal && intervallo.al)
            intervalli.append({*limite.modo, *intervallo.dal, *intervallo.al});
    };
    aggiungi(giornaliero, {oggi, oggi});
    aggiungi(mensile, meseDi(oggi));
    aggiungi(annuo, annoAbbonamento(impostazioni));
    return intervalli;
}

class Verifica
{
public:
    Verifica(const QString& archivio, StatoProgramma& stato, SettingsStore& store)
        : m_archivio(archivio)
        , m_stato(stato)
        , m_store(store)
        , m_impostazioni(store)
    {
    }

    // The passes the check is going to ask for, all from one reading of the archive.
    void leggiInsieme(const QList<ConsumiRange>& intervalli)
    {
        m_intervalli = intervalli;
        m_passate =
            intervalli.isEmpty() ? QList<ConsumiResult>() : calcolaConsumi(m_archivio, intervalli, m_stato, m_store);
    }

    // Runs one limit's pass over dal..al and adds its messages. False when
    // the pass did not complete: the check ends there.
    bool controlla(const Limite& limite, const std::optional<QDate>& dal, const std::optional<QDate>& al, bool messaggi)
    {
        if (!m_impostazioni.allarme(limite))
            return true;
        const std::optional<qint64> valore = m_impostazioni.minuti(limite);
        if (!valore || *valore == 0 || !dal || !al) {
            segnalaProblemi();
            return true;
        }
        const ConsumiResult esito = passata(*limite.modo, *dal, *al);
        registraConsumi(esito, *limite.modo, m_stato, m_store);
        m_result.outcome = esito.outcome;
        for (const Message& m : esito.messages())
            aggiungi(m);
        if (esito.outcome != ConsumiResult::Outcome::Done) {
            if (esito.erroreArchivio()) {
                m_result.interrotto = esito;
                aggiungi({QStringLiteral("Impossibile verificare i limiti \ra causa di un errore nel file tqklog.txt"),
                          QStringLiteral("Attenzione!"), Message::Icon::Critical});
            }
            return false;
        }
        const qsizetype giaDetti = m_result.messages.size();
        if (messaggi)
            avvisa(limite, *valore, esito.minuti);
        m_result.messages +=
            SoglieLimite::verifica(m_store, limite, *valore, esito.minuti, *dal, m_result.messages.size() > giaDetti);
        segnalaProblemi();
        return true;
    }

    LimitiResult result() const { return m_result; }
    ImpostazioniLimiti& impostazioni() { return m_impostazioni; }

private:
    ConsumiResult passata(ConsumiMode modo, const QDate& dal, const QDate& al) const
    {
        for (qsizetype i = 0; i < m_intervalli.size(); ++i) {
            const ConsumiRange& r = m_intervalli.at(i);
            if (r.modo == modo && r.dal == dal && r.al == al)
                return m_passate.at(i);
        }
        return calcolaConsumi(m_archivio, {ConsumiRange{modo, dal, al}}, m_stato, m_store).first();
    }

    void avvisa(const Limite& limite, qint64 valore, qint64 usati)
    {
        const QString nome = QLatin1String(limite.nome);
        if (usati > valore - limite.margine && usati < valore)
            informa(QStringLiteral("Limite %1 superato fra %2 minuti").arg(nome).arg(valore - usati));
        if (usati > valore) {
            qint64 prezzo = 0;
            if (m_impostazioni.addebito(limite))
                prezzo = m_impostazioni.prezzoOreAggiuntive().value_or(0);
            informa(QStringLiteral("Limite %1 già Superato di %2 minuti\r"
                                   "il collegamento comporterà un costo aggiuntivo di\r%3 L./ora")
                        .arg(nome)
                        .arg(usati - valore)
                        .arg(prezzo));
        }
    }

    void informa(const QString& testo)
    {
        m_result.messages.append({testo, QStringLiteral("Informazione!"), Message::Icon::Information});
    }

    // A warning about the settings is told once in a check, however many passes meet it.
    void aggiungi(const Message& messaggio)
    {
        if (messaggio.icon != Message::Icon::Warning || !m_result.messages.contains(messaggio))
            m_result.messages.append(messaggio);
    }

    // Each setting that does not convert is told once, as soon as it is met.
    void segnalaProblemi()
    {
        const QStringList& problemi = m_impostazioni.problemi();
        for (; m_segnalati < problemi.size(); ++m_segnalati)
            aggiungi({problemi.at(m_segnalati)});
    }

    QString m_archivio;
    StatoProgramma& m_stato;
    SettingsStore& m_store;
    ImpostazioniLimiti m_impostazioni;
    qsizetype m_segnalati = 0;
    LimitiResult m_result;
    QList<ConsumiRange> m_intervalli;
    QList<ConsumiResult> m_passate;
};

} // namespace

LimitiResult verificaLimiti(int dopoArresto, const QString& archivio, const QDate& oggi, StatoProgramma& stato,
                            SettingsStore& store)
{
    Verifica verifica(archivio, stato, store);
    verifica.leggiInsieme(intervalliDaLeggere(oggi, store));

    if (!verifica.controlla(giornaliero, oggi, oggi, dopoArresto == 0))
        return verifica.result();

    const Intervallo mese = meseDi(oggi);
    if (!verifica.controlla(mensile, mese.dal, mese.al, true))
        return verifica.result();

    const Intervallo anno = annoAbbonamento(verifica.impostazioni());
    verifica.controlla(annuo, anno.dal, anno.al, true);
    return verifica.result();
}

void notificaLimiti(Notifier& notifier, const QList<Message>& messages)
{
    for (const Message& m : messages) {
        if (m.icon == Message::Icon::Information)
            notifier.notify(QStringLiteral("Limiti di utilizzo"), m.text);
    }
}
