#include "platform/ReplacingFile.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The new files are named after their target, so that one left behind says
// what it was for: mar_99.txt.nuovo-AbC123.
const QString marker = QStringLiteral(".nuovo-");

QFileDevice::Permissions usualPermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner},  {S_IWUSR, QFileDevice::WriteOwner}, {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup}, {S_IROTH, QFileDevice::ReadOther},  {S_IWOTH, QFileDevice::WriteOther},
    };
    for (const auto& [bit, flags] : bits) {
        if (mode & bit)
            permissions |= flags;
    }
    return permissions;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ReplacingFile::ReplacingFile(const QString& path)
    : m_path(path)
    , m_file(path + marker + QStringLiteral("XXXXXX"))
{
}

ReplacingFile::~ReplacingFile() = default;

bool ReplacingFile::open()
{
    if (m_file.isOpen())
        return true;
    if (!m_file.open()) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

bool ReplacingFile::commit()
{
    if (!m_file.isOpen())
        return false;
    if (!m_file.flush() || ::fsync(m_file.handle()) != 0) {
        m_error = m_file.error() != QFileDevice::NoError ? m_file.errorString() : systemError();
        cancelWriting();
        return false;
    }
    const QFileInfo target(m_path);
    m_file.setPermissions(target.isFile() && !target.isSymLink() ? target.permissions() : usualPermissions());
    m_file.close();
    // rename() replaces the directory entry itself: a link there is replaced
    // by the new file, and what it pointed to is left alone.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = systemError();
        cancelWriting();
        return false;
    }
    m_file.setAutoRemove(false);
    return true;
}

void ReplacingFile::cancelWriting()
{
    m_file.close();
    m_file.remove();
}

QString ReplacingFile::errorString() const
{
    return m_error.isEmpty() ? m_file.errorString() : m_error;
}

void ReplacingFile::removeLeftovers(const QString& directory, const QDateTime& before)
{
    const QDir dir(directory);
    const QFileInfoList found =
        dir.entryInfoList({QStringLiteral("*") + marker + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : found) {
        if (!file.isSymLink() && file.lastModified() < before)
            QFile::remove(file.filePath());
    }
}
