#include "reports/CorrezioneChiusura.h"

#include "archive/CopiaVerificata.h"
#include "archive/RecordArchivio.h"
#include "archive/RigheArchivio.h"
#include "settings/Conversion.h"

#include <QDateTime>
#include <QDir>

namespace {

std::optional<QDateTime> istante(const RecordArchivio& record)
{
    try {
        return QDateTime(record.giorno(), record.orario());
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

CorrezioneChiusura::Risultato nonRiuscita(const QString& motivo)
{
    return {CorrezioneChiusura::Esito::NonRiuscita,
            QStringLiteral("La chiusura non è stata aggiunta, l'archivio chiamate è rimasto com'era.\r%1").arg(motivo)};
}

} // namespace

CorrezioneChiusura::CorrezioneChiusura(QString archivio, QString apertura)
    : m_archivio(std::move(archivio))
    , m_apertura(std::move(apertura))
{
}

std::optional<CorrezioneChiusura> CorrezioneChiusura::cerca(const QString& archivio, QString* errore)
{
    RigheArchivio righe;
    if (!RigheArchivio::leggi(archivio, righe, errore))
        return std::nullopt;
    const qsizetype riga = righe.primaSenzaChiusura();
    if (riga < 0)
        return std::nullopt;
    return CorrezioneChiusura(archivio, righe.record(riga).riga);
}

QString CorrezioneChiusura::chiusuraProposta() const
{
    return RecordArchivio(m_apertura).chiusuraProposta();
}

QString CorrezioneChiusura::verifica(const QString& chiusura) const
{
    const RecordArchivio record(chiusura);
    QString difetto = record.difettoChiusura();
    if (difetto.isEmpty()) {
        const std::optional<QDateTime> inizio = istante(RecordArchivio(m_apertura));
        const std::optional<QDateTime> fine = istante(record);
        if (inizio && fine && *fine < *inizio)
            difetto = QStringLiteral("la chiusura (%1) precede l'apertura del collegamento (%2)")
                          .arg(record.dataOra(), RecordArchivio(m_apertura).dataOra());
    }
    if (difetto.isEmpty())
        return QString();
    return QStringLiteral("La riga di chiusura non è valida: %1.\rDeve avere la forma di quella proposta:\r%2")
        .arg(difetto, chiusuraProposta());
}

CorrezioneChiusura::Risultato CorrezioneChiusura::correggi(const QString& chiusura) const
{
    const QString difetto = verifica(chiusura);
    if (!difetto.isEmpty())
        return {Esito::Rifiutata, difetto};

    RigheArchivio righe;
    QString errore;
    if (!RigheArchivio::leggi(m_archivio, righe, &errore))
        return nonRiuscita(
            QStringLiteral("Impossibile leggere %1: %2").arg(QDir::toNativeSeparators(m_archivio), errore));
    const qsizetype riga = righe.primaSenzaChiusura(m_apertura);
    if (riga < 0)
        return nonRiuscita(QStringLiteral("In %1 non c'è più un collegamento senza chiusura:\r%2")
                               .arg(QDir::toNativeSeparators(m_archivio), m_apertura));
    // The previous archive is kept before it is replaced.
    if (!copiaVerificata(m_archivio, nomeCopiaDiSicurezza(m_archivio), &errore))
        return nonRiuscita(errore);
    if (!sostituisciFile(m_archivio, righe.conRigaDopo(riga, chiusura), righe.bytes().size(), &errore))
        return nonRiuscita(errore);
    return {};
}
