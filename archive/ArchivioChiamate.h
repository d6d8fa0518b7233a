#pragma once

#include "archive/RecordArchivio.h"
#include "platform/Message.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What appending a record did, for the window that wrote it to tell the user.
struct AppendResult
{
    bool missing = false; // the archive was missing: it was created empty first (or that failed)
    bool written = false; // the record is in the archive
    QString error;        // why the archive could not be created or written

    // "Creazione archivio chiamate" when it was missing, then "Impossibile
    // scrivere nell'archivio chiamate: ..." when the record is not in it, both
    // titled "Attenzione!".
    QList<Message> messages() const;
};

// The call archive file: Windows-1252 text, CR LF written, one write per
// record, the file opened for each record and closed again. Nothing here
// ever truncates or replaces an existing archive.
class ArchivioChiamate
{
public:
    static const QString nomeFile; // "tqklog.txt"

    explicit ArchivioChiamate(QString path);

    QString path() const { return m_path; }
    bool exists() const;
    // Creates the archive empty; false, with the system's reason in *error, when it cannot.
    bool create(QString* error = nullptr);
    // Appends one record and its CR LF with a single write; false, with the
    // reason in *error, when the archive cannot be opened for appending or
    // written. A last line left without its line end (an archive edited by
    // hand) is ended first, in the same write, so the record stays a line of
    // its own.
    bool append(const QString& record, QString* error = nullptr);

    // Appends a record the way every writer of the program does: a missing
    // archive is created first; an archive that cannot be appended to is
    // left untouched. Says what happened.
    AppendResult appendRecord(const QString& record);

private:
    QString m_path;
};

// Copies the archive to its name with the last character replaced by "~"
// (tqklog.tx~), overwriting an older copy; false, with the system's reason in
// *errore, when the copy failed. The new copy is written beside the old one
// and takes its name only once it holds as many bytes as the archive, so a
// copy that fails (a full disk) leaves the previous one as it was. A copy of
// the archive as it is now (same size, and the archive's modification time,
// which every copy takes) is left alone.
bool copiaArchivio(const QString& fileName, QString* errore = nullptr);

// The file's first line is an opening record ("Aperto" at positions 34-39)
// at least 44 characters long.
bool archivioValido(const QString& fileName);
