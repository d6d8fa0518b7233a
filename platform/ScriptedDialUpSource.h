#pragma once

#include "ras/DialUpSource.h"

#include <QHash>
#include <QString>

// A dial-up source played from a text file, so that automatic counting can be
// watched without a modem. The file (UTF-8) is read again at every call; one
// record a line, fields separated by ";", lines starting with "#" ignored:
//   rubrica;NAME;NUMBER                                 a phone-book entry
//   connessione;ENTRY;DEVICE TYPE;DEVICE NAME;STATE     a connection of this moment
//   parametri;NAME;USER;PASSWORD                        an entry's saved dial parameters
// STATE is a connection-state name (OpenPort, ..., Connected, Disconnected)
// or its number. A line that does not parse is skipped. A missing file means
// an empty phone book and no connection.
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

    // A state written by name (as the enumeration names it, in any case) or
    // as a decimal or 0x-hexadecimal number.
    static std::optional<int> stateOf(const QString& text);

private:
    struct Script
    {
        QList<Connection> connections;
        QList<PhoneBookEntry> phoneBook;
        QHash<QString, DialParams> params;
    };
    // No value when the file exists but cannot be read.
    std::optional<Script> read() const;

    QString m_file;
};
