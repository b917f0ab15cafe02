// Speed of the responses to a periodic square input (the convolution of the time study).
#include "analysis/periodique.h"
#include "analysis/pipeline.h"
#include "document/systeme.h"
#include "plot/echelles.h"
#include "settings/reglages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace varlem {
namespace {

// Factors of the denominator (coefficients from p^0 up), degree 15 in all.
const std::vector<std::vector<double>> facteurs = {
    {1, 1},    {1, 0.2, 1},       {1, 0.3, 0.09}, {1, 0.5},          {1, 0.2, 0.04},
    {1, 0.08}, {1, 0.03, 0.0009}, {1, 2},         {1, 0.01, 0.0001}, {1, 0.005},
};

std::string nombre(double v) {
    char tampon[40];
    std::snprintf(tampon, sizeof tampon, "%.15g", v);
    return tampon;
}

// The product typed factor by factor, every coefficient multiplied by m.
std::string denominateur(double m) {
    std::string texte;
    for (const auto& f : facteurs) {
        texte += "(";
        for (std::size_t k = 0; k < f.size(); ++k) {
            if (k > 0) texte += "+";
            texte += nombre(f[k] * m);
            if (k == 1) texte += "p";
            if (k == 2) texte += "p^2";
        }
        texte += ")";
    }
    return texte;
}

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
    sys.etudes.etude_temps_choisie = 'C';
    for (auto _ : etat) {
        echantillonner_entree(reg.temps, 'C', sys.periodique);
        calculer_reponses_periodiques(reg.temps, sys, reg);
        benchmark::DoNotOptimize(sys.periodique.echantillons_reponse[1].data());
    }
}

void BM_carre_8_fonctions(benchmark::State& etat) {
    auto sys = std::make_unique<systeme>();
    reglages reg;
    for (int k = 0; k < 8; ++k) {
        bool syntaxe = false;
        bool degre = false;
        analyser_fonction(sys->calcul, 'p', "1+0.5p", denominateur(1 + 0.1 * k),
                          sys->fonctions[static_cast<std::size_t>(k + 1)], syntaxe, degre);
        if (syntaxe || degre) {
            etat.SkipWithError("fonction refusée");
            return;
        }
    }
    sys->nb_fonctions = 8;
    sys->etudes.toutes_fonctions = true;
    reg.precision_periodique = 11;
    regler_carre(reg.temps, 940);
    mesurer(etat, *sys, reg);
}
BENCHMARK(BM_carre_8_fonctions)
    ->Name("periodique/carre_8_fonctions_precision11")
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
