#include "platform/TerminationWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The one value the signal handler needs: the socket it writes to.
volatile std::sig_atomic_t writeSocket = -1;

constexpr int watchedSignals[] = {SIGTERM, SIGHUP, SIGINT};

void handler(int signalNumber)
{
    TerminationWatcher::notify(signalNumber);
}

} // namespace

TerminationWatcher::TerminationWatcher(QObject* parent)
    : QObject(parent)
{
    if (writeSocket != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_sockets) != 0)
        return;
    writeSocket = m_sockets[0];
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::readPipe);

    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : watchedSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    if (m_notifier) {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        for (int signalNumber : watchedSignals)
            ::sigaction(signalNumber, &action, nullptr);
        writeSocket = -1;
    }
    for (int socket : m_sockets) {
        if (socket != -1)
            ::close(socket);
    }
}

void TerminationWatcher::notify(int signalNumber)
{
    const int savedErrno = errno;
    const int socket = writeSocket;
    if (socket != -1) {
        const char byte = static_cast<char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(socket, &byte, 1);
    }
    errno = savedErrno;
}

void TerminationWatcher::readPipe()
{
    char byte = 0;
    while (::read(m_sockets[1], &byte, 1) == 1)
        emit terminationRequested(static_cast<unsigned char>(byte));
}
