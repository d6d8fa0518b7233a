#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The conversion of a call archive written in the older record format
// (records of at most 43 characters: no distance class, no tariff type) into
// the current one, as the conversion dialog and "brenvolo-cli converti" make
// it. The archive is first copied to tqklog_old.txt beside it and the copy
// checked; only then is the archive rewritten, through a new file that
// replaces it when complete.
class ConversioneArchivio
{
public:
    enum class Esito
    {
        Convertito,
        ArchivioMancante, // "L'archivio chiamate non esiste!": nothing changed
        NonRiuscita       // the copy or the rewrite failed: the archive is as it was
    };

    struct Risultato
    {
        Esito esito = Esito::Convertito;
        QString messaggio; // for the user: the success notice or what went wrong
    };

    explicit ConversioneArchivio(QString archivio);

    // tqklog_old.txt for tqklog.txt: the name with "_old" before its suffix, in the same folder.
    static QString nomeCopia(const QString& archivio);

    // The old archive's lines in the current format, each ended by CR LF,
    // every other byte kept: a line longer than 43 characters is already
    // current and stays as it is; any other line becomes its first 42
    // characters followed by "11" (class 1 TUT, tariff type 1 Normale), an
    // empty line the line "11". The one exception is an empty line between an
    // opening and a closing record, which stays empty so that the call still pairs.
    static QByteArray converti(QByteArrayView vecchio);

    Risultato esegui() const;

private:
    QString m_archivio;
};
