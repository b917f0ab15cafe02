// The closed loop and the templates as a user tunes them in the system window of the running
// application: closing the loop, the sliders moved with the keyboard, the maxima typed in the
// input box, the return path, browsing, opening the loop; a template chosen from the menu.
#include "app/qt/application_varlem.h"
#include "app/qt/fenetre_principale.h"
#include "document/qt/banc_saisie.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace varlem {
namespace {

using test::cliquer;
using test::controle;

class BoucleFenetre : public ::testing::Test {
  protected:
    void SetUp() override {
        app = std::make_unique<application_varlem>(plat);
        app->principale().show();
        app->principale().actions().entree->trigger();
        fenetre = &app->fenetre_fonctions();
    }

    void taper_fonction(const QString& num, const QString& den) {
        EXPECT_TRUE(test::avec_dialogue([&] { cliquer(fenetre, QStringLiteral("Nouvelle")); },
                                        [&](dialogue_saisie& d) { test::entrer(&d, num, den); }));
    }
    QString texte_boucle() {
        auto* t = controle<QPlainTextEdit>(
            fenetre, QStringLiteral("Fonction de transfert en boucle fermée"));
        return t && t->isVisible() ? t->toPlainText() : QString();
    }
    QSlider* curseur(const QString& nom) { return controle<QSlider>(fenetre, nom); }
    QString valeur(const QString& nom) {
        const QLabel* l = controle<QLabel>(fenetre, QStringLiteral("Valeur de %1").arg(nom));
        return l ? l->text() : QString();
    }
    // Presses a key on a slider as the user does once it has the focus.
    void touche(QSlider* c, Qt::Key k) {
        ASSERT_NE(c, nullptr);
        c->setFocus();
        QTest::keyClick(c, k);
    }
    bool actif(const QString& nom) { return test::actif(fenetre, nom); }

