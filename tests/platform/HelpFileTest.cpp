#include "platform/HelpFile.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points $XDG_DATA_DIRS somewhere for the life of the object.
class DataDirs
{
public:
    explicit DataDirs(const QString& dirs)
        : m_saved(qgetenv("XDG_DATA_DIRS"))
    {
        qputenv("XDG_DATA_DIRS", dirs.toLocal8Bit());
    }
    ~DataDirs()
    {
        if (m_saved.isNull())
            qunsetenv("XDG_DATA_DIRS");
        else
            qputenv("XDG_DATA_DIRS", m_saved);
    }

private:
    QByteArray m_saved;
};

void writeGuide(const QString& folder)
{
    QDir().mkpath(folder);
    QFile guide(folder + QStringLiteral("/Brenvolo.html"));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
}

} // namespace

// The build installs the guide where the installed program, in <prefix>/bin, looks for it.
TEST(HelpFile, FoundWhereTheInstalledProgramLooks)
{
    TestDirs dirs;
    QTemporaryDir empty;
    DataDirs dataDirs(empty.path());
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND_PATH),
                  {QStringLiteral("--install"), QStringLiteral(BRENVOLO_BUILD_DIR), QStringLiteral("--prefix"),
                   prefix.path(), QStringLiteral("--component"), QStringLiteral("guida")});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const QString installed = QDir(prefix.path()).filePath(QStringLiteral("share/brenvolo/Brenvolo.html"));
    ASSERT_TRUE(QFile::exists(installed));
    EXPECT_EQ(HelpFile::locate(prefix.filePath(QStringLiteral("bin"))), installed);
}

TEST(HelpFile, FoundNextToTheProgramInTheBuildTree)
{
    TestDirs dirs;
    EXPECT_EQ(HelpFile::locate(QStringLiteral(BRENVOLO_BUILD_DIR)),
              QDir(QStringLiteral(BRENVOLO_BUILD_DIR)).filePath(QStringLiteral("Brenvolo.html")));
}

TEST(HelpFile, FoundInTheDesktopsDataFolders)
{
    TestDirs dirs;
    QTemporaryDir system;
    QTemporaryDir program;
    DataDirs dataDirs(program.path() + QStringLiteral("/nothing:") + system.path());
    writeGuide(system.path() + QStringLiteral("/brenvolo"));
    EXPECT_EQ(HelpFile::locate(program.path()), system.path() + QStringLiteral("/brenvolo/Brenvolo.html"));

    // The user's own data folder comes before the system's.
    writeGuide(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/brenvolo"));
    EXPECT_EQ(HelpFile::locate(program.path()),
              QDir::cleanPath(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/brenvolo/Brenvolo.html")));
}

TEST(HelpFile, NowhereGivesNothing)
{
    TestDirs dirs;
    QTemporaryDir empty;
    DataDirs dataDirs(empty.path());
    QTemporaryDir program;
    if (QFile::exists(QStringLiteral(BRENVOLO_HELP_INSTALLED)))
        GTEST_SKIP() << "the guide is installed on this computer";
    EXPECT_EQ(HelpFile::locate(program.path()), QString());
    EXPECT_EQ(HelpFile::directories(program.path()).first(), program.path());
}
