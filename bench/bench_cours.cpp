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

#include <memory>

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

// The eight functions' frequency study on the diagram and with the extras the arguments ask
// (black: the Black diagram, else the gain; extras: the chart or the asymptotes).
struct etude_banc {
    std::unique_ptr<systeme> s = banc::systeme_8_fonctions();
    diagramme genre = diagramme::gain;
    bool extras = false;
    reglages r;

    explicit etude_banc(const benchmark::State& etat) {
        genre = etat.range(0) ? diagramme::black : diagramme::gain;
        extras = etat.range(1) != 0;
        if (!s) return;
        s->etudes.frequence_ouverte = true;
        s->etudes.etude_freq_choisie = genre;
    }
};

// On the recording surface: the drawing's own work, without a painter.
void etude_enregistree(benchmark::State& etat) {
    etude_banc b(etat);
    if (!b.s) return etat.SkipWithError("fonction refusée");
    for (auto _ : etat) {
        preparer_frequences(b.r.frequence, true, *b.s);
        enregistreur e(largeur, hauteur);
        dessiner_etude(e, b.r, *b.s, b.genre, b.extras);
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
    ->Unit(benchmark::kMicrosecond);

#ifdef VARLEM_AVEC_QT
void etude_image(benchmark::State& etat) {
    etude_banc b(etat);
    if (!b.s) return etat.SkipWithError("fonction refusée");
    for (auto _ : etat) {
        preparer_frequences(b.r.frequence, true, *b.s);
        const QImage image = dessiner_image(largeur, hauteur, [&](surface& surf) {
            dessiner_etude(surf, b.r, *b.s, b.genre, b.extras);
        });
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
