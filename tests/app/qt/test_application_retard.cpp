// A delayed system in the running application: files with delays read, saved and read again,
// a refused trailer said in the error box; the loop of a delayed function with its readings,
// its Padé note and a return path typed without delay; the study pictures of delayed functions
// and of their loop are the drawings of the document made afresh.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/banc_saisie.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_temporelle.h"
#include "studies/qt/image_trace.h"
#include "studies/trace_frequentiel.h"
#include "studies/trace_temporel.h"
#include "studies/zones_trace.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class ApplicationRetard : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dossier.isValid());
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
        app->principale().actions().entree->trigger();
        fenetre = &app->fenetre_fonctions();
    }

    QString fichier(const QString& nom, const QByteArray& contenu) {
        const QString chemin = dossier.filePath(nom);
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        return chemin;
    }
    QString facteur() {
        QLabel* l = controle<QLabel>(fenetre, QStringLiteral("Retard"));
        return l && l->isVisible() ? l->text() : QString();
    }
    double retard(int k) {
        return app->document().fonctions[static_cast<std::size_t>(k)].fonction.retard;
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QTemporaryDir dossier;
    QWidget* fenetre = nullptr;
};

const QByteArray deux_retardees = "2\r\n1\r\n1+p\r\n2\r\np+p^2\r\n[retards]\r\n1\r\n0.25\r\n";

TEST_F(ApplicationRetard, FichierAvecRetardsLuEnregistreEtRelu) {
    app->ouvrir_fichier(fichier("r.fdt", deux_retardees));
    EXPECT_TRUE(plat.erreurs.isEmpty());
    EXPECT_EQ(retard(1), 1.0);
    EXPECT_EQ(retard(2), 0.25);
    EXPECT_EQ(facteur(), "e^(-p)");
    // Saved, the delays follow the functions, and read back the same.
    const QString copie = dossier.filePath(QStringLiteral("copie.fdt"));
    plat.enregistrements.push_back(copie);
    ASSERT_TRUE(app->enregistrer());
    QFile f(copie);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), deux_retardees);
    app->ouvrir_fichier(fichier("autre.fdt", "1\r\n1\r\n1+3p\r\n"));
    EXPECT_EQ(facteur(), "");
    app->ouvrir_fichier(copie);
    EXPECT_EQ(retard(2), 0.25);
    EXPECT_TRUE(plat.erreurs.isEmpty());
}

TEST_F(ApplicationRetard, TraineurRefuseDitDansLaBoiteDErreur) {
    struct cas {
        const char* quoi;
        QByteArray reste;
    };
    const cas table[] = {{"negative", "[retards]\r\n1\r\n-2\r\n"},
                         {"missing", "[retards]\r\n1\r\n"},
                         {"unreadable", "[retards]\r\nabc\r\n0\r\n"}};
    for (const cas& c : table) {
        plat.erreurs.clear();
        app->ouvrir_fichier(fichier("t.fdt", "2\r\n1\r\n1+p\r\n2\r\np+p^2\r\n" + c.reste));
        // The functions are read without any delay; the box says why, once.
        ASSERT_EQ(plat.erreurs.size(), 1) << c.quoi;
        EXPECT_TRUE(plat.erreurs.front().startsWith(QStringLiteral("Retards ignorés : ")))
            << plat.erreurs.front().toStdString();
        EXPECT_EQ(app->document().nb_fonctions, 2) << c.quoi;
        EXPECT_EQ(retard(1), 0.0) << c.quoi;
        EXPECT_EQ(retard(2), 0.0) << c.quoi;
        EXPECT_EQ(facteur(), "") << c.quoi;
        EXPECT_TRUE(app->principale().actions().enregistrer->isEnabled()) << c.quoi;
    }
}

