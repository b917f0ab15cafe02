// One session from start to quit, through the windows only: a function typed, its
// decomposition and pole-zero map read, the system saved, emptied and read back.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/banc_saisie.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_poles_zeros.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

TEST(Scenario, TaperEtudierEnregistrerRelireQuitter) {
    test::plateforme_scriptee plat;
    auto app = std::make_unique<application_varlem>(plat);
    const actions_principales& a = app->principale().actions();
    app->principale().show();
    QWidget* fenetre = &app->fenetre_fonctions();

    a.entree->trigger();
    EXPECT_TRUE(fenetre->isVisible());
    EXPECT_TRUE(plat.questions.isEmpty()) << "nothing to save yet";
    EXPECT_TRUE(test::avec_dialogue(
        [&] { test::cliquer(fenetre, QStringLiteral("Nouvelle")); },
        [](dialogue_saisie& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Entrée de la fonction n°1"));
            test::entrer(&d, QStringLiteral("1"), QStringLiteral("(1+p)(1+2p)"));
        }));
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")),
              QStringLiteral("(1+p)(1+2p)"));
    QLineEdit* boite = test::controle<QLineEdit>(fenetre, QStringLiteral("Dénominateur"));
    EXPECT_TRUE(boite->isEnabled() && boite->isReadOnly()) << "selectable, not editable";
    ASSERT_TRUE(app->decomposition().commande()->isEnabled());

    app->decomposition().commande()->trigger();
    const QString texte = app->decomposition().texte();
    EXPECT_TRUE(texte.contains(QStringLiteral("\n-1 + j . 0\n"))) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("\n-5E-1 + j . 0\n"))) << texte.toStdString();
    app->poles_zeros().commande()->trigger();
    EXPECT_TRUE(app->poles_zeros().isVisible());
    EXPECT_EQ(app->poles_zeros().windowTitle(),
              QStringLiteral("Poles et zéros de la fonction n°1"));
    EXPECT_LE(app->reglages_etudes().pz.re_min, -1.1);

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("scenario.fdt"));
    plat.enregistrements.push_back(chemin);
    a.enregistrer->trigger();
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1\r\n1\r\n(1+p)(1+2p)\r\n"));

    plat.reponses = {reponse::non};
    a.entree->trigger();
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")), QStringLiteral("1"));
    EXPECT_FALSE(app->decomposition().commande()->isEnabled());

    plat.ouvertures.push_back(chemin);
    a.ouvrir->trigger();
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Numérateur")), QStringLiteral("1"));
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")),
              QStringLiteral("(1+p)(1+2p)"));
    EXPECT_TRUE(plat.erreurs.isEmpty());

    plat.questions.clear();
    EXPECT_TRUE(app->principale().close());
    EXPECT_TRUE(plat.questions.isEmpty()) << "the system read back is unchanged";
}

TEST(Scenario, QuitterApresUneSaisieDemandeDEnregistrer) {
    test::plateforme_scriptee plat;
    auto app = std::make_unique<application_varlem>(plat);
    app->principale().show();
    app->principale().actions().entree->trigger();
    EXPECT_TRUE(test::avec_dialogue(
        [&] { test::cliquer(&app->fenetre_fonctions(), QStringLiteral("Nouvelle")); },
        [](dialogue_saisie& d) { test::entrer(&d, QStringLiteral("2"), QStringLiteral("1+p")); }));
    plat.reponses = {reponse::annuler};
    EXPECT_FALSE(app->principale().close());
    EXPECT_EQ(plat.questions,
              QStringList{QStringLiteral("Voulez-vous enregistrer le système actuel ?")});
    EXPECT_EQ(app->document().nb_fonctions, 1);
}

} // namespace
} // namespace varlem
