#include "archive/SessionMarker.h"

#include "archive/Windows1252.h"
#include "settings/Conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <iterator>

const QString SessionMarker::nomeFile = QStringLiteral("tqklog.sessione");

namespace {

const QString formatoMomento = QStringLiteral("dd/MM/yyyy HH:mm:ss");

} // namespace

SessionMarker::SessionMarker(const QString& directory)
    : m_path(QDir(directory).filePath(nomeFile))
{
}

bool SessionMarker::scrivi(const QString& apertura, const QDateTime& momento, QString* errore) const
{
    const QByteArray contenuto =
        (RecordArchivio::unaRiga(apertura) + QLatin1Char('\n') + momento.toString(formatoMomento) + QLatin1Char('\n'))
            .toUtf8();
    QSaveFile file(m_path);
    // Flushed before the commit: a commit after a failed last write would put a truncated file in place.
    if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size() || !file.flush() ||
        !file.commit()) {
        if (errore)
            *errore = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

std::optional<SessionMarker::Stato> SessionMarker::leggi() const
{
    QFile file(m_path);
    // A few hundred bytes at most: anything longer is not this file.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096)
        return std::nullopt;
    const QStringList righe = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (righe.size() < 2)
        return std::nullopt;
    Stato stato{righe.at(0), QDateTime::fromString(righe.at(1), formatoMomento)};
    if (!RecordArchivio(stato.apertura).apertura() || !stato.momento.isValid())
        return std::nullopt;
    return stato;
}

void SessionMarker::rimuovi() const
{
    QFile::remove(m_path);
}

QString SessionMarker::chiusuraProposta(const RecordArchivio& apertura, const std::optional<Stato>& stato)
{
    const QString solita = apertura.chiusuraProposta();
    // The date, time and digits tell one session from another, whatever
    // became of an entry name's characters in the archive.
    if (!stato || RecordArchivio(stato->apertura).senzaNome() != apertura.senzaNome())
        return solita;
    try {
        if (stato->momento < QDateTime(apertura.giorno(), apertura.orario()))
            return solita;
    } catch (const EConvertError&) {
        return solita;
    }
    return RecordArchivio(solita).conMomento(stato->momento);
}

std::optional<RecordArchivio> sessioneInterrotta(const QString& archivio)
{
    std::optional<RecordArchivio> ultimo = ultimoRecord(archivio);
    if (ultimo && ultimo->apertura())
        return ultimo;
    return std::nullopt;
}

std::optional<RecordArchivio> ultimoRecord(const QString& archivio)
{
    // Only the end of the file matters: a large archive is never read whole at start-up.
    constexpr qint64 coda = 4096;
    QFile file(archivio);
    if (!QFileInfo(archivio).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > coda && !file.seek(file.size() - coda))
        return std::nullopt;
    // Lines end in CR LF, LF or CR, as the readers take them.
    const QByteArray fine = file.read(coda).replace("\r\n", "\n").replace('\r', '\n');
    // The last line that is not empty.
    const QList<QByteArray> righe = fine.split('\n');
    for (auto riga = righe.crbegin(); riga != righe.crend(); ++riga) {
        if (riga->isEmpty())
            continue;
        // A line longer than the whole tail read is no record.
        if (riga == std::prev(righe.crend()) && file.size() > coda)
            return std::nullopt;
        return RecordArchivio(Windows1252::decode(*riga));
    }
    return std::nullopt;
}
