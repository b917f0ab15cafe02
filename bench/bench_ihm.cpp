// Benchmarks of the application's windows, offscreen.
#ifdef VARLEM_AVEC_QT
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/plateforme_qt.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"
#include "systeme_banc.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Start-up: every window created in order, then the main window shown and painted once.
void demarrage(benchmark::State& etat) {
    varlem::plateforme_qt plateforme;
    for (auto _ : etat) {
        auto app = std::make_unique<varlem::application_varlem>(plateforme);
        app->principale().show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(app.get());
        etat.PauseTiming();
        app.reset();
        QApplication::processEvents();
        etat.ResumeTiming();
    }
}
BENCHMARK(demarrage)->Name("ihm/demarrage")->Unit(benchmark::kMillisecond);

// Presses the tool-bar command captioned `texte` of a window.
void presser(QWidget& fenetre, const QString& texte) {
    for (QAction* a : fenetre.findChildren<QAction*>())
        if (a->text() == texte) a->trigger();
}

// The 8 functions of degree 15 in every study window, each 1200 × 800: Bode view, step
// response, pole-zero map and decomposition text.
std::unique_ptr<varlem::application_varlem> application_chargee(varlem::plateforme& plateforme) {
    const auto s = varlem::banc::systeme_8_fonctions();
    if (!s) return nullptr;
    auto app = std::make_unique<varlem::application_varlem>(plateforme);
    app->document() = *s;
    app->activer_commandes();
    app->rafraichir_etudes(true, true);
    QWidget* fenetres[] = {&app->frequentielle(), &app->temporelle(), &app->poles_zeros(),
                           &app->decomposition()};
    app->frequentielle().ouvrir();
    app->temporelle().ouvrir();
    app->poles_zeros().ouvrir();
    app->decomposition().ouvrir();
    for (QWidget* f : fenetres) f->resize(1200, 800);
    QApplication::processEvents();
    presser(app->frequentielle(), QStringLiteral("Bode"));
    presser(app->temporelle(), QStringLiteral("Échelon"));
    QApplication::processEvents();
    return app;
}

// The refresh of every opened study, each window repainted before the clock stops.
void rafraichir(benchmark::State& etat, bool calcul) {
    varlem::plateforme_qt plateforme;
    const auto app = application_chargee(plateforme);
    if (!app) {
        etat.SkipWithError("fonction refusée");
        return;
    }
    QWidget* fenetres[] = {&app->frequentielle(), &app->temporelle(), &app->poles_zeros(),
                           &app->decomposition()};
    for (auto _ : etat) {
        app->rafraichir_etudes(calcul, calcul);
        for (QWidget* f : fenetres) f->repaint();
    }
}

void rafraichir_sans_calcul(benchmark::State& etat) {
    rafraichir(etat, false);
}
void rafraichir_avec_calcul(benchmark::State& etat) {
    rafraichir(etat, true);
}
BENCHMARK(rafraichir_sans_calcul)
    ->Name("ihm/rafraichir_sans_calcul")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(rafraichir_avec_calcul)
    ->Name("ihm/rafraichir_avec_calcul")
    ->Unit(benchmark::kMillisecond);

} // namespace
#endif
