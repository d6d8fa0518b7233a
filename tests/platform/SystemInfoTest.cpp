#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QByteArray meminfo = "MemTotal:       16318836 kB\n"
                           "MemFree:         1048576 kB\n"
                           "MemAvailable:    8159418 kB\n"
                           "Buffers:          524288 kB\n";

struct CpuCase
{
    const char* architecture;
    QByteArray cpuinfo;
    const char* processore;
    int unita;
};

const CpuCase cpuCases[] = {
    {"x86",
     "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n\n"
     "processor\t: 1\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n",
     "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", 2},
    {"arm64 without a name",
     "processor\t: 0\nBogoMIPS\t: 48.00\nCPU implementer\t: 0x41\n\nprocessor\t: 1\nBogoMIPS\t: 48.00\n", "", 2},
    {"old arm", "Processor\t: ARMv7 Processor rev 4 (v7l)\nprocessor\t: 0\nHardware\t: BCM2835\n",
     "ARMv7 Processor rev 4 (v7l)", 1},
    {"board",
     "processor\t: 0\nprocessor\t: 1\nprocessor\t: 2\nprocessor\t: 3\nHardware\t: BCM2835\n"
     "Model\t\t: Raspberry Pi 4 Model B Rev 1.4\n",
     "BCM2835", 4},
    {"power", "processor\t: 0\ncpu\t\t: POWER9 (architected), altivec supported\n",
     "POWER9 (architected), altivec supported", 1},
    {"empty", "", "", 0},
};

} // namespace

TEST(SystemInfo, ProcessorNameAndCountOfEachArchitecture)
{
    for (const CpuCase& c : cpuCases) {
        const SystemInfo info = SystemInfo::fromProcTexts(meminfo, c.cpuinfo);
        EXPECT_EQ(info.processore, QString::fromUtf8(c.processore)) << c.architecture;
        EXPECT_EQ(info.unitaElaborazione, c.unita) << c.architecture;
    }
}

TEST(SystemInfo, MemoryInBytes)
{
    const SystemInfo info = SystemInfo::fromProcTexts(meminfo, {});
    EXPECT_EQ(info.memoriaTotale, Q_INT64_C(16318836) * 1024);
    EXPECT_EQ(info.memoriaDisponibile, Q_INT64_C(8159418) * 1024);
}

TEST(SystemInfo, MemoryTheKernelDoesNotReportStaysUnknown)
{
    const struct
    {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"nothing", ""},
        {"an old kernel without MemAvailable", "MemTotal: 4096 kB\nMemFree: 1024 kB\n"},
        {"not a number", "MemTotal: molta kB\nMemAvailable: -5 kB\n"},
        {"another unit", "MemTotal: 4 GB\n"},
    };
    for (const auto& c : cases) {
        const SystemInfo info = SystemInfo::fromProcTexts(c.text, {});
        EXPECT_EQ(info.memoriaDisponibile, SystemInfo::unknown) << c.what;
    }
    EXPECT_EQ(SystemInfo::fromProcTexts("MemTotal: 4096 kB\n", {}).memoriaTotale, 4096 * 1024);
    EXPECT_EQ(SystemInfo::fromProcTexts("MemTotal: 4 GB\n", {}).memoriaTotale, SystemInfo::unknown);
}

TEST(SystemInfo, ReadsTheFilesBelowARoot)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("proc"));
    QFile mem(root.filePath(QStringLiteral("proc/meminfo")));
    ASSERT_TRUE(mem.open(QIODevice::WriteOnly));
    mem.write(meminfo);
    mem.close();
    QFile cpu(root.filePath(QStringLiteral("proc/cpuinfo")));
    ASSERT_TRUE(cpu.open(QIODevice::WriteOnly));
    cpu.write(cpuCases[0].cpuinfo);
    cpu.close();

    const SystemInfo info = SystemInfo::read(root.path());
    EXPECT_EQ(info.memoriaTotale, Q_INT64_C(16318836) * 1024);
    EXPECT_EQ(info.processore, QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    EXPECT_EQ(info.unitaElaborazione, 2);
}

TEST(SystemInfo, WithoutTheFilesTheArchitectureAndThreadCountStandIn)
{
    QTemporaryDir root;
    const SystemInfo info = SystemInfo::read(root.path());
    EXPECT_EQ(info.memoriaTotale, SystemInfo::unknown);
    EXPECT_EQ(info.processore, QSysInfo::currentCpuArchitecture());
    EXPECT_EQ(info.unitaElaborazione, QThread::idealThreadCount());
}
