// Pictures of the stability windows to look at: the root locus of 1/(p(p+1)(p+2)) with its
// break-away point and its crossing at K = 6, the locus in closed loop while P moves and P set
// from the locus, the Stabilite text and the Nyquist diagram with its extras. Runs only when
// VARLEM_CAPTURES names a folder (scripts/captures_stabilite.sh runs it under a display).
#include "analysis/pipeline.h"
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/fenetre_systeme.h"
#include "plot/echelles.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/image_trace.h"

#include <QDir>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace varlem {
namespace {

class CapturesStabilite : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* d = std::getenv("VARLEM_CAPTURES");
        if (!d) GTEST_SKIP() << "VARLEM_CAPTURES not set";
        dossier = QString::fromLocal8Bit(d);
        QDir().mkpath(dossier);
        app = std::make_unique<application_varlem>(plat);
    }

    void charger(const char* num, const char* den, double retard = 0) {
        systeme& s = app->document();
        bool syntaxe = false, degre = false;
        analyser_fonction(s.calcul, 'p', num, den, s.fonctions[1], syntaxe, degre);
        ASSERT_FALSE(syntaxe || degre);
        s.fonctions[1].fonction.retard = retard;
        s.nb_fonctions = 1;
        s.fonction_courante = 1;
        s.systeme_saisi = true;
        app->fenetre_fonctions().systeme_lu();
        app->activer_commandes();
        app->rafraichir_etudes(true, true);
    }

    void garder(QWidget& w, const char* nom) {
        QApplication::processEvents();
        ASSERT_TRUE(w.grab().save(dossier + QLatin1Char('/') + QString::fromUtf8(nom)));
    }

    // Clicks the locus picture at the point z of the plane.
    void cliquer_lieu(complexe z) {
        fenetre_lieu_evans& f = app->lieu_evans();
        image_trace* i = f.findChild<image_trace*>();
        const QSize t = i->image().deviceIndependentSize().toSize();
        const echelle_lieu e = echelle_etat_lieu(*f.lieu(), f.etat(), t.width(), t.height());
        const int x =
            x_vers_pixel(cadre_gauche(), cadre_droite(t.width()), z.re, e.re_min, e.re_max);
        const int y = y_vers_pixel(cadre_haut(), cadre_bas(t.height()), z.im, e.im_min, e.im_max);
        QTest::mouseClick(i, Qt::LeftButton, {}, QPoint(x, y));
    }

    QSlider* curseur_p() {
        for (QSlider* c : app->fenetre_fonctions().findChildren<QSlider*>())
            if (c->accessibleName() == QStringLiteral("Gain P")) return c;
        return nullptr;
    }

    QString dossier;
    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
};

TEST_F(CapturesStabilite, LieuEtBoucleFermee) {
    charger("1", "(p)(1+p)(2+p)");
    fenetre_lieu_evans& f = app->lieu_evans();
    f.ouvrir();
    f.resize(900, 700);
    garder(f, "lieu_ouvert.png");
    // The break-away point, about −0.42.
    cliquer_lieu({-0.4226, 0});
    garder(f, "lieu_separation.png");
    cliquer_lieu({0, 1.414});
    garder(f, "lieu_croisement.png");

    test::cliquer(&app->fenetre_fonctions(), QStringLiteral("Bouclage"));
    app->fenetre_fonctions().show();
    QSlider* p = curseur_p();
    ASSERT_NE(p, nullptr);
    int n = 0;
    for (const int position : {180, 150, 120}) {
        p->setValue(position);
        garder(f, ("lieu_p_" + std::to_string(++n) + ".png").c_str());
    }
    garder(app->fenetre_fonctions(), "systeme_boucle.png");
    cliquer_lieu({0, 1.414});
    test::cliquer(&f, QStringLiteral("Fixer P"));
    garder(f, "lieu_fixer_p.png");
    garder(app->fenetre_fonctions(), "systeme_fixer_p.png");
    fenetre_stabilite& st = app->stabilite();
    st.ouvrir();
    st.resize(760, 640);
    garder(st, "stabilite_boucle.png");
}

TEST_F(CapturesStabilite, StabiliteEtNyquist) {
    charger("1", "p^5+2p^4+3p^3+6p^2+5p+3");
    fenetre_stabilite& st = app->stabilite();
    st.ouvrir();
    st.resize(760, 640);
    garder(st, "stabilite_routh.png");
    charger("1", "p^5+7p^4+6p^3+42p^2+8p+56");
    garder(st, "stabilite_ligne_nulle.png");

    charger("4", "(p)(1+p)(2+p)");
    fenetre_frequentielle& frq = app->frequentielle();
    frq.ouvrir();
    frq.resize(1000, 700);
    test::cliquer(&frq, QStringLiteral("Nyquist"));
    garder(frq, "nyquist_integrateur.png");
    charger("10", "(1+p)(1+p)(1+p)");
    garder(frq, "nyquist_instable.png");
    charger("1", "(1+p)(1+0.5p)", 0.5);
    garder(frq, "nyquist_retard.png");
    garder(st, "stabilite_retard.png");
    fenetre_lieu_evans& f = app->lieu_evans();
    f.ouvrir();
    f.resize(900, 700);
    garder(f, "lieu_retard.png");
}

} // namespace
} // namespace varlem
