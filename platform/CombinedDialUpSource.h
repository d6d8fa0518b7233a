#pragma once

#include "platform/DialUpSource.h"

#include <memory>

// Two dial-up sources seen as one, so that a call is counted however it was
// dialled (NetworkManager's menu first, pon second). Their connections and
// phone books follow one another, the first source's before the second's;
// either may fail alone. Dialling and the dial parameters go to the first
// source whose phone book lists the entry, else to the second. Each source
// reports its own connections only (the pppd source leaves NetworkManager's
// pppd to it), so no connection is reported twice.
class CombinedDialUpSource : public DialUpSource
{
public:
    CombinedDialUpSource(std::unique_ptr<DialUpSource> first, std::unique_ptr<DialUpSource> second);

    std::optional<QList<Connection>> connections() override;
    std::optional<QList<PhoneBookEntry>> phoneBook() override;
    bool dial(const QString& entry) override;
    std::optional<DialParams> dialParams(const QString& entry, QString* error) override;

    DialUpSource& first() const { return *m_first; }
    DialUpSource& second() const { return *m_second; }

private:
    DialUpSource& sourceOf(const QString& entry);

    std::unique_ptr<DialUpSource> m_first;
    std::unique_ptr<DialUpSource> m_second;
};
