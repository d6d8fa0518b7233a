#include "platform/FlockInstanceLock.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <utility>

FlockInstanceLock::FlockInstanceLock(QString directory)
    : m_directory(std::move(directory))
{
}

FlockInstanceLock::~FlockInstanceLock()
{
    release();
}

bool FlockInstanceLock::acquire(const QString& name, int slotCount)
{
    release();
    const QByteArray path = QFile::encodeName(m_directory + QLatin1Char('/') + name);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    for (int slot = 0; slot < slotCount; ++slot) {
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = slot;
        lock.l_len = 1;
        // Open-file-description locks: two holders in one process exclude each other too.
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            m_fd = fd;
            return true;
        }
    }
    ::close(fd);
    return false;
}

void FlockInstanceLock::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
