#include "archive/ArchivioChiamate.h"

#include "archive/RecordArchivio.h"
#include "archive/Windows1252.h"
#include "platform/Prompter.h"
#include "settings/Conversion.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

const QString ArchivioChiamate::nomeFile = QStringLiteral("tqklog.txt");

namespace {

// A record is one line whatever the entry name holds: no control character
// may end it early or start a forged record.
QString unaRiga(const QString& testo)
{
    QString riga = testo;
    for (QChar& c : riga) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return riga;
}

QChar cifra(int valore)
{
    return QLatin1Char(valore >= 0 && valore <= 9 ? static_cast<char>('0' + valore) : '0');
}

QString intestazione(const QDateTime& momento, const char* stato, int festivo, int classe, int tipo)
{
    QString riga = formatDate(momento.date()) + QLatin1Char(' ') + formatTime(momento.time()) +
                   QLatin1String(" collegamento ") + QLatin1String(stato) + QLatin1String("  ");
    riga += cifra(festivo);
    riga += cifra(classe);
    riga += cifra(tipo);
    return riga;
}

} // namespace

QString recordApertura(const QDateTime& inizio, int festivo, int classe, int tipo, const QString& nomeConnessione)
{
    return intestazione(inizio, "Aperto", festivo, classe, tipo) + QLatin1Char(' ') + unaRiga(nomeConnessione);
}

QString recordChiusura(const QDateTime& fine, int festivo, int classe, int tipo)
{
    return intestazione(fine, "Chiuso", festivo, classe, tipo);
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
    const QByteArray bytes = Windows1252::encode(unaRiga(record)) + "\r\n";
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

bool ArchivioChiamate::appendRecord(const QString& record, Prompter& prompter)
{
    QString error;
    if (!exists()) {
        prompter.warning(QStringLiteral("Creazione archivio chiamate"));
        if (!create(&error) && !exists()) {
            prompter.warning(QStringLiteral("Impossibile scrivere nell'archivio chiamate: %1").arg(error));
            return false;
        }
    }
    if (!append(record, &error)) {
        prompter.warning(QStringLiteral("Impossibile scrivere nell'archivio chiamate: %1").arg(error));
        return false;
    }
    return true;
}

bool copiaArchivio(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    QFile sorgente(fileName);
    if (!sorgente.open(QIODevice::ReadOnly))
        return false;
    QString copia = fileName;
    copia.back() = QLatin1Char('~');
    // The older copy is replaced only once the new one is whole.
    QSaveFile destinazione(copia);
    if (!destinazione.open(QIODevice::WriteOnly))
        return false;
    while (!sorgente.atEnd()) {
        const QByteArray blocco = sorgente.read(64 * 1024);
        if (blocco.isEmpty() || destinazione.write(blocco) != blocco.size()) {
            destinazione.cancelWriting();
            return false;
        }
    }
    return destinazione.commit();
}

bool archivioValido(const QString& fileName)
{
    // The first line decides, and only its first 44 characters matter: a
    // large file that is no archive is never read whole.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inizio = file.read(1024);
    const auto fine = std::find_if(inizio.begin(), inizio.end(), [](char c) { return c == '\r' || c == '\n'; });
    const QByteArrayView prima(inizio.begin(), fine);
    const RecordArchivio record(Windows1252::decode(prima));
    return record.apertura() && record.riga.size() >= 44;
}
