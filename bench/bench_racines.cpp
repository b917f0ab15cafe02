// Speed of the analysis (roots, polishing, merging, partial fractions) and of the time values.
#include "systeme_banc.h"

#include "numeric/analyse_racines.h"
#include "numeric/analyseur.h"
#include "numeric/temporel.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace varlem {
namespace {

fdt_travail fonction(const char* num, const char* den) {
    contexte_calcul ctx;
    fdt_travail ft;
    ft.fonction.texte_num = num;
    ft.fonction.texte_den = den;
    lire_polynome(ctx, num, ft.fonction.num);
    lire_polynome(ctx, den, ft.fonction.den);
    return ft;
}

void analyse(benchmark::State& etat, const char* num, const char* den, bool globales) {
    const fdt_travail modele = fonction(num, den);
    contexte_calcul ctx;
    ctx.graine = 1;
    ctx.racines_globales = globales;
    fdt_travail ft = modele;
    for (auto _ : etat) {
        analyser_racines(ctx, ft);
        benchmark::DoNotOptimize(ft.termes_poles);
    }
}

// Degree 8 expanded: (1+p)(1+2p)(1+0.5p)(1+0.1p)(1+p+p²)(1+0.3p+4p²).
void BM_analyse_degre8_developpe(benchmark::State& etat) {
    analyse(etat, "1+0.5p", "1+4.9p+13.83p^2+29.735p^3+41.74p^4+38.24p^5+21.735p^6+5.83p^7+0.4p^8",
            true);
}
BENCHMARK(BM_analyse_degre8_developpe)->Name("racines/degre8_developpe");

// Degree 8 expanded with a 4-fold pole: (1+p)^4 (1+0.5p)^2 (1+p+p²).
void BM_analyse_degre8_pole_quadruple(benchmark::State& etat) {
    analyse(etat, "1", "1+6p+16.25p^2+26.25p^3+27.75p^4+19.5p^5+8.75p^6+2.25p^7+0.25p^8", true);
}
BENCHMARK(BM_analyse_degre8_pole_quadruple)->Name("racines/degre8_pole_quadruple");

// Ten typed factors, degree 15 in all, found factor by factor.
void BM_analyse_dix_facteurs(benchmark::State& etat) {
    analyse(etat, "1+0.5p", banc::denominateur_degre15(0).c_str(), false);
}
BENCHMARK(BM_analyse_dix_facteurs)->Name("racines/dix_facteurs_degre15");

// Step response of a degree-9 function on 5000 samples.
void BM_echelon_5000_points(benchmark::State& etat) {
    contexte_calcul ctx;
    ctx.graine = 1;
    fdt_travail T = fonction("1+0.5p", "(1+p)(1+0.1p)(1+0.3p+p^2)(1+0.02p+0.25p^2)(1+2p)(1+5p)"
                                       "(1+0.05p)");
    analyser_racines(ctx, T);
    fdt E;
    transformee_entree(entree_temps::echelon, E, 1, 0, 1);
    fdt_travail R;
    R.fonction = f_produit(T.fonction, E);
    analyser_produit_entree(R, T, entree_temps::echelon, E);
    std::vector<double> y(5000);
    for (auto _ : etat) {
        valeurs_temporelles(R, 0, 0.01, 5000, y.data());
        benchmark::DoNotOptimize(y.data());
    }
}
BENCHMARK(BM_echelon_5000_points)->Name("racines/echelon_degre9_5000_points");

} // namespace
} // namespace varlem
