// The application as a user starts it: the main window's commands, file commands, the save
// question, dropped files and the refresh that reaches every opened study.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/fenetre_systeme.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

class Application : public ::testing::Test {
  protected:
    void SetUp() override {
        app = std::make_unique<application_varlem>(plat);
        ASSERT_TRUE(dossier.isValid());
    }

    QString fichier(const QString& nom, const QByteArray& contenu) {
        const QString chemin = dossier.filePath(nom);
        QFile f(chemin);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        return chemin;
    }

    QByteArray lu(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    const actions_principales& actions() { return app->principale().actions(); }

    // Closes the main window as its close box does; true when it closed.
    bool fermer() {
        app->principale().show();
        return app->principale().close();
    }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QTemporaryDir dossier;
};

const QByteArray deux_fonctions = "2\r\n1\r\n1+p\r\n2\r\n1+3p+p^2\r\n";

TEST_F(Application, DemarrageSystemeVide) {
    EXPECT_EQ(app->principale().windowTitle(), QStringLiteral("Varlem"));
    for (QAction* a :
         {actions().enregistrer, app->temporelle().commande(), app->frequentielle().commande(),
          app->poles_zeros().commande(), app->decomposition().commande(), actions().parametres}) {
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    }
    EXPECT_TRUE(actions().ouvrir->isEnabled());
    EXPECT_TRUE(actions().menu_enregistrer->isEnabled());
    EXPECT_TRUE(app->principale().cadre()->subWindowList().isEmpty());
    for (QWidget* w : std::initializer_list<QWidget*>{&app->frequentielle(), &app->temporelle(),
                                                      &app->poles_zeros(), &app->decomposition()}) {
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(w->isMinimized());
    }
    EXPECT_EQ(app->document().nb_fonctions, 0);
}

TEST_F(Application, ToutesLesCommandesOntUnNomEtUnChemin) {
    QList<QAction*> commandes = app->principale().barre()->actions();
    for (QMenu* m : app->principale().menuBar()->findChildren<QMenu*>()) commandes << m->actions();
    for (QAction* a : commandes) {
        if (a->isSeparator() || a->menu()) continue;
        EXPECT_FALSE(a->text().isEmpty());
        EXPECT_FALSE(a->toolTip().isEmpty()) << a->text().toStdString();
    }
    // Every command of the tool bar is also reachable from a menu.
    QList<QAction*> dans_menus;
    for (QMenu* m : app->principale().menuBar()->findChildren<QMenu*>()) {
        emit m->aboutToShow();
        dans_menus << m->actions();
    }
    for (QAction* a : app->principale().barre()->actions()) {
        if (!a->isSeparator() && a != actions().ouvrir && a != actions().enregistrer) {
            EXPECT_TRUE(dans_menus.contains(a)) << a->text().toStdString();
        }
    }
    QStringList titres;
    for (QAction* a : app->principale().menuBar()->actions()) titres << a->text();
    EXPECT_EQ(titres, (QStringList{"&Systeme", "&Edition", "&Etude", "Fe&nêtre", "&Aide"}));
}

TEST_F(Application, NouveauSystemeNeFaitQuAjouterDesFenetresVides) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    actions().nouveau_systeme->trigger();
    actions().nouveau_systeme->trigger();
    QList<QMdiSubWindow*> enfants = app->principale().cadre()->subWindowList();
    ASSERT_EQ(enfants.size(), 2);
    EXPECT_EQ(enfants[0]->windowTitle(), QStringLiteral("NONAME1"));
    EXPECT_EQ(enfants[1]->windowTitle(), QStringLiteral("NONAME2"));
    EXPECT_EQ(app->document().nb_fonctions, 2);
    enfants[0]->close();
    QApplication::processEvents();
    actions().nouveau_systeme->trigger();
    EXPECT_EQ(app->principale().cadre()->subWindowList().back()->windowTitle(),
              QStringLiteral("NONAME2"));
}

TEST_F(Application, LectureRefuseeNeChangeRien) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    ASSERT_TRUE(plat.erreurs.isEmpty());
    struct cas {
        const char* contenu;
        const char* message;
    };
    for (const cas c : {cas{"abc\r\n", "Saisie numérique incorrecte."}, cas{"9\r\n", nullptr},
                        cas{"3\r\n1\r\n1+p\r\n", nullptr}, cas{"1\r\n1\r\n1+*p\r\n", nullptr}}) {
        plat.erreurs.clear();
        plat.ouvertures.push_back(fichier("refuse.fdt", c.contenu));
        actions().menu_ouvrir->trigger();
        ASSERT_EQ(plat.erreurs.size(), 1) << c.contenu;
        if (c.message) {
            EXPECT_EQ(plat.erreurs.front(), QString::fromUtf8(c.message));
        }
        EXPECT_EQ(app->document().nb_fonctions, 2) << c.contenu;
        EXPECT_EQ(app->document().fonctions[2].fonction.texte_den, "1+3p+p^2");
    }
    plat.erreurs.clear();
    app->ouvrir_fichier(dossier.filePath(QStringLiteral("absent.fdt")));
    EXPECT_EQ(plat.erreurs, QStringList{QStringLiteral("Fichier introuvable.")});
    EXPECT_EQ(plat.pickers.front().filtre, QStringLiteral("fichiers *.fdt (*.fdt)"));
}

