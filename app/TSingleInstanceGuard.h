#pragma once

#include "platform/Message.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>

class InstanceLock;

// Raised when a program creates a second guard.
class ECloneControlError : public std::runtime_error
{
public:
    ECloneControlError();
};

// Lets at most MaxInstance copies of the program run. The count lives in an
// instance lock named "Drenquil.CloneControl.<executable name>", which the
// operating system releases when a process ends. It shows nothing: a refused
// copy's box is in the outcome, for the program entry to show.
class TSingleInstanceGuard : public QObject
{
    Q_OBJECT
public:
    enum class Action
    {
        None,
        Message,
        UserEvent
    };
    enum class TerminationStyle
    {
        TerminateApplication,
        HaltAtOnce,
        UserEvent
    };

    // What a check decided.
    struct Outcome
    {
        bool refused = false;
        // The lock could not be taken at all (refused too): whether another
        // copy runs is unknown, and the program cannot start.
        bool unavailable = false;
        // The box to show before a refused copy ends: the Action's (Action
        // Message), or why the lock is unavailable; none otherwise.
        std::optional<Message> message;
    };

    // Throws ECloneControlError when the program already has a guard.
    TSingleInstanceGuard(InstanceLock& lock, const QString& executableName, QObject* parent = nullptr);
    ~TSingleInstanceGuard() override;

    int MaxInstance() const { return m_maxInstance; }
    // Stores 1 for 0 or less, 65520 for more than 65520.
    void setMaxInstance(int value);
    void setAction(Action action) { m_action = action; }
    void setTerminationStyle(TerminationStyle style) { m_terminationStyle = style; }

    std::function<void()> OnAction;
    std::function<void()> OnTerminate;

    QString lockName() const;
    // Takes an instance slot. When none is free the copy is refused: the
    // outcome carries the Action's box (Action Message), or OnAction has run
    // (Action UserEvent). When the lock cannot be taken at all the copy is
    // refused with a box that says so, with the lock's path, whatever the Action.
    Outcome check();
    // A refused copy's TerminationStyle, for the caller once it has shown the
    // outcome's box: terminating the application ends it as soon as its event
    // loop starts.
    void terminate();
    bool refused() const { return m_refused; }

private:
    InstanceLock& m_lock;
    QString m_executableName;
    int m_maxInstance = 1;
    Action m_action = Action::None;
    TerminationStyle m_terminationStyle = TerminationStyle::TerminateApplication;
    bool m_refused = false;
};
