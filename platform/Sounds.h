#pragma once

#include <QString>

// The system beep and the user's wave files, heard at every call.
class Sounds
{
public:
    virtual ~Sounds() = default;
    virtual void beep() = 0;
    // Starts playing a wave file and returns at once; "N/D" or no name plays
    // nothing, a file that cannot be played beeps instead.
    virtual void play(const QString& file) = 0;
};
