// The asymptotes and the Black-Nichols chart over the frequency study of eight functions of
// degree 15: their computations alone, and the study's drawing into a 1200 × 800 image with
// and without them (the gain diagram for the asymptotes, the Black diagram for the chart).
#include "analysis/abaque_black.h"
#include "analysis/asymptotes_bode.h"
#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "plot/enregistreur.h"
#include "studies/trace_abaque.h"
#include "studies/trace_asymptotes.h"
#include "studies/trace_frequentiel.h"
#include "systeme_banc.h"

#include <benchmark/benchmark.h>

#ifdef VARLEM_AVEC_QT
#include "plot/qt/copie_vectorielle.h"

#include <QImage>
#endif

namespace varlem {
namespace {

constexpr int largeur = 1200, hauteur = 800;

void asymptotes_8_fonctions(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) return etat.SkipWithError("fonction refusée");
    for (auto _ : etat) {
        for (int k = 1; k <= 8; ++k)
            benchmark::DoNotOptimize(
                calculer_asymptotes(s->fonctions[static_cast<std::size_t>(k)]));
    }
}
BENCHMARK(asymptotes_8_fonctions)
    ->Name("cours/asymptotes_8_fonctions")
    ->Unit(benchmark::kMicrosecond);

void contours_abaque(benchmark::State& etat) {
    fenetre_black f;
    f.phase_min_deg = -540;
    f.phase_max_deg = 0;
    f.gain_min_db = -80;
    f.gain_max_db = 40;
    f.largeur_px = largeur - 30;
    f.hauteur_px = hauteur - 20;
    for (auto _ : etat) benchmark::DoNotOptimize(contours_abaque(f));
}
BENCHMARK(contours_abaque)->Name("cours/abaque_contours_1170x780")->Unit(benchmark::kMicrosecond);

void resonance_degre15(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) return etat.SkipWithError("fonction refusée");
    for (auto _ : etat) benchmark::DoNotOptimize(resonance_boucle_fermee(s->fonctions[1]));
}
BENCHMARK(resonance_degre15)->Name("cours/resonance_degre15")->Unit(benchmark::kMicrosecond);

// The study as a slider move redraws it, the extras drawn after the curves with the captions
// noted; `genre` diagramme::gain with or without the asymptotes, diagramme::black with or without
// the chart.
void dessiner_etude(surface& surf, reglages& r, const systeme& s, diagramme genre, bool extras) {
    const options_frequentiel o;
    if (!extras) {
        dessiner_frequentiel(surf, r.frequence, r.graphe, s, genre, o);
        return;
    }
    surface_notee notee(surf);
    dessiner_frequentiel(notee, r.frequence, r.graphe, s, genre, o);
    if (genre == diagramme::gain)
        tracer_asymptotes(surf, r.frequence, r.graphe, diagramme_bode::gain,
                          asymptotes_etudiees(s, r.graphe), {}, notee.textes());
    else
        tracer_abaque(surf, r.frequence, r.graphe, boucle_ouverte_abaque(s), r.graphe.couleurs[1],
                      notee.textes());
}

// On the recording surface: the drawing's own work, without a painter.
void etude_enregistree(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) return etat.SkipWithError("fonction refusée");
    const diagramme genre = etat.range(0) ? diagramme::black : diagramme::gain;
    const bool extras = etat.range(1) != 0;
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = genre;
    reglages r;
    for (auto _ : etat) {
        preparer_frequences(r.frequence, true, *s);
        enregistreur e(largeur, hauteur);
        dessiner_etude(e, r, *s, genre, extras);
        benchmark::DoNotOptimize(e.commandes().size());
    }
}
BENCHMARK(etude_enregistree)
    ->Name("cours/frequentielle_8_fonctions_enregistree")
    ->ArgNames({"black", "extras"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The asymptotes of the eight functions alone over the gain diagram, the study prepared once:
// on the recording surface, into the image and into an SVG copy (`surface` 0, 1, 2).
void asymptotes_seules(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) return etat.SkipWithError("fonction refusée");
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = diagramme::gain;
    reglages r;
    preparer_frequences(r.frequence, true, *s);
    const auto fonctions = asymptotes_etudiees(*s, r.graphe);
    const auto dessiner = [&](surface& surf) {
        tracer_asymptotes(surf, r.frequence, r.graphe, diagramme_bode::gain, fonctions, {});
    };
    for (auto _ : etat) {
        switch (etat.range(0)) {
        case 0: {
            enregistreur e(largeur, hauteur);
            dessiner(e);
            benchmark::DoNotOptimize(e.commandes().size());
            break;
        }
#ifdef VARLEM_AVEC_QT
        case 1: {
            const QImage image = dessiner_image(largeur, hauteur, dessiner);
            benchmark::DoNotOptimize(image.constBits());
            break;
        }
        case 2:
            benchmark::DoNotOptimize(dessiner_svg(largeur, hauteur, dessiner).size());
            break;
#endif
        default:
            return etat.SkipWithError("sans Qt");
        }
    }
}
BENCHMARK(asymptotes_seules)
    ->Name("cours/asymptotes_gain_8_fonctions_dessin")
    ->ArgName("surface")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

#ifdef VARLEM_AVEC_QT
void etude_image(benchmark::State& etat) {
    const auto s = banc::systeme_8_fonctions();
    if (!s) return etat.SkipWithError("fonction refusée");
    const diagramme genre = etat.range(0) ? diagramme::black : diagramme::gain;
    const bool extras = etat.range(1) != 0;
    s->etudes.frequence_ouverte = true;
    s->etudes.etude_freq_choisie = genre;
    reglages r;
    for (auto _ : etat) {
        preparer_frequences(r.frequence, true, *s);
        const QImage image = dessiner_image(
            largeur, hauteur, [&](surface& surf) { dessiner_etude(surf, r, *s, genre, extras); });
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(etude_image)
    ->Name("cours/frequentielle_8_fonctions_image")
    ->ArgNames({"black", "extras"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace
} // namespace varlem
