#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// A private temporary tree for one test: XDG_CONFIG_HOME, XDG_DATA_HOME and
// BRENVOLO_DIR point into it until the object goes, so no test touches the
// user's real files.
class TestDirs
{
public:
    TestDirs();
    ~TestDirs();
    TestDirs(const TestDirs&) = delete;
    TestDirs& operator=(const TestDirs&) = delete;

    QString path() const { return m_dir.path(); }
    QString config() const { return m_dir.path() + QStringLiteral("/config"); }
    QString data() const { return m_dir.path() + QStringLiteral("/data"); }
    QString settingsDirectory() const { return config() + QStringLiteral("/Brenvolo"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[4];
};
