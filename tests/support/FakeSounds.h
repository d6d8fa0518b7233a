#pragma once

#include "platform/Sounds.h"

#include <QStringList>

// Counts beeps and records the files played.
class FakeSounds : public Sounds
{
public:
    void beep() override { ++beeps; }
    void play(const QString& file) override { played.append(file); }

    int beeps = 0;
    QStringList played;
};
