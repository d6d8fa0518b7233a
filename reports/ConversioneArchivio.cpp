#include "reports/ConversioneArchivio.h"

#include "archive/CopiaVerificata.h"
#include "archive/RigheArchivio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// One empty line may sit between an opening record and its closing record.
bool vuotaTraAperturaEChiusura(const RigheArchivio& righe, qsizetype i)
{
    return righe.byteRiga(i).isEmpty() && i > 0 && i + 1 < righe.size() && righe.record(i - 1).apertura() &&
           righe.record(i + 1).chiusura();
}

ConversioneArchivio::Risultato nonRiuscita(const QString& motivo)
{
    return {ConversioneArchivio::Esito::NonRiuscita,
            QStringLiteral("Conversione non eseguita, l'archivio chiamate è rimasto com'era.\r%1").arg(motivo)};
}

} // namespace

ConversioneArchivio::ConversioneArchivio(QString archivio)
    : m_archivio(std::move(archivio))
{
}

QString ConversioneArchivio::nomeCopia(const QString& archivio)
{
    const QFileInfo info(archivio);
    const QString suffisso = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QLatin1String("_old") + suffisso);
}

QByteArray ConversioneArchivio::converti(QByteArrayView vecchio)
{
    const RigheArchivio righe(vecchio.toByteArray());
    QByteArray nuovo;
    nuovo.reserve(vecchio.size() + righe.size() * 4);
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const QByteArrayView riga = righe.byteRiga(i);
        nuovo += !RecordArchivio::senzaClasseIn(riga) || vuotaTraAperturaEChiusura(righe, i)
                     ? riga.toByteArray()
                     : RecordArchivio::conClasseIn(riga);
        nuovo += "\r\n";
    }
    return nuovo;
}

ConversioneArchivio::Risultato ConversioneArchivio::esegui() const
{
    if (!QFile::exists(m_archivio))
        return {Esito::ArchivioMancante, QStringLiteral("L'archivio chiamate non esiste!")};
    QString errore;
    if (!copiaVerificata(m_archivio, nomeCopia(m_archivio), &errore))
        return nonRiuscita(errore);
    RigheArchivio letto;
    if (!RigheArchivio::leggi(m_archivio, letto, &errore))
        return nonRiuscita(
            QStringLiteral("Impossibile leggere %1: %2").arg(QDir::toNativeSeparators(m_archivio), errore));
    if (!sostituisciFile(m_archivio, converti(letto.bytes()), letto.bytes().size(), &errore))
        return nonRiuscita(errore);
    return {Esito::Convertito, QStringLiteral("Conversione Terminata con successo!")};
}
