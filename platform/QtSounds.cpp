#include "platform/QtSounds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QMetaObject>
#include <utility>

namespace {

using CreateEffect = QObject* (*)(QObject* owner, const QString& file);

// The module with Qt Multimedia (SoundEffectModule.cpp): beside the program in
// the build tree, in the program's own library folder once installed.
CreateEffect createEffect()
{
    static const CreateEffect function = []() -> CreateEffect {
        for (const QString& folder : {QCoreApplication::applicationDirPath(), QStringLiteral(BRENVOLO_MODULE_DIR)}) {
            QLibrary module(folder + QStringLiteral("/brenvolo_sound_effects"));
            if (const QFunctionPointer found = module.resolve("brenvoloSoundEffect"))
                return reinterpret_cast<CreateEffect>(found);
        }
        qWarning("brenvolo: the sound effects module cannot be loaded: wave files are not played");
        return nullptr;
    }();
    return function;
}

} // namespace

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
    QObject*& effect = m_effects[file];
    if (!effect) {
        const CreateEffect create = createEffect();
        if (!create)
            return;
        effect = create(&m_owner, QFileInfo(file).absoluteFilePath());
    }
    QMetaObject::invokeMethod(effect, "play");
}
