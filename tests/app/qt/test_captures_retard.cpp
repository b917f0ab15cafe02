// Screenshots of a delayed function as a user studies it: e^(-p)/(1+p) typed in the entry
// dialog, its Bode, Nyquist, Black and step plots, then its loop closed in the system window
// with P set by its slider to 1 and to 3. Written only when VARLEM_CAPTURES names a folder
// (run it under xvfb-run to see the desktop's own rendering); the run checks what it can.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/boucle.h"
#include "document/qt/banc_saisie.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QDir>
#include <QSlider>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class CapturesRetard : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* d = std::getenv("VARLEM_CAPTURES");
        if (d) dossier = QString::fromLocal8Bit(d);
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
        app->principale().actions().entree->trigger();
        fenetre = &app->fenetre_fonctions();
    }

    // The window as it shows now, saved under `nom` when captures are asked for.
    void capturer(QWidget* w, const QString& nom) {
        QApplication::processEvents();
        const QPixmap p = w->grab();
        EXPECT_FALSE(p.isNull()) << nom.toStdString();
        if (dossier.isEmpty()) return;
        QDir().mkpath(dossier);
        EXPECT_TRUE(p.save(QDir(dossier).filePath(nom + QStringLiteral(".png"))))
            << nom.toStdString();
    }

    // The P slider moved to the position whose value is `p`, as a user drags it there.
    void regler_p(double p) {
        QSlider* c = controle<QSlider>(fenetre, QStringLiteral("Gain P"));
        ASSERT_NE(c, nullptr);
        int position = c->minimum();
        for (int k = c->minimum(); k <= c->maximum(); ++k)
            if (std::abs(valeur_curseur(app->document(), curseur_correcteur::p, k) - p) <
                std::abs(valeur_curseur(app->document(), curseur_correcteur::p, position) - p))
                position = k;
        c->setSliderDown(true);
        c->setSliderPosition(position);
        c->setSliderDown(false);
        EXPECT_NEAR(app->document().kp, p, 1e-9);
    }

    void etudes(const QString& suffixe) {
        fenetre_frequentielle& f = app->frequentielle();
        for (const char* d : {"Bode", "Nyquist", "Black"}) {
            ASSERT_TRUE(cliquer(&f, QString::fromUtf8(d)));
            capturer(&f, QString::fromUtf8(d).toLower() + suffixe);
        }
        fenetre_temporelle& t = app->temporelle();
        ASSERT_TRUE(cliquer(&t, QStringLiteral("Échelon")));
        capturer(&t, QStringLiteral("echelon") + suffixe);
        capturer(&app->decomposition(), QStringLiteral("decomposition") + suffixe);
        capturer(&app->poles_zeros(), QStringLiteral("poles_zeros") + suffixe);
        capturer(fenetre, QStringLiteral("systeme") + suffixe);
    }

    QString dossier;
    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QWidget* fenetre = nullptr;
};

TEST_F(CapturesRetard, RetardPurEtSaBoucle) {
    const bool saisie = test::avec_dialogue(
        [&] { cliquer(fenetre, QStringLiteral("Nouvelle")); },
        [&](dialogue_saisie& d) {
            test::taper(&d, QStringLiteral("Retard τ (s)"), QStringLiteral("-1"));
            test::entrer(&d, QStringLiteral("1"), QStringLiteral("1+p"));
            EXPECT_TRUE(controle<QLabel>(&d, QStringLiteral("RETARD"))->isVisible());
            capturer(&d, QStringLiteral("saisie_refusee"));
            test::taper(&d, QStringLiteral("Retard τ (s)"), QStringLiteral("1"));
            capturer(&d, QStringLiteral("saisie"));
            test::cliquer(&d, QStringLiteral("OK"));
        });
    ASSERT_TRUE(saisie);
    ASSERT_EQ(app->document().fonctions[1].fonction.retard, 1.0);
    fenetre->resize(900, 600);
    app->frequentielle().commande()->trigger();
    app->temporelle().commande()->trigger();
    app->decomposition().commande()->trigger();
    app->poles_zeros().commande()->trigger();
    etudes(QStringLiteral("_ouverte"));

    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    regler_p(1);
    etudes(QStringLiteral("_boucle_p1"));
    regler_p(3);
    etudes(QStringLiteral("_boucle_p3"));
    if (dossier.isEmpty()) GTEST_SKIP() << "VARLEM_CAPTURES unset: no screenshot written";
}

} // namespace
} // namespace varlem
