#pragma once

#include "platform/InstanceLock.h"

// Instance slots as byte-range locks of one file in the runtime directory,
// "<dir>/<name>": slot i is byte i. The kernel drops a dead process's locks,
// so a killed instance never blocks the next start.
class FlockInstanceLock : public InstanceLock
{
public:
    explicit FlockInstanceLock(QString directory);
    ~FlockInstanceLock() override;

    bool acquire(const QString& name, int slotCount) override;
    void release() override;
    bool held() const override { return m_fd >= 0; }

private:
    QString m_directory;
    int m_fd = -1;
};
