#include "platform/FlockInstanceLock.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

// One run of the probe: "ok" and holding its slot, or "refused" and ended.
std::unique_ptr<QProcess> startProbe()
{
    auto probe = std::make_unique<QProcess>();
    probe->start(QStringLiteral(GUARD_PROBE), {});
    probe->waitForStarted();
    probe->waitForReadyRead(20000);
    return probe;
}

QByteArray answer(QProcess& probe)
{
    return probe.readLine().trimmed();
}

TEST(InstanceGuardProcesses, SecondCopyRefusedUntilTheFirstEndsOrDies)
{
    TestDirs dirs;

    auto first = startProbe();
    ASSERT_EQ(answer(*first), "ok");

    auto second = startProbe();
    EXPECT_EQ(answer(*second), "refused");
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 3) << "the refused copy must end when its event loop starts";

    // The first copy is untouched: still running, still holding the slot.
    EXPECT_EQ(first->state(), QProcess::Running);
    auto third = startProbe();
    EXPECT_EQ(answer(*third), "refused");
    third->waitForFinished(20000);

    // Ends normally: a new copy starts.
    first->closeWriteChannel();
    ASSERT_TRUE(first->waitForFinished(20000));
    auto fourth = startProbe();
    ASSERT_EQ(answer(*fourth), "ok");

    // Killed: a new copy starts all the same.
    fourth->kill();
    ASSERT_TRUE(fourth->waitForFinished(20000));
    auto fifth = startProbe();
    EXPECT_EQ(answer(*fifth), "ok");
    fifth->closeWriteChannel();
    fifth->waitForFinished(20000);
}

// A second start of the program while one runs ends at once: no settings
// written, no archive created, nothing dialled or shown.
TEST(InstanceGuardProcesses, RefusedProgramDoesNothing)
{
    TestDirs dirs;
    auto first = startProbe();
    ASSERT_EQ(answer(*first), "ok");

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("BRENVOLO_DIALUP_SCRIPT"), dirs.path() + QStringLiteral("/script.txt"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(BRENVOLO_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QDir(dirs.settingsDirectory()).exists());
    EXPECT_FALSE(QFile::exists(dirs.data() + QStringLiteral("/tqklog.txt")));

    first->closeWriteChannel();
    first->waitForFinished(20000);
}

// What stands at the lock's name decides: a free file is taken, a held one
// is another copy's, and anything that is no regular file makes the lock
// unavailable, with its path, instead of passing for another copy.
TEST(FlockInstanceLock, TellsAnotherCopyFromALockThatCannotBeTaken)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString& path)> plant;
        InstanceLock::Acquisition expected;
    };
    const Case cases[] = {
        {"free", [](const QString&) {}, InstanceLock::Acquisition::Acquired},
        {"folder", [](const QString& path) { QDir().mkpath(path); }, InstanceLock::Acquisition::Unavailable},
        {"fifo", [](const QString& path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); },
         InstanceLock::Acquisition::Unavailable},
        {"link", [](const QString& path) { QFile::link(path + QStringLiteral(".altrove"), path); },
         InstanceLock::Acquisition::Unavailable},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Drenquil.CloneControl.brenvolo"));
        c.plant(path);
        FlockInstanceLock lock(dir.path());
        EXPECT_EQ(lock.acquire(QStringLiteral("Drenquil.CloneControl.brenvolo"), 1), c.expected) << c.name;
        if (c.expected == InstanceLock::Acquisition::Unavailable)
            EXPECT_TRUE(lock.failure().startsWith(path)) << c.name << ": " << lock.failure().toStdString();
        else
            EXPECT_EQ(FlockInstanceLock(dir.path()).acquire(QStringLiteral("Drenquil.CloneControl.brenvolo"), 1),
                      InstanceLock::Acquisition::TakenByAnother);
    }
}

} // namespace
