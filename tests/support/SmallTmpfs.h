#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <sys/mount.h>
#include <unistd.h>

// A 64 KiB tmpfs mounted on a directory for one test, so that a full disk is
// a real one. Mounting needs root: elsewhere mounted() is false and the test skips.
class SmallTmpfs
{
public:
    explicit SmallTmpfs(const QString& path)
    {
        QDir().mkpath(path);
        const QByteArray target = QFile::encodeName(path);
        if (geteuid() == 0 && ::mount("tmpfs", target.constData(), "tmpfs", 0, "size=64k,mode=0700") == 0)
            m_path = target;
    }
    ~SmallTmpfs()
    {
        if (!m_path.isEmpty())
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return !m_path.isEmpty(); }

    // Takes every free block with one file; true when the disk is full.
    bool fill() const
    {
        QFile filler(QFile::decodeName(m_path) + QStringLiteral("/riempitivo"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }

private:
    QByteArray m_path;
};
