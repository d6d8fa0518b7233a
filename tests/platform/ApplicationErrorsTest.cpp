#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A conversion error escaping a timer or a click reaches the user through the
// application-level handler, and the program goes on.
TEST(ApplicationErrors, ReachTheUserThroughOneHandler)
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(NOTIFY_PROBE), {});
    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()),
              QStringLiteral("Brenvolo|'tre' is not a valid integer value\n"
                             "Brenvolo|'31/02/1999' is not a valid date\n"
                             "still running\n"));
}

} // namespace
