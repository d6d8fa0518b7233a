#include "archive/ArchivioChiamate.h"

#include "archive/LettoreArchivio.h"
#include "archive/RecordArchivio.h"
#include "archive/Windows1252.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

const QString ArchivioChiamate::nomeFile = QStringLiteral("tqklog.txt");

namespace {

// True when the file's last byte ends a line (or the file is empty).
bool terminaConFineRiga(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return true;
    char ultimo = '\n';
    return !file.seek(file.size() - 1) || !file.getChar(&ultimo) || ultimo == '\n' || ultimo == '\r';
}

} // namespace

QList<Message> AppendResult::messages() const
{
    QList<Message> m;
    if (missing)
        m.append({QStringLiteral("Creazione archivio chiamate")});
    if (!written)
        m.append({QStringLiteral("Impossibile scrivere nell'archivio chiamate: %1").arg(error)});
    return m;
}

ArchivioChiamate::ArchivioChiamate(QString path)
    : m_path(std::move(path))
{
}

bool ArchivioChiamate::exists() const
{
    return QFile::exists(m_path);
}

bool ArchivioChiamate::create(QString* error)
{
    QFile file(m_path);
    // NewOnly: an archive that appeared meanwhile is never truncated.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.close();
    return true;
}

bool ArchivioChiamate::append(const QString& record, QString* error)
{
    // A pipe or a device in the archive's place would hold the session's start for ever.
    if (const QString difetto = LettoreArchivio::difettoFile(m_path); !difetto.isEmpty()) {
        if (error)
            *error = difetto;
        return false;
    }
    QByteArray bytes = Windows1252::encode(RecordArchivio::unaRiga(record)) + "\r\n";
    if (!terminaConFineRiga(m_path))
        bytes.prepend("\r\n");
    QFile file(m_path);
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // ExistingOnly: a missing archive is created by create(), after its warning, never here.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        // Only this record's own bytes are taken back, so no half line is left behind.
        if (file.size() > before)
            file.resize(before);
        return fail(reason);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return true;
}

AppendResult ArchivioChiamate::appendRecord(const QString& record)
{
    AppendResult result;
    if (!exists()) {
        result.missing = true;
        if (!create(&result.error) && !exists())
            return result;
        result.error.clear();
    }
    result.written = append(record, &result.error);
    return result;
}

bool copiaArchivio(const QString& fileName, QString* errore)
{
    const auto fallita = [errore](const QString& motivo) {
        if (errore)
            *errore = motivo;
        return false;
    };
    if (fileName.isEmpty())
        return fallita(QStringLiteral("nessun archivio"));
    // A pipe in the archive's place would hold the program's start for ever.
    if (const QString difetto = LettoreArchivio::difettoFile(fileName); !difetto.isEmpty())
        return fallita(difetto);
    QString copia = fileName;
    copia.back() = QLatin1Char('~');
    // The new copy is made beside the old one and takes its name only when it
    // is whole, so a failed copy leaves the previous one. QFile::copy shares
    // the file's blocks where the file system can (a reflink), else copies
    // inside the kernel without reading the file through the program, and
    // flushes the copy to disk before giving it a name.
    const QString nuova = copia + QStringLiteral(".nuova");
    QFile::remove(nuova); // left by a copy that was cut short
    const auto interrotta = [&](const QString& motivo) {
        QFile::remove(nuova);
        return fallita(motivo);
    };
    // A copy that holds the archive as it is now is kept: the archive changes
    // only with a call, and a large one would be read and written whole at
    // every start. The copy carries the archive's modification time, so an
    // archive written since (a record added, a repair) is copied again.
    const QFileInfo archivio(fileName);
    const QDateTime modificato = archivio.lastModified();
    if (const QFileInfo vecchia(copia); modificato.isValid() && vecchia.isFile() && !vecchia.isSymLink() &&
                                        vecchia.size() == archivio.size() && vecchia.lastModified() == modificato)
        return true;
    QFile sorgente(fileName);
    const qint64 attesi = sorgente.size();
    if (!sorgente.copy(nuova))
        return interrotta(sorgente.errorString());
    // A copy cut short by a full disk must never take the old copy's place.
    if (const qint64 copiati = QFileInfo(nuova).size(); copiati != attesi)
        return interrotta(QStringLiteral("copiati %1 byte su %2").arg(copiati).arg(attesi));
    // Without the time the next start simply copies again.
    if (QFile fatta(nuova); fatta.open(QIODevice::ReadOnly))
        fatta.setFileTime(modificato, QFileDevice::FileModificationTime);
    std::error_code esito;
    std::filesystem::rename(QFile::encodeName(nuova).toStdString(), QFile::encodeName(copia).toStdString(), esito);
    if (esito)
        return interrotta(QString::fromStdString(esito.message()));
    return true;
}

bool archivioValido(const QString& fileName)
{
    // The first line decides, and only its first 44 characters matter: a
    // large file that is no archive is never read whole.
    QFile file(fileName);
    if (!LettoreArchivio::difettoFile(fileName).isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inizio = file.read(1024);
    const auto fine = std::find_if(inizio.begin(), inizio.end(), [](char c) { return c == '\r' || c == '\n'; });
    const QByteArrayView prima(inizio.begin(), fine);
    const RecordArchivio record(Windows1252::decode(prima));
    return record.aperturaConCifre();
}
