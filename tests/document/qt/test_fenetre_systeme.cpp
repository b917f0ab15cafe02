#include "banc_saisie.h"

#include "analysis/pipeline.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace varlem {
namespace {

using test::banc_systeme;
using test::entrer;
using test::taper;
using paires = std::vector<std::pair<std::string, std::string>>;

const QString nouvelle = QStringLiteral("Nouvelle");
const QString modifier = QStringLiteral("Modifier");
const QString supprimer = QStringLiteral("Supprimer");
const QString copier = QStringLiteral("Copier");
const QString suivante = QStringLiteral("Fonction suivante");
const QString precedente = QStringLiteral("Fonction précédente");

// The system as a file read leaves it, then the window told so.
void lire(banc_systeme& b, const paires& fonctions) {
    for (std::size_t k = 0; k < fonctions.size(); ++k) {
        bool es = false, ed = false;
        analyser_fonction(b.sys->calcul, b.sys->lettre_variable, fonctions[k].first,
                          fonctions[k].second, b.sys->fonctions[k + 1], es, ed);
        ASSERT_FALSE(es || ed);
    }
    b.sys->nb_fonctions = static_cast<int>(fonctions.size());
    b.sys->fonction_courante = 1;
    b.sys->systeme_saisi = true;
    b.fenetre.systeme_lu();
    b.pilote.activer_commandes();
}

paires fonctions(int n) {
    paires p;
    for (int k = 1; k <= n; ++k) p.emplace_back(std::to_string(k), "1+" + std::to_string(k) + "p");
    return p;
}

void attendre_courante(banc_systeme& b, const char* numero, const char* compte, const char* num,
                       const char* den) {
    EXPECT_EQ(b.etiquette("numero"), numero);
    EXPECT_EQ(b.etiquette("compte"), compte);
    EXPECT_EQ(b.boite("Numérateur"), num);
    EXPECT_EQ(b.boite("Dénominateur"), den);
}

TEST(FenetreSystemeTest, SystemeVide) {
    banc_systeme b;
    EXPECT_EQ(b.fenetre.windowTitle(), "Entree de la fonction de transfert");
    EXPECT_TRUE(b.fenetre.isWindow());
    EXPECT_NE(test::controle<QLabel>(&b.fenetre, "Fonction n°"), nullptr);
    attendre_courante(b, "1", "sur 1", "1", "1");
    EXPECT_TRUE(test::controle<QLabel>(&b.fenetre, "numero")->font().bold());
    EXPECT_EQ(b.etiquette("fraction"), "T(p) =");
    EXPECT_EQ(test::controle<QLabel>(&b.fenetre, "Barre de fraction")->text(), QString(35, '_'));
    for (const char* boite : {"Numérateur", "Dénominateur"}) {
        QLineEdit* l = test::controle<QLineEdit>(&b.fenetre, boite);
        EXPECT_TRUE(l->isReadOnly());
        EXPECT_FALSE(l->isEnabled());
    }
    // Commands, their hints, and what an empty system offers.
    struct cas {
        const char* legende;
        const char* bulle;
        bool actif;
    };
    for (const cas& c : {cas{"Nouvelle", "Ajouter une fonction de transfert", true},
                         cas{"Modifier", "Modifier la fonction courante", false},
                         cas{"Supprimer", "Supprimer la fonction de transfert en cours", false},
                         cas{"Copier", "Copier tout le systeme dans le presse-papiers", false},
                         cas{"Parametres", "Etudier une fdt parametrée", true},
                         cas{"Bouclage", "Bouclage et correction de la fdt en cours", false}}) {
        auto* t = test::controle<QToolButton>(&b.fenetre, c.legende);
        ASSERT_NE(t, nullptr) << c.legende;
        EXPECT_EQ(t->toolTip(), c.bulle);
        EXPECT_EQ(t->isEnabled(), c.actif) << c.legende;
        EXPECT_EQ(t->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
    EXPECT_FALSE(b.actif(suivante));
    EXPECT_FALSE(b.actif(precedente));
    auto* lettre = test::controle<QPushButton>(&b.fenetre, "Variable en s");
    ASSERT_NE(lettre, nullptr);
    EXPECT_TRUE(lettre->isVisible());
}

TEST(FenetreSystemeTest, PremiereFonctionAcceptee) {
    banc_systeme b;
    b.reg.graphe.inclure_zero = false;
    EXPECT_TRUE(b.commande(nouvelle, [&](dialogue_saisie& d) {
        EXPECT_EQ(d.windowTitle(), "Entrée de la fonction n°1");
        // "Nouvelle" waits while the function is typed.
        EXPECT_FALSE(b.actif(nouvelle));
        entrer(&d, "1", "(1+p)(1+2p)");
        EXPECT_FALSE(d.isVisible());
    }));
    attendre_courante(b, "1", "sur 1", "1", "(1+p)(1+2p)");
    for (const QString& c : {nouvelle, modifier, supprimer, copier, suivante, precedente})
        EXPECT_TRUE(b.actif(c)) << c.toStdString();
    EXPECT_TRUE(b.actif("Bouclage"));
    EXPECT_TRUE(b.actif("Parametres"));
    EXPECT_FALSE(test::controle<QPushButton>(&b.fenetre, "Variable en s")->isVisible());
    EXPECT_EQ(b.pilote.enregistre.activations, 1);
    ASSERT_EQ(b.pilote.enregistre.rafraichissements.size(), 1u);
    EXPECT_TRUE(b.pilote.enregistre.rafraichissements[0].reprendre_echelles);
    EXPECT_TRUE(b.pilote.enregistre.rafraichissements[0].recalculer);
    EXPECT_EQ(b.sys->nb_fonctions, 1);
    EXPECT_TRUE(b.sys->systeme_saisi);
    EXPECT_TRUE(b.sys->modifie);
    EXPECT_TRUE(b.reg.graphe.inclure_zero);
}

TEST(FenetreSystemeTest, PremiereFonctionAbandonnee) {
    banc_systeme b;
    EXPECT_TRUE(b.commande(nouvelle, [](dialogue_saisie& d) {
        entrer(&d, "1", "1++p");
        test::cliquer(&d, "Annuler");
    }));
    EXPECT_EQ(b.sys->nb_fonctions, 0);
    EXPECT_FALSE(b.sys->systeme_saisi);
    attendre_courante(b, "1", "sur 1", "1", "1");
    EXPECT_TRUE(b.actif(nouvelle));
    for (const QString& c : {modifier, supprimer, copier, suivante})
        EXPECT_FALSE(b.actif(c)) << c.toStdString();
    EXPECT_TRUE(test::controle<QPushButton>(&b.fenetre, "Variable en s")->isVisible());
    EXPECT_EQ(b.pilote.enregistre.activations, 0);
    EXPECT_TRUE(b.pilote.enregistre.rafraichissements.empty());
}

TEST(FenetreSystemeTest, TexteDeveloppeAccepte) {
    banc_systeme b;
    b.ajouter("1+2*p+3*p^3", "(1+p)");
    attendre_courante(b, "1", "sur 1", "1+2*p+3*p^3", "(1+p)");
    EXPECT_EQ(b.sys->fonctions[1].fonction.num.degre, 3);
}

TEST(FenetreSystemeTest, LongTexteEntierementVisible) {
    banc_systeme b;
    const QString den = QStringLiteral("1+3p+p^2+0.25p^3+12p^4+7p^5+0.125p^6");
    b.ajouter("(3p)(1+2p+1.5p^3)", den);
    QLineEdit* boite = test::controle<QLineEdit>(&b.fenetre, "Dénominateur");
    EXPECT_GT(boite->width(), boite->fontMetrics().horizontalAdvance(den));
    // The bar still spans the boxes, with its 35 underscores.
    QLabel* barre = test::controle<QLabel>(&b.fenetre, "Barre de fraction");
    EXPECT_EQ(barre->text(), QString(35, '_'));
    EXPECT_GE(barre->sizeHint().width(), boite->width() - 8);
}

TEST(FenetreSystemeTest, TexteRefuseGardeLeDialogueOuvert) {
    struct cas {
        const char* num;
        const char* den;
        bool syntaxe;
        bool capacite;
    };
    for (const cas& c : {cas{"1++p", "1+p", true, false}, cas{"1", "p^16", false, true},
                         cas{"1", "1+1E40p", false, true}}) {
        banc_systeme b;
        b.ajouter("1", "1+p");
        EXPECT_TRUE(b.commande(nouvelle, [&](dialogue_saisie& d) {
            entrer(&d, c.num, c.den);
            EXPECT_TRUE(d.isVisible()) << c.num << " / " << c.den;
            EXPECT_EQ(test::controle<QLabel>(&d, "SYNTAXE")->isVisible(), c.syntaxe);
            EXPECT_EQ(test::controle<QLabel>(&d, "CAPACITE")->isVisible(), c.capacite);
            // Corrected, it goes through and both pictures are gone.
            entrer(&d, "2", "1+2p");
            EXPECT_FALSE(d.isVisible());
            EXPECT_FALSE(test::controle<QLabel>(&d, "SYNTAXE")->isVisible());
            EXPECT_FALSE(test::controle<QLabel>(&d, "CAPACITE")->isVisible());
        }));
        attendre_courante(b, "2", "sur 2", "2", "1+2p");
    }
}

TEST(FenetreSystemeTest, ToucheEntreeEtToucheEchap) {
    banc_systeme b;
    EXPECT_TRUE(b.commande(nouvelle, [](dialogue_saisie& d) {
        taper(&d, "Dénominateur", "1+4p");
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(b.sys->nb_fonctions, 1);
    EXPECT_EQ(b.boite("Dénominateur"), "1+4p");
    EXPECT_TRUE(b.commande(nouvelle, [](dialogue_saisie& d) {
        taper(&d, "Dénominateur", "1+5p");
        QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(b.sys->nb_fonctions, 1);
    attendre_courante(b, "1", "sur 1", "1", "1+4p");
}

TEST(FenetreSystemeTest, ToucheEntreeApresUneSaisieAnnulee) {
    banc_systeme b;
    b.ajouter("1", "1+p");
    EXPECT_TRUE(b.commande(nouvelle, [](dialogue_saisie& d) { test::cliquer(&d, "Annuler"); }));
    EXPECT_TRUE(b.commande(nouvelle, [](dialogue_saisie& d) {
        taper(&d, "Dénominateur", "1+4p");
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(b.sys->nb_fonctions, 2) << "Return accepts, whichever button closed the last entry";
    attendre_courante(b, "2", "sur 2", "1", "1+4p");
}

TEST(FenetreSystemeTest, ModificationRefuseePuisAbandonnee) {
    banc_systeme b;
    b.ajouter("1", "1+p");
    b.ajouter("3", "(1+p)(1+4p)");
    const fdt_travail avant = b.sys->fonctions[2];
    EXPECT_TRUE(b.commande(modifier, [](dialogue_saisie& d) {
        EXPECT_EQ(d.windowTitle(), "Entrée de la fonction n°2");
        EXPECT_EQ(test::texte_boite(&d, "Numérateur"), "3");
        EXPECT_EQ(test::texte_boite(&d, "Dénominateur"), "(1+p)(1+4p)");
        entrer(&d, "3", "(1+p)(1++4p)");
        entrer(&d, "3", "p^17");
        test::cliquer(&d, "Annuler");
    }));
    attendre_courante(b, "2", "sur 2", "3", "(1+p)(1+4p)");
    const fdt_travail& apres = b.sys->fonctions[2];
    EXPECT_EQ(apres.fonction.texte_den, avant.fonction.texte_den);
    EXPECT_TRUE(apres.fonction.den == avant.fonction.den);
    EXPECT_EQ(apres.poles, avant.poles);
    // Modifying runs the enabling and the full refresh whatever the outcome.
    EXPECT_EQ(b.pilote.enregistre.activations, 3);
    EXPECT_EQ(b.pilote.enregistre.rafraichissements.size(), 3u);
}

TEST(FenetreSystemeTest, ModificationAcceptee) {
    banc_systeme b;
    b.ajouter("1", "1+p");
    EXPECT_TRUE(b.commande(modifier, [](dialogue_saisie& d) { entrer(&d, "2", "1+3p+p^2"); }));
    attendre_courante(b, "1", "sur 1", "2", "1+3p+p^2");
    EXPECT_EQ(b.sys->fonctions[1].fonction.den.degre, 2);
}

TEST(FenetreSystemeTest, Suppression) {
    struct cas {
        const char* quoi;
        int n;
        int montees;
        const char* numero;
        const char* compte;
        const char* num;
    };
    for (const cas& c : {cas{"troisième de trois", 3, 2, "2", "sur 2", "2"},
                         cas{"première de trois", 3, 0, "1", "sur 2", "2"},
                         cas{"seule fonction", 1, 0, "1", "sur 1", "1"}}) {
        banc_systeme b;
        lire(b, fonctions(c.n));
        for (int k = 0; k < c.montees; ++k) test::cliquer(&b.fenetre, suivante);
        const std::size_t avant = b.pilote.enregistre.rafraichissements.size();
        test::cliquer(&b.fenetre, supprimer);
        EXPECT_EQ(b.etiquette("numero"), c.numero) << c.quoi;
        EXPECT_EQ(b.etiquette("compte"), c.compte) << c.quoi;
        EXPECT_EQ(b.boite("Numérateur"), c.num) << c.quoi;
        EXPECT_EQ(b.pilote.enregistre.rafraichissements.size(), avant + (c.n > 1 ? 1 : 0))
            << c.quoi;
    }
}

TEST(FenetreSystemeTest, NeuviemeNouvelle) {
    banc_systeme b;
    lire(b, fonctions(8));
    EXPECT_FALSE(b.commande(nouvelle, [](dialogue_saisie&) {}));
    EXPECT_EQ(b.sys->nb_fonctions, 8);
    attendre_courante(b, "1", "sur 8", "1", "1+1p");
    EXPECT_TRUE(b.actif(nouvelle));
}

TEST(FenetreSystemeTest, Parcours) {
    banc_systeme b;
    lire(b, fonctions(3));
    attendre_courante(b, "1", "sur 3", "1", "1+1p");
    struct pas {
        QString fleche;
        const char* numero;
    };
    // Up on the last function moves the control ahead of it: the next Down lands on 2.
    for (const pas& p : {pas{suivante, "2"}, pas{suivante, "3"}, pas{suivante, "3"},
                         pas{precedente, "2"}, pas{precedente, "1"}, pas{precedente, "1"}}) {
        test::cliquer(&b.fenetre, p.fleche);
        EXPECT_EQ(b.etiquette("numero"), p.numero);
        EXPECT_EQ(b.boite("Numérateur"), p.numero);
        EXPECT_FALSE(b.pilote.enregistre.rafraichissements.back().reprendre_echelles);
        EXPECT_FALSE(b.pilote.enregistre.rafraichissements.back().recalculer);
    }
    EXPECT_EQ(b.pilote.enregistre.rafraichissements.size(), 6u);
}

TEST(FenetreSystemeTest, CopieDuSysteme) {
    banc_systeme b;
    b.ajouter("1", "1+p");
    b.ajouter("2", "1+3p+p^2");
    test::cliquer(&b.fenetre, copier);
    EXPECT_EQ(b.plat.copies_texte, 1);
    EXPECT_EQ(b.plat.texte_copie,
              QStringLiteral("Fonctions de transfert composant le système en cours\r\n"
                             "1\r\n_____________________\r\n1+p\r\n\r\n"
                             "2\r\n_____________________\r\n1+3p+p^2\r\n\r\n"));
}

TEST(FenetreSystemeTest, LettreDeLaVariable) {
    banc_systeme b;
    test::cliquer(&b.fenetre, "Variable en s");
    EXPECT_EQ(b.etiquette("fraction"), "T(s) =");
    EXPECT_EQ(b.sys->lettre_variable, 's');
    EXPECT_FALSE(test::controle<QPushButton>(&b.fenetre, "Variable en s")->isVisible());
    // The letter survives emptying the system; the button then offers the other one.
    b.fenetre.reinitialiser();
    EXPECT_EQ(b.etiquette("fraction"), "T(s) =");
    auto* lettre = test::controle<QPushButton>(&b.fenetre, "Variable en p");
    ASSERT_NE(lettre, nullptr);
    EXPECT_TRUE(lettre->isVisible());
    b.ajouter("1", "1+s");
    EXPECT_EQ(b.sys->nb_fonctions, 1);
}

TEST(FenetreSystemeTest, ReinitialisationApresDesFonctions) {
    banc_systeme b;
    lire(b, fonctions(5));
    test::cliquer(&b.fenetre, suivante);
    b.sys->nb_fonctions = 0;
    b.fenetre.reinitialiser();
    attendre_courante(b, "1", "sur 1", "1", "1");
    EXPECT_TRUE(b.actif(nouvelle));
    for (const QString& c : {modifier, supprimer, copier, suivante, precedente})
        EXPECT_FALSE(b.actif(c)) << c.toStdString();
    EXPECT_TRUE(test::controle<QPushButton>(&b.fenetre, "Variable en s")->isVisible());
}

// The window made the one that takes the keyboard, as a click on its frame does.
bool activer(QWidget& w) {
    w.activateWindow();
    // Once the entry dialog is gone, its hidden frame may still hold the keyboard for a while.
    return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == w.windowHandle(); });
}

TEST(FenetreSystemeTest, RaccourcisClavier) {
    banc_systeme b;
    for (const char* den : {"1+p", "1+2p"}) {
        ASSERT_TRUE(activer(b.fenetre));
        EXPECT_TRUE(
            test::avec_dialogue([&] { QTest::keyClick(&b.fenetre, Qt::Key_N, Qt::AltModifier); },
                                [&](dialogue_saisie& d) { entrer(&d, "1", den); }));
    }
    EXPECT_EQ(b.etiquette("compte"), "sur 2");
    ASSERT_TRUE(activer(b.fenetre));
    QTest::keyClick(&b.fenetre, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(b.etiquette("numero"), "1");
    QTest::keyClick(&b.fenetre, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(b.etiquette("numero"), "2");
    QTest::keyClick(&b.fenetre, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(b.plat.copies_texte, 1);
    QTest::keyClick(&b.fenetre, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(b.etiquette("compte"), "sur 1");
}

TEST(FenetreSystemeTest, NomsAccessibles) {
    banc_systeme b;
    for (QWidget* w : b.fenetre.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&b.fenetre)) continue;
        QString nom = w->accessibleName();
        if (auto* bouton = qobject_cast<QAbstractButton*>(w)) nom += bouton->text();
        if (auto* l = qobject_cast<QLabel*>(w)) nom += l->text();
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QLabel*>(w)) {
            EXPECT_FALSE(nom.isEmpty()) << w->metaObject()->className();
        }
    }
}

} // namespace
} // namespace varlem
