// The frequency study of a full system: range set-up and the gain diagram of 8 functions of
// degree 15 into a 1200 × 800 image, as a slider move redraws it, without and with the
// course's drawings.
#ifdef VARLEM_AVEC_QT
#include "analysis/frequences.h"
#include "document/systeme.h"
#include "plot/qt/copie_vectorielle.h"
#include "studies/trace_frequentiel.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <memory>

namespace varlem {
namespace {

// `cours` draws the asymptotes and asks for the Black-Nichols chart too (the gain diagram shows
// the asymptotes only).
void dessiner_8_fonctions(benchmark::State& etat, bool cours) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = diagramme::gain;
    reglages r;
    r.frequence.cours.asymptotes = cours;
    r.frequence.cours.abaque = cours;
    for (auto _ : etat) {
        preparer_frequences(r.frequence, true, *s);
        const QImage image = dessiner_image(
            1200, 800, [&](surface& surf) { tracer_frequentiel(surf, r.frequence, r.graphe, *s); });
        benchmark::DoNotOptimize(image.constBits());
    }
}

void frequentielle_8_fonctions(benchmark::State& etat) {
    dessiner_8_fonctions(etat, false);
}

void frequentielle_8_fonctions_cours(benchmark::State& etat) {
    dessiner_8_fonctions(etat, true);
}

BENCHMARK(frequentielle_8_fonctions)
    ->Name("etude/frequentielle_8_fonctions")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(frequentielle_8_fonctions_cours)
    ->Name("etude/frequentielle_8_fonctions_asymptotes_abaque")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
#endif
