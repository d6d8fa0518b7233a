#include "platform/CanberraSounds.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A sound server of the test's own: PulseAudio with a null sink, on a socket
// in a temporary folder, nothing of the user's touched.
class SoundServer
{
public:
    SoundServer()
    {
        const QString config = m_dir.filePath(QStringLiteral("server.pa"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write("load-module module-native-protocol-unix auth-anonymous=1\n"
                                                           "load-module module-null-sink sink_name=registrazione\n"
                                                           "set-default-sink registrazione\n") < 0)
            return;
        file.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        m_server.setProcessEnvironment(env);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(QStringLiteral("pulseaudio"),
                       {QStringLiteral("-n"), QStringLiteral("-F"), config, QStringLiteral("--daemonize=no"),
                        QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disable-shm=yes"),
                        QStringLiteral("--log-level=error")});
        const QString socket = m_dir.filePath(QStringLiteral("pulse/native"));
        for (QDeadlineTimer limit(10000); !limit.hasExpired() && m_server.state() != QProcess::NotRunning;) {
            if (QFile::exists(socket) && pactl({QStringLiteral("info")}).contains("registrazione")) {
                m_address = QStringLiteral("unix:") + socket;
                return;
            }
            QThread::msleep(20);
        }
    }
    ~SoundServer() { stop(); }

    // Where clients find it; empty when it could not start.
    QString address() const { return m_address; }

    QByteArray pactl(const QStringList& arguments) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"),
                   QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("pulse/native")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("pactl"), arguments);
        p.waitForFinished(10000);
        return p.readAllStandardOutput();
    }

    void stop()
    {
        m_server.terminate();
        m_server.waitForFinished(10000);
    }

    QTemporaryDir m_dir;

private:
    QProcess m_server;
    QString m_address;
};

// The sound service reaches for the server the environment names; no backend
// can be opened elsewhere (no ALSA devices).
class Ambiente
{
public:
    explicit Ambiente(const QString& server)
    {
        qputenv("PULSE_SERVER", server.isEmpty() ? QByteArray("unix:/nonexistent/native") : server.toUtf8());
        qputenv("ALSA_CONFIG_PATH", "/dev/null");
    }
    ~Ambiente()
    {
        qunsetenv("PULSE_SERVER");
        qunsetenv("ALSA_CONFIG_PATH");
    }
    Ambiente(const Ambiente&) = delete;
    Ambiente& operator=(const Ambiente&) = delete;
};

// A second of a 660 Hz tone.
QString tono(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("fine scatto.wav"));
    QByteArray pcm;
    for (int i = 0; i < 8000; ++i)
        pcm.append(i % 12 < 6 ? "\x00\x30" : "\x00\xd0", 2);
    QByteArray wav = "RIFF" + QByteArray(4, 0) + "WAVEfmt " +
                     QByteArray("\x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0", 20) + "data" +
                     QByteArray(4, 0) + pcm;
    const auto le32 = [&wav](int at, quint32 v) {
        for (int b = 0; b < 4; ++b)
            wav[at + b] = static_cast<char>((v >> (8 * b)) & 0xff);
    };
    le32(4, static_cast<quint32>(wav.size() - 8));
    le32(40, static_cast<quint32>(pcm.size()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size() ? path : QString();
}

TEST(CanberraSounds, WithoutASoundServerEverySoundRingsTheXBell)
{
    const Ambiente ambiente{QString()};
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

TEST(CanberraSounds, EverySoundReachesTheServerAndAFileReplacesItsLastPlay)
{
    SoundServer server;
    if (server.address().isEmpty())
        GTEST_SKIP() << "pulseaudio cannot start on this machine";
    const Ambiente ambiente(server.address());
    const QString file = tono(server.m_dir);
    ASSERT_FALSE(file.isEmpty());
    int campanelli = 0;
    CanberraSounds sounds([&campanelli] { ++campanelli; });
    for (int i = 0; i < 5; ++i)
        sounds.beep();
    sounds.play(file);
    sounds.play(file);
    sounds.play(server.m_dir.filePath(QStringLiteral("non esiste.wav"))); // the beep in its place
    EXPECT_EQ(campanelli, 0);
    // One second of the tone sounds, the first play cut by the second; the
    // theme's bell went to the server's cache.
    const QByteArray suoni = server.pactl({QStringLiteral("list"), QStringLiteral("sink-inputs")});
    EXPECT_EQ(suoni.count("media.filename = \"" + file.toUtf8()), 1) << suoni.constData();
    EXPECT_TRUE(
        server.pactl({QStringLiteral("list"), QStringLiteral("samples"), QStringLiteral("short")}).contains("bell"));

    // The server goes: the X bell rings in its place.
    server.stop();
    sounds.beep();
    sounds.play(file);
    EXPECT_EQ(campanelli, 2);
}

} // namespace
