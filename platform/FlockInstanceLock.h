#pragma once

#include "platform/InstanceLock.h"

// Instance slots as byte-range locks of one file in the runtime directory,
// "<dir>/<name>": slot i is byte i. The kernel drops a dead process's locks,
// so a killed instance never blocks the next start. Anything at that name
// that is not a regular file (a folder, a pipe, a link) makes the lock
// unavailable rather than taken.
class FlockInstanceLock : public InstanceLock
{
public:
    explicit FlockInstanceLock(QString directory);
    ~FlockInstanceLock() override;

    Acquisition acquire(const QString& name, int slotCount) override;
    void release() override;
    bool held() const override { return m_fd >= 0; }
    QString failure() const override { return m_failure; }

private:
    Acquisition unavailable(int fd, const QString& path, const QString& reason);

    QString m_directory;
    int m_fd = -1;
    QString m_failure;
};
