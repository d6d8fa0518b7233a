#include "tests/fuzz/FuzzSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/brenvolo-fuzz-XXXXXX"));
    if (!dir.isValid())
        FuzzSupport::fail(QStringLiteral("no temporary directory: %1").arg(dir.errorString()));
    return dir;
}

} // namespace

namespace FuzzSupport {

void initialize(int* argc, char*** argv)
{
    setenv("TZ", "Europe/Rome", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    static const auto app = std::make_unique<QCoreApplication>(*argc, *argv);
    scratch();
}

QList<QByteArray> parts(const std::uint8_t* data, std::size_t size, qsizetype count)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> result;
    qsizetype from = 0;
    while (result.size() + 1 < count) {
        const qsizetype at = input.indexOf('\f', from);
        if (at < 0)
            break;
        result.append(input.mid(from, at - from));
        from = at + 1;
    }
    result.append(input.mid(from));
    while (result.size() < count)
        result.append(QByteArray());
    return result;
}

QString freshDirectory()
{
    // Always the same path: Qt keeps what it read of a settings file by its
    // path, and a new path for every input would grow that cache for ever.
    const QString path = QDir(scratch().path()).filePath(QStringLiteral("input"));
    QDir(path).removeRecursively();
    if (!QDir().mkpath(path))
        fail(QStringLiteral("cannot make %1").arg(path));
    return path;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    // Each file gets a modification time of its own, so that no cache by
    // path, size and time takes it for the previous input's file.
    static qint64 stamp = 1000000000;
    QFileInfo(path).dir().mkpath(QStringLiteral("."));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp), QFileDevice::FileModificationTime))
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

void fail(const QString& what)
{
    std::fprintf(stderr, "FUZZ FINDING: %s\n", what.toLocal8Bit().constData());
    std::abort();
}

} // namespace FuzzSupport
