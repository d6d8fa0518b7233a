#pragma once

#include "platform/Sounds.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

// Beeps through the function the program gives it (the widget toolkit's
// beep) and plays wave files with QSoundEffect, never waiting for them. Qt
// Multimedia is loaded, from a module, only when a wave file is first played.
class QtSounds : public Sounds
{
public:
    explicit QtSounds(std::function<void()> beeper);
    ~QtSounds() override;

    void beep() override;
    void play(const QString& file) override;

private:
    std::function<void()> m_beeper;
    QObject m_owner;
    QHash<QString, QObject*> m_effects; // the sound effect of each file, once made
};