TEST_F(ApplicationRetard, BoucleDUneFonctionRetardee) {
    app->ouvrir_fichier(fichier("r.fdt", "1\r\n1\r\np+p^2\r\n[retards]\r\n0.2\r\n"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    EXPECT_EQ(facteur(), "e^(-.2p)") << "the looped function keeps its factor";
    auto* texte =
        controle<QPlainTextEdit>(fenetre, QStringLiteral("Fonction de transfert en boucle fermée"));
    ASSERT_NE(texte, nullptr);
    EXPECT_TRUE(texte->toPlainText().contains(
        QStringLiteral("retard remplacé par son approximation de Padé d'ordre ")));
    // The whole text is in view, its note included.
    EXPECT_GE(texte->viewport()->height(),
              texte->document()->blockCount() * texte->fontMetrics().lineSpacing());
    QLabel* marges = controle<QLabel>(fenetre, QStringLiteral("Marges de la boucle ouverte"));
    ASSERT_NE(marges, nullptr);
    const QStringList lignes = marges->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lignes.size(), 3);
    EXPECT_TRUE(lignes[2].startsWith(QStringLiteral("Marge de retard : ")))
        << lignes[2].toStdString();
    EXPECT_TRUE(lignes[2].endsWith(QStringLiteral(" s")));
    // A gain that leaves no phase margin leaves no delay margin either.
    QSlider* p = controle<QSlider>(fenetre, QStringLiteral("Gain P"));
    ASSERT_NE(p, nullptr);
    p->setSliderPosition(p->minimum());
    EXPECT_EQ(marges->text().split(QLatin1Char('\n')).value(2),
              QStringLiteral("Marge de retard : 0 s"));
    // The return path is typed without a delay.
    QLineEdit* retour = controle<QLineEdit>(fenetre, QStringLiteral("Numérateur du retour"));
    ASSERT_NE(retour, nullptr);
    EXPECT_TRUE(test::avec_dialogue([&] { QTest::mouseClick(retour, Qt::LeftButton); },
                                    [](dialogue_saisie& d) {
                                        auto* b =
                                            controle<QLineEdit>(&d, QStringLiteral("Retard τ (s)"));
                                        EXPECT_TRUE(b && !b->isVisible());
                                        test::cliquer(&d, QStringLiteral("Annuler"));
                                    }));
}

image_trace* image_nommee(QWidget* f, const QString& nom) {
    for (image_trace* i : f->findChildren<image_trace*>())
        if (i->accessibleName() == nom) return i;
    return nullptr;
}

// The picture shown is the drawing of the document made afresh at the window's size.
::testing::AssertionResult dessin_frais(image_trace* image, const zone_trace& z,
                                        const dessin& trace) {
    if (!image || !image->isVisible()) return ::testing::AssertionFailure() << "no picture";
    const QImage attendu = dessiner_image(z.largeur, z.hauteur, trace, image->devicePixelRatioF());
    if (image->image() != attendu) return ::testing::AssertionFailure() << "another drawing";
    return ::testing::AssertionSuccess();
}

TEST_F(ApplicationRetard, EtudesRetardeesDessineesCommeAFrais) {
    app->ouvrir_fichier(
        fichier("r.fdt", "2\r\n1\r\n1+p\r\n2\r\n1+p+p^2\r\n[retards]\r\n1\r\n0.5\r\n"));
    fenetre_frequentielle& frq = app->frequentielle();
    fenetre_temporelle& tps = app->temporelle();
    frq.commande()->trigger();
    tps.commande()->trigger();
    const auto verifier = [&](const char* quand) {
        for (const char* d : {"Gain", "Phase", "Black", "Nyquist"}) {
            ASSERT_TRUE(cliquer(&frq, QString::fromUtf8(d)));
            QApplication::processEvents();
            auto copie = std::make_unique<systeme>(app->document());
            const reglages r = app->reglages_etudes();
            const QSize t = frq.taille_exterieure();
            EXPECT_TRUE(dessin_frais(
                image_nommee(&frq, QStringLiteral("Diagramme fréquentiel")),
                zone_frequentiel(t.width(), t.height()),
                [&](surface& s) { tracer_frequentiel(s, r.frequence, r.graphe, *copie); }))
                << quand << " " << d;
        }
        for (const char* e : {"Impulsion", "Échelon", "Rampe"}) {
            ASSERT_TRUE(cliquer(&tps, QString::fromUtf8(e)));
            QApplication::processEvents();
            auto copie = std::make_unique<systeme>(app->document());
            reglages r = app->reglages_etudes();
            const QSize t = tps.taille_exterieure();
            EXPECT_TRUE(dessin_frais(image_nommee(&tps, QStringLiteral("Réponse temporelle")),
                                     zone_temps(t.width(), t.height()),
                                     [&](surface& s) { tracer_temporel(s, r.temps, *copie, r); }))
                << quand << " " << e;
        }
    };
    verifier("open");
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    verifier("closed");
    QSlider* p = controle<QSlider>(fenetre, QStringLiteral("Gain P"));
    ASSERT_NE(p, nullptr);
    p->setSliderPosition(p->value() - 20);
    verifier("closed, P moved");
}

} // namespace
} // namespace varlem
