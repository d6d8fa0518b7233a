#pragma once

#include "archive/RecordArchivio.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An archive file held whole as its bytes, with where each line starts and
// ends, so that a line is found by its position and the file rewritten
// without touching any byte of the other lines. Lines end as the readers end
// them: CR LF, LF or CR; the last line may have no line end.
class RigheArchivio
{
public:
    RigheArchivio() = default;
    explicit RigheArchivio(QByteArray bytes);

    // Reads the file; false, with the system's reason in *errore, when it cannot.
    static bool leggi(const QString& path, RigheArchivio& righe, QString* errore = nullptr);

    const QByteArray& bytes() const { return m_bytes; }
    qsizetype size() const { return m_righe.size(); }
    // Line `i` (from 0) without its line end: its Windows-1252 bytes, or as text.
    QByteArrayView byteRiga(qsizetype i) const;
    RecordArchivio record(qsizetype i) const;

    // Line `i` is an opening record dated "dd/mm/yyyy" that a statistics pass
    // over its day finds without its closing record: neither the next line
    // nor, when the next line is empty, the one after it is a closing record.
    bool senzaChiusura(qsizetype i) const;
    // The first such line in file order; with `apertura` given, the first
    // whose text is exactly it, which is the one the statistics pass met. -1 when there is none.
    qsizetype primaSenzaChiusura(const QString& apertura = QString()) const;

    // The file with `record` (and CR LF) made a line of its own right after
    // line `i`, or after the one empty line that follows it; line `i` gets
    // its CR LF first when it is the file's last line without one.
    QByteArray conRigaDopo(qsizetype i, const QString& record) const;

private:
    struct Riga
    {
        qsizetype inizio = 0;
        qsizetype fine = 0; // where the line's text ends
        qsizetype dopo = 0; // where the next line starts, after the line end
    };

    QByteArray m_bytes;
    QList<Riga> m_righe;
};
