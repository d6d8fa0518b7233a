#include "archive/RigheArchivio.h"

#include "archive/LettoreArchivio.h"
#include "archive/Windows1252.h"
#include "settings/Conversion.h"

#include <QFile>

RigheArchivio::RigheArchivio(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    const qsizetype n = m_bytes.size();
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = m_bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        qsizetype dopo = i + 1;
        if (c == '\r' && dopo < n && m_bytes.at(dopo) == '\n')
            ++dopo;
        m_righe.append({inizio, i, dopo});
        inizio = dopo;
        i = dopo - 1;
    }
    if (inizio < n)
        m_righe.append({inizio, n, n});
}

bool RigheArchivio::leggi(const QString& path, RigheArchivio& righe, QString* errore)
{
    QFile file(path);
    const QString difetto = LettoreArchivio::difettoFile(path);
    if (!difetto.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        if (errore)
            *errore = difetto.isEmpty() ? file.errorString() : difetto;
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errore)
            *errore = file.errorString();
        return false;
    }
    righe = RigheArchivio(std::move(bytes));
    return true;
}

QByteArrayView RigheArchivio::byteRiga(qsizetype i) const
{
    const Riga& r = m_righe.at(i);
    return QByteArrayView(m_bytes).sliced(r.inizio, r.fine - r.inizio);
}

RecordArchivio RigheArchivio::record(qsizetype i) const
{
    return RecordArchivio(Windows1252::decode(byteRiga(i)));
}

bool RigheArchivio::senzaChiusura(qsizetype i) const
{
    const RecordArchivio apertura = record(i);
    if (!apertura.apertura())
        return false;
    // Only a line whose date a day can be written as is ever met by a pass.
    try {
        if (formatDate(apertura.giorno()) != apertura.data())
            return false;
    } catch (const EConvertError&) {
        return false;
    }
    qsizetype seguente = i + 1;
    if (seguente < size() && byteRiga(seguente).isEmpty())
        ++seguente;
    return seguente >= size() || !record(seguente).chiusura();
}

qsizetype RigheArchivio::primaSenzaChiusura(const QString& apertura) const
{
    const QByteArray cercata = Windows1252::encode(apertura);
    for (qsizetype i = 0; i < size(); ++i) {
        if ((apertura.isNull() || byteRiga(i) == cercata) && senzaChiusura(i))
            return i;
    }
    return -1;
}

QByteArray RigheArchivio::conRigaDopo(qsizetype i, const QString& record) const
{
    qsizetype dopo = i;
    if (dopo + 1 < size() && byteRiga(dopo + 1).isEmpty())
        ++dopo;
    const Riga& r = m_righe.at(dopo);
    QByteArray risultato = m_bytes.left(r.dopo);
    if (r.dopo == r.fine)
        risultato += "\r\n";
    risultato += Windows1252::encode(record) + "\r\n";
    risultato += QByteArrayView(m_bytes).sliced(r.dopo);
    return risultato;
}
