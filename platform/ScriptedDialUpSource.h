#pragma once

#include "platform/DialUpSource.h"

#include <QHash>
#include <QString>
#include <array>

// A dial-up source played from a text file, so that automatic counting can be
// watched without a modem. The file (UTF-8) is read again at every call; one
// record a line, fields separated by ";", lines starting with "#" ignored:
//   rubrica;NAME;NUMBER                                 a phone-book entry
//   connessione;ENTRY;DEVICE TYPE;DEVICE NAME;STATE     a connection of this moment
//   parametri;NAME;USER;PASSWORD                        an entry's saved dial parameters
// STATE is a connection-state name (OpenPort, ..., Connected, Disconnected)
// or its number. A line that does not parse is skipped. A missing file means
// an empty phone book and no connection. A file that has been left alone
// for a second since its last change is not read again until it changes:
// a poll then costs one stat.
class ScriptedDialUpSource : public DialUpSource
{
public:
    explicit ScriptedDialUpSource(QString file);

    std::optional<QList<Connection>> connections() override;
    std::optional<QList<PhoneBookEntry>> phoneBook() override;
    // Nothing to dial here: the user writes the connection into the file.
    bool dial(const QString& entry) override;
    std::optional<DialParams> dialParams(const QString& entry, QString* error) override;

    QString file() const { return m_file; }

    // A state written by name (one of stateNames, in any case) or as a
    // non-negative number, decimal or hexadecimal after "0x" or "$".
    static std::optional<int> stateOf(const QString& text);

private:
    struct Script
    {
        QList<Connection> connections;
        QList<PhoneBookEntry> phoneBook;
        QHash<QString, DialParams> params;
    };
    // No value when the file exists but cannot be read.
    std::optional<Script> read();

    // What identifies a version of the file: times in nanoseconds, size, inode.
    using Stamp = std::array<qint64, 4>;

    QString m_file;
    std::optional<Script> m_read; // the last reading and when it was made
    Stamp m_readStamp{};
    qint64 m_readAt = 0;
};
