#include "reports/Esportazione.h"

#include "archive/Mesi.h"
#include "reports/EsportazioneFoglio.h"
#include "reports/EsportazioneTesto.h"
#include "reports/TCustomExcel.h"
#include "settings/Conversion.h"

#include <QDir>
#include <QFile>

namespace {

// The titles of the standard error and information dialogs.
const QString errore = QStringLiteral("Errore");
const QString informazione = QStringLiteral("Informazione");

Message erroreDialogo(const QString& testo)
{
    return {testo, errore, Message::Icon::Critical};
}

Message informazioneDialogo(const QString& testo)
{
    return {testo, informazione, Message::Icon::Information};
}

Esportazione::Esito fallita(ConsumiResult::Outcome outcome, const Message& messaggio)
{
    Esportazione::Esito e;
    e.eseguita = true;
    e.outcome = outcome;
    e.messaggi.append(messaggio);
    return e;
}

} // namespace

Esportazione::Esportazione(QString archivio, QString directory, const StatoProgramma& stato, const SettingsStore& store,
                           const QLocale& locale)
    : m_archivio(std::move(archivio))
    , m_directory(std::move(directory))
    , m_stato(stato)
    , m_store(store)
    , m_locale(locale)
{
}

int Esportazione::mesePredefinito(const QDate& oggi)
{
    return oggi.month() - 1;
}

std::optional<std::pair<QDate, QDate>> Esportazione::periodo(const QString& mese, int anno)
{
    const QString numero = numeroMese(mese);
    if (numero.isEmpty() || anno < primoAnno || anno > ultimoAnno)
        return std::nullopt;
    const QString a = QString::number(anno);
    try {
        return std::pair{strToDate(QStringLiteral("01/%1/%2").arg(numero, a)),
                         strToDate(QStringLiteral("%1/%2/%3").arg(giorniNelMese(numero, a), numero, a))};
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

QString Esportazione::nomeDocumento(const QString& mese, int anno)
{
    QString nome = EsportazioneTesto::nomeFile(mese, QString::number(anno));
    nome.chop(4);
    return nome;
}

Esportazione::Collegamento Esportazione::collega(TCustomExcel& excel) const
{
    Collegamento c;
    try {
        excel.StartConversation();
    } catch (const ExcelError&) {
        c.messaggi.append(erroreDialogo(QStringLiteral("Microsoft Excel\u00ae non trovato!")));
        return c;
    }
    if (!excel.Connected()) {
        c.messaggi.append(erroreDialogo(QStringLiteral("Impossibile connettersi con Microsoft Excel\u00ae")));
        c.spegniFoglio = true;
        excel.EndConversation();
        return c;
    }
    c.collegato = true;
    c.messaggi.append(
        informazioneDialogo(QStringLiteral("Connessione con Microsoft Excel\u00ae effettuata correttamente")));
    return c;
}

ConsumiResult Esportazione::passata(const std::pair<QDate, QDate>& giorni, ConsumiRowSink& righe,
                                    const std::function<void(int)>& progresso) const
{
    ConsumiResult r;
    QStringList avvisi;
    try {
        r = scanConsumi(m_archivio, giorni.first, giorni.second, m_stato, PricingSettings::forPass(m_store, &avvisi),
                        &righe, progresso);
    } catch (const EConvertError& e) {
        r.outcome = ConsumiResult::Outcome::ConversionError;
        r.message = e.message();
    }
    if (r.outcome == ConsumiResult::Outcome::Done && !righe.finish()) {
        r.outcome = ConsumiResult::Outcome::OutputError;
        r.message = righe.error();
    }
    r.archivio = m_archivio;
    r.avvisi = avvisi;
    return r;
}

Esportazione::Esito Esportazione::esporta(const QString& mese, int anno, TCustomExcel* excel,
                                          const std::function<void(int)>& progresso) const
{
    const auto abbandona = [excel] {
        if (excel)
            excel->EndConversation();
    };
    if (excel) {
        try {
            EsportazioneFoglio::intestazione(*excel);
        } catch (const ExcelError& e) {
            abbandona();
            return fallita(ConsumiResult::Outcome::OutputError, erroreDialogo(e.message()));
        }
    }
    if (!QFile::exists(m_archivio)) {
        abbandona();
        return fallita(ConsumiResult::Outcome::ArchiveMissing,
                       erroreDialogo(QStringLiteral("L'archivio chiamate non esiste!")));
    }
    const std::optional<std::pair<QDate, QDate>> giorni = periodo(mese, anno);
    if (!giorni) {
        abbandona();
        return {};
    }

    ConsumiResult r;
    const QString file = QDir(m_directory).filePath(EsportazioneTesto::nomeFile(mese, QString::number(anno)));
    if (excel) {
        excel->transport().setDocumentName(nomeDocumento(mese, anno));
        EsportazioneFoglio foglio(*excel);
        r = passata(*giorni, foglio, progresso);
    } else {
        EsportazioneTesto testo(file, m_locale);
        r = passata(*giorni, testo, progresso);
    }

    Esito e;
    e.eseguita = true;
    e.outcome = r.outcome;
    e.messaggi = r.messages();
    e.passata = r;
    if (r.outcome != ConsumiResult::Outcome::Done) {
        abbandona();
        return e;
    }
    if (!excel) {
        e.file = file;
        return e;
    }
    e.messaggi.append(informazioneDialogo(
        QStringLiteral("Trasferimento effettuato con successo - Microsoft Excel\u00ae disconnesso")));
    const QString nota = excel->transport().message();
    if (!nota.isEmpty())
        e.messaggi.append(informazioneDialogo(nota));
    return e;
}
