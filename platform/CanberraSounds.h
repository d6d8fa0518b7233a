#pragma once

#include "platform/Sounds.h"

#include <QElapsedTimer>
#include <QHash>
#include <cstdint>
#include <functional>

struct ca_context;

// The desktop's event sounds, through libcanberra and the sound server
// (PulseAudio, or PipeWire's PulseAudio service): the beep is the sound
// theme's "bell", kept in the server's sample cache after its first play; a
// wave file is streamed, and a new play of a file cuts the one still
// sounding, so ten plays a second never pile up. Where no sound server can be
// reached the X bell rings instead, and the server is looked for again a few
// seconds later; a wave file that cannot be played is replaced by the beep,
// so that no warning goes unheard.
class CanberraSounds : public Sounds
{
public:
    // `xBell` rings the display's bell.
    explicit CanberraSounds(std::function<void()> xBell);
    ~CanberraSounds() override;
    CanberraSounds(const CanberraSounds&) = delete;
    CanberraSounds& operator=(const CanberraSounds&) = delete;

    void beep() override;
    void play(const QString& file) override;

private:
    ca_context* context();
    int send(std::uint32_t id, const char* property, const QByteArray& value, bool cached);

    std::function<void()> m_xBell;
    ca_context* m_context = nullptr;
    QElapsedTimer m_sinceFailure; // valid once the server could not be reached
    QHash<QByteArray, std::uint32_t> m_fileIds;
};
