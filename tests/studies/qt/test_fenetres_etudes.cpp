// The study windows driven through their tool bars: pole-zero map, decomposition text,
// frequency diagrams and time responses.
#include "document/boucle.h"
#include "studies/qt/banc_etudes.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/zones_trace.h"

#include "support/genres.h"
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;

using FenetresEtudes = test::banc_etudes;

TEST_F(FenetresEtudes, CartePolesZerosOuverteACoteDesRacines) {
    fenetre_poles_zeros f(*ctx);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Poles et zéros de la fonction"));
    EXPECT_FALSE(f.isVisible());
    f.ouvrir();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(sys->etudes.poles_zeros_ouverte);
    // Poles -1 and -2: the real bounds -2.2 and -1.1 widened to whole steps through zero.
    EXPECT_LE(reg.pz.re_min, -2.2);
    EXPECT_GE(reg.pz.re_max, 0.0);
    const QSize t = f.taille_exterieure();
    EXPECT_EQ(image_de(&f), QSize(t.width() - 70, t.height() - 70));

    reg.pz.re_min = -100;
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Échelle auto")));
    EXPECT_GT(reg.pz.re_min, -100);

    ASSERT_TRUE(cliquer(&f, QStringLiteral("Copier")));
    EXPECT_EQ(plat.largeur_dessin, 567);
    EXPECT_EQ(plat.hauteur_dessin, 416);
    EXPECT_TRUE(plat.svg_copie.contains("<svg"));
    EXPECT_TRUE(plat.svg_copie.contains(">*<"));
}

TEST_F(FenetresEtudes, CartePolesZerosExporteeEnImageEtEnRacines) {
    fenetre_poles_zeros f(*ctx);
    f.ouvrir();
    QTemporaryDir dossier;
    const QString image = dossier.filePath(QStringLiteral("carte.png"));
    const QString racines = dossier.filePath(QStringLiteral("carte.csv"));
    plat.enregistrements = {image, racines, std::nullopt};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(cliquer(&f, QStringLiteral("Exporter…")));
    EXPECT_EQ(QImage(image).size(), QSize(reg.largeur_copie, reg.hauteur_copie));
    QFile fichier(racines);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(fichier.readAll()).trimmed().split('\n');
    // 1/((1+p)(1+0.5p)): the poles -1 and -2, each once, and no zero.
    ASSERT_EQ(lignes.size(), 3) << lignes.join('|').toStdString();
    QStringList poles = lignes.mid(1);
    poles.sort();
    EXPECT_TRUE(poles[0].startsWith(QStringLiteral("pôle,-1,0,1"))) << poles[0].toStdString();
    EXPECT_TRUE(poles[1].startsWith(QStringLiteral("pôle,-2,0,1"))) << poles[1].toStdString();
    EXPECT_TRUE(plat.erreurs.isEmpty());
}

TEST_F(FenetresEtudes, CartePolesZerosRetailleeSansRedessinTropPetite) {
    fenetre_poles_zeros f(*ctx);
    f.ouvrir();
    const QSize avant = image_de(&f);
    f.resize(400, 85);
    QApplication::processEvents();
    EXPECT_EQ(image_de(&f), avant);
    f.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(image_de(&f),
              QSize(f.taille_exterieure().width() - 70, f.taille_exterieure().height() - 70));
    // The refresh itself hands a negative area on: nothing is drawn and nothing fails.
    f.resize(30, 30);
    f.rafraichir(false, false);
    EXPECT_TRUE(image_de(&f).isEmpty());
}

TEST_F(FenetresEtudes, CartePolesZerosEnBoucleFermee) {
    ASSERT_TRUE(fermer_boucle(*sys, reg).effectue);
    fenetre_poles_zeros f(*ctx);
    const reglages_pz echelle = reg.pz;
    f.ouvrir();
    EXPECT_EQ(reg.pz.re_min, echelle.re_min) << "opening with the loop closed keeps the scale";
    f.rafraichir(false, false);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Poles et zéros de la fonction n°1 bouclée"));
    sys->fonction_courante = 1;
    reg.pz.re_min = -100;
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Échelle auto")));
    EXPECT_GT(reg.pz.re_min, -100);
}

TEST_F(FenetresEtudes, DecompositionDeLaFonctionCourante) {
    sys->fonction_courante = 2;
    fenetre_decomposition f(*ctx);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Decomposition"));
    f.ouvrir();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Décomposition de la fonction courante"));
    EXPECT_TRUE(f.texte().startsWith(QStringLiteral("Pour la fonction n°2\n\n")));
    EXPECT_FALSE(f.texte().contains(QLatin1Char('\r')));
    EXPECT_TRUE(f.texte().contains(QStringLiteral("Valeurs des zéros : \n\n-1 + j . 0")));
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Copier le texte")));
    EXPECT_EQ(plat.texte_copie, f.texte());

    reg.pz.decomposer_courante = reg.pz.valeurs_poles = reg.pz.valeurs_zeros = false;
    reg.pz.caracteristiques = false;
    f.rafraichir(false, false);
    EXPECT_EQ(f.texte(), QStringLiteral("Pour la fonction n°2\n\n"));
}

