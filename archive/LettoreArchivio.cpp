#include "archive/LettoreArchivio.h"

#include "archive/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype bloccoLettura = 64 * 1024;

} // namespace

LettoreArchivio::LettoreArchivio(const QString& fileName)
    : m_file(fileName)
{
}

bool LettoreArchivio::exists() const
{
    return m_file.exists();
}

bool LettoreArchivio::open(QString* error)
{
    m_file.close();
    m_buffer = QByteArray(bloccoLettura, Qt::Uninitialized);
    m_begin = m_end = m_scanned = 0;
    m_lineFeed = m_carriageReturn = -1;
    m_read = 0;
    m_skipLineFeed = false;
    m_discard = false;
    m_error.clear();
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        if (error)
            *error = m_error;
        return false;
    }
    return true;
}

// Moves what is left to the front of the buffer and reads the next block
// after it; the buffer grows only for a line longer than it (up to maxLine).
bool LettoreArchivio::fill()
{
    if (!m_file.isOpen())
        return false;
    // Called only when the rest of the buffer holds no line end.
    m_lineFeed = m_carriageReturn = -1;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, static_cast<size_t>(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() + bloccoLettura);
    const qint64 n = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (n < 0)
        m_error = m_file.errorString();
    if (n <= 0)
        return false;
    m_end += n;
    m_read += n;
    return true;
}

// The position of the first CR or LF at or after `da` (which is past every
// line end already handed out), m_end when the buffer holds none.
qsizetype LettoreArchivio::fineRiga(qsizetype da)
{
    const char* data = m_buffer.constData();
    const auto cerca = [&](qsizetype& posizione, char fine) {
        if (posizione >= da)
            return;
        const void* trovato = std::memchr(data + da, fine, static_cast<size_t>(m_end - da));
        posizione = trovato ? static_cast<const char*>(trovato) - data : m_end;
    };
    cerca(m_lineFeed, '\n');
    cerca(m_carriageReturn, '\r');
    return std::min(m_lineFeed, m_carriageReturn);
}

bool LettoreArchivio::next(QByteArrayView& line)
{
    for (;;) {
        // A CR may end one block and its LF start the next: the LF is dropped when it arrives.
        const char* data = m_buffer.constData();
        if (m_skipLineFeed && m_begin < m_end) {
            m_skipLineFeed = false;
            if (data[m_begin] == '\n')
                ++m_begin;
        }
        const qsizetype i = fineRiga(m_begin + m_scanned);
        if (i < m_end) {
            const bool cut = m_discard;
            m_discard = false;
            m_skipLineFeed = data[i] == '\r';
            line = QByteArrayView(data + m_begin, i - m_begin);
            m_begin = i + 1;
            m_scanned = 0;
            if (cut)
                continue;
            return true;
        }
        if (m_end - m_begin >= maxLine) {
            // A line without an end in sight: hand on its start, skip the rest.
            const bool cut = m_discard;
            m_discard = true;
            line = QByteArrayView(data + m_begin, m_end - m_begin);
            m_begin = m_end;
            m_scanned = 0;
            if (!cut)
                return true;
            continue;
        }
        m_scanned = m_end - m_begin;
        if (!fill())
            break;
    }
    if (m_begin >= m_end || m_discard)
        return false;
    line = QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin);
    m_begin = m_end;
    m_scanned = 0;
    return true;
}

bool LettoreArchivio::readLine(QString& line)
{
    QByteArrayView bytes;
    if (!next(bytes))
        return false;
    line = Windows1252::decode(bytes);
    return true;
}

bool LettoreArchivio::leggiRighe(const QString& fileName, QStringList& righe, QString* error)
{
    righe.clear();
    LettoreArchivio lettore(fileName);
    if (!lettore.open(error))
        return false;
    QString riga;
    while (lettore.readLine(riga))
        righe.append(riga);
    if (!lettore.error().isEmpty()) {
        if (error)
            *error = lettore.error();
        return false;
    }
    return true;
}

GiornataArchivio LettoreArchivio::abbina(const std::function<bool(QString&)>& prossima, const QString& giorno)
{
    GiornataArchivio giornata;
    QString riga;
    while (prossima(riga)) {
        RecordArchivio apertura(riga);
        if (!apertura.apertura() || apertura.data() != giorno)
            continue;
        bool trovata = prossima(riga);
        if (trovata && riga.isEmpty())
            trovata = prossima(riga);
        RecordArchivio chiusura(riga);
        if (!trovata || !chiusura.chiusura()) {
            giornata.esito = GiornataArchivio::Esito::ChiusuraMancante;
            giornata.aperturaSenzaChiusura = apertura;
            return giornata;
        }
        giornata.chiamate.append({apertura, chiusura});
    }
    return giornata;
}

GiornataArchivio LettoreArchivio::chiamateDelGiorno(const QStringList& righe, const QString& giorno)
{
    qsizetype next = 0;
    return abbina(
        [&](QString& riga) {
            if (next >= righe.size())
                return false;
            riga = righe.at(next++);
            return true;
        },
        giorno);
}

GiornataArchivio LettoreArchivio::chiamateDelGiorno(const QString& fileName, const QString& giorno)
{
    LettoreArchivio lettore(fileName);
    GiornataArchivio giornata;
    if (!lettore.exists()) {
        giornata.esito = GiornataArchivio::Esito::Inesistente;
        return giornata;
    }
    if (!lettore.open(&giornata.errore)) {
        giornata.esito = GiornataArchivio::Esito::Illeggibile;
        return giornata;
    }
    giornata = abbina([&](QString& riga) { return lettore.readLine(riga); }, giorno);
    if (!lettore.error().isEmpty()) {
        giornata.esito = GiornataArchivio::Esito::Illeggibile;
        giornata.errore = lettore.error();
    }
    return giornata;
}
