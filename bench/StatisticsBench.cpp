#include "archive/ArchivioLetto.h"
#include "archive/CalcolaConsumi.h"
#include "bench/HeapUsage.h"
#include "reports/AndamentoConsumi.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveGenerator.h"
#include "tests/support/ReferenceConsumi.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <optional>

namespace {

// Twenty years of calls, about eight a day, with the usual band changes,
// midnight crossings, empty lines and old records: about 120,000 lines.
struct TwentyYears
{
    QTemporaryDir dir;
    QString path = ArchivioLetto::attuale(dir.path());
    StatoProgramma stato;
    PricingSettings prezzi;
    QDate ultimo;
    qint64 righe = 0;
    qint64 bytes = 0;

    TwentyYears()
    {
        ArchiveGenerator::Options o;
        o.firstDay = QDate(1990, 1, 1);
        o.days = static_cast<int>(o.firstDay.daysTo(QDate(2010, 1, 1)));
        o.callsPerDay = 8;
        o.emptyLines = 0.02;
        o.oldOpenings = 0.01;
        const QByteArray archivio = ArchiveGenerator::generate(o);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(archivio) != archivio.size())
            qFatal("cannot write the archive");
        righe = archivio.count('\n');
        bytes = archivio.size();
        ultimo = o.firstDay.addDays(o.days - 1);
        MemorySettingsBackend backend;
        SettingsStore store(backend);
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
    }
};

const TwentyYears& archivio()
{
    static const TwentyYears archive;
    return archive;
}

using Pass = ConsumiResult (*)(const QString&, const QDate&, const QDate&, const StatoProgramma&,
                               const PricingSettings&, ConsumiRowSink*);

ConsumiResult onePass(const QString& path, const QDate& dal, const QDate& al, const StatoProgramma& stato,
                      const PricingSettings& prezzi, ConsumiRowSink* righe)
{
    return scanConsumi(path, dal, al, stato, prezzi, righe);
}

ConsumiResult run(Pass pass, qint64 giorni)
{
    const TwentyYears& a = archivio();
    return pass(a.path, a.ultimo.addDays(1 - giorni), a.ultimo, a.stato, a.prezzi, nullptr);
}

// Heap bytes in use at the peak of one pass, above what was in use before it.
double peakKiB(Pass pass, qint64 giorni)
{
    HeapUsage::resetPeak();
    const std::int64_t prima = HeapUsage::current();
    benchmark::DoNotOptimize(run(pass, giorni));
    return static_cast<double>(HeapUsage::peak() - prima) / 1024.0;
}

double seconds(Pass pass, qint64 giorni)
{
    const auto t0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(run(pass, giorni));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void setCounters(benchmark::State& state)
{
    state.counters["lines"] = static_cast<double>(archivio().righe);
    state.counters["file_KiB"] = static_cast<double>(archivio().bytes) / 1024.0;
}

// The statistics pass: the archive read once, whatever the range.
void BM_CalcolaConsumiOnePass(benchmark::State& state)
{
    const qint64 giorni = state.range(0);
    archivio();
    for (auto _ : state)
        benchmark::DoNotOptimize(run(onePass, giorni));
    setCounters(state);
    state.counters["peak_heap_KiB"] = peakKiB(onePass, giorni);
}
BENCHMARK(BM_CalcolaConsumiOnePass)->Arg(1)->Arg(31)->Arg(366)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reading once per day of the range, with the one-pass engine timed in
// the same run for the ratio of the two; the results must agree.
void BM_CalcolaConsumiPerDay(benchmark::State& state)
{
    const qint64 giorni = state.range(0);
    if (!(run(onePass, giorni).totals == run(referenceScanConsumi, giorni).totals)) {
        state.SkipWithError("the one-pass engine and the per-day reading disagree");
        return;
    }
    double veloce = 0;
    constexpr int volte = 20;
    for (int i = 0; i < volte; ++i)
        veloce += seconds(onePass, giorni);
    veloce /= volte;

    double totale = 0;
    for (auto _ : state)
        totale += seconds(referenceScanConsumi, giorni);
    setCounters(state);
    state.counters["one_pass_ms"] = veloce * 1000.0;
    state.counters["ratio"] = totale / static_cast<double>(state.iterations()) / veloce;
    state.counters["peak_heap_KiB"] = peakKiB(referenceScanConsumi, giorni);
}
BENCHMARK(BM_CalcolaConsumiPerDay)->Arg(1)->Arg(31)->Arg(366)->Unit(benchmark::kMillisecond)->UseRealTime();

// Counts the days handed on, holding none of them.
struct CountingSink : ConsumiRowSink
{
    explicit CountingSink(bool ogniGiorno)
        : ogniGiorno(ogniGiorno)
    {
    }
    bool row(const ConsumiDay&) override { return ++giorni > 0; }
    bool wantsEmptyDays() const override { return ogniGiorno; }
    bool finish() override { return true; }
    QString error() const override { return QString(); }
    bool ogniGiorno;
    qint64 giorni = 0;
};

enum class Righe
{
    Nessuna,    // the limits check
    Andamento,  // the statistics window and brenvolo-cli consumi/andamento: the trend's bars
    OgniGiorno, // a sink that asks for every day, as the month export does
};

// One pass over all of the calendar or over the archive's last year; the
// rows it handed on (days, or the trend's bars).
qint64 passata(bool calendario, Righe tipo)
{
    const TwentyYears& a = archivio();
    const QDate dal = calendario ? QDate(1, 1, 1) : a.ultimo.addDays(-365);
    const QDate al = calendario ? QDate(9999, 12, 31) : a.ultimo;
    CountingSink giorni(true);
    std::optional<AndamentoConsumi> andamento;
    ConsumiRowSink* righe = tipo == Righe::OgniGiorno ? &giorni : nullptr;
    if (tipo == Righe::Andamento)
        righe = &andamento.emplace(dal, al, a.ultimo);
    benchmark::DoNotOptimize(scanConsumi(a.path, dal, al, a.stato, a.prezzi, righe));
    return andamento ? andamento->barre().size() : giorni.giorni;
}

// The heap a pass needs over 01/01/0001..31/12/9999 against one year of the
// archive, with the rows its callers ask for: at most the archive's calls and
// the trend's bars are held, never a day of the range that had no call.
void BM_CalcolaConsumiRangeMemory(benchmark::State& state)
{
    const bool calendario = state.range(0) != 0;
    const auto tipo = static_cast<Righe>(state.range(1));
    archivio();
    for (auto _ : state)
        passata(calendario, tipo);
    HeapUsage::resetPeak();
    const std::int64_t prima = HeapUsage::current();
    state.counters["rows"] = static_cast<double>(passata(calendario, tipo));
    state.counters["peak_heap_KiB"] = static_cast<double>(HeapUsage::peak() - prima) / 1024.0;
}
BENCHMARK(BM_CalcolaConsumiRangeMemory)
    ->ArgsProduct({{1, 0}, {0, 1, 2}})
    ->ArgNames({"calendario", "righe"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
