#pragma once

#include <QString>

// One of N slots of a named, process-wide instance count. The holder keeps
// its slot until release() or until its process ends, however it ends.
class InstanceLock
{
public:
    enum class Acquisition
    {
        Acquired,
        TakenByAnother, // every slot is held: another copy runs
        Unavailable     // the lock itself cannot be taken; failure() says why
    };

    virtual ~InstanceLock() = default;
    // Takes a free slot of `name` among `slotCount`.
    virtual Acquisition acquire(const QString& name, int slotCount) = 0;
    virtual void release() = 0;
    virtual bool held() const = 0;
    // After an Unavailable acquire: the lock's path and the system's reason.
    virtual QString failure() const = 0;
};
