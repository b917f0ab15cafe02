// The stability studies' benchmarks, on the loop of `analyse/degre15_produit`: (1 + 0.5p) over the
// product of ten typed factors of degree 15 in all (the root locus of Octave's `rlocus` in
// ../shared/peers/peer_rlocus.m computes the same loop).
#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "numeric/analyseur.h"
#include "numeric/routh.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

namespace {

using namespace varlem;

polynome lire(const std::string& texte) {
    contexte_calcul ctx;
    polynome p;
    lire_polynome(ctx, texte, p);
    return p;
}

// The whole locus: special points and every branch from K = 0 to its end.
void lieu_degre15(benchmark::State& etat) {
    const polynome n = lire("1+0.5*p"), d = lire(banc::denominateur_degre15(0));
    std::size_t echantillons = 0;
    for (auto _ : etat) {
        const lieu_evans l = calculer_lieu(n, d);
        echantillons = l.branches.k.size();
        benchmark::DoNotOptimize(l.branches.points.data());
    }
    etat.counters["echantillons"] = double(echantillons);
}

void routh_degre15(benchmark::State& etat) {
    const polynome d = lire(banc::denominateur_degre15(0));
    for (auto _ : etat) {
        const tableau_routh t = table_routh(d);
        benchmark::DoNotOptimize(t.lignes.data());
    }
}

void nyquist_degre15(benchmark::State& etat) {
    const polynome n = lire("1+0.5*p"), d = lire(banc::denominateur_degre15(0));
    for (auto _ : etat) {
        const verdict_nyquist v = critere_nyquist(n, d, 2.0);
        benchmark::DoNotOptimize(v.P);
    }
}

} // namespace

BENCHMARK(lieu_degre15)->Name("lieu/degre15")->Unit(benchmark::kMillisecond);
BENCHMARK(routh_degre15)->Name("routh/degre15")->Unit(benchmark::kMicrosecond);
BENCHMARK(nyquist_degre15)->Name("nyquist/degre15")->Unit(benchmark::kMicrosecond);
