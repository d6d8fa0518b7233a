#pragma once

#include "platform/DialUpSource.h"

#include <QObject>
#include <QStringList>
#include <optional>

// What the connection monitor knows between two polls: the phone book read at
// creation, the current connection's entry, number and status text, whether
// it is up, and the phase with the count of polls that have seen it. Each
// poll folds the connections of that moment into it and says which events
// the monitor must raise.
class RasTracker
{
    Q_GADGET
public:
    enum class Language
    {
        English,
        Croatian
    };
    Q_ENUM(Language)

    enum Phase : int
    {
        PhaseDialling = 0,
        PhaseAuthenticating = 1,
        PhaseConnected = 2,
        PhaseNotConnected = 3
    };

    struct PollResult
    {
        // The phase to announce: set when this poll is the first to see it.
        std::optional<int> raisedPhase;
        // The status text differs from the one before the poll.
        bool statusChanged = false;
    };

    // The phase a connection state belongs to; no value for a state the
    // service may report but the monitor does not know, which leaves the phase as it is.
    static std::optional<int> phaseOf(int state);
    // The state's status text; empty for an unknown state.
    static QString stateText(int state, Language language);

    // Entries in the source's order; an entry whose properties are unreadable keeps an empty number.
    void setPhoneBook(const QList<DialUpSource::PhoneBookEntry>& phoneBook);

    // One poll: the connections of this moment, or no value when they could
    // not be enumerated (handled as no connection).
    PollResult poll(const std::optional<QList<DialUpSource::Connection>>& connections);

    QStringList availableEntries() const { return m_entries; }
    QStringList availableNumbers() const { return m_numbers; }
    QString connectedEntry() const { return m_connectedEntry; }
    QString connectedNumber() const { return m_connectedNumber; }
    QString status() const { return m_status; }
    bool isConnected() const { return m_isConnected; }
    Language language() const { return m_language; }
    void setLanguage(Language language) { m_language = language; }
    int phase() const { return m_phase; }
    int pollCounter() const { return m_pollCounter; }

private:
    QString numberOf(const QString& entry) const;
    void forgetConnection();

    QStringList m_entries;
    QStringList m_numbers;
    QString m_connectedEntry;
    QString m_connectedNumber;
    QString m_status;
    bool m_isConnected = false;
    Language m_language = Language::Croatian;
    int m_phase = PhaseNotConnected;
    int m_pollCounter = 0;
};
