#include "platform/FlockInstanceLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

FlockInstanceLock::FlockInstanceLock(QString directory)
    : m_directory(std::move(directory))
{
}

FlockInstanceLock::~FlockInstanceLock()
{
    release();
}

InstanceLock::Acquisition FlockInstanceLock::unavailable(int fd, const QString& path, const QString& reason)
{
    if (fd >= 0)
        ::close(fd);
    m_failure = QStringLiteral("%1: %2").arg(path, reason);
    return Acquisition::Unavailable;
}

InstanceLock::Acquisition FlockInstanceLock::acquire(const QString& name, int slotCount)
{
    release();
    m_failure.clear();
    const QString path = m_directory + QLatin1Char('/') + name;
    // Never opened through a link, and never waiting on a pipe.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return unavailable(fd, path, systemError());
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        return unavailable(fd, path, systemError());
    if (!S_ISREG(info.st_mode))
        return unavailable(fd, path, QStringLiteral("non è un file"));
    for (int slot = 0; slot < slotCount; ++slot) {
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = slot;
        lock.l_len = 1;
        // Open-file-description locks: two holders in one process exclude each other too.
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            m_fd = fd;
            return Acquisition::Acquired;
        }
        if (errno != EAGAIN && errno != EACCES)
            return unavailable(fd, path, systemError());
    }
    ::close(fd);
    return Acquisition::TakenByAnother;
}

void FlockInstanceLock::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
