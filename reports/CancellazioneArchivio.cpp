#include "reports/CancellazioneArchivio.h"

#include "archive/CopiaVerificata.h"

#include <QDir>
#include <QFile>

namespace {

bool fallito(QString* errore, const QString& messaggio)
{
    if (errore)
        *errore = messaggio;
    return false;
}

} // namespace

CancellazioneArchivio::CancellazioneArchivio(QString archivio)
    : m_archivio(std::move(archivio))
{
}

bool CancellazioneArchivio::copia(const QString& destinazione, QString* errore)
{
    m_copia.clear();
    QString motivo;
    if (!copiaVerificata(m_archivio, destinazione, &motivo))
        return fallito(errore, motivo + QStringLiteral("\rL'archivio chiamate non è stato eliminato."));
    m_copia = destinazione;
    return true;
}

bool CancellazioneArchivio::elimina(QString* errore)
{
    if (m_copia.isEmpty())
        return fallito(errore, QStringLiteral("Impossibile cancellare se non si crea una copia !"));
    QString differenza;
    if (!stessoContenuto(m_archivio, m_copia, &differenza))
        return fallito(errore, QStringLiteral("L'archivio chiamate non è stato eliminato: non corrisponde più alla "
                                              "copia %1 (%2).")
                                   .arg(QDir::toNativeSeparators(m_copia), differenza));
    QFile archivio(m_archivio);
    if (!archivio.remove())
        return fallito(errore, QStringLiteral("Impossibile eliminare l'archivio chiamate %1: %2")
                                   .arg(QDir::toNativeSeparators(m_archivio), archivio.errorString()));
    m_copia.clear();
    return true;
}
