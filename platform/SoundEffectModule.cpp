// The part of the sound service that needs Qt Multimedia, built as a module
// that QtSounds opens the first time it plays a wave file: the library and
// the audio stack it brings (PulseAudio, codecs, Qt Network) would otherwise
// be loaded and relocated at every start of a program that mostly beeps.
#include <QSoundEffect>
#include <QUrl>

// A sound effect of the wave file `file` (an absolute path), owned by `owner`;
// QtSounds starts it through its play() slot.
extern "C" Q_DECL_EXPORT QObject* brenvoloSoundEffect(QObject* owner, const QString& file)
{
    auto* effect = new QSoundEffect(owner);
    effect->setSource(QUrl::fromLocalFile(file));
    return effect;
}
