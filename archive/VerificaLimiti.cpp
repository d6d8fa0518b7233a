#include "archive/VerificaLimiti.h"

#include "archive/ImpostazioniLimiti.h"
#include "archive/Mesi.h"
#include "platform/Prompter.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

namespace {

// One of the three limits: its settings, its pass and its texts.
struct Limite
{
    const char* valoreLimite;
    const char* allarme;
    const char* addebito;
    ConsumiMode modo;
    qint64 margine; // minutes before the limit from which the user is warned
    const char* nome;
};

const Limite giornaliero{"RxSpinEdit4_value", "CheckBox6_Checked", "CheckBox13_Checked", ConsumiMode::Daily, 10,
                         "Giornaliero"};
const Limite mensile{
    "RxCalcEdit1_value", "CheckBox7_Checked", "CheckBox14_Checked", ConsumiMode::Monthly, 60, "Mensile"};
const Limite annuo{"RxCalcEdit2_value", "CheckBox11_Checked", "CheckBox15_Checked", ConsumiMode::Yearly, 600, "Annuo"};

class Verifica
{
public:
    Verifica(const QString& archivio, StatoProgramma& stato, SettingsStore& store, Prompter& prompter,
             const ConsumiHooks& hooks)
        : m_archivio(archivio)
        , m_stato(stato)
        , m_store(store)
        , m_prompter(prompter)
        , m_hooks(hooks)
        , m_impostazioni(store)
    {
        m_hooks.prompter = &prompter;
    }

    // Runs one limit's pass over dal..al and shows its messages. False when
    // the pass did not complete: the check ends there.
    bool controlla(const Limite& limite, const std::optional<QDate>& dal, const std::optional<QDate>& al, bool messaggi)
    {
        if (!m_impostazioni.allarme(QLatin1String(limite.allarme)))
            return true;
        const std::optional<qint64> valore = m_impostazioni.intero(QLatin1String(limite.valoreLimite));
        if (!valore || *valore == 0 || !dal || !al) {
            segnalaProblemi();
            return true;
        }
        const ConsumiResult esito = calcolaConsumi(m_archivio, limite.modo, *dal, *al, m_stato, m_store, m_hooks);
        m_esito = esito.outcome;
        if (esito.outcome != ConsumiResult::Outcome::Done) {
            if (esito.erroreArchivio())
                m_prompter.message(QStringLiteral("Impossibile verificare i limiti \ra causa di un errore nel file "
                                                  "tqklog.txt"),
                                   QStringLiteral("Attenzione!"), Prompter::Icon::Critical, Prompter::Button::Ok);
            return false;
        }
        if (messaggi)
            avvisa(limite, *valore, esito.minuti);
        segnalaProblemi();
        return true;
    }

    ConsumiResult::Outcome esito() const { return m_esito; }
    ImpostazioniLimiti& impostazioni() { return m_impostazioni; }

private:
    void avvisa(const Limite& limite, qint64 valore, qint64 usati)
    {
        const QString nome = QLatin1String(limite.nome);
        if (usati > valore - limite.margine && usati < valore)
            informa(QStringLiteral("Limite %1 superato fra %2 minuti").arg(nome).arg(valore - usati));
        if (usati > valore) {
            qint64 prezzo = 0;
            if (m_impostazioni.addebito(QLatin1String(limite.addebito)))
                prezzo = m_impostazioni.intero(QStringLiteral("CurrencyEdit1_value")).value_or(0);
            informa(QStringLiteral("Limite %1 già Superato di %2 minuti\r"
                                   "il collegamento comporterà un costo aggiuntivo di\r%3 L./ora")
                        .arg(nome)
                        .arg(usati - valore)
                        .arg(prezzo));
        }
    }

    void informa(const QString& testo)
    {
        m_prompter.message(testo, QStringLiteral("Informazione!"), Prompter::Icon::Information, Prompter::Button::Ok);
    }

    // Each setting that does not convert is told once, as soon as it is met.
    void segnalaProblemi()
    {
        const QStringList& problemi = m_impostazioni.problemi();
        for (; m_segnalati < problemi.size(); ++m_segnalati)
            m_prompter.warning(problemi.at(m_segnalati));
    }

    QString m_archivio;
    StatoProgramma& m_stato;
    SettingsStore& m_store;
    Prompter& m_prompter;
    ConsumiHooks m_hooks;
    ImpostazioniLimiti m_impostazioni;
    qsizetype m_segnalati = 0;
    ConsumiResult::Outcome m_esito = ConsumiResult::Outcome::Done;
};

} // namespace

ConsumiResult::Outcome verificaLimiti(int dopoArresto, const QString& archivio, const QDate& oggi,
                                      StatoProgramma& stato, SettingsStore& store, Prompter& prompter,
                                      const ConsumiHooks& hooks)
{
    Verifica verifica(archivio, stato, store, prompter, hooks);

    if (!verifica.controlla(giornaliero, oggi, oggi, dopoArresto == 0))
        return verifica.esito();

    const QDate inizioMese(oggi.year(), oggi.month(), 1);
    const int giorni = giorniNelMese(QString::number(oggi.month()), QString::number(oggi.year())).toInt();
    if (!verifica.controlla(mensile, inizioMese, inizioMese.addDays(giorni - 1), true))
        return verifica.esito();

    std::optional<QDate> inizioAnno;
    if (verifica.impostazioni().allarme(QLatin1String(annuo.allarme)))
        inizioAnno = verifica.impostazioni().data(QStringLiteral("DateEdit2_text"), QStringLiteral("01/01/1999"));
    const std::optional<QDate> fineAnno = inizioAnno ? std::optional(inizioAnno->addDays(365)) : std::nullopt;
    verifica.controlla(annuo, inizioAnno, fineAnno, true);
    return verifica.esito();
}
