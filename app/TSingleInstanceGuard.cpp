#include "app/TSingleInstanceGuard.h"

#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <atomic>
#include <cstdlib>

namespace {

// Only one guard may live in a process at a time.
std::atomic<bool>& guardExists()
{
    static std::atomic<bool> exists{false};
    return exists;
}

} // namespace

ECloneControlError::ECloneControlError()
    : std::runtime_error("Programma gi\xc3\xa0 in esecuzione")
{
}

TSingleInstanceGuard::TSingleInstanceGuard(InstanceLock& lock, const QString& executableName, QObject* parent)
    : QObject(parent)
    , m_lock(lock)
    , m_executableName(executableName)
{
    if (guardExists().exchange(true))
        throw ECloneControlError();
}

TSingleInstanceGuard::~TSingleInstanceGuard()
{
    m_lock.release();
    guardExists() = false;
}

void TSingleInstanceGuard::setMaxInstance(int value)
{
    m_maxInstance = value <= 0 ? 1 : (value > 65520 ? 65520 : value);
}

QString TSingleInstanceGuard::lockName() const
{
    return QStringLiteral("Drenquil.CloneControl.%1").arg(m_executableName);
}

TSingleInstanceGuard::Outcome TSingleInstanceGuard::check()
{
    if (m_lock.held())
        return {};
    const InstanceLock::Acquisition acquisition = m_lock.acquire(lockName(), m_maxInstance);
    if (acquisition == InstanceLock::Acquisition::Acquired)
        return {};
    m_refused = true;
    if (acquisition == InstanceLock::Acquisition::Unavailable)
        return {true, true,
                Message{QStringLiteral("Impossibile avviare il programma: il file che impedisce di avviarne due copie\r"
                                       "non può essere usato (%1).")
                            .arg(m_lock.failure()),
                        QStringLiteral("Attenzione!"), Message::Icon::Critical}};
    Outcome outcome{true, false, std::nullopt};
    switch (m_action) {
    case Action::None:
        break;
    case Action::Message:
        outcome.message = Message{QStringLiteral("Solo %1 instanza(e) permessa(e)").arg(m_maxInstance), QString(),
                                  Message::Icon::Critical};
        break;
    case Action::UserEvent:
        if (OnAction)
            OnAction();
        break;
    }
    return outcome;
}

void TSingleInstanceGuard::terminate()
{
    if (!m_refused)
        return;
    switch (m_terminationStyle) {
    case TerminationStyle::TerminateApplication:
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
        break;
    case TerminationStyle::HaltAtOnce:
        std::exit(0);
    case TerminationStyle::UserEvent:
        if (OnTerminate)
            OnTerminate();
        break;
    }
}
