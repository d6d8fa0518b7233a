#pragma once

#include "platform/InstanceLock.h"

// An instance lock that is always free (or always taken, when `busy`, or
// unavailable, with `broken` as the reason).
class FakeInstanceLock : public InstanceLock
{
public:
    Acquisition acquire(const QString& name, int slotCount) override
    {
        lastName = name;
        lastSlots = slotCount;
        m_held = !busy && broken.isEmpty();
        if (!broken.isEmpty())
            return Acquisition::Unavailable;
        return m_held ? Acquisition::Acquired : Acquisition::TakenByAnother;
    }
    void release() override { m_held = false; }
    bool held() const override { return m_held; }
    QString failure() const override { return broken; }

    bool busy = false;
    QString broken;
    QString lastName;
    int lastSlots = 0;

private:
    bool m_held = false;
};
