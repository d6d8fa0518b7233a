#pragma once

#include <QString>

// One of N slots of a named, process-wide instance count. The holder keeps
// its slot until release() or until its process ends, however it ends.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;
    // Takes a free slot of `name` among `slotCount`; false when all are held.
    virtual bool acquire(const QString& name, int slotCount) = 0;
    virtual void release() = 0;
    virtual bool held() const = 0;
};
