#pragma once

#include <QString>

// Deleting the call archive, allowed only once a copy of it is known good
// (the logic of the deletion dialog): the copy is made and read back, and
// just before the deletion the archive must still hold exactly the copy's bytes.
class CancellazioneArchivio
{
public:
    explicit CancellazioneArchivio(QString archivio);

    // The copy's name the save dialog proposes.
    static QString nomeProposto() { return QStringLiteral("mese_anno.txt"); }

    // Copies the archive to `destinazione`, replacing a file there, and
    // checks the copy. False, with the message in *errore, when it cannot be
    // made or does not match: no copy counts then.
    bool copia(const QString& destinazione, QString* errore = nullptr);
    // The last copy that succeeded; empty when none did.
    QString copiaFatta() const { return m_copia; }

    // Deletes the archive, only after a copy that succeeded and when the
    // archive still matches it. False, with the message in *errore, and
    // nothing deleted otherwise.
    bool elimina(QString* errore = nullptr);

private:
    QString m_archivio;
    QString m_copia;
};
