// The root-locus window as a user drives it: opened and drawn, a click reading K, ζ and ωn in
// the status line, the arrow keys along a branch, zoom and scale, copy and export; and, within
// the application, the P slider moving the closed-loop poles and "Fixer P" moving the slider.
#include "app/qt/application_varlem.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/boucle.h"
#include "document/outils_document.h"
#include "document/qt/fenetre_systeme.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"
#include "settings/qt/elements_reglages.h"
#include "studies/etude_stabilite.h"
#include "studies/qt/banc_etudes.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/image_trace.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;

// What the picture must show: a fresh drawing of the document with the window's choices.
QImage dessin_attendu(const systeme& s, const reglages& r, const fenetre_lieu_evans& f,
                      const image_trace& i) {
    const QSize t = i.image().deviceIndependentSize().toSize();
    const std::optional<lieu_systeme> l = calculer_lieu_systeme(s, f.etat().zoom);
    return dessiner_image(
        t.width(), t.height(),
        [&](surface& su) {
            if (l) tracer_lieu_systeme(su, *l, f.etat(), r.graphe);
        },
        i.devicePixelRatioF());
}

// The pixel of z on the picture.
QPoint pixel_de(const fenetre_lieu_evans& f, const image_trace& i, complexe z) {
    const QSize t = i.image().deviceIndependentSize().toSize();
    const echelle_lieu e = echelle_etat_lieu(*f.lieu(), f.etat(), t.width(), t.height());
    return {x_vers_pixel(cadre_gauche(), cadre_droite(t.width()), z.re, e.re_min, e.re_max),
            y_vers_pixel(cadre_haut(), cadre_bas(t.height()), z.im, e.im_min, e.im_max)};
}

