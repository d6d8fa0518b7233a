#pragma once

#include <QString>
#include <optional>

// The repair of an opening record left without its closing record, as the
// repair dialog and "brenvolo-cli ripara" make it: the closing record the
// user confirms becomes a line of its own right after that opening record
// (after the one empty line that may follow it), in the archive that was
// read. The archive is rewritten whole through a new file, and its previous
// bytes are kept first in its backup copy (tqklog.tx~ for tqklog.txt).
class CorrezioneChiusura
{
public:
    enum class Esito
    {
        Corretta,   // the closing record is in the archive
        Rifiutata,  // the text is not a closing record for this opening: nothing written
        NonRiuscita // the archive could not be read, backed up or rewritten: nothing changed
    };

    struct Risultato
    {
        Esito esito = Esito::Corretta;
        QString messaggio; // for the user, when not Corretta
    };

    // `apertura`: the opening record exactly as the statistics pass read it from `archivio`.
    CorrezioneChiusura(QString archivio, QString apertura);

    // The first opening record of `archivio`, in file order, that a
    // statistics pass finds without its closing record. Nothing when every
    // opening record is closed, or when the file cannot be read (*errore then
    // says why).
    static std::optional<CorrezioneChiusura> cerca(const QString& archivio, QString* errore = nullptr);

    QString archivio() const { return m_archivio; }
    QString apertura() const { return m_apertura; }
    // The opening's date, time and digits with "Chiuso" in place of "Aperto", without the entry name.
    QString chiusuraProposta() const;

    // Why `chiusura` cannot close this call, for the user; empty when it can:
    // it must be a closing record as the program writes one, not earlier than the opening.
    QString verifica(const QString& chiusura) const;

    // Writes `chiusura` after the opening record. The opening record is
    // found again in the archive by what makes it the one the pass met: the
    // first line in file order with its text that has no closing record, so
    // an identical, closed line elsewhere is never taken for it.
    Risultato correggi(const QString& chiusura) const;

private:
    QString m_archivio;
    QString m_apertura;
};
