// Benchmarks of the application's windows, offscreen.
#ifdef VARLEM_AVEC_QT
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/plateforme_qt.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Start-up: every window created in order, then the main window shown and painted once.
void demarrage(benchmark::State& etat) {
    varlem::plateforme_qt plateforme;
    for (auto _ : etat) {
        auto app = std::make_unique<varlem::application_varlem>(plateforme);
        app->principale().show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(app.get());
        etat.PauseTiming();
        app.reset();
        QApplication::processEvents();
        etat.ResumeTiming();
    }
}
BENCHMARK(demarrage)->Name("ihm/demarrage")->Unit(benchmark::kMillisecond);

} // namespace
#endif
