#pragma once

#include "platform/DialUpSource.h"

#include <QHash>
#include <QStringList>

// A dial-up service the test sets by hand: the connections the next poll
// sees, the phone book, and a record of what was dialled.
class FakeDialUpSource : public DialUpSource
{
public:
    std::optional<QList<Connection>> connections() override
    {
        ++polls;
        if (enumerationFails)
            return std::nullopt;
        return current;
    }
    std::optional<QList<PhoneBookEntry>> phoneBook() override
    {
        ++phoneBookReads;
        if (phoneBookFails)
            return std::nullopt;
        return entries;
    }
    bool dial(const QString& entry) override
    {
        dialled.append(entry);
        return true;
    }
    std::optional<DialParams> dialParams(const QString& entry, QString* error) override
    {
        if (const auto found = params.constFind(entry); found != params.cend())
            return *found;
        if (error)
            *error = paramsError;
        return std::nullopt;
    }

    // One connection of the entry in the given state, the only one.
    void oneConnection(const QString& entry, int state)
    {
        current = {Connection{entry, QStringLiteral("modem"), QStringLiteral("Modem"), state}};
    }
    void hangUp() { current.clear(); }

    QList<Connection> current;
    bool enumerationFails = false;
    QList<PhoneBookEntry> entries;
    bool phoneBookFails = false;
    QHash<QString, DialParams> params;
    QString paramsError = QStringLiteral("errore");
    QStringList dialled;
    int polls = 0;
    int phoneBookReads = 0;
};
