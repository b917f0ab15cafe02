// Speed of the time study: computing the step responses of a full system and drawing them.
#ifdef VARLEM_AVEC_QT
#include "analysis/pipeline.h"
#include "analysis/temps.h"
#include "analysis/trace_temporel.h"
#include "document/systeme.h"
#include "plot/qt/surface_qt.h"
#include "settings/reglages.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

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

void BM_etude_temporelle(benchmark::State& etat) {
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
    sys->etudes.temps_ouverte = true;
    sys->etudes.etude_temps_choisie = 'E';
    reg.temps.nb_points = 580;

    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : etat) {
        calculer_reponse_temps(reg.temps, true, *sys, reg);
        image.fill(Qt::white);
        QPainter peintre(&image);
        surface_qpainter s(&peintre, 1200, 800);
        tracer_temporel(s, reg.temps, *sys, reg);
        s.vider();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_etude_temporelle)->Name("etude/temporelle_8_fonctions")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
#endif
