#pragma once

#include <QDateTime>
#include <QString>

class Prompter;

// The two records a counting session leaves in the call archive.
// Opening: "dd/mm/yyyy hh.nn.ss collegamento Aperto  FCT NAME" (45 characters
// plus the entry name); closing: "dd/mm/yyyy hh.nn.ss collegamento Chiuso  FCT"
// (44 characters). F is the forced-holiday digit, C the class, T the tariff
// type. The entry name is made one safe line: control characters become
// blanks; characters outside Windows-1252 become "?" when the record is written.
QString recordApertura(const QDateTime& inizio, int festivo, int classe, int tipo, const QString& nomeConnessione);
QString recordChiusura(const QDateTime& fine, int festivo, int classe, int tipo);

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
    // reason in *error, when the archive cannot be opened for appending or written.
    bool append(const QString& record, QString* error = nullptr);

    // Appends a record the way every writer of the program does: a missing
    // archive is created after the warning "Creazione archivio chiamate"; an
    // archive that cannot be appended to is reported ("Impossibile scrivere
    // nell'archivio chiamate: ..." titled "Attenzione!") and left untouched.
    bool appendRecord(const QString& record, Prompter& prompter);

private:
    QString m_path;
};

// Copies the archive to its name with the last character replaced by "~"
// (tqklog.tx~), overwriting an older copy; false when the copy failed.
bool copiaArchivio(const QString& fileName);

// The file's first line is an opening record ("Aperto" at positions 34-39)
// at least 44 characters long.
bool archivioValido(const QString& fileName);
