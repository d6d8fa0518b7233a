#pragma once

#include "archive/RecordArchivio.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// A call: an opening record and the closing record that follows it.
struct ChiamataArchivio
{
    RecordArchivio apertura;
    RecordArchivio chiusura;
};

// The calls of one day, as a reader pairs them.
struct GiornataArchivio
{
    enum class Esito
    {
        Completa,         // every opening record of the day has its closing record
        ChiusuraMancante, // the pass stopped at `aperturaSenzaChiusura`
        Inesistente,      // the archive does not exist
        Illeggibile       // the archive exists but cannot be read: see `errore`
    };

    Esito esito = Esito::Completa;
    // The day's calls in file order; with ChiusuraMancante, those found before the unpaired record.
    QList<ChiamataArchivio> chiamate;
    RecordArchivio aperturaSenzaChiusura;
    QString errore;
};

// The one reader of the call archive's lines, for every pass over it (the
// statistics, the limits, the maintenance tools): CR LF, LF and CR all end a
// line, the bytes are Windows-1252. The file is read in blocks and held open
// only while the reader lives. A line longer than maxLine bytes (no record
// comes near it) is cut there and the rest of it skipped, so a file that is
// no archive never fills the memory.
class LettoreArchivio
{
public:
    static constexpr qsizetype maxLine = 1024 * 1024;

    explicit LettoreArchivio(const QString& fileName);

    bool exists() const;
    // Opens the file for reading from its start; false, with the system's reason in *error, when it cannot.
    bool open(QString* error = nullptr);
    // The next line's bytes without its line end, valid until the next call;
    // false at the end of the file (or on a read error, see error()).
    bool next(QByteArrayView& line);
    // The next line, decoded.
    bool readLine(QString& line);
    // The reason of the last failure to open or read; empty when there was none.
    QString error() const { return m_error; }
    // Bytes of the file handed out as lines so far, line ends included; the file's size.
    qint64 consumed() const { return m_read - (m_end - m_begin); }
    qint64 size() const { return m_file.size(); }

    // Every line of the file; false, with the reason in *error, when it cannot be read.
    static bool leggiRighe(const QString& fileName, QStringList& righe, QString* error = nullptr);

    // The calls of day `giorno` ("dd/mm/yyyy"): a line dated `giorno` with
    // "Aperto" opens a call; the next line (after at most one empty line) must
    // be a closing record. Every other line is skipped. The pass stops at the
    // first opening record of the day without its closing record. A call
    // belongs to the day of its opening record, whatever the closing date.
    static GiornataArchivio chiamateDelGiorno(const QString& fileName, const QString& giorno);
    // The same over lines already read, for a pass over many days.
    static GiornataArchivio chiamateDelGiorno(const QStringList& righe, const QString& giorno);

private:
    static GiornataArchivio abbina(const std::function<bool(QString&)>& prossima, const QString& giorno);
    bool fill();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    qsizetype m_scanned = 0; // bytes after m_begin already known to hold no line end
    qint64 m_read = 0;
    bool m_skipLineFeed = false;
    bool m_discard = false; // skipping the rest of a line that was cut
    QString m_error;
};
