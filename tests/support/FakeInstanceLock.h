#pragma once

#include "platform/InstanceLock.h"

// An instance lock that is always free (or always taken, when `busy`).
class FakeInstanceLock : public InstanceLock
{
public:
    bool acquire(const QString& name, int slotCount) override
    {
        lastName = name;
        lastSlots = slotCount;
        m_held = !busy;
        return m_held;
    }
    void release() override { m_held = false; }
    bool held() const override { return m_held; }

    bool busy = false;
    QString lastName;
    int lastSlots = 0;

private:
    bool m_held = false;
};
