#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <stdexcept>

class InstanceLock;
class Prompter;

// Raised when a program creates a second guard.
class ECloneControlError : public std::runtime_error
{
public:
    ECloneControlError();
};

// Lets at most MaxInstance copies of the program run. The count lives in an
// instance lock named "Drenquil.CloneControl.<executable name>", which the
// operating system releases when a process ends.
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

    // Throws ECloneControlError when the program already has a guard.
    TSingleInstanceGuard(InstanceLock& lock, Prompter& prompter, const QString& executableName,
                         QObject* parent = nullptr);
    ~TSingleInstanceGuard() override;

    int MaxInstance() const { return m_maxInstance; }
    // Stores 1 for 0 or less, 65520 for more than 65520.
    void setMaxInstance(int value);
    void setAction(Action action) { m_action = action; }
    void setTerminationStyle(TerminationStyle style) { m_terminationStyle = style; }

    std::function<void()> OnAction;
    std::function<void()> OnTerminate;

    QString lockName() const;
    // Takes an instance slot. When none is free, performs the Action, then the
    // TerminationStyle (terminating the application ends it as soon as its
    // event loop starts) and returns false.
    bool check();
    bool refused() const { return m_refused; }

private:
    InstanceLock& m_lock;
    Prompter& m_prompter;
    QString m_executableName;
    int m_maxInstance = 1;
    Action m_action = Action::None;
    TerminationStyle m_terminationStyle = TerminationStyle::TerminateApplication;
    bool m_refused = false;
};
