// Speed of the readings a slider move recomputes: margins, bandwidth, resonance and step
// characteristics of the degree-8 function of the analysis benchmarks, alone and looped with a
// PID corrector (the margins of C·T·R and the rest of the closed loop).
#include "analysis/caracteristiques.h"
#include "analysis/pipeline.h"
#include "document/boucle.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace varlem;

constexpr const char* numerateur = "1+0.5*p";
constexpr const char* degre8 = "1+1.87*p+1.387*p^2+0.663*p^3+0.17337*p^4+0.030813*p^5+0.003602*p^6+"
                               "0.000161*p^7+0.000002*p^8";

void caracteristiques_degre8(benchmark::State& etat) {
    contexte_calcul ctx;
    fdt_travail ft;
    bool syntaxe = false, degre = false;
    analyser_fonction(ctx, 'p', numerateur, degre8, ft, syntaxe, degre);
    for (auto _ : etat) {
        const caracteristiques c = calculer_caracteristiques(ft.fonction);
        benchmark::DoNotOptimize(c.indicielle.temps_reponse_2);
    }
}

// The loop closed on `den` with a PI corrector, as the system window holds it.
std::unique_ptr<systeme> boucle_sur(const char* den) {
    auto s = std::make_unique<systeme>();
    bool syntaxe = false, degre = false;
    analyser_fonction(s->calcul, 'p', numerateur, den, s->fonctions[1], syntaxe, degre);
    if (syntaxe || degre) return nullptr;
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    reglages r;
    fermer_boucle(*s, r);
    if (!regler_correcteur(*s, 2.0, 5.0, 0.1, true)) return nullptr;
    return s;
}

void caracteristiques_boucle(benchmark::State& etat, const char* den) {
    const auto s = boucle_sur(den);
    if (!s) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    for (auto _ : etat) {
        const std::optional<caracteristiques> c = caracteristiques_systeme(*s);
        benchmark::DoNotOptimize(c->indicielle.stable);
    }
}

void boucle_degre8(benchmark::State& etat) {
    caracteristiques_boucle(etat, degre8);
}

void boucle_degre15(benchmark::State& etat) {
    const std::string den = banc::denominateur_degre15(0);
    caracteristiques_boucle(etat, den.c_str());
}

} // namespace

BENCHMARK(caracteristiques_degre8)->Name("caracteristiques/degre8");
BENCHMARK(boucle_degre8)->Name("caracteristiques/boucle_degre8");
BENCHMARK(boucle_degre15)->Name("caracteristiques/boucle_degre15");
