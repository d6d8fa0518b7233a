#include "archive/ArchivioLetto.h"
#include "archive/CalcolaConsumi.h"
#include "bench/HeapUsage.h"
#include "platform/IniSettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveGenerator.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

namespace {

// Files of 200 MB the statistics pass may be pointed at, written once for
// the benchmark that reads them and removed after it.
constexpr qint64 megabyte = 1024 * 1024;
constexpr qint64 dimensione = 200 * megabyte;

struct HostileFile
{
    QTemporaryDir dir;
    QString path = ArchivioLetto::attuale(dir.path());

    // Writes `block` over and over up to `size` bytes.
    HostileFile(const std::function<QByteArray()>& block, qint64 size)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the archive");
        const QByteArray bytes = block();
        for (qint64 written = 0; written < size; written += bytes.size()) {
            if (file.write(bytes) != bytes.size())
                qFatal("cannot write the archive");
        }
    }
};

// Twenty years of calls, written again and again: every call of the range counts many times over.
QByteArray calls()
{
    ArchiveGenerator::Options o;
    o.firstDay = QDate(1990, 1, 1);
    o.days = static_cast<int>(o.firstDay.daysTo(QDate(2010, 1, 1)));
    o.emptyLines = 0.02;
    o.junkLines = 0.01;
    return ArchiveGenerator::generate(o);
}

QByteArray randomBytes()
{
    QByteArray bytes(megabyte, Qt::Uninitialized);
    QRandomGenerator random(200);
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    return bytes;
}

void pass(benchmark::State& state, const std::function<QByteArray()>& block, qint64 size)
{
    const HostileFile file(block, size);
    const StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    const QDate dal(2009, 1, 1);
    const QDate al(2009, 12, 31);
    ConsumiResult r;
    std::int64_t peak = 0;
    for (auto _ : state) {
        HeapUsage::resetPeak();
        const std::int64_t before = HeapUsage::current();
        r = scanConsumi(file.path, dal, al, stato, PricingSettings());
        peak = std::max(peak, HeapUsage::peak() - before);
    }
    if (r.outcome != ConsumiResult::Outcome::Done && r.outcome != ConsumiResult::Outcome::MissingClosure)
        state.SkipWithError(r.message.toLocal8Bit().constData());
    const qint64 bytes = QFileInfo(file.path).size();
    state.counters["file_MiB"] = static_cast<double>(bytes) / static_cast<double>(megabyte);
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
    state.counters["calls"] = r.totals.collegamenti;
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_HostileArchive200MiBOfCalls(benchmark::State& state)
{
    pass(state, calls, dimensione);
}
BENCHMARK(BM_HostileArchive200MiBOfCalls)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostileArchive200MiBWithoutLineEnd(benchmark::State& state)
{
    pass(
        state, [] { return QByteArray(megabyte, 'x'); }, dimensione);
}
BENCHMARK(BM_HostileArchive200MiBWithoutLineEnd)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostileArchive200MiBOfNul(benchmark::State& state)
{
    pass(
        state, [] { return QByteArray(megabyte, '\0'); }, dimensione);
}
BENCHMARK(BM_HostileArchive200MiBOfNul)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostileArchive200MiBOfRandomBytes(benchmark::State& state)
{
    pass(state, randomBytes, dimensione);
}
BENCHMARK(BM_HostileArchive200MiBOfRandomBytes)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HostileArchive10MiBLine(benchmark::State& state)
{
    pass(
        state, [] { return calls() + QByteArray(10 * megabyte, 'x'); }, 1);
}
BENCHMARK(BM_HostileArchive10MiBLine)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program's start-up snapshot of its settings when Software.ini holds
// thousands of sections besides its own: every value is looked up by name.
void BM_HostileSettingsSections(benchmark::State& state)
{
    const QTemporaryDir dir;
    {
        IniSettingsBackend backend(dir.path());
        SettingsStore(backend).writeFirstRunDefaults(220);
    }
    QFile file(dir.filePath(QStringLiteral("Software.ini")));
    if (!file.open(QIODevice::Append))
        qFatal("cannot write the settings");
    for (qint64 i = 0; i < state.range(0); ++i)
        file.write("[sezione" + QByteArray::number(i) + "]\nvalore=" + QByteArray::number(i) + "\n");
    file.close();

    IniSettingsBackend backend(dir.path());
    const SettingsStore store(backend);
    StatoProgramma stato;
    for (auto _ : state)
        stato.fromStore(store);
    if (stato.feriali != StatoProgramma::fromFactoryDefaults().feriali)
        state.SkipWithError("the bands were not read");
    state.counters["file_MiB"] = static_cast<double>(file.size()) / static_cast<double>(megabyte);
}
BENCHMARK(BM_HostileSettingsSections)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
