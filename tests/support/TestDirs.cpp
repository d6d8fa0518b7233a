#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>

namespace {
const char* const variables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "BRENVOLO_DIR", "XDG_RUNTIME_DIR"};
}

TestDirs::TestDirs()
{
    for (int i = 0; i < 4; ++i)
        m_saved[i] = qgetenv(variables[i]);
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("run"));
    // A runtime directory others may enter is refused (the shared fallback
    // would put every test's instance lock in one place).
    QFile::setPermissions(m_dir.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", config().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/xdgdata")).toLocal8Bit());
    qputenv("BRENVOLO_DIR", data().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (m_dir.path() + QStringLiteral("/run")).toLocal8Bit());
}

TestDirs::~TestDirs()
{
    for (int i = 0; i < 4; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(variables[i]);
        else
            qputenv(variables[i], m_saved[i]);
    }
}