// The gain the status line reads for the point picked.
double k_lu(QWidget* f) {
    const QLabel* l = test::controle<QLabel>(f, QStringLiteral("Point du lieu"));
    if (!l) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^K = ([-0-9.E]+)")).match(l->text());
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

QString point_lu(QWidget* f) {
    const QLabel* l = test::controle<QLabel>(f, QStringLiteral("Point du lieu"));
    return l ? l->text() : QStringLiteral("<absent>");
}

// The window alone, on 1/(p(p+1)(p+2)) in open loop.
class FenetreLieuEvans : public ::testing::Test {
  protected:
    void SetUp() override {
        sys = test::systeme_tape({{"1", "(p)(1+p)(2+p)"}});
        ctx = std::make_unique<contexte_fenetres>(contexte_fenetres{*sys, reg, plat, pilote});
        f = std::make_unique<fenetre_lieu_evans>(*ctx);
        f->resize(800, 600);
        f->ouvrir();
        QApplication::processEvents();
    }
    image_trace& image() { return *f->findChild<image_trace*>(); }
    void glisser(QPoint a, QPoint b) {
        QTest::mousePress(&image(), Qt::LeftButton, {}, a);
        QTest::mouseMove(&image(), (a + b) / 2);
        QTest::mouseMove(&image(), b);
        QTest::mouseRelease(&image(), Qt::LeftButton, {}, b);
    }

    std::unique_ptr<systeme> sys;
    reglages reg;
    test::plateforme_scriptee plat;
    test::pilote_enregistre pilote;
    std::unique_ptr<contexte_fenetres> ctx;
    std::unique_ptr<fenetre_lieu_evans> f;
};

TEST_F(FenetreLieuEvans, OuverteEtDessinee) {
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Lieu d'Evans de la fonction n°1"));
    EXPECT_EQ(f->commande()->text(), QStringLiteral("&Lieu d'Evans"));
    const QSize t = f->taille_exterieure();
    EXPECT_EQ(image().image().deviceIndependentSize().toSize(),
              QSize(t.width() - 20, t.height() - 75));
    EXPECT_EQ(image().image(), dessin_attendu(*sys, reg, *f, image()));
    EXPECT_TRUE(point_lu(f.get()).isEmpty());
    // Open loop: the point can be read, not given to a corrector.
    EXPECT_FALSE(test::actif(f.get(), QStringLiteral("Fixer P")));
    for (const char* c : {"Échelle auto", "Zoom avant", "Zoom arrière", "Copier", "Exporter…"})
        EXPECT_TRUE(test::actif(f.get(), QString::fromUtf8(c))) << c;
}

TEST_F(FenetreLieuEvans, ClicSurLeCroisementLitKZetaOmega) {
    QTest::mouseClick(&image(), Qt::LeftButton, {}, pixel_de(*f, image(), {0, std::sqrt(2.0)}));
    EXPECT_NEAR(k_lu(f.get()), 6, 0.15) << point_lu(f.get()).toStdString();
    EXPECT_TRUE(point_lu(f.get()).contains(QStringLiteral("ζ = ")));
    EXPECT_TRUE(point_lu(f.get()).contains(QStringLiteral("ωn = 1.41")));
    ASSERT_TRUE(f->etat().choisi);
    // The picture marks the point picked.
    EXPECT_EQ(image().image(), dessin_attendu(*sys, reg, *f, image()));
    EXPECT_FALSE(test::actif(f.get(), QStringLiteral("Fixer P")));
    // The pointer's coordinates in the status line, nothing outside the frame.
    test::survoler(&image(), pixel_de(*f, image(), {-1, 0}));
    EXPECT_TRUE(f->ligne_etat()->currentMessage().startsWith(QStringLiteral("Re = -1")))
        << f->ligne_etat()->currentMessage().toStdString();
    test::survoler(&image(), QPoint(2, 2));
    EXPECT_TRUE(f->ligne_etat()->currentMessage().isEmpty());
}

TEST_F(FenetreLieuEvans, FlechesDuClavierLeLongDUneBranche) {
    image().setFocus();
    QTest::keyClick(&image(), Qt::Key_Right);
    const double k0 = k_lu(f.get());
    ASSERT_GE(k0, 0) << point_lu(f.get()).toStdString();
    for (int i = 0; i < 10; ++i) QTest::keyClick(&image(), Qt::Key_Up);
    EXPECT_GT(k_lu(f.get()), k0);
    const double k1 = k_lu(f.get());
    QTest::keyClick(&image(), Qt::Key_Left);
    EXPECT_LT(k_lu(f.get()), k1);
    EXPECT_EQ(image().image(), dessin_attendu(*sys, reg, *f, image()));
}

TEST_F(FenetreLieuEvans, ZoomParRectangleEtEchelleAuto) {
    const double largeur_auto = [&] {
        const QSize t = image().image().deviceIndependentSize().toSize();
        const echelle_lieu e = echelle_etat_lieu(*f->lieu(), f->etat(), t.width(), t.height());
        return e.re_max - e.re_min;
    }();
    // A drag without "Zoom avant" picks a point and zooms nothing.
    glisser(QPoint(100, 100), QPoint(300, 250));
    EXPECT_FALSE(f->etat().zoom);
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom avant")));
    glisser(QPoint(100, 100), QPoint(300, 250));
    ASSERT_TRUE(f->etat().zoom);
    EXPECT_LT(f->etat().zoom->re_max - f->etat().zoom->re_min, largeur_auto / 2);
    EXPECT_EQ(image().image(), dessin_attendu(*sys, reg, *f, image()));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom arrière")));
    ASSERT_TRUE(f->etat().zoom);
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Échelle auto")));
    EXPECT_FALSE(f->etat().zoom);
    EXPECT_EQ(image().image(), dessin_attendu(*sys, reg, *f, image()));
    // Escape gives up an armed zoom.
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Zoom avant")));
    QTest::keyClick(f.get(), Qt::Key_Escape);
    glisser(QPoint(100, 100), QPoint(300, 250));
    EXPECT_FALSE(f->etat().zoom);
}

TEST_F(FenetreLieuEvans, CopieEtExport) {
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Copier")));
    EXPECT_EQ(plat.largeur_dessin, reg.largeur_copie);
    EXPECT_TRUE(plat.svg_copie.contains("Lieu d'Evans") || plat.svg_copie.contains("Lieu d&apos;"));
    QTemporaryDir dossier;
    const QString png = dossier.filePath(QStringLiteral("lieu.png"));
    const QString csv = dossier.filePath(QStringLiteral("lieu.csv"));
    plat.enregistrements = {png, csv};
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Exporter…")));
    ASSERT_TRUE(cliquer(f.get(), QStringLiteral("Exporter…")));
    EXPECT_EQ(QImage(png).size(), QSize(reg.largeur_copie, reg.hauteur_copie));
    QFile fichier(csv);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fichier.readLine().startsWith("branche,k,re,im"));
    EXPECT_TRUE(plat.erreurs.isEmpty());
}

