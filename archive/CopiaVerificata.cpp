#include "archive/CopiaVerificata.h"

#include "archive/LettoreArchivio.h"
#include "platform/ReplacingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 blocco = 64 * 1024;

QString nome(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool fallito(QString* errore, const QString& messaggio)
{
    if (errore)
        *errore = messaggio;
    return false;
}

// Both names lead to one file (the same path, "..", a link in the folders).
// A link at the copy's own name is not the file it points to: the copy
// replaces the link.
bool stessoFile(const QString& primo, const QString& secondo)
{
    const QFileInfo a(primo);
    const QFileInfo b(secondo);
    return a.exists() && b.exists() && !b.isSymLink() && a.canonicalFilePath() == b.canonicalFilePath();
}

} // namespace

bool copiaVerificata(const QString& sorgente, const QString& destinazione, QString* errore)
{
    const auto fallita = [&](const QString& motivo) {
        return fallito(
            errore, QStringLiteral("Impossibile copiare %1 in %2: %3").arg(nome(sorgente), nome(destinazione), motivo));
    };
    if (stessoFile(sorgente, destinazione))
        return fallita(QStringLiteral("la copia sostituirebbe l'originale stesso"));

    if (const QString difetto = LettoreArchivio::difettoFile(sorgente); !difetto.isEmpty())
        return fallita(difetto);
    QFile da(sorgente);
    if (!da.open(QIODevice::ReadOnly))
        return fallita(da.errorString());
    ReplacingFile a(destinazione);
    if (!a.open())
        return fallita(a.errorString());
    for (;;) {
        const QByteArray dati = da.read(blocco);
        if (dati.isEmpty()) {
            if (da.error() != QFileDevice::NoError) {
                a.cancelWriting();
                return fallita(da.errorString());
            }
            break;
        }
        if (a.write(dati) != dati.size()) {
            const QString motivo = a.errorString();
            a.cancelWriting();
            return fallita(motivo);
        }
    }
    if (!a.commit())
        return fallita(a.errorString());

    QString differenza;
    if (!stessoContenuto(sorgente, destinazione, &differenza)) {
        // A copy that is not faithful must not be taken for one later.
        QFile::remove(destinazione);
        return fallita(differenza);
    }
    return true;
}

bool stessoContenuto(const QString& primo, const QString& secondo, QString* errore)
{
    QFile a(primo);
    QFile b(secondo);
    for (QFile* file : {&a, &b}) {
        if (!file->open(QIODevice::ReadOnly))
            return fallito(
                errore, QStringLiteral("impossibile leggere %1: %2").arg(nome(file->fileName()), file->errorString()));
    }
    if (a.size() != b.size())
        return fallito(errore, QStringLiteral("%1 ha %2 byte, %3 ne ha %4")
                                   .arg(nome(secondo))
                                   .arg(b.size())
                                   .arg(nome(primo))
                                   .arg(a.size()));
    for (;;) {
        const QByteArray x = a.read(blocco);
        const QByteArray y = b.read(blocco);
        if (a.error() != QFileDevice::NoError || b.error() != QFileDevice::NoError) {
            QFile& guasto = a.error() != QFileDevice::NoError ? a : b;
            return fallito(
                errore,
                QStringLiteral("impossibile leggere %1: %2").arg(nome(guasto.fileName()), guasto.errorString()));
        }
        if (x != y)
            return fallito(errore, QStringLiteral("%1 non ha gli stessi byte di %2").arg(nome(secondo), nome(primo)));
        if (x.isEmpty())
            return true;
    }
}

bool sostituisciFile(const QString& path, const QByteArray& contenuto, qint64 letti, QString* errore)
{
    const auto fallita = [&](const QString& motivo) {
        return fallito(errore, QStringLiteral("Impossibile scrivere %1: %2").arg(nome(path), motivo));
    };
    QSaveFile nuovo(path);
    if (!nuovo.open(QIODevice::WriteOnly))
        return fallita(nuovo.errorString());
    if (nuovo.write(contenuto) != contenuto.size()) {
        const QString motivo = nuovo.errorString();
        nuovo.cancelWriting();
        return fallita(motivo);
    }

    QFile attuale(path);
    if (!attuale.open(QIODevice::ReadOnly)) {
        nuovo.cancelWriting();
        return fallita(attuale.errorString());
    }
    if (attuale.size() < letti) {
        nuovo.cancelWriting();
        return fallita(QStringLiteral("il file è stato accorciato mentre veniva riscritto"));
    }
    if (attuale.size() > letti) {
        const QByteArray coda = attuale.seek(letti) ? attuale.readAll() : QByteArray();
        if (attuale.error() != QFileDevice::NoError || nuovo.write(coda) != coda.size()) {
            const QString motivo =
                attuale.error() != QFileDevice::NoError ? attuale.errorString() : nuovo.errorString();
            nuovo.cancelWriting();
            return fallita(motivo);
        }
    }
    // As in copiaVerificata: a commit after a failed last write would put a
    // truncated file in place of the whole one.
    if (!nuovo.flush()) {
        const QString motivo = nuovo.errorString();
        nuovo.cancelWriting();
        return fallita(motivo);
    }
    if (!nuovo.commit())
        return fallita(nuovo.errorString());
    return true;
}

QString nomeCopiaDiSicurezza(const QString& archivio)
{
    if (archivio.isEmpty() || archivio.endsWith(QLatin1Char('~')))
        return archivio + QLatin1Char('~');
    QString copia = archivio;
    copia.back() = QLatin1Char('~');
    return copia;
}
