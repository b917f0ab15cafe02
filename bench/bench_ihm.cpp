// Benchmarks of the application's windows, offscreen.
#ifdef VARLEM_AVEC_QT
#include "analysis/pipeline.h"
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/plateforme_qt.h"
#include "document/qt/fenetre_systeme.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"
#include "systeme_banc.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSlider>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

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

// The four studies open, each 800 × 600: Bode view, step response, pole-zero map and text.
void ouvrir_etudes(varlem::application_varlem& app) {
    QWidget* fenetres[] = {&app.frequentielle(), &app.temporelle(), &app.poles_zeros(),
                           &app.decomposition()};
    app.frequentielle().ouvrir();
    app.temporelle().ouvrir();
    app.poles_zeros().ouvrir();
    app.decomposition().ouvrir();
    for (QWidget* f : fenetres) f->resize(800, 600);
    QApplication::processEvents();
    presser(app.frequentielle(), QStringLiteral("Bode"));
    presser(app.temporelle(), QStringLiteral("Échelon"));
    QApplication::processEvents();
}

// One slider move as the user drags it: the position alternates between two values, the
// handler rebuilds and refreshes, and every window is repainted before the clock stops.
void deplacer(benchmark::State& etat, varlem::application_varlem& app, QSlider* curseur, int a,
              int b, bool avec_lieu = false) {
    std::vector<QWidget*> fenetres = {&app.frequentielle(), &app.temporelle(), &app.poles_zeros(),
                                      &app.decomposition()};
    if (avec_lieu) fenetres.push_back(&app.lieu_evans());
    bool premier = false;
    for (auto _ : etat) {
        premier = !premier;
        curseur->setValue(premier ? a : b);
        for (QWidget* f : fenetres) f->repaint();
    }
}

QSlider* curseur_nomme(QWidget& fenetre, const QString& nom) {
    for (QSlider* c : fenetre.findChildren<QSlider*>())
        if (c->accessibleName() == nom) return c;
    return nullptr;
}

// The P slider of the loop of 1/((1+p)(1+0.5p)(1+0.2p)(1+0.1p))·e^(−τp) closed through R = 1;
// with the root locus open too (800 × 600), its closed-loop poles following.
void curseur_p_boucle(benchmark::State& etat, double retard, bool avec_lieu) {
    varlem::plateforme_qt plateforme;
    varlem::application_varlem app(plateforme);
    varlem::systeme& s = app.document();
    bool syntaxe = false, degre = false;
    varlem::analyser_fonction(s.calcul, 'p', "1", "(1+p)(1+0.5p)(1+0.2p)(1+0.1p)", s.fonctions[1],
                              syntaxe, degre, retard);
    s.nb_fonctions = 1;
    s.fonction_courante = 1;
    s.systeme_saisi = true;
    app.fenetre_fonctions().systeme_lu();
    app.activer_commandes();
    presser(app.fenetre_fonctions(), QStringLiteral("Bouclage"));
    ouvrir_etudes(app);
    if (avec_lieu) {
        app.lieu_evans().ouvrir();
        app.lieu_evans().resize(800, 600);
        QApplication::processEvents();
    }
    QSlider* p = curseur_nomme(app.fenetre_fonctions(), QStringLiteral("Gain P"));
    if (syntaxe || degre || !p || !s.etudes.boucle_fermee) {
        etat.SkipWithError("boucle non fermée");
        return;
    }
    deplacer(etat, app, p, 150, 120, avec_lieu);
}
void curseur_p_boucle_seul(benchmark::State& etat) {
    curseur_p_boucle(etat, 0, false);
}
void curseur_p_boucle_lieu(benchmark::State& etat) {
    curseur_p_boucle(etat, 0, true);
}
// The same loop with a delay of 0.2 s: the closed loop's step response is then computed
// exactly from the delay, and its stand-in rebuilt for the other studies.
void curseur_p_boucle_retardee(benchmark::State& etat) {
    curseur_p_boucle(etat, 0.2, false);
}
BENCHMARK(curseur_p_boucle_seul)->Name("ihm/curseur_p_boucle")->Unit(benchmark::kMillisecond);
BENCHMARK(curseur_p_boucle_lieu)->Name("ihm/curseur_p_boucle_lieu")->Unit(benchmark::kMillisecond);
BENCHMARK(curseur_p_boucle_retardee)
    ->Name("ihm/curseur_p_boucle_retard")
    ->Unit(benchmark::kMillisecond);

// The m slider of the second-order low-pass template.
void curseur_gabarit(benchmark::State& etat) {
    varlem::plateforme_qt plateforme;
    varlem::application_varlem app(plateforme);
    for (QMenu* m : app.fenetre_fonctions().findChildren<QMenu*>())
        if (m->title() == QStringLiteral("Ordre2"))
            for (QAction* a : m->actions())
                if (a->text() == QStringLiteral("Passe-bas")) a->trigger();
    ouvrir_etudes(app);
    QSlider* m = curseur_nomme(app.fenetre_fonctions(), QStringLiteral("Paramètre du gabarit"));
    if (!m || !app.document().etudes.mode_filtre) {
        etat.SkipWithError("gabarit non choisi");
        return;
    }
    deplacer(etat, app, m, 60, 150);
}
BENCHMARK(curseur_gabarit)->Name("ihm/curseur_gabarit")->Unit(benchmark::kMillisecond);

} // namespace
#endif
