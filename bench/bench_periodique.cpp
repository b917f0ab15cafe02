// Speed of the responses to a periodic square input (the convolution of the time study).
#include "analysis/periodique.h"
#include "analysis/pipeline.h"
#include "document/systeme.h"
#include "plot/echelles.h"
#include "settings/edition_reglages.h"
#include "settings/reglages.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace varlem {
namespace {

// The square input over the interval the time study chooses: 3 periods at 1 Hz from 0,
// widened to whole graduation steps.
void regler_carre(etude_temps& r, int nb_points) {
    r.nb_points = nb_points;
    r.frequence_periodique = 1.0;
    r.nb_periodes = 3.0;
    r.amplitude_max = 1.0;
    r.amplitude_min = 0.0;
    r.rapport_cyclique = 0.5;
    r.t_min = 0.0;
    r.t_max = r.nb_periodes / r.frequence_periodique;
    pas_graduation(r.t_min, r.t_max, r.inclure_zero_temps);
}

void mesurer(benchmark::State& etat, systeme& sys, reglages& reg) {
    sys.etudes.etude_temps_choisie = entree_temps::carre;
    for (auto _ : etat) {
        echantillonner_entree(reg.temps, entree_temps::carre, sys.periodique);
        calculer_reponses_periodiques(reg.temps, sys, reg);
        benchmark::DoNotOptimize(sys.periodique.echantillons_reponse[1].data());
    }
}

// Eight functions at the finest precision, on 940 points and in a time window wide enough to
// reach the cap on points (the worst case a user can ask for).
void BM_carre_8_fonctions(benchmark::State& etat) {
    auto sys = banc::systeme_8_fonctions();
    if (!sys) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    reglages reg;
    reg.precision_periodique = precision_periodique_max;
    regler_carre(reg.temps, static_cast<int>(etat.range(0)));
    mesurer(etat, *sys, reg);
}
BENCHMARK(BM_carre_8_fonctions)
    ->Name("periodique/carre_8_fonctions_precision11")
    ->Arg(940)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_carre_1_fonction(benchmark::State& etat) {
    auto sys = std::make_unique<systeme>();
    reglages reg;
    bool syntaxe = false;
    bool degre = false;
    analyser_fonction(sys->calcul, 'p', "1", "(1+p)(1+0.5p)(1+0.2p+p^2)", sys->fonctions[1],
                      syntaxe, degre);
    if (syntaxe || degre) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    sys->nb_fonctions = 1;
    sys->etudes.toutes_fonctions = true;
    reg.precision_periodique = 5;
    regler_carre(reg.temps, 280);
    mesurer(etat, *sys, reg);
}
BENCHMARK(BM_carre_1_fonction)
    ->Name("periodique/carre_1_fonction_precision5")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace varlem
