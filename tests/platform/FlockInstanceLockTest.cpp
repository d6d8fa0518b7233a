#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

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

} // namespace
