#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    // The kernel's files report a size of 0: read until their end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "MemTotal:       16318836 kB" -> bytes; unknown when absent or unreadable.
qint64 memoryField(const QList<QByteArray>& lines, const QByteArray& name)
{
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed() != name)
            continue;
        const QList<QByteArray> parts = line.mid(colon + 1).simplified().split(' ');
        bool ok = false;
        const qint64 value = parts.value(0).toLongLong(&ok);
        if (!ok || value < 0)
            return SystemInfo::unknown;
        const QByteArray unit = parts.value(1).toLower();
        if (unit == "kb")
            return value * 1024;
        return unit.isEmpty() ? value : SystemInfo::unknown;
    }
    return SystemInfo::unknown;
}

} // namespace

SystemInfo SystemInfo::fromProcTexts(const QByteArray& meminfo, const QByteArray& cpuinfo)
{
    SystemInfo info;
    const QList<QByteArray> memoryLines = meminfo.split('\n');
    info.memoriaTotale = memoryField(memoryLines, "MemTotal");
    info.memoriaDisponibile = memoryField(memoryLines, "MemAvailable");

    // Each architecture names its processor under its own key: x86 "model
    // name", older ARM "Processor", MIPS "cpu model", POWER "cpu", boards
    // "Hardware" or "Model". The first key in this order that is present wins.
    const QList<QByteArray> nameKeys = {"model name", "Processor", "cpu model", "cpu", "Hardware", "Model"};
    int best = static_cast<int>(nameKeys.size());
    for (const QByteArray& line : cpuinfo.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).simplified();
        if (key == "processor") {
            ++info.unitaElaborazione;
            continue;
        }
        const int rank = static_cast<int>(nameKeys.indexOf(key));
        if (rank >= 0 && rank < best && !value.isEmpty()) {
            best = rank;
            info.processore = QString::fromUtf8(value);
        }
    }
    return info;
}

SystemInfo SystemInfo::read(const QString& root)
{
    const QDir proc(QDir(root).filePath(QStringLiteral("proc")));
    SystemInfo info = fromProcTexts(readAll(proc.filePath(QStringLiteral("meminfo"))),
                                    readAll(proc.filePath(QStringLiteral("cpuinfo"))));
    if (info.processore.isEmpty())
        info.processore = QSysInfo::currentCpuArchitecture();
    if (info.unitaElaborazione == 0)
        info.unitaElaborazione = std::max(0, QThread::idealThreadCount());
    return info;
}