    test::plateforme_scriptee plat;
    std::unique_ptr<application_varlem> app;
    QWidget* fenetre = nullptr;
};

TEST_F(BoucleFenetre, FermerReglerParcourirRouvrir) {
    taper_fonction(QStringLiteral("1"), QStringLiteral("1+p"));
    taper_fonction(QStringLiteral("1"), QStringLiteral("1+2p"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fonction précédente")));
    const systeme avant = app->document();
    const actions_principales& a = app->principale().actions();

    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    EXPECT_TRUE(controle<QAbstractButton>(fenetre, QStringLiteral("Fdt seule")));
    EXPECT_EQ(texte_boucle(), QStringLiteral("Fonction de transfert du système en boucle fermée:\n"
                                             "1*p^0\nsur\n2*p^0+1*p^1"));
    for (const char* c : {"Nouvelle", "Modifier", "Supprimer", "Parametres"})
        EXPECT_FALSE(actif(QString::fromUtf8(c))) << c;
    EXPECT_FALSE(a.ouvrir->isEnabled());
    EXPECT_FALSE(a.enregistrer->isEnabled());
    EXPECT_EQ(app->frequentielle().windowTitle(),
              QStringLiteral("Etude fréquentielle (boucle ouverte)"));
    EXPECT_EQ(valeur(QStringLiteral("Gain P")), QStringLiteral("1"));
    EXPECT_EQ(curseur(QStringLiteral("Gain P"))->value(), 191);

    // The copy holds the closed loop's own polynomials.
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Copier")));
    EXPECT_TRUE(plat.texte_copie.contains(QStringLiteral("2*p^0+1*p^1")))
        << plat.texte_copie.toStdString();

    // P at the top of its slider: the largest gain, and the loop follows.
    touche(curseur(QStringLiteral("Gain P")), Qt::Key_PageUp);
    while (curseur(QStringLiteral("Gain P"))->value() > 0)
        touche(curseur(QStringLiteral("Gain P")), Qt::Key_PageUp);
    EXPECT_EQ(app->document().kp, 20.1);
    EXPECT_EQ(valeur(QStringLiteral("Gain P")), QStringLiteral("20.1"));
    EXPECT_TRUE(texte_boucle().contains(QStringLiteral("20.1*p^0\nsur\n21.1*p^0+1*p^1")))
        << texte_boucle().toStdString();

    // The P maximum can only be raised.
    plat.saisies = {QStringLiteral("5"), QStringLiteral("50")};
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Maximum de Gain P")));
    EXPECT_EQ(app->document().kp_max, 20.1);
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Maximum de Gain P")));
    EXPECT_EQ(app->document().kp_max, 50.0);
    ASSERT_EQ(plat.invites.size(), 2u);
    EXPECT_EQ(plat.invites[0][0], QStringLiteral("Entrer la valeur max de P"));
    EXPECT_EQ(plat.invites[0][1], QStringLiteral("entrée de P max"));

    // A return path through the entry dialog.
    QString titre;
    EXPECT_TRUE(test::avec_dialogue(
        [&] {
            QTest::mouseClick(
                controle<QLineEdit>(fenetre, QStringLiteral("Dénominateur du retour")),
                Qt::LeftButton);
        },
        [&](dialogue_saisie& d) {
            titre = d.windowTitle();
            test::entrer(&d, QStringLiteral("1"), QStringLiteral("1+0.1p"));
        }));
    EXPECT_EQ(titre, QStringLiteral("Entrée du retour"));
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur du retour")),
              QStringLiteral("1+0.1p"));
    EXPECT_TRUE(texte_boucle().endsWith(QStringLiteral("*p^2"))) << texte_boucle().toStdString();

    // The next function is looped with the same corrector.
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fonction suivante")));
    EXPECT_EQ(app->document().courante_sauvee, 2);
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")), QStringLiteral("1+2p"));
    EXPECT_EQ(app->document().kp, 20.1);

    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Fdt seule")));
    const systeme& apres = app->document();
    EXPECT_FALSE(apres.etudes.boucle_fermee);
    EXPECT_EQ(apres.nb_fonctions, avant.nb_fonctions);
    EXPECT_EQ(apres.fonction_courante, 2) << "the function looped last stays current";
    for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(apres.fonctions[k].fonction.texte_den, avant.fonctions[k].fonction.texte_den);
        EXPECT_TRUE(apres.fonctions[k].fonction.den == avant.fonctions[k].fonction.den) << k;
    }
    EXPECT_TRUE(texte_boucle().isEmpty()) << "the loop's controls are hidden";
    for (const char* c : {"Nouvelle", "Modifier", "Supprimer", "Parametres", "Bouclage"})
        EXPECT_TRUE(actif(QString::fromUtf8(c))) << c;
    EXPECT_TRUE(a.ouvrir->isEnabled());
    EXPECT_TRUE(a.enregistrer->isEnabled());
    EXPECT_EQ(app->frequentielle().windowTitle(), QStringLiteral("Etude frequentielle"));
}

TEST_F(BoucleFenetre, EntreeEnBoucleFermeeRendSonTitreALEtudeFrequentielle) {
    taper_fonction(QStringLiteral("1"), QStringLiteral("1+p"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    plat.reponses = {reponse::non};
    app->principale().actions().entree->trigger();
    EXPECT_EQ(app->frequentielle().windowTitle(), QStringLiteral("Etude frequentielle"))
        << "the new system's functions are studied, not an open loop";
}

TEST_F(BoucleFenetre, StabiliteEtMargesSuiventLeCurseur) {
    // The loop of 1/((1+p)(1+0.5p)(1+0.2p)) is unstable for a gain above 12.6.
    taper_fonction(QStringLiteral("1"), QStringLiteral("(1+p)(1+0.5p)(1+0.2p)"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    QLabel* stabilite = controle<QLabel>(fenetre, QStringLiteral("Stabilité de la boucle fermée"));
    QLabel* marges = controle<QLabel>(fenetre, QStringLiteral("Marges de la boucle ouverte"));
    ASSERT_TRUE(stabilite && marges);
    EXPECT_EQ(stabilite->text(), QStringLiteral("Boucle fermée stable"));
    EXPECT_TRUE(marges->text().contains(QStringLiteral("Marge de gain")));
    const QString avant = marges->text();
    QSlider* p = curseur(QStringLiteral("Gain P"));
    while (p->value() > 0) touche(p, Qt::Key_PageUp);
    EXPECT_EQ(stabilite->text(), QStringLiteral("Boucle fermée instable"));
    EXPECT_EQ(stabilite->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_NE(marges->text(), avant);
}

TEST_F(BoucleFenetre, LectureTemporelleDesPolesImmenses) {
    // A pole at −1E30 in the loop with an integral action and a return path: the sine
    // response is 30p⁶ + … over 30p⁷ + …, so it starts at 1 (initial value theorem), and its
    // terms, whose products leave the doubles, must still give that number.
    taper_fonction(QStringLiteral("1+3p+p^2"), QStringLiteral("1e30+p"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Avec I")));
    EXPECT_TRUE(test::avec_dialogue(
        [&] {
            QTest::mouseClick(
                controle<QLineEdit>(fenetre, QStringLiteral("Dénominateur du retour")),
                Qt::LeftButton);
        },
        [](dialogue_saisie& d) {
            test::entrer(&d, QStringLiteral("0.001+p"), QStringLiteral("1+2*p+3*p^3"));
        }));
    app->temporelle().commande()->trigger();
    ASSERT_TRUE(cliquer(&app->temporelle(), QStringLiteral("Sinusoïde")));
    ASSERT_TRUE(cliquer(&app->temporelle(), QStringLiteral("Valeurs")));
    EXPECT_EQ(controle<QLabel>(&app->temporelle().lecture(), QStringLiteral("Valeur de la réponse"))
                  ->text(),
              QStringLiteral("1"));
}

TEST_F(BoucleFenetre, CurseursDuCorrecteurEtAvecI) {
    taper_fonction(QStringLiteral("1"), QStringLiteral("(1+p)(1+0.5p)"));
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
    QSlider* ti = curseur(QStringLiteral("Temps intégral τi"));
    // Without the integral action the ti slider changes nothing.
    touche(ti, Qt::Key_PageDown);
    EXPECT_EQ(app->document().ti, 10.0);
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Avec I")));
    EXPECT_TRUE(app->document().avec_i);
    EXPECT_TRUE(texte_boucle().contains(QStringLiteral("sur")));
    while (ti->value() < ti->maximum()) touche(ti, Qt::Key_PageDown);
    EXPECT_EQ(app->document().ti, app->document().ti_min) << "never zero";
    QSlider* td = curseur(QStringLiteral("Temps dérivé τd"));
    touche(td, Qt::Key_PageUp);
    EXPECT_GT(app->document().td, 0.0);
    EXPECT_EQ(valeur(QStringLiteral("Temps dérivé τd")).toDouble(), app->document().td);
}

QAction* action_de_menu(QWidget* fenetre, const QString& menu, const QString& texte) {
    for (QMenu* m : fenetre->findChildren<QMenu*>())
        if (m->title() == menu)
            for (QAction* a : m->actions())
                if (a->text() == texte) return a;
    return nullptr;
}

TEST_F(BoucleFenetre, UnFichierLuEnBoucleFermeeOuPendantUnGabaritLesTermine) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("un.fdt"));
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1\r\n1\r\n1+2p\r\n");
    f.close();
    taper_fonction(QStringLiteral("1"), QStringLiteral("1+p"));
    for (const bool gabarit : {false, true}) {
        plat.reponses = {reponse::non};
        if (!gabarit) {
            ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Bouclage")));
        } else {
            ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Parametres")));
            if (QWidget* m = QApplication::activePopupWidget()) m->close();
            action_de_menu(fenetre, QStringLiteral("Ordre1"), QStringLiteral("Passe-bas"))
                ->trigger();
        }
        plat.reponses = {reponse::non};
        plat.ouvertures.push_back(chemin);
        app->principale().actions().menu_ouvrir->trigger();
        ASSERT_TRUE(plat.erreurs.isEmpty());
        EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")),
                  QStringLiteral("1+2p"));
        EXPECT_FALSE(controle<QAbstractButton>(fenetre, QStringLiteral("Fdt seule"))) << gabarit;
        EXPECT_TRUE(texte_boucle().isEmpty()) << gabarit;
        EXPECT_FALSE(curseur(QStringLiteral("Paramètre du gabarit"))->isVisible()) << gabarit;
        for (const char* c : {"Nouvelle", "Modifier", "Supprimer", "Parametres", "Bouclage"})
            EXPECT_TRUE(actif(QString::fromUtf8(c))) << c << " " << gabarit;
    }
}

TEST_F(BoucleFenetre, GabaritChoisiDansLeMenuEtSonCurseur) {
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Parametres")));
    EXPECT_TRUE(plat.questions.isEmpty()) << "nothing to save";
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    menu->close();
    QAction* passe_bas =
        action_de_menu(fenetre, QStringLiteral("Ordre1"), QStringLiteral("Passe-bas"));
    ASSERT_NE(passe_bas, nullptr);
    passe_bas->trigger();
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")),
              QStringLiteral("1+ p /w0"));
    EXPECT_EQ(valeur(QStringLiteral("Paramètre du gabarit")), QStringLiteral("w0= .1 rad/s"));
    EXPECT_FALSE(actif(QStringLiteral("Bouclage")));
    EXPECT_FALSE(actif(QStringLiteral("Nouvelle")));
    EXPECT_TRUE(app->frequentielle().commande()->isEnabled());
    EXPECT_FALSE(app->principale().actions().ouvrir->isEnabled());
    EXPECT_EQ(app->document().nb_fonctions, 1);

    QSlider* c = curseur(QStringLiteral("Paramètre du gabarit"));
    while (c->value() > 0) touche(c, Qt::Key_PageUp);
    EXPECT_EQ(app->document().w0, 10.0);
    EXPECT_EQ(valeur(QStringLiteral("Paramètre du gabarit")), QStringLiteral("w0= 10 rad/s"));

    // A second-order template: the slider jumps to 130, which gives m = 0.71.
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Parametres")));
    EXPECT_TRUE(plat.questions.isEmpty()) << "no question while a template is studied";
    if (QWidget* m = QApplication::activePopupWidget()) m->close();
    action_de_menu(fenetre, QStringLiteral("Ordre2"), QStringLiteral("Passe-bas"))->trigger();
    EXPECT_EQ(c->value(), 130);
    EXPECT_EQ(valeur(QStringLiteral("Paramètre du gabarit")), QStringLiteral("m= .71"));
    EXPECT_EQ(test::texte_boite(fenetre, QStringLiteral("Dénominateur")),
              QStringLiteral("1+ 2.m p+p^2"));

    // Leaving the mode: no save question, an empty system.
    app->principale().actions().entree->trigger();
    EXPECT_TRUE(plat.questions.isEmpty());
    EXPECT_FALSE(app->document().etudes.mode_filtre);
    EXPECT_FALSE(c->isVisible());
    EXPECT_TRUE(actif(QStringLiteral("Nouvelle")));
}

TEST_F(BoucleFenetre, ParametresSurUnSystemeDemandeDEnregistrer) {
    for (const char* den : {"1+p", "1+2p", "1+3p"})
        taper_fonction(QStringLiteral("1"), QString::fromLatin1(den));
    plat.reponses = {reponse::annuler};
    ASSERT_TRUE(cliquer(fenetre, QStringLiteral("Parametres")));
    ASSERT_EQ(plat.questions.size(), 1);
    EXPECT_EQ(plat.questions[0], QStringLiteral("Voulez-vous enregistrer le système actuel ?"));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu after Annuler";
    EXPECT_EQ(app->document().nb_fonctions, 3);
    EXPECT_FALSE(app->document().etudes.mode_filtre);
}

} // namespace
} // namespace varlem