// The application: the loop closed on 1/(p(p+1)(p+2)), the locus and the Stabilite text open.
class LieuEvansEnBoucle : public ::testing::Test {
  protected:
    void SetUp() override {
        app = std::make_unique<application_varlem>(plat);
        systeme& s = app->document();
        bool syntaxe = false, degre = false;
        analyser_fonction(s.calcul, 'p', "1", "(p)(1+p)(2+p)", s.fonctions[1], syntaxe, degre);
        ASSERT_FALSE(syntaxe || degre);
        s.nb_fonctions = 1;
        s.systeme_saisi = true;
        app->fenetre_fonctions().systeme_lu();
        app->activer_commandes();
        app->fenetre_fonctions().show();
        ASSERT_TRUE(cliquer(&app->fenetre_fonctions(), QStringLiteral("Bouclage")));
        ASSERT_TRUE(s.etudes.boucle_fermee);
        app->lieu_evans().commande()->trigger();
        app->stabilite().commande()->trigger();
        app->lieu_evans().resize(800, 600);
        QApplication::processEvents();
    }
    fenetre_lieu_evans& f() { return app->lieu_evans(); }
    image_trace& image() { return *f().findChild<image_trace*>(); }
    QSlider* curseur_p() {
        for (QSlider* c : app->fenetre_fonctions().findChildren<QSlider*>())
            if (c->accessibleName() == QStringLiteral("Gain P")) return c;
        return nullptr;
    }
    QString valeur_p() {
        const QLabel* l =
            test::controle<QLabel>(&app->fenetre_fonctions(), QStringLiteral("Valeur de Gain P"));
        return l ? l->text() : QString();
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
};

// The slider moves the closed-loop poles over the same locus; ti moves the locus itself.
TEST_F(LieuEvansEnBoucle, CurseurPDeplaceLesPolesSeulement) {
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Lieu d'Evans de la fonction n°1 bouclée"));
    const complexe* branches = f().lieu()->lieu.branches.points.data();
    QSlider* p = curseur_p();
    ASSERT_NE(p, nullptr);
    for (const int position : {150, 100, 30}) {
        p->setValue(position);
        EXPECT_EQ(f().lieu()->boucle.etudiee.k, app->document().kp);
        EXPECT_EQ(f().lieu()->lieu.branches.points.data(), branches);
        EXPECT_EQ(image().image(),
                  dessin_attendu(app->document(), app->reglages_etudes(), f(), image()));
        EXPECT_EQ(app->stabilite().texte(),
                  QString::fromStdString(texte_etude_stabilite(app->document()))
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    for (QSlider* c : app->fenetre_fonctions().findChildren<QSlider*>())
        if (c->accessibleName() == QStringLiteral("Temps dérivé τd")) c->setValue(50);
    EXPECT_NE(f().lieu()->lieu.branches.points.data(), branches);
    EXPECT_EQ(image().image(),
              dessin_attendu(app->document(), app->reglages_etudes(), f(), image()));
}

// "Fixer P" gives the gain picked to the corrector: the slider and its label move, and every
// study follows.
TEST_F(LieuEvansEnBoucle, FixerPDeplaceLeCurseurEtLesEtudes) {
    EXPECT_FALSE(test::actif(&f(), QStringLiteral("Fixer P")));
    QTest::mouseClick(&image(), Qt::LeftButton, {}, pixel_de(f(), image(), {-0.33, 1.1}));
    ASSERT_TRUE(f().etat().choisi);
    const double k = f().etat().choisi->k;
    ASSERT_TRUE(test::actif(&f(), QStringLiteral("Fixer P")));
    ASSERT_TRUE(cliquer(&f(), QStringLiteral("Fixer P")));
    const systeme& s = app->document();
    EXPECT_EQ(s.kp, k);
    EXPECT_EQ(valeur_p(), QString::fromStdString(texte_nombre(k)));
    const int attendue =
        static_cast<int>(std::lround((s.kp_max - k) / (s.kp_max - s.kp_min) * 200));
    EXPECT_EQ(curseur_p()->value(), attendue);
    // The locus's closed-loop poles, the Stabilite text and the closed loop are at K.
    EXPECT_EQ(f().lieu()->boucle.etudiee.k, k);
    EXPECT_EQ(image().image(), dessin_attendu(s, app->reglages_etudes(), f(), image()));
    EXPECT_TRUE(app->stabilite().texte().contains(
        QStringLiteral("K = P = %1.").arg(QString::fromStdString(texte_nombre(k)).trimmed())));
    const polynome& d = s.fonctions[3].fonction.den;
    EXPECT_NEAR(d.coef[0].re / d.coef[3].re, k, 1e-12 * k);
    // Back to the open loop: the button no longer acts.
    ASSERT_TRUE(cliquer(&app->fenetre_fonctions(), QStringLiteral("Fdt seule")));
    EXPECT_FALSE(test::actif(&f(), QStringLiteral("Fixer P")));
    EXPECT_EQ(f().windowTitle(), QStringLiteral("Lieu d'Evans de la fonction n°1"));
}

// A gain above the slider's maximum raises it.
TEST_F(LieuEvansEnBoucle, FixerPAuDelaDuMaximum) {
    ASSERT_TRUE(cliquer(&f(), QStringLiteral("Zoom arrière")));
    QTest::mouseClick(&image(), Qt::LeftButton, {}, pixel_de(f(), image(), {-4.2, 0}));
    ASSERT_TRUE(f().etat().choisi);
    const double k = f().etat().choisi->k;
    ASSERT_GT(k, 20.1);
    ASSERT_TRUE(cliquer(&f(), QStringLiteral("Fixer P")));
    EXPECT_EQ(app->document().kp_max, k);
    EXPECT_EQ(curseur_p()->value(), 0);
    const auto* haut = test::controle<etiquette_cliquable>(&app->fenetre_fonctions(),
                                                           QStringLiteral("Maximum de Gain P"));
    ASSERT_NE(haut, nullptr);
    EXPECT_EQ(haut->texte(), QString::fromStdString(texte_nombre(k)));
}

} // namespace
} // namespace varlem
