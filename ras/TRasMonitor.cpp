#include "ras/TRasMonitor.h"

#include <QTimer>

TRasMonitor::CreationError::CreationError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

QString TRasMonitor::CreationError::message() const
{
    return QString::fromStdString(what());
}

QObject* TRasMonitor::checkedOwner(QObject* owner)
{
    if (!owner || !owner->isWidgetType())
        throw CreationError(QStringLiteral("Please drop the component onto a Form!"));
    if (!owner->findChildren<TRasMonitor*>(Qt::FindDirectChildrenOnly).isEmpty())
        throw CreationError(QStringLiteral("The Form already holds a TRasMonitor component!"));
    return owner;
}

TRasMonitor::TRasMonitor(DialUpSource& source, QObject* owner)
    : QObject(checkedOwner(owner))
    , m_source(source)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(pollInterval);
    connect(m_timer, &QTimer::timeout, this, &TRasMonitor::poll);
    readPhoneBook();
}

TRasMonitor::~TRasMonitor() = default;

void TRasMonitor::readPhoneBook()
{
    const std::optional<QList<DialUpSource::PhoneBookEntry>> phoneBook = m_source.phoneBook();
    if (!phoneBook)
        return;
    m_tracker.setPhoneBook(*phoneBook);
    // An entry the user may not read (a peers file of another group, say)
    // must not keep the program from starting: it is reported and kept.
    for (const DialUpSource::PhoneBookEntry& entry : *phoneBook) {
        if (entry.number)
            continue;
        m_creationMessages.append(Language() == RasTracker::Language::English
                                      ? QStringLiteral("RasGetEntryProperties failed: ") + entry.name
                                      : QStringLiteral("Ne mogu dobiti informacije o vezi ") + entry.name);
    }
}

void TRasMonitor::setDoTimer(bool on)
{
    m_doTimer = on;
    if (on)
        m_timer->start();
    else
        m_timer->stop();
}

void TRasMonitor::poll()
{
    const RasTracker::PollResult result = m_tracker.poll(m_source.connections());
    if (result.raisedPhase)
        Q_EMIT OnConnectionStatus(*result.raisedPhase);
    Q_EMIT OnStatusChange(result.statusChanged);
}
