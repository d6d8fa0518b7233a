#pragma once

#include <QString>

struct StatoProgramma;

// Where the call archive is and which archive the reports read: tqklog.txt
// in the data directory, the file every writer appends to, or the alternate
// file chosen in the statistics window while AltroFileAttivo is set.
class ArchivioLetto
{
public:
    // tqklog.txt in `directory`: the archive of the program's own calls.
    static QString attuale(const QString& directory);

    // `alternativo`: the file last chosen in the statistics window, read only
    // while stato.AltroFileAttivo is set.
    ArchivioLetto(QString directory, StatoProgramma& stato, QString alternativo = {});

    // The archive the statistics, the export and the viewer read.
    QString percorso() const;
    // tqklog.txt in the directory, whichever archive is read.
    QString corrente() const { return attuale(m_directory); }
    QString alternativo() const { return m_alternativo; }
    bool altroFileAttivo() const;

    // `file` is read from now on.
    void scegli(const QString& file);
    // tqklog.txt is read again.
    void tornaAttuale();

private:
    QString m_directory;
    StatoProgramma& m_stato;
    QString m_alternativo;
};
