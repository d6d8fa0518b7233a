#pragma once

#include "archive/RecordArchivio.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The running session's last known moment, kept in a small file beside the
// call archive (tqklog.sessione) while counting, so that a session cut short
// by a crash or a power cut can be closed at the next start near the moment
// it really ended rather than at its opening time. The file is replaced
// whole (written beside it and renamed) and removed after a clean stop.
class SessionMarker
{
public:
    static const QString nomeFile; // "tqklog.sessione"

    struct Stato
    {
        QString apertura;  // the session's opening record, as it was written
        QDateTime momento; // the last moment the session was known to be counting
    };

    // `directory`: the data directory, where the call archive lives.
    explicit SessionMarker(const QString& directory);

    QString path() const { return m_path; }

    // Replaces the file with this session and moment; false, with the
    // system's reason in *errore, when it cannot be written whole.
    bool scrivi(const QString& apertura, const QDateTime& momento, QString* errore = nullptr) const;
    // The file's session and moment; nothing when there is no file or it does not read as one.
    std::optional<Stato> leggi() const;
    void rimuovi() const;

    // The closing record to propose for `apertura`, the archive's last record
    // left without its closing record: at the last known moment when `stato`
    // belongs to that same opening and its moment is not earlier than it,
    // else with the opening's own date and time, as the repair always proposes.
    static QString chiusuraProposta(const RecordArchivio& apertura, const std::optional<Stato>& stato);

private:
    QString m_path;
};

// The archive's last record when it is an opening record that has no closing
// record after it (a session cut short); nothing otherwise, or when the file
// cannot be read.
std::optional<RecordArchivio> sessioneInterrotta(const QString& archivio);

// The archive's last record, whatever it is; nothing when the archive is
// empty or cannot be read. Only the end of the file is read.
std::optional<RecordArchivio> ultimoRecord(const QString& archivio);
