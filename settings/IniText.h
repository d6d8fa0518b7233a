#pragma once

#include <QByteArray>

// The settings files as the program accepts them: text, with every value a
// plain text. The program never writes a NUL byte or another control byte
// raw (QSettings escapes them), nor a value that begins with a single "@"
// (QSettings writes "@@" for a text that begins with one); such bytes come
// from a damaged file or another program. A value QSettings would decode as a
// serialised object (@Variant(...), @ByteArray(...), @Point(...)) is refused
// before QSettings reads the file: decoding one can make it allocate far more
// than the file's size.
namespace IniText {

struct Cleaned
{
    QByteArray text;      // the file without the bytes and lines it cannot hold
    bool changed = false; // whether anything was taken out
};

// Removes NUL bytes and the control bytes no text holds (all below 0x20 but
// tab, line feed and carriage return, and 0x7F), then every line whose value
// holds an element beginning with a single "@". Sections and the other lines
// stay as they are, so everything still readable is read.
Cleaned clean(const QByteArray& file);

} // namespace IniText
