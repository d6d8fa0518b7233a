#include "compact/BarraCompatta.h"
#include "settings/StatoProgramma.h"

#include <benchmark/benchmark.h>

namespace {

const QDateTime start(QDate(1999, 12, 6), QTime(10, 0));

// The compact strip's tick inside an interval: the meter, the live watch of
// both limits and the texts it shows, ten times a second.
void BM_BarraCompattaTick(benchmark::State& state)
{
    StatoProgramma stato = StatoProgramma::fromFactoryDefaults();
    CostMeter::Settings settings;
    settings.costo = QStringLiteral("152");
    CostMeter meter(stato, settings, start);
    ControlloLimitiInDiretta::Limiti limiti;
    limiti.collegamento = 30 * 600;
    limiti.giornaliero = 60 * 600;
    limiti.anticipo = 100;
    BarraCompatta barra;
    barra.start(start, start, &meter, limiti);
    const QDateTime now = start.addSecs(100);
    for (auto _ : state) {
        const CostMeter::Tick tick = meter.tick(now);
        benchmark::DoNotOptimize(barra.tick(now, meter, tick, 10));
    }
}
BENCHMARK(BM_BarraCompattaTick);

} // namespace
