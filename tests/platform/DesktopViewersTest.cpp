#include "platform/DesktopViewers.h"
#include "platform/ProcessShell.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

bool scrivi(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The files of a desktop (below the test's own XDG folders) and whether the call archive, a text file, has a viewer.
TEST(DesktopViewers, ATextFileHasAViewerOnlyWhereAnApplicationTakesItsKind)
{
    const struct
    {
        const char* caso;
        std::vector<std::pair<const char*, const char*>> files; // below the test's folder
        bool viewer;
    } cases[] = {
        {"no application", {}, false},
        {"an editor", {{"sys/applications/editor.desktop", "[Desktop Entry]\nMimeType=text/x-c;text/plain;\n"}}, true},
        {"the user's own, in a subfolder",
         {{"xdgdata/applications/org/editor.desktop", "[Desktop Entry]\nMimeType=text/plain\n"}},
         true},
        {"a browser only", {{"sys/applications/browser.desktop", "[Desktop Entry]\nMimeType=text/html;\n"}}, false},
        {"another group's key",
         {{"sys/applications/a.desktop", "[Desktop Entry]\nName=A\n[Desktop Action x]\nMimeType=text/plain\n"}},
         false},
        {"the user's association",
         {{"config/mimeapps.list", "[Default Applications]\ntext/plain=vista.desktop\n"},
          {"sys/applications/vista.desktop", "[Desktop Entry]\nExec=vista %f\n"}},
         true},
        {"an association with an application gone",
         {{"config/mimeapps.list", "[Added Associations]\ntext/plain=via.desktop;\n"}},
         false},
    };
    TestDirs dirs;
    // The system's MIME database, and no application but the case's own.
    QDir(dirs.path()).mkpath(QStringLiteral("sys"));
    QFile::link(QStringLiteral("/usr/share/mime"), dirs.path() + QStringLiteral("/sys/mime"));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dirs.path() + QStringLiteral("/sys")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dirs.path() + QStringLiteral("/etc")));
    const QString archivio = dirs.data() + QStringLiteral("/tqklog.txt");
    ASSERT_TRUE(scrivi(archivio, "06/12/1999 21.30.05 collegamento Aperto  021 \r\n"));
    for (const auto& c : cases) {
        for (const char* folder : {"sys/applications", "xdgdata/applications", "config"})
            QDir(dirs.path() + QLatin1Char('/') + QLatin1String(folder)).removeRecursively();
        for (const auto& [path, text] : c.files)
            ASSERT_TRUE(scrivi(dirs.path() + QLatin1Char('/') + QLatin1String(path), text));
        EXPECT_EQ(DesktopViewers::exists(archivio), c.viewer) << c.caso;
        // Nothing would show the archive: the shell says not found instead of starting xdg-open.
        if (!c.viewer) {
            EXPECT_EQ(ProcessShell().view(archivio), Shell::NotFound) << c.caso;
        }
    }
    qunsetenv("XDG_DATA_DIRS");
    qunsetenv("XDG_CONFIG_DIRS");
}

} // namespace
