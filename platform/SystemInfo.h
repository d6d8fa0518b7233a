#pragma once

#include <QByteArray>
#include <QString>

// The computer the program runs on, as the about box shows it: memory and
// processor, read from the kernel's /proc/meminfo and /proc/cpuinfo.
struct SystemInfo
{
    static constexpr qint64 unknown = -1;

    qint64 memoriaTotale = unknown;      // bytes of physical memory
    qint64 memoriaDisponibile = unknown; // bytes available to new programs
    QString processore;                  // the processor's name; empty when the system does not say
    int unitaElaborazione = 0;           // logical processors; 0 when unknown

    // Parses the texts of /proc/meminfo and /proc/cpuinfo; whatever they do not hold stays unknown.
    static SystemInfo fromProcTexts(const QByteArray& meminfo, const QByteArray& cpuinfo);
    // Reads <root>/proc/meminfo and <root>/proc/cpuinfo ("/" for this
    // computer); without a processor name there, the architecture's name,
    // and without a processor count, the threads the system reports.
    static SystemInfo read(const QString& root);
};
