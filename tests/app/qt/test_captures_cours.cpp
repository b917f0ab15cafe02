// Pictures of the course's drawings as a user gets them, for a person to look at: the
// asymptotic Bode diagram of (1+10p)/(p(1+p)(1+0.1p+0.01p²)) in steps and in ramps, and the
// Black-Nichols chart of the loop of 1/((1+p)(1+0.5p)(1+0.2p)) closed at P = 5, with the
// readout. Written to the folder VARLEM_CAPTURES names, skipped without it.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_outils.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/fenetre_systeme.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/fenetre_frequentielle.h"

#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace varlem {
namespace {

using test::controle;

class CapturesCours : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* d = std::getenv("VARLEM_CAPTURES");
        if (!d) GTEST_SKIP() << "VARLEM_CAPTURES names no folder";
        dossier_captures = QString::fromUtf8(d);
        QDir().mkpath(dossier_captures);
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
    }

    void ouvrir(const QByteArray& contenu) {
        const QString chemin = dossier.filePath(QStringLiteral("cours.fdt"));
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        f.close();
        app->ouvrir_fichier(chemin);
        ASSERT_TRUE(plat.erreurs.isEmpty());
    }

    /// The settings' "Etude freq" tab: `faire` there, a picture of the dialog, then "OK".
    void regler(const std::function<void(dialogue_reglages&)>& faire, const QString& nom = {}) {
        EXPECT_TRUE(test::avec_modal<dialogue_reglages>(
            [this] { app->principale().actions().parametres->trigger(); },
            [&](dialogue_reglages& d) {
                QTabBar* barre = d.onglets().tabBar();
                for (int k = 0; k < barre->count(); ++k)
                    if (barre->tabText(k) == QStringLiteral("Etude freq"))
                        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(k).center());
                faire(d);
                if (!nom.isEmpty()) garder(d, nom);
                EXPECT_TRUE(test::cliquer(&d, QStringLiteral("OK")));
            }));
    }

    static void cliquer_case(QWidget* w, const char* nom) {
        QAbstractButton* b = controle<QAbstractButton>(w, QString::fromUtf8(nom));
        ASSERT_NE(b, nullptr) << nom;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }

    void garder(QWidget& w, const QString& nom) {
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(dossier_captures + QLatin1Char('/') + nom));
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QTemporaryDir dossier;
    QString dossier_captures;
};

TEST_F(CapturesCours, BodeAsymptotique) {
    ouvrir("1\r\n(1+10p)\r\n(p)(1+p)(1+0.1p+0.01p^2)\r\n");
    fenetre_frequentielle& f = app->frequentielle();
    f.commande()->trigger();
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Bode")));
    regler([](dialogue_reglages& d) { cliquer_case(&d, "Asymptotes"); },
           QStringLiteral("onglet_etude_freq.png"));
    garder(f, QStringLiteral("bode_paliers.png"));
    regler([](dialogue_reglages& d) { cliquer_case(&d, "Rampes"); });
    garder(f, QStringLiteral("bode_rampes.png"));
    regler([](dialogue_reglages& d) { cliquer_case(&d, "Pentes entières"); });
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Gain")));
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Valeurs")));
    for (int pas = 0; pas < 6; ++pas)
        ASSERT_TRUE(test::cliquer(&f.lecture(), QStringLiteral("Pas doublé")));
    ASSERT_TRUE(test::cliquer(&f.lecture(), QStringLiteral("Pulsation suivante")));
    garder(f, QStringLiteral("gain_pentes_entieres.png"));
    garder(f.lecture(), QStringLiteral("lecture_asymptotes.png"));
}

// Eight functions at once: every curve's asymptotes in its colour, the labels where they fit.
TEST_F(CapturesCours, HuitFonctions) {
    ouvrir("8\r\n(1+10p)\r\n(p)(1+p)(1+0.1p+0.01p^2)\r\n5\r\n(1+p)(1+0.5p)(1+0.2p)\r\n"
           "(1-p)\r\n(1+p)(1+0.2p)\r\n10\r\n(p^2)(1+0.5p)\r\n(1+2p)\r\n(1+20p)(1+0.05p)\r\n"
           "1\r\n1+0.2p+p^2\r\n(1+p)\r\n(p)(1+0.01p)(1+0.001p)\r\n(1+0.5p)(1+0.5p)\r\n"
           "(1+5p)(1+5p)(1+0.02p)\r\n");
    regler([](dialogue_reglages& d) { cliquer_case(&d, "Asymptotes"); });
    app->document().etudes.toutes_fonctions = true;
    fenetre_frequentielle& f = app->frequentielle();
    f.commande()->trigger();
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Bode")));
    app->rafraichir_etudes(true, true);
    garder(f, QStringLiteral("bode_huit_fonctions.png"));
}

TEST_F(CapturesCours, AbaqueDeBlackBoucleFermeeAPCinq) {
    ouvrir("1\r\n1\r\n(1+p)(1+0.5p)(1+0.2p)\r\n");
    // The settings wait while the loop is closed: the chart is asked for before.
    regler([](dialogue_reglages& d) { cliquer_case(&d, "Abaque de Black-Nichols"); });
    fenetre_systeme& s = app->fenetre_fonctions();
    s.show();
    test::presser(&s, QStringLiteral("Bouclage"));
    ASSERT_TRUE(app->document().etudes.boucle_fermee);
    QSlider* p = controle<QSlider>(&s, QStringLiteral("Gain P"));
    ASSERT_NE(p, nullptr);
    p->setValue(151);
    EXPECT_NEAR(app->document().correcteur.fonction.num.coef[0].re, 5, 1e-9);
    garder(s, QStringLiteral("systeme_boucle_P5.png"));
    fenetre_frequentielle& f = app->frequentielle();
    f.commande()->trigger();
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Black")));
    garder(f, QStringLiteral("black_abaque_P5.png"));
    ASSERT_TRUE(test::cliquer(&f, QStringLiteral("Valeurs")));
    for (int pas = 0; pas < 4; ++pas)
        ASSERT_TRUE(test::cliquer(&f.lecture(), QStringLiteral("Pas doublé")));
    for (int pas = 0; pas < 3; ++pas)
        ASSERT_TRUE(test::cliquer(&f.lecture(), QStringLiteral("Pulsation suivante")));
    garder(f, QStringLiteral("black_abaque_P5_lecture.png"));
    garder(f.lecture(), QStringLiteral("lecture_black.png"));
    f.resize(640, 420);
    app->rafraichir_etudes(false, false);
    garder(f, QStringLiteral("black_abaque_P5_petit.png"));
}

} // namespace
} // namespace varlem
