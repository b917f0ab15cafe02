// The frequency study of a full system: range set-up and the gain diagram of 8 functions of
// degree 15 into a 1200 × 800 image, as a slider move redraws it.
#include "analysis/frequences.h"
#include "analysis/pipeline.h"
#include "analysis/trace_frequentiel.h"
#include "document/systeme.h"
#include "plot/qt/copie_vectorielle.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace varlem {
namespace {

// The denominator's factors, coefficients in increasing powers of p.
const std::vector<std::vector<double>> facteurs = {
    {1, 1},    {1, 0.2, 1},       {1, 0.3, 0.09}, {1, 0.5},          {1, 0.2, 0.04},
    {1, 0.08}, {1, 0.03, 0.0009}, {1, 2},         {1, 0.01, 0.0001}, {1, 0.005},
};

std::string nombre(double x) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.12g", x);
    return tampon;
}

// "(c0+c1p+c2p^2)" with every coefficient multiplied by `echelle`.
std::string texte_facteur(const std::vector<double>& c, double echelle) {
    std::string t = "(" + nombre(c[0] * echelle);
    for (std::size_t k = 1; k < c.size(); ++k) {
        t += "+" + nombre(c[k] * echelle) + "p";
        if (k > 1) t += "^" + std::to_string(k);
    }
    return t + ")";
}

std::unique_ptr<systeme> systeme_banc() {
    auto s = std::make_unique<systeme>();
    contexte_calcul ctx;
    ctx.graine = 1;
    for (int k = 0; k < 8; ++k) {
        std::string den;
        for (const auto& f : facteurs) den += texte_facteur(f, 1 + 0.1 * k);
        bool syntaxe = false, degre = false;
        analyser_fonction(ctx, 'p', "1+0.5p", den, s->fonctions[static_cast<std::size_t>(k + 1)],
                          syntaxe, degre);
        if (syntaxe || degre) std::fprintf(stderr, "fonction %d refusee: %s\n", k + 1, den.c_str());
    }
    s->nb_fonctions = 8;
    s->fonction_courante = 1;
    s->systeme_saisi = true;
    s->etudes.toutes_fonctions = true;
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = 'G';
    return s;
}

void frequentielle_8_fonctions(benchmark::State& etat) {
    const auto s = systeme_banc();
    reglages r;
    for (auto _ : etat) {
        preparer_frequences(r.frequence, true, *s);
        const QImage image = dessiner_image(
            1200, 800, [&](surface& surf) { tracer_frequentiel(surf, r.frequence, r.graphe, *s); });
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(frequentielle_8_fonctions)
    ->Name("etude/frequentielle_8_fonctions")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
