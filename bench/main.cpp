// Benchmark entry point: a Qt application exists when plots are drawn into images and windows
// are created.
#include <benchmark/benchmark.h>

#ifdef VARLEM_AVEC_QT
#include "plot/qt/registres_evenements.h"

#include <QApplication>
#include <cstdlib>
#endif

int main(int argc, char** argv) {
#ifdef VARLEM_AVEC_QT
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // As the program does: its construction left the vector registers dirty.
    varlem::liberer_registres_a_chaque_evenement(app);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
