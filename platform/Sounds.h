#pragma once

#include <QString>

// The system beep and the user's wave files.
class Sounds
{
public:
    virtual ~Sounds() = default;
    virtual void beep() = 0;
    // Starts playing a wave file and returns at once; "N/D" or a missing file plays nothing.
    virtual void play(const QString& file) = 0;
};
