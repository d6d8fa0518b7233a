#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page of the call archive. Qt has no converter for it, so the
// archive's writer and readers share this one.
class Windows1252
{
public:
    // Every byte decodes to one character; the five bytes the code page leaves
    // undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control
    // characters of the same value, so they survive a round trip.
    static QString decode(QByteArrayView bytes);
    // One byte per character; a character the code page cannot hold becomes
    // "?" (one "?" for a character outside the Basic Multilingual Plane too).
    static QByteArray encode(QStringView text);
    // True when `codePoint` has a byte of its own in the code page.
    static bool representable(char32_t codePoint);
};
