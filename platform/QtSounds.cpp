#include "platform/QtSounds.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <utility>

QtSounds::QtSounds(std::function<void()> beeper)
    : m_beeper(std::move(beeper))
{
}

QtSounds::~QtSounds() = default;

void QtSounds::beep()
{
    if (m_beeper)
        m_beeper();
}

void QtSounds::play(const QString& file)
{
    if (file == QLatin1String("N/D") || !QFileInfo::exists(file))
        return;
    QSoundEffect*& effect = m_effects[file];
    if (!effect) {
        effect = new QSoundEffect(&m_owner);
        effect->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    }
    effect->play();
}
