// The numeric core's benchmarks, named so that results compare with other tools on the same work.
#include "analysis/pipeline.h"
#include "numeric/analyse_racines.h"
#include "numeric/frequentiel.h"
#include "numeric/frequentiel_noyau.h"
#include "numeric/temporel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace varlem;

constexpr const char* numerateur = "1+0.5*p";
constexpr const char* degre8 = "1+1.87*p+1.387*p^2+0.663*p^3+0.17337*p^4+0.030813*p^5+0.003602*p^6+"
                               "0.000161*p^7+0.000002*p^8";
constexpr const char* degre15 =
    "(1+1*p)(1+0.2*p+1*p^2)(1+0.3*p+0.09*p^2)(1+0.5*p)(1+0.2*p+0.04*p^2)"
    "(1+0.08*p)(1+0.03*p+0.0009*p^2)(1+2*p)(1+0.01*p+0.0001*p^2)(1+0.005*p)";

fdt_travail analyser(const char* num, const char* den) {
    contexte_calcul ctx;
    fdt_travail ft;
    bool syntaxe = false, degre = false;
    analyser_fonction(ctx, 'p', num, den, ft, syntaxe, degre);
    return ft;
}

void analyse(benchmark::State& etat, const char* den) {
    contexte_calcul ctx;
    fdt_travail ft;
    for (auto _ : etat) {
        bool syntaxe = false, degre = false;
        analyser_fonction(ctx, 'p', numerateur, den, ft, syntaxe, degre);
        benchmark::DoNotOptimize(ft.termes_poles.data());
    }
}

void analyse_degre8(benchmark::State& etat) {
    analyse(etat, degre8);
}
void analyse_degre15(benchmark::State& etat) {
    analyse(etat, degre15);
}

void frequence(benchmark::State& etat, noyau::choix_noyau choix) {
    const fdt_travail ft = analyser(numerateur, degre8);
    std::vector<double> w(1000);
    for (std::size_t k = 0; k < w.size(); ++k)
        w[k] = std::pow(10.0, -2.0 + 6.0 * static_cast<double>(k) / 999.0);
    std::vector<double> re(w.size()), im(w.size()), gain(w.size()), phase(w.size());
    const tableaux_frequence sortie{re.data(), im.data(), gain.data(), phase.data()};
    for (auto _ : etat) {
        reponse_frequentielle(ft, w, sortie, choix);
        benchmark::DoNotOptimize(phase.data());
    }
}

void frequence_degre8(benchmark::State& etat) {
    frequence(etat, noyau::choix_noyau::automatique);
}
// The kernel processors without AVX-512 run.
void frequence_degre8_portable(benchmark::State& etat) {
    frequence(etat, noyau::choix_noyau::portable);
}

void indicielle_degre8(benchmark::State& etat) {
    const fdt_travail ft = analyser(numerateur, degre8);
    std::vector<double> y(5000);
    fdt_travail produit;
    for (auto _ : etat) {
        fdt echelon;
        transformee_entree(entree_temps::echelon, echelon, 1.0, 0.0, 1.0);
        produit.fonction = f_produit(ft.fonction, echelon);
        analyser_produit_entree(produit, ft, entree_temps::echelon, echelon);
        valeurs_temporelles(produit, 0.0, 50.0 / 4999.0, 5000, y.data());
        benchmark::DoNotOptimize(y.data());
    }
}

} // namespace

BENCHMARK(analyse_degre8)->Name("analyse/degre8_developpe");
BENCHMARK(analyse_degre15)->Name("analyse/degre15_produit");
BENCHMARK(frequence_degre8)->Name("frequence/degre8_1000_points");
BENCHMARK(frequence_degre8_portable)->Name("frequence/degre8_1000_points_portable");
BENCHMARK(indicielle_degre8)->Name("indicielle/degre8_5000_points");
