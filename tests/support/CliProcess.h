#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

// brenvolo-cli run as a separate process, the way a user runs it.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun cli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(BRENVOLO_CLI), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
