#include "reports/StatisticheCosti.h"

#include "archive/ArchivioChiamate.h"
#include "archive/ImpostazioniLimiti.h"
#include "platform/Shell.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString attenzione = QStringLiteral("Attenzione!");

Message errore(const QString& testo)
{
    return {testo, attenzione, Message::Icon::Critical};
}

// One limit of the page: its minutes less the consumption last stored.
QString scostamento(ImpostazioniLimiti& impostazioni, ImpostazioniLimiti::Periodo periodo)
{
    const ImpostazioniLimiti::Limite& limite = ImpostazioniLimiti::limite(periodo);
    if (!impostazioni.allarme(limite))
        return QStringLiteral("0");
    const std::optional<qint64> minuti = impostazioni.minuti(limite);
    const std::optional<qint64> consumo = impostazioni.consumo(limite);
    if (!minuti || !consumo)
        return QStringLiteral("0");
    return QString::number(*minuti - *consumo);
}

} // namespace

StatisticheCosti::StatisticheCosti(QString directory, StatoProgramma& stato, SettingsStore& store,
                                   const QLocale& locale)
    : m_stato(stato)
    , m_store(store)
    , m_locale(locale)
    , m_archivio(std::move(directory), stato)
{
}

QString StatisticheCosti::dataInizio() const
{
    try {
        return formatDate(strToDate(m_store.read(Catalogue::InizioConteggioDataInizio)));
    } catch (const EConvertError&) {
        return Catalogue::InizioConteggioDataInizio.defaultText();
    }
}

void StatisticheCosti::chiudi(const QString& testoInizio)
{
    m_store.write(Catalogue::InizioConteggioDataInizio, testoInizio);
    attuale();
}

StatisticheCosti::Calcolo StatisticheCosti::calcola(const QString& inizio, const QString& fine, const QDate& oggi,
                                                    const std::function<void(int)>& progresso)
{
    Calcolo c;
    QDate dal;
    QDate al;
    try {
        dal = strToDate(inizio);
        al = strToDate(fine);
    } catch (const EConvertError&) {
        c.messaggi.append(errore(QStringLiteral("Una data è inesatta!")));
        return c;
    }
    if (dal > al) {
        c.messaggi.append(errore(QStringLiteral("La data finale deve essere uguale o successiva a quella iniziale")));
        return c;
    }

    c.eseguito = true;
    AndamentoConsumi andamento(dal, al, oggi);
    ConsumiHooks hooks;
    hooks.righe = &andamento;
    hooks.progresso = progresso;
    c.passata = calcolaConsumi(archivio(), ConsumiMode::Statistics, dal, al, m_stato, m_store, hooks);
    // A setting read as its default (an invalid unit price above all) is
    // told at the first pass, not again at every "&Calcola".
    for (const Message& m : c.passata.messages()) {
        if (m.icon != Message::Icon::Warning || !m_avvisiDetti.contains(m.text))
            c.messaggi.append(m);
        if (m.icon == Message::Icon::Warning)
            m_avvisiDetti.append(m.text);
    }
    if (c.passata.outcome == ConsumiResult::Outcome::Done) {
        c.testi = ConsumiTexts::from(c.passata.totals, m_locale);
        const std::optional<ProiezioneMese> p = andamento.proiezione(ProiezioneMese::limiteMensile(m_store));
        c.proiezione = p ? p->righe(m_locale) : QStringList{andamento.proiezioneNonDisponibile()};
        c.andamento = std::move(andamento);
    }
    c.limiti = scostamenti(m_store);
    c.messaggi += c.limiti.messaggi;
    return c;
}

StatisticheCosti::Scostamenti StatisticheCosti::scostamenti(const SettingsStore& store)
{
    using P = ImpostazioniLimiti::Periodo;
    ImpostazioniLimiti impostazioni(store);
    Scostamenti s;
    s.giornaliero = scostamento(impostazioni, P::Giornaliero);
    s.mensile = scostamento(impostazioni, P::Mensile);
    s.annuo = scostamento(impostazioni, P::Annuo);
    for (const QString& problema : impostazioni.problemi())
        s.messaggi.append({problema});
    return s;
}

QString StatisticheCosti::archivio() const
{
    return m_archivio.percorso();
}

QString StatisticheCosti::archivioAttuale() const
{
    return m_archivio.corrente();
}

bool StatisticheCosti::altroFileAttivo() const
{
    return m_archivio.altroFileAttivo();
}

QString StatisticheCosti::etichetta() const
{
    return altroFileAttivo() ? QStringLiteral("Costi calcolati da archivio alternativo")
                             : QStringLiteral("Costi calcolati dall'archivio chiamate");
}

void StatisticheCosti::attuale()
{
    m_archivio.tornaAttuale();
}

StatisticheCosti::Scelta StatisticheCosti::scegliAltroFile(const QString& file)
{
    attuale();
    if (file.isEmpty())
        return Scelta::Annullata;
    if (!archivioValido(file))
        return Scelta::NonValida;
    m_archivio.scegli(file);
    return Scelta::Valida;
}

Message StatisticheCosti::archivioNonValido()
{
    return {QStringLiteral("Il file non sembra essere un file di archivio valido"), QStringLiteral("Errore"),
            Message::Icon::Critical};
}

std::optional<Message> StatisticheCosti::cancellazioneImpossibile() const
{
    if (QFileInfo(archivioAttuale()).isFile())
        return std::nullopt;
    return errore(QStringLiteral("Archivio chiamate inesistente!"));
}

QDate StatisticheCosti::dataDelCampo(const QString& testo, const QDate& oggi)
{
    try {
        return strToDate(testo);
    } catch (const EConvertError&) {
        return oggi;
    }
}

std::optional<Message> StatisticheCosti::visualizza(Shell& shell) const
{
    const QFileInfo file(archivio());
    if (!file.isFile())
        return errore(QStringLiteral("Archivio chiamate inesistente!"));
    // Always the viewer: an archive file that happens to be executable is
    // shown, never run. Results above 32 mean started; any other is told as
    // the viewer not found, with what to install and where the file is.
    if (shell.view(file.absoluteFilePath()) <= 32)
        return errore(QStringLiteral("Blocco Note non trovato!\r"
                                     "Manca un programma per mostrare i file di testo:\r"
                                     "installare xdg-utils e un editor di testo.\r\r"
                                     "Il file di conteggio si trova in:\r%1")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
    return std::nullopt;
}
