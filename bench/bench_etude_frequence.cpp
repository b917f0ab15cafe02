// The frequency study of a full system: range set-up and the gain diagram of 8 functions of
// degree 15 into a 1200 × 800 image, as a slider move redraws it.
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

void frequentielle_8_fonctions(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = diagramme::gain;
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
#endif