TEST_F(Application, UnFichierSansFonctionNeMontreAucuneFonction) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    app->ouvrir_fichier(fichier("zero.fdt", "0\r\n"));
    ASSERT_TRUE(plat.erreurs.isEmpty());
    QWidget* f = &app->fenetre_fonctions();
    EXPECT_EQ(test::controle<QLabel>(f, QStringLiteral("compte"))->text(), QStringLiteral("sur 0"));
    EXPECT_EQ(test::texte_boite(f, QStringLiteral("Numérateur")), QStringLiteral("1"));
    EXPECT_EQ(test::texte_boite(f, QStringLiteral("Dénominateur")), QStringLiteral("1"))
        << "the functions read before are no longer the system's";
}

TEST_F(Application, UnLongTexteLuSeMontreEtSeModifieEntier) {
    std::string num = "1";
    while (num.size() < 40'000) num += "+0.5";
    app->ouvrir_fichier(
        fichier("long.fdt", "1\r\n" + QByteArray::fromStdString(num) + "\r\n1+p\r\n"));
    ASSERT_TRUE(plat.erreurs.isEmpty());
    QWidget* f = &app->fenetre_fonctions();
    f->show();
    EXPECT_EQ(test::texte_boite(f, QStringLiteral("Numérateur")), QString::fromStdString(num));
    // "Modifier" then "OK" without typing leaves the function as it was.
    EXPECT_TRUE(test::avec_modal<dialogue_saisie>(
        [&] { test::cliquer(f, QStringLiteral("Modifier")); },
        [](dialogue_saisie& d) { test::cliquer(&d, QStringLiteral("OK")); }));
    EXPECT_EQ(app->document().fonctions[1].fonction.texte_num, num);
}

TEST_F(Application, UneEtudeRestaureeAvantDEtreOuverteNePrendAucuneCommande) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    fenetre_frequentielle& f = app->frequentielle();
    // Restored from the task bar: no refresh reaches it, so nothing it would show follows.
    f.showNormal();
    EXPECT_FALSE(f.isEnabled());
    app->frequentielle().commande()->trigger();
    EXPECT_TRUE(f.isEnabled());
    EXPECT_TRUE(app->document().etudes.frequence_ouverte);
}

TEST_F(Application, LectureActiveLesEtudesEtRafraichitLesFenetresOuvertes) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    EXPECT_TRUE(app->frequentielle().commande()->isEnabled());
    app->poles_zeros().commande()->trigger();
    app->decomposition().commande()->trigger();
    EXPECT_TRUE(app->poles_zeros().isVisible());
    EXPECT_TRUE(app->decomposition().texte().startsWith(QStringLiteral("Pour la fonction n°1")));
    app->ouvrir_fichier(fichier("t.fdt", "1\r\n5\r\n1+4p\r\n"));
    EXPECT_TRUE(app->decomposition().texte().contains(QStringLiteral("-2.5E-1 + j . 0")));
    EXPECT_EQ(app->poles_zeros().windowTitle(),
              QStringLiteral("Poles et zéros de la fonction n°1"));
}

TEST_F(Application, RafraichissementDuTempsSelonLaFenetre) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    app->temporelle().commande()->trigger();
    app->temporelle().showMinimized();
    QApplication::processEvents();
    app->rafraichir_etudes(true, true);
    EXPECT_EQ(app->reglages_etudes().temps.nb_points, 200);
    app->temporelle().showNormal();
    app->temporelle().resize(441, 300);
    QApplication::processEvents();
    app->rafraichir_etudes(true, true);
    EXPECT_EQ(app->reglages_etudes().temps.nb_points,
              (app->temporelle().frameGeometry().width() - 40) / 2);
    // Windows narrower than their margins get no picture, and nothing fails.
    app->frequentielle().commande()->trigger();
    app->poles_zeros().commande()->trigger();
    for (QWidget* w : std::initializer_list<QWidget*>{&app->temporelle(), &app->poles_zeros(),
                                                      &app->frequentielle()})
        w->resize(1, 1);
    app->rafraichir_etudes(true, true);
    app->rafraichir_etudes(false, false);
}

