// Speed of the computations of a pure delay: the closed loop's step response, the readings of a
// delayed loop and one slider move of the corrector on it (the windows' drawing left out).
#include "analysis/caracteristiques.h"
#include "analysis/frequences.h"
#include "analysis/pipeline.h"
#include "analysis/reponse_temps.h"
#include "analysis/temps.h"
#include "document/boucle.h"
#include "document/etudes_systeme.h"
#include "numeric/frequentiel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace varlem;

// e^(−p)/(1 + p) closed through R = 1 with P = kp, the step study on 1000 points.
std::unique_ptr<systeme> boucle_retardee(double kp, reglages& reg) {
    auto s = std::make_unique<systeme>();
    bool syntaxe = false, degre = false;
    analyser_fonction(s->calcul, 'p', "1", "1+p", s->fonctions[1], syntaxe, degre, 1.0);
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    fermer_boucle(*s, reg);
    regler_correcteur(*s, kp, 10, 0, false);
    s->etudes.temps_ouverte = true;
    s->etudes.etude_temps_choisie = entree_temps::echelon;
    reg.temps.nb_points = 1000;
    calculer_reponse_temps(reg.temps, true, *s, reg);
    return s;
}

// The closed loop's step response on the time window's 1000 points.
void boucle_retard(benchmark::State& etat) {
    reglages reg;
    auto s = boucle_retardee(2, reg);
    const grille_temps g = grille_trace(reg.temps);
    std::vector<double> y;
    fdt_travail tampon;
    for (auto _ : etat) {
        const fdt_travail* R =
            reponse_a_evaluer(s->fonctions[3], entree_temps::echelon, reg.temps, tampon);
        valeurs_sur_grille(*R, g, y);
        benchmark::DoNotOptimize(y.data());
    }
    etat.counters["points"] = g.nombre;
}

// The readings the windows show for that loop: margins of C·T·R with its delay, step
// characteristics of the loop.
void caracteristiques_boucle_retard(benchmark::State& etat) {
    reglages reg;
    auto s = boucle_retardee(2, reg);
    for (auto _ : etat) benchmark::DoNotOptimize(caracteristiques_systeme(*s));
}

// One move of the P slider: the corrector, the loop functions with their stand-in, the
// frequency study of the open loop and the time study of the closed loop computed again.
void curseur_p_retard(benchmark::State& etat) {
    reglages reg;
    auto s = boucle_retardee(1, reg);
    bool premier = false;
    for (auto _ : etat) {
        premier = !premier;
        deplacer_curseur_correcteur(*s, curseur_correcteur::p, premier ? 190 : 185);
        preparer_frequences(reg.frequence, true, *s);
        calculer_reponse_temps(reg.temps, true, *s, reg);
        benchmark::DoNotOptimize(reg.temps.y_max);
    }
}

// The batch frequency response of a delayed function (degree 8, 1000 points).
void frequence_retard(benchmark::State& etat) {
    contexte_calcul ctx;
    fdt_travail ft;
    bool syntaxe = false, degre = false;
    analyser_fonction(ctx, 'p', "1+0.5*p",
                      "1+1.87*p+1.387*p^2+0.663*p^3+0.17337*p^4+0.030813*p^5+0.003602*p^6+"
                      "0.000161*p^7+0.000002*p^8",
                      ft, syntaxe, degre, 0.3);
    std::vector<double> w(1000);
    for (std::size_t k = 0; k < w.size(); ++k)
        w[k] = std::pow(10.0, -2.0 + 6.0 * static_cast<double>(k) / 999.0);
    std::vector<double> re(w.size()), im(w.size()), gain(w.size()), phase(w.size());
    const tableaux_frequence sortie{re.data(), im.data(), gain.data(), phase.data()};
    for (auto _ : etat) {
        reponse_frequentielle(ft, w, sortie);
        benchmark::DoNotOptimize(phase.data());
    }
}

} // namespace

BENCHMARK(boucle_retard)->Name("temps/boucle_retard")->Unit(benchmark::kMicrosecond);
BENCHMARK(caracteristiques_boucle_retard)
    ->Name("caracteristiques/boucle_retard")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(curseur_p_retard)->Name("boucle/curseur_p_retard")->Unit(benchmark::kMillisecond);
BENCHMARK(frequence_retard)->Name("frequence/degre8_1000_points_retard");
