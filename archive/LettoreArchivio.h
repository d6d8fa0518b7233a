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

// Reads the call archive line by line: CR LF, LF and CR all end a line, the
// bytes are Windows-1252. The file is held open only while the reader lives.
class LettoreArchivio
{
public:
    explicit LettoreArchivio(const QString& fileName);

    bool exists() const;
    // Opens the file for reading from its start; false, with the system's reason in *error, when it cannot.
    bool open(QString* error = nullptr);
    // The next line without its line end; false at the end of the file (or on a read error, see error()).
    bool readLine(QString& line);
    // The reason of the last failure to open or read; empty when there was none.
    QString error() const { return m_error; }

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
    qsizetype m_pos = 0;
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    QString m_error;
};
