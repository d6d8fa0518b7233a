#pragma once

#include <QByteArray>
#include <QString>

// Copies and rewrites of archive files that never leave a half file behind:
// every new file is written beside its target and takes its name only when
// complete. Failures come back as Italian messages carrying the system's reason.

// Copies `sorgente` to `destinazione`, replacing a file already there (a
// symbolic link there is replaced itself, never written through), then
// reads both back and compares them byte by byte. A copy that cannot be made
// leaves the target as it was; a copy that does not match the source is
// removed. Refuses a target that is the source itself.
bool copiaVerificata(const QString& sorgente, const QString& destinazione, QString* errore = nullptr);

// The two files have the same size and the same bytes; *errore says how they
// differ, or why one cannot be read.
bool stessoContenuto(const QString& primo, const QString& secondo, QString* errore = nullptr);

// Replaces the file `path`, of which `letti` bytes were read, with
// `contenuto`: the new file is written beside it and renamed over it, keeping
// its permissions. Bytes appended to the file since it was read (a record
// written meanwhile) are carried over at the end; a file that shrank
// meanwhile is left alone and reported.
bool sostituisciFile(const QString& path, const QByteArray& contenuto, qint64 letti, QString* errore = nullptr);

// The name of the copy kept before an archive is rewritten: the archive's
// name with its last character replaced by "~" (tqklog.txt gives tqklog.tx~),
// or with a "~" added when it already ends with one.
QString nomeCopiaDiSicurezza(const QString& archivio);
