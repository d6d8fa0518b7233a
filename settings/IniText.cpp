#include "settings/IniText.h"

#include <QList>

namespace {

bool isText(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 ? byte != 0x7F : (c == '\t' || c == '\n' || c == '\r');
}

QByteArray textBytes(const QByteArray& file)
{
    QByteArray text;
    text.reserve(file.size());
    for (char c : file) {
        if (isText(c))
            text.append(c);
    }
    return text;
}

// The value of a hexadecimal digit; -1 for another character.
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// QSettings keeps the low 16 bits of an escape's code.
char escapedCharacter(uint code)
{
    return (code & 0xFFFF) == '@' ? '@' : 'x';
}

// One character of a value as QSettings unescapes it: a backslash escape
// (\x0040, \100, \n ...) stands for one character; `at` moves past it.
// Only whether it is an "@", a quote or a comma matters here.
char unescaped(const QByteArray& value, qsizetype& at)
{
    const char c = value.at(at++);
    if (c != '\\' || at >= value.size())
        return c;
    const char kind = value.at(at++);
    if (kind == 'x' || kind == 'X') {
        uint code = 0;
        while (at < value.size() && hexDigit(value.at(at)) >= 0)
            code = code * 16 + static_cast<uint>(hexDigit(value.at(at++)));
        return escapedCharacter(code);
    }
    if (kind >= '0' && kind <= '7') {
        uint code = static_cast<uint>(kind - '0');
        while (at < value.size() && value.at(at) >= '0' && value.at(at) <= '7')
            code = code * 8 + static_cast<uint>(value.at(at++) - '0');
        return escapedCharacter(code);
    }
    // An escaped quote or comma is a plain character, not a delimiter.
    return kind == '"' || kind == ',' ? 'x' : kind;
}

// Whether an element of the value (the whole value, or a part of a list
// between unquoted commas) begins with "@" not followed by a second "@".
bool holdsEncodedObject(const QByteArray& value)
{
    bool elementStart = true;
    bool quoted = false;
    qsizetype at = 0;
    while (at < value.size()) {
        const char c = unescaped(value, at);
        if (elementStart && (c == ' ' || c == '\t'))
            continue;
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (elementStart && c == '@') {
            if (at >= value.size() || unescaped(value, at) != '@')
                return true;
        }
        elementStart = c == ',' && !quoted;
    }
    return false;
}

// Any line with an "=" is looked at, whatever it begins with: the program
// writes none that this refuses, so nothing of its own is lost.
bool refusedLine(const QByteArray& line)
{
    const qsizetype equals = line.indexOf('=');
    return equals >= 0 && holdsEncodedObject(line.mid(equals + 1));
}

} // namespace

namespace IniText {

Cleaned clean(const QByteArray& file)
{
    const QByteArray text = textBytes(file);
    // A line that ends with a backslash goes on in the next one: the two are
    // one value, kept or taken out together.
    QList<QByteArray> lines;
    for (const QByteArray& line : text.split('\n')) {
        if (!lines.isEmpty() && (lines.last().endsWith('\\') || lines.last().endsWith("\\\r")))
            lines.last() += '\n' + line;
        else
            lines.append(line);
    }
    Cleaned cleaned{QByteArray(), text.size() != file.size()};
    cleaned.text.reserve(text.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (refusedLine(lines.at(i))) {
            cleaned.changed = true;
            continue;
        }
        cleaned.text += lines.at(i);
        if (i + 1 < lines.size())
            cleaned.text += '\n';
    }
    return cleaned;
}

} // namespace IniText