TEST_F(Application, EnregistrementEtRelecture) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    plat.enregistrements.push_back(dossier.filePath(QStringLiteral("copie.txt")));
    actions().enregistrer->trigger();
    EXPECT_EQ(lu(dossier.filePath(QStringLiteral("copie.fdt"))), deux_fonctions);
    EXPECT_EQ(plat.pickers.back().filtre, QStringLiteral("*.fdt (*.fdt)"));
    // A folder that cannot be written: the error box, and the system stays.
    plat.enregistrements.push_back(QStringLiteral("/proc/varlem/x.fdt"));
    actions().menu_enregistrer->trigger();
    EXPECT_EQ(plat.erreurs.size(), 1);
    EXPECT_EQ(app->document().nb_fonctions, 2);
}

TEST_F(Application, EntreeApresLaQuestion) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    plat.reponses = {reponse::annuler};
    actions().entree->trigger();
    EXPECT_EQ(plat.questions,
              QStringList{QStringLiteral("Voulez-vous enregistrer le système actuel ?")});
    EXPECT_EQ(app->document().nb_fonctions, 2);
    EXPECT_TRUE(app->frequentielle().commande()->isEnabled());
    // "Oui" and a cancelled save: the system stays too.
    plat.reponses = {reponse::oui};
    actions().entree->trigger();
    EXPECT_EQ(app->document().nb_fonctions, 2);
    plat.reponses = {reponse::non};
    actions().entree->trigger();
    EXPECT_EQ(app->document().nb_fonctions, 0);
    EXPECT_FALSE(app->frequentielle().commande()->isEnabled());
    EXPECT_TRUE(app->fenetre_fonctions().isVisible());
}

TEST_F(Application, QuitterUnSystemeInchangeSansQuestion) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    EXPECT_TRUE(fermer());
    EXPECT_TRUE(plat.questions.isEmpty());
}

TEST_F(Application, QuitterUnSystemeChangeDemandeDEnregistrer) {
    struct cas {
        std::deque<reponse> reponses;
        bool enregistre;
        bool ferme;
    };
    for (const cas& c : {cas{{reponse::annuler}, false, false}, cas{{reponse::oui}, false, false},
                         cas{{reponse::oui}, true, true}, cas{{reponse::non}, false, true}}) {
        app = std::make_unique<application_varlem>(plat);
        app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
        app->document().modifie = true;
        plat.questions.clear();
        plat.reponses = c.reponses;
        const QString cible = dossier.filePath(QStringLiteral("quitte.fdt"));
        QFile::remove(cible);
        if (c.enregistre) plat.enregistrements.push_back(cible);
        EXPECT_EQ(fermer(), c.ferme);
        EXPECT_EQ(plat.questions.size(), 1);
        EXPECT_EQ(QFile::exists(cible), c.enregistre);
    }
}

TEST_F(Application, FichierDeposeSurLaFenetre) {
    app->ouvrir_fichier(fichier("s.fdt", deux_fonctions));
    app->document().modifie = true;
    const auto deposer = [this](const QString& chemin) {
        QMimeData donnees;
        donnees.setUrls({QUrl::fromLocalFile(chemin)});
        // A drop reaches the window that accepted the drag's entry.
        QDragEnterEvent entree(QPoint(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton,
                               Qt::NoModifier);
        QApplication::sendEvent(&app->principale(), &entree);
        QDropEvent depot(QPointF(10, 10), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&app->principale(), &depot);
    };
    plat.reponses = {reponse::annuler};
    deposer(fichier("un.fdt", "1\r\n1\r\n1+p\r\n"));
    EXPECT_EQ(app->document().nb_fonctions, 2);
    plat.reponses = {reponse::non};
    deposer(fichier("un.fdt", "1\r\n1\r\n1+p\r\n"));
    EXPECT_EQ(app->document().nb_fonctions, 1);
    EXPECT_EQ(plat.questions.size(), 2);
    deposer(fichier("autre.txt", "2\r\n1\r\n1+p\r\n1\r\n1+p\r\n"));
    EXPECT_EQ(app->document().nb_fonctions, 1) << "only system files are opened";
}

TEST_F(Application, AideEtAPropos) {
    actions().syntaxe->trigger();
    actions().correcteur->trigger();
    EXPECT_TRUE(app->aide().isVisible());
    EXPECT_EQ(app->aide().windowTitle(), QStringLiteral("Fonction de transfert du correcteur:"));
}

} // namespace
} // namespace varlem
