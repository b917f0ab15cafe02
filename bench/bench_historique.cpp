// "Annuler" then "Rétablir" on a full system: the 8 functions of degree 15 analysed again from
// their texts, and the frequency study prepared, twice per iteration.
#include "document/historique.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

namespace varlem {
namespace {

void annuler_retablir_8_fonctions(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    reglages r;
    historique h;
    // One step: a function deleted.
    h.changer(*s, [&] { return supprimer_fonction(*s, s->nb_fonctions); });
    for (auto _ : etat) {
        benchmark::DoNotOptimize(h.annuler(*s, r).effectue);
        benchmark::DoNotOptimize(h.retablir(*s, r).effectue);
    }
}

BENCHMARK(annuler_retablir_8_fonctions)
    ->Name("historique/annuler_retablir_8_fonctions")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
