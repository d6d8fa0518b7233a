#pragma once

#include "platform/Sounds.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>

class QSoundEffect;

// Beeps through the function the program gives it (the widget toolkit's
// beep) and plays wave files with QSoundEffect, never waiting for them.
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
    QHash<QString, QSoundEffect*> m_effects;
};
