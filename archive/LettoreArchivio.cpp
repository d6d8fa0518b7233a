#include "archive/LettoreArchivio.h"

#include "archive/Windows1252.h"

namespace {

constexpr qint64 bloccoLettura = 64 * 1024;

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
    m_buffer.clear();
    m_pos = 0;
    m_skipLineFeed = false;
    m_atEnd = false;
    m_error.clear();
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = m_file.errorString();
        if (error)
            *error = m_error;
        return false;
    }
    return true;
}

bool LettoreArchivio::fill()
{
    if (m_atEnd || !m_file.isOpen())
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const QByteArray blocco = m_file.read(bloccoLettura);
    if (blocco.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError)
            m_error = m_file.errorString();
        m_atEnd = true;
        return false;
    }
    m_buffer.append(blocco);
    return true;
}

bool LettoreArchivio::readLine(QString& line)
{
    // A CR may end one block and its LF start the next: the LF is dropped when it arrives.
    qsizetype scanned = m_pos;
    for (;;) {
        if (m_skipLineFeed && m_pos < m_buffer.size()) {
            m_skipLineFeed = false;
            if (m_buffer.at(m_pos) == '\n')
                scanned = ++m_pos;
        }
        for (qsizetype i = scanned; i < m_buffer.size(); ++i) {
            const char c = m_buffer.at(i);
            if (c == '\r' || c == '\n') {
                line = Windows1252::decode(QByteArrayView(m_buffer).sliced(m_pos, i - m_pos));
                m_pos = i + 1;
                m_skipLineFeed = c == '\r';
                return true;
            }
        }
        scanned = m_buffer.size() - m_pos;
        if (!fill())
            break;
    }
    if (m_pos >= m_buffer.size())
        return false;
    line = Windows1252::decode(QByteArrayView(m_buffer).sliced(m_pos));
    m_pos = m_buffer.size();
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
