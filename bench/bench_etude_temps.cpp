// Speed of the time study: computing the step responses of a full system and drawing them.
#ifdef VARLEM_AVEC_QT
#include "analysis/temps.h"
#include "document/systeme.h"
#include "plot/qt/copie_vectorielle.h"
#include "settings/reglages.h"
#include "studies/trace_temporel.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <memory>

namespace varlem {
namespace {

void BM_etude_temporelle(benchmark::State& etat) {
    auto sys = banc::systeme_8_fonctions();
    if (!sys) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    reglages reg;
    sys->etudes.temps_ouverte = true;
    sys->etudes.etude_temps_choisie = entree_temps::echelon;
    reg.temps.nb_points = 580;

    for (auto _ : etat) {
        calculer_reponse_temps(reg.temps, true, *sys, reg);
        const QImage image = dessiner_image(
            1200, 800, [&](surface& s) { tracer_temporel(s, reg.temps, *sys, reg); });
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_etude_temporelle)->Name("etude/temporelle_8_fonctions")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
#endif
