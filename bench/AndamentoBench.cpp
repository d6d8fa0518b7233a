#include "archive/ArchivioLetto.h"
#include "archive/CalcolaConsumi.h"
#include "bench/HeapUsage.h"
#include "reports/AndamentoConsumi.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/ArchiveGenerator.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// Twenty years of calls, about eight a day: what the trend page adds to the
// statistics window's pass over ranges of a month, a year and all of it.
struct VentiAnni
{
    QTemporaryDir dir;
    QString path = ArchivioLetto::attuale(dir.path());
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    StatoProgramma stato;
    QDate ultimo;

    VentiAnni()
    {
        ArchiveGenerator::Options o;
        o.firstDay = QDate(1990, 1, 1);
        o.days = static_cast<int>(o.firstDay.daysTo(QDate(2010, 1, 1)));
        if (!ArchiveGenerator::write(path, o))
            qFatal("cannot write the archive");
        ultimo = o.firstDay.addDays(o.days - 1);
        store.writeFirstRunDefaults(220);
        stato.fromStore(store);
    }
};

VentiAnni& archivio()
{
    static VentiAnni archive;
    return archive;
}

// The window's pass over the last `giorni` days, its days handed to the trend when `conAndamento`.
void passata(qint64 giorni, bool conAndamento)
{
    VentiAnni& a = archivio();
    const QDate dal = a.ultimo.addDays(1 - giorni);
    AndamentoConsumi andamento(dal, a.ultimo, a.ultimo);
    ConsumiHooks hooks;
    if (conAndamento)
        hooks.righe = &andamento;
    benchmark::DoNotOptimize(calcolaConsumi(a.path, ConsumiMode::Statistics, dal, a.ultimo, a.stato, a.store, hooks));
    benchmark::DoNotOptimize(andamento.proiezione(600));
}

void BM_StatisticheConAndamento(benchmark::State& state)
{
    const qint64 giorni = state.range(0);
    const bool conAndamento = state.range(1) != 0;
    archivio();
    for (auto _ : state)
        passata(giorni, conAndamento);
    HeapUsage::resetPeak();
    const std::int64_t prima = HeapUsage::current();
    passata(giorni, conAndamento);
    state.counters["peak_heap_KiB"] = static_cast<double>(HeapUsage::peak() - prima) / 1024.0;
}
BENCHMARK(BM_StatisticheConAndamento)
    ->ArgsProduct({{31, 366, 7305}, {0, 1}})
    ->ArgNames({"giorni", "andamento"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
