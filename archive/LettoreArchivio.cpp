#include "archive/LettoreArchivio.h"

#include "archive/Windows1252.h"

#include <QFileInfo>
#include <cstring>

#if defined(__x86_64__) && defined(__SSE2__)
#include <immintrin.h>
#define BRENVOLO_SIMD_LINE_ENDS 1
#if __has_include(<sys/platform/x86.h>)
// The header is written for C; GCC accepts its _Bool in C++, clang does not.
#if defined(__clang__)
#define _Bool bool
#endif
#include <sys/platform/x86.h>
#undef _Bool
#endif
#endif

namespace {

constexpr qsizetype bloccoLettura = 64 * 1024;
// Kept after the bytes read: a LF that ends the search for a line end where
// the data end, and room for a 32-byte load that starts there.
constexpr qsizetype margine = 32;

// Finding the line ends is most of a pass over the archive. On x86-64 the
// bytes are tested for CR and LF at once, 32 at a time where the processor
// has AVX2, else 16 (SSE2, which every x86-64 has); elsewhere memchr looks
// for the LF and then for a CR before it.
#if defined(BRENVOLO_SIMD_LINE_ENDS)
__attribute__((target("avx2"))) const char* fineRigaAvx2(const char* da)
{
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    for (;; da += 32) {
        const __m256i blocco = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(da));
        const auto trovati = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(blocco, cr), _mm256_cmpeq_epi8(blocco, lf))));
        if (trovati != 0)
            return da + __builtin_ctz(trovati);
    }
}

const char* fineRigaSse2(const char* da)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (;; da += 16) {
        const __m128i blocco = _mm_loadu_si128(reinterpret_cast<const __m128i*>(da));
        const auto trovati = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(blocco, cr), _mm_cmpeq_epi8(blocco, lf))));
        if (trovati != 0)
            return da + __builtin_ctz(trovati);
    }
}

using Ricerca = const char* (*)(const char*);

// The C library has asked the processor already. Asking it again (the
// compiler's own check) brings in a start-up routine that questions the
// processor at every start of the program, which a virtual machine makes slow.
Ricerca sceltaRicerca()
{
#if defined(CPU_FEATURE_ACTIVE)
    return CPU_FEATURE_ACTIVE(AVX2) ? fineRigaAvx2 : fineRigaSse2;
#else
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? fineRigaAvx2 : fineRigaSse2;
#endif
}

const Ricerca ricerca = sceltaRicerca();
#endif

// The first CR or LF at or after `da`; the LF kept at `fine` ends the search.
const char* fineRiga(const char* da, const char* fine)
{
#if defined(BRENVOLO_SIMD_LINE_ENDS)
    Q_UNUSED(fine);
    return ricerca(da);
#else
    const void* lf = std::memchr(da, '\n', static_cast<size_t>(fine - da));
    const char* limite = lf ? static_cast<const char*>(lf) : fine;
    const void* cr = std::memchr(da, '\r', static_cast<size_t>(limite - da));
    return cr ? static_cast<const char*>(cr) : limite;
#endif
}

} // namespace

LettoreArchivio::LettoreArchivio(const QString& fileName)
    : m_file(fileName)
{
}

QString LettoreArchivio::difettoFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("è una cartella, non un file");
    return QStringLiteral("non è un file ma una pipe o un dispositivo");
}

bool LettoreArchivio::exists() const
{
    return m_file.exists();
}

bool LettoreArchivio::open(QString* error)
{
    m_file.close();
    m_buffer = QByteArray(bloccoLettura + margine, '\0');
    m_begin = m_end = m_scanned = 0;
    m_buffer[m_end] = '\n';
    m_read = 0;
    m_skipLineFeed = false;
    m_discard = false;
    m_error = difettoFile(m_file.fileName());
    if (m_error.isEmpty() && !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        m_error = m_file.errorString();
    if (!m_error.isEmpty()) {
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
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, static_cast<size_t>(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size() - margine)
        m_buffer.resize(m_buffer.size() + bloccoLettura, '\0');
    const qint64 n = m_file.read(m_buffer.data() + m_end, m_buffer.size() - margine - m_end);
    if (n < 0)
        m_error = m_file.errorString();
    if (n > 0) {
        m_end += n;
        m_read += n;
    }
    m_buffer[m_end] = '\n';
    return n > 0;
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
        const qsizetype i = fineRiga(data + m_begin + m_scanned, data + m_end) - data;
        if (i < m_end) {
            const bool cut = m_discard;
            m_discard = false;
            line = QByteArrayView(data + m_begin, i - m_begin);
            m_begin = i + 1;
            if (data[i] == '\r') {
                if (m_begin == m_end)
                    m_skipLineFeed = true;
                else if (data[m_begin] == '\n')
                    ++m_begin;
            }
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
