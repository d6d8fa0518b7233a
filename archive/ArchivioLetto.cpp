#include "archive/ArchivioLetto.h"

#include "archive/ArchivioChiamate.h"
#include "settings/StatoProgramma.h"

#include <QDir>

QString ArchivioLetto::attuale(const QString& directory)
{
    return QDir(directory).filePath(ArchivioChiamate::nomeFile);
}

ArchivioLetto::ArchivioLetto(QString directory, StatoProgramma& stato, QString alternativo)
    : m_directory(std::move(directory))
    , m_stato(stato)
    , m_alternativo(std::move(alternativo))
{
}

QString ArchivioLetto::percorso() const
{
    return altroFileAttivo() ? m_alternativo : corrente();
}

bool ArchivioLetto::altroFileAttivo() const
{
    return m_stato.AltroFileAttivo;
}

void ArchivioLetto::scegli(const QString& file)
{
    m_alternativo = file;
    m_stato.AltroFileAttivo = true;
}

void ArchivioLetto::tornaAttuale()
{
    m_stato.AltroFileAttivo = false;
}