TEST_F(FenetresEtudes, DecompositionTermineeParLesCaracteristiques) {
    fenetre_decomposition f(*ctx);
    f.ouvrir();
    const QString texte = f.texte();
    const qsizetype section = texte.indexOf(QStringLiteral("Caractéristiques"));
    ASSERT_GT(section, 0) << texte.toStdString();
    EXPECT_GT(section, texte.indexOf(QStringLiteral("Valeurs des zéros")));
    EXPECT_TRUE(texte.mid(section).contains(QStringLiteral("Marge de phase")));
    reg.pz.caracteristiques = false;
    f.rafraichir(false, false);
    EXPECT_FALSE(f.texte().contains(QStringLiteral("Caractéristiques")));
}

TEST_F(FenetresEtudes, DecompositionEnBoucleFermee) {
    ASSERT_TRUE(fermer_boucle(*sys, reg).effectue);
    fenetre_decomposition f(*ctx);
    f.ouvrir();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Décomposition de la fonction du systeme bouclé"));
    EXPECT_TRUE(f.texte().startsWith(QStringLiteral("Pour la fonction bouclée n°1")));
}

TEST_F(FenetresEtudes, BodeEmpileLeGainEtLaPhase) {
    fenetre_frequentielle f(*ctx);
    f.ouvrir();
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Bode")));
    const QSize t = f.taille_exterieure();
    const zone_trace z = zone_bode(t.width(), t.height());
    const auto images = f.findChildren<image_trace*>();
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(image_de(&f, 0), QSize(z.largeur, z.hauteur));
    EXPECT_TRUE(images[1]->isVisible());
    EXPECT_EQ(images[1]->y(), haut_bode_phase(t.height()));
    EXPECT_EQ(sys->etudes.etude_freq_choisie, diagramme::phase);
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Gain")));
    EXPECT_FALSE(images[1]->isVisible());
    EXPECT_FALSE(sys->etudes.bode_double);
    EXPECT_EQ(image_de(&f, 0), QSize(t.width() - 20, t.height() - 75));
}

TEST_F(FenetresEtudes, ZoomArriereSaufEnBode) {
    fenetre_frequentielle f(*ctx);
    f.ouvrir();
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Bode")));
    const etude_frequence avant = reg.frequence;
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Zoom arrière")));
    EXPECT_EQ(reg.frequence.gain_min, avant.gain_min);
    EXPECT_EQ(reg.frequence.phase_min, avant.phase_min);
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Gain")));
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Zoom arrière")));
    EXPECT_LT(reg.frequence.gain_min, avant.gain_min);
    EXPECT_EQ(reg.frequence.phase_min, avant.phase_min);
}

TEST_F(FenetresEtudes, IntervalleElargiEtEchelleAuto) {
    fenetre_frequentielle f(*ctx);
    f.ouvrir();
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Gain")));
    const int bas = reg.frequence.decade_min, haut = reg.frequence.decade_max;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(cliquer(&f, QStringLiteral("Décade −")));
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Décade +")));
    EXPECT_EQ(reg.frequence.decade_min, bas - 3);
    EXPECT_EQ(reg.frequence.decade_max, haut + 1);
    reg.graphe.inclure_zero = false;
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Échelle auto")));
    EXPECT_TRUE(reg.graphe.inclure_zero);
    EXPECT_EQ(reg.frequence.decade_min, bas);
}

TEST_F(FenetresEtudes, IntervalleDeTempsDiviseDixFoisAuPlus) {
    fenetre_temporelle f(*ctx);
    f.ouvrir();
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Échelon")));
    const double t0 = reg.temps.t_max;
    ASSERT_GT(t0, 0.0);
    // The interval is widened to whole graduation steps: each halving roughly halves it.
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(cliquer(&f, QStringLiteral("Temps ÷ 2")));
    const double t10 = reg.temps.t_max;
    EXPECT_LT(t10, t0 / 256);
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Temps ÷ 2")));
    EXPECT_EQ(reg.temps.t_max, t10) << "an eleventh halving does nothing";
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Temps × 2")));
    EXPECT_GT(reg.temps.t_max, t10);
    // A new input starts again from the interval computed for it.
    ASSERT_TRUE(cliquer(&f, QStringLiteral("Échelon")));
    EXPECT_DOUBLE_EQ(reg.temps.t_max, t0);
    const QSize t = f.taille_exterieure();
    EXPECT_EQ(image_de(&f), QSize(t.width() - 30, t.height() - 100));
}

TEST_F(FenetresEtudes, PointsDeTempsSelonLaFenetre) {
    fenetre_temporelle f(*ctx);
    EXPECT_EQ(f.nb_points(), 200) << "a hidden window";
    f.ouvrir();
    f.resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(f.nb_points(), (f.taille_exterieure().width() - 40) / 2);
    f.showMinimized();
    QApplication::processEvents();
    EXPECT_EQ(f.nb_points(), 200) << "a minimised window";
}

} // namespace
} // namespace varlem
