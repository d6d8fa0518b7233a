// The dial-up poll runs on the user-interface thread twice a second: what one
// poll of each source costs.
#include "platform/PppDialUpSource.h"
#include "platform/ScriptedDialUpSource.h"
#include "platform/Shell.h"
#include "ras/RasTracker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoShell : public Shell
{
public:
    int open(const QString&, ShowMode) override { return NotFound; }
    int run(const QString&, const QStringList&) override { return NotFound; }
    int view(const QString&) override { return NotFound; }
};

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// This machine's own process table and run folder, as the program polls them.
void BM_PppPollOfThisSystem(benchmark::State& state)
{
    NoShell shell;
    PppDialUpSource source(shell, QStringLiteral("/"));
    for (auto _ : state)
        benchmark::DoNotOptimize(source.connections());
}
BENCHMARK(BM_PppPollOfThisSystem)->Unit(benchmark::kMicrosecond);

// A fake tree with one connected pppd among 300 other processes.
void BM_PppPollOneConnection(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (int pid = 1000; pid < 1300; ++pid)
        writeFile(root + QStringLiteral("/proc/%1/comm").arg(pid), "bash\n");
    writeFile(root + QStringLiteral("/proc/4242/comm"), "pppd\n");
    writeFile(root + QStringLiteral("/proc/4242/cmdline"), QByteArray("pppd\0call\0casa\0", 15));
    writeFile(root + QStringLiteral("/run/ppp-casa.pid"), "4242\nppp0\n");
    writeFile(root + QStringLiteral("/sys/class/net/ppp0/flags"), "0x1091\n");
    writeFile(root + QStringLiteral("/etc/ppp/peers/casa"), "/dev/ttyS0\nconnect \"chat '' ATDT0612\"\n");
    NoShell shell;
    PppDialUpSource source(shell, root);
    for (auto _ : state)
        benchmark::DoNotOptimize(source.connections());
}
BENCHMARK(BM_PppPollOneConnection)->Unit(benchmark::kMicrosecond);

// The idle poll of a fake tree of 300 processes and no pppd, once the source knows them.
void BM_PppPollIdle(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (int pid = 1000; pid < 1300; ++pid)
        writeFile(root + QStringLiteral("/proc/%1/comm").arg(pid), "bash\n");
    NoShell shell;
    PppDialUpSource source(shell, root);
    for (auto _ : state)
        benchmark::DoNotOptimize(source.connections());
}
BENCHMARK(BM_PppPollIdle)->Unit(benchmark::kMicrosecond);

void BM_ScriptedPoll(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("connessione.txt"));
    writeFile(file, "# prova\nrubrica;Casa;0612345\nconnessione;Casa;modem;Modem 56k;Connected\n");
    ScriptedDialUpSource source(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(source.connections());
}
BENCHMARK(BM_ScriptedPoll)->Unit(benchmark::kMicrosecond);

void BM_TrackerPoll(benchmark::State& state)
{
    RasTracker tracker;
    tracker.setPhoneBook({{QStringLiteral("Casa"), QStringLiteral("0612345")}});
    const QList<DialUpSource::Connection> connections{
        {QStringLiteral("Casa"), QStringLiteral("modem"), QStringLiteral("Modem"), DialUpSource::Connected}};
    for (auto _ : state)
        benchmark::DoNotOptimize(tracker.poll(connections));
}
BENCHMARK(BM_TrackerPoll);

} // namespace
