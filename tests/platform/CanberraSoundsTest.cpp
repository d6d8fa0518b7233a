#include "platform/CanberraSounds.h"

#include <gtest/gtest.h>

namespace {

// No sound server where the environment names one, and no ALSA device to
// fall back on. (tests/e2e/suoni.py records what reaches a real server.)
class SenzaServer
{
public:
    SenzaServer()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/native");
        qputenv("ALSA_CONFIG_PATH", "/dev/null");
    }
    ~SenzaServer()
    {
        qunsetenv("PULSE_SERVER");
        qunsetenv("ALSA_CONFIG_PATH");
    }
    SenzaServer(const SenzaServer&) = delete;
    SenzaServer& operator=(const SenzaServer&) = delete;
};

TEST(CanberraSounds, WithoutASoundServerEverySoundRingsTheXBell)
{
    const SenzaServer senza;
    int campanelli = 0;
    CanberraSounds sounds([&campanelli] { ++campanelli; });
    for (int i = 0; i < 3; ++i)
        sounds.beep();
    EXPECT_EQ(campanelli, 3);
    sounds.play(QStringLiteral("/tmp/non esiste.wav"));
    EXPECT_EQ(campanelli, 4);
    sounds.play(QStringLiteral("N/D"));
    sounds.play(QString());
    EXPECT_EQ(campanelli, 4);
}

} // namespace
