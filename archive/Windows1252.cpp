#include "archive/Windows1252.h"

#include <QList>
#include <algorithm>
#include <array>

namespace {

// The characters of bytes 0x80-0x9F; the undefined ones keep their own value.
constexpr std::array<char16_t, 32> alti{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    const auto at = std::find(alti.begin(), alti.end(), codePoint);
    return at == alti.end() ? -1 : static_cast<int>(0x80 + (at - alti.begin()));
}

} // namespace

QString Windows1252::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = u >= 0x80 && u < 0xA0 ? QChar(alti[u - 0x80]) : QChar(static_cast<char16_t>(u));
    }
    return text;
}

QByteArray Windows1252::encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        const int b = byteOf(codePoint);
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool Windows1252::representable(char32_t codePoint)
{
    return byteOf(codePoint) >= 0;
}
