#include "meter/CostMeter.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "settings/StatoProgramma.h"

#include <benchmark/benchmark.h>

namespace {

const QDateTime start(QDate(1999, 12, 6), QTime(10, 0));

// A tick inside an interval: the meter's work ten times a second.
void BM_CostMeterTick(benchmark::State& state)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    CostMeter meter(stato, settings, start);
    const qint64 now = start.addSecs(100).toMSecsSinceEpoch();
    for (auto _ : state)
        benchmark::DoNotOptimize(meter.tick(now));
}
BENCHMARK(BM_CostMeterTick);

// A tick on which a unit falls: the interval lookup and the price reductions.
void BM_CostMeterUnit(benchmark::State& state)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    stato.TipoTariffaInternet = 2;
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    CostMeter meter(stato, settings, start);
    QDateTime now = start;
    for (auto _ : state) {
        now = now.addSecs(220);
        benchmark::DoNotOptimize(meter.tick(now));
    }
}
BENCHMARK(BM_CostMeterUnit);

} // namespace
