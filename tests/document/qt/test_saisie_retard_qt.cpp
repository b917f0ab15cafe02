// The delay as the user types and sees it: the delay box of the entry dialog with its label,
// keyboard path and RETARD picture, hidden for the return path; the factor after the fraction
// of the system window; "Modifier" with the delay in its box; "Copier".
#include "banc_saisie.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace varlem {
namespace {

using test::banc_systeme;
using test::controle;

const QString boite_retard = QStringLiteral("Retard τ (s)");

// Types num over den with the delay `retard` and presses "OK".
void entrer_retarde(QWidget* d, const QString& num, const QString& den, const QString& retard) {
    test::taper(d, boite_retard, retard);
    // Nothing typed over the selection leaves it: the user empties the box with Delete.
    if (retard.isEmpty()) QTest::keyClick(controle<QLineEdit>(d, boite_retard), Qt::Key_Delete);
    test::entrer(d, num, den);
}

bool visible(QWidget* d, const char* nom) {
    QWidget* w = controle<QWidget>(d, QString::fromUtf8(nom));
    return w && w->isVisible();
}

// The factor after the fraction, empty when it is hidden.
QString facteur(banc_systeme& b) {
    QLabel* l = controle<QLabel>(&b.fenetre, QStringLiteral("Retard"));
    return l && l->isVisible() ? l->text() : QString();
}

// A check of the three texts that refuses the delays in `refus`, and records what it saw.
struct verificateur {
    std::vector<std::string> refus;
    std::vector<std::string> vus;
    dialogue_saisie::validation fonction() {
        return {[this](std::string n, std::string d) {
                    vus.push_back(n + "/" + d);
                    return erreurs_saisie{};
                },
                [this](std::string n, std::string d, std::string r) {
                    vus.push_back(n + "/" + d + " τ=" + r);
                    bool non = false;
                    for (const std::string& x : refus) non = non || x == r;
                    return erreurs_saisie{false, false, non};
                }};
    }
};

TEST(SaisieRetardQt, BoiteSeulementPourUneFonction) {
    dialogue_saisie d;
    verificateur v{{"-1"}, {}};
    // The return path's check takes two texts: no delay box, no room kept for its picture.
    const validation_saisie retour = [](std::string, std::string) { return erreurs_saisie{}; };
    int hauteur_retour = 0;
    ASSERT_TRUE(test::avec_dialogue([&] { d.saisir(QStringLiteral("Entrée du retour"), retour); },
                                    [&](dialogue_saisie& o) {
                                        EXPECT_FALSE(visible(&o, "Retard τ (s)"));
                                        EXPECT_FALSE(visible(&o, "RETARD"));
                                        hauteur_retour = o.height();
                                        test::cliquer(&o, QStringLiteral("OK"));
                                    }));
    bool acceptee = false;
    ASSERT_TRUE(test::avec_dialogue(
        [&] { acceptee = d.saisir(QStringLiteral("Entrée de la fonction n°1"), v.fonction()); },
        [&](dialogue_saisie& o) {
            EXPECT_TRUE(visible(&o, "Retard τ (s)"));
            EXPECT_GT(o.height(), hauteur_retour);
            // The label names the box and reaches it with Alt+R.
            QLabel* etiquette = controle<QLabel>(&o, QStringLiteral("&Retard τ (s)"));
            ASSERT_NE(etiquette, nullptr);
            EXPECT_EQ(etiquette->buddy(), controle<QLineEdit>(&o, boite_retard));
            QTest::keyClick(&o, Qt::Key_R, Qt::AltModifier);
            ASSERT_NE(o.focusWidget(), nullptr);
            EXPECT_EQ(o.focusWidget()->accessibleName(), boite_retard);
            // Tab goes numerator, denominator, delay, then "OK".
            o.focusWidget()->clearFocus();
            controle<QLineEdit>(&o, QStringLiteral("Dénominateur"))->setFocus();
            QTest::keyClick(o.focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(o.focusWidget()->accessibleName(), boite_retard);
            QTest::keyClick(o.focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(test::legende(qobject_cast<QAbstractButton*>(o.focusWidget())), "OK");

            entrer_retarde(&o, "1", "1+p", "-1");
            EXPECT_TRUE(o.isVisible());
            EXPECT_TRUE(visible(&o, "RETARD"));
            EXPECT_FALSE(visible(&o, "SYNTAXE"));
            EXPECT_FALSE(visible(&o, "CAPACITE"));
            // Return from the delay box is "OK".
            test::taper(&o, boite_retard, "2,5");
            QTest::keyClick(controle<QLineEdit>(&o, boite_retard), Qt::Key_Return);
            EXPECT_FALSE(o.isVisible());
        }));
    EXPECT_TRUE(acceptee);
    EXPECT_EQ(v.vus, (std::vector<std::string>{"1/1+p τ=-1", "1/1+p τ=2,5"}));
    // Opened for the return path again: the picture of the last refusal does not follow.
    ASSERT_TRUE(test::avec_dialogue([&] { d.saisir(QStringLiteral("Entrée du retour"), retour); },
                                    [&](dialogue_saisie& o) {
                                        EXPECT_FALSE(visible(&o, "RETARD"));
                                        test::cliquer(&o, QStringLiteral("Annuler"));
                                    }));
}

// Pixels of the picture near a colour.
int pixels(const QPixmap& p, QColor c) {
    const QImage im = p.toImage();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            const QColor q = im.pixelColor(x, y);
            if (q.alpha() > 200 && std::abs(q.red() - c.red()) < 40 &&
                std::abs(q.green() - c.green()) < 40 && std::abs(q.blue() - c.blue()) < 40)
                ++n;
        }
    return n;
}

TEST(SaisieRetardQt, ImageDuRetard) {
    const QPixmap p = dialogue_saisie::image_retard();
    // A yellow clock face with dark hands, the red mark and the word.
    EXPECT_GT(pixels(p, QColor(255, 204, 0)), 200);
    EXPECT_GT(pixels(p, QColor(200, 0, 0)), 20);
    EXPECT_GT(pixels(p, QColor(0, 0, 0)), 80);
    EXPECT_GE(p.width(), 40);
    EXPECT_NE(p.toImage(), dialogue_saisie::image_syntaxe().toImage());
    EXPECT_NE(p.toImage(), dialogue_saisie::image_capacite().toImage());
}

TEST(SaisieRetardQt, FacteurApresLaFractionEtModification) {
    banc_systeme b;
    ASSERT_TRUE(b.commande(QStringLiteral("Nouvelle"), [](dialogue_saisie& d) {
        entrer_retarde(&d, "1", "1+p", "abc");
        EXPECT_TRUE(visible(&d, "RETARD"));
        entrer_retarde(&d, "1", "1+p", "1,5");
    }));
    EXPECT_EQ(b.sys->fonctions[1].fonction.retard, 1.5);
    EXPECT_EQ(facteur(b), "e^(-1.5p)");
    // A second function without delay: the box emptied, the factor hidden.
    ASSERT_TRUE(b.commande(QStringLiteral("Nouvelle"), [](dialogue_saisie& d) {
        EXPECT_EQ(test::texte_boite(&d, boite_retard), "1,5") << "as last typed";
        entrer_retarde(&d, "2", "1+2p", "");
    }));
    EXPECT_EQ(facteur(b), "");
    // Browsing shows each function's own factor.
    ASSERT_TRUE(b.actif(QStringLiteral("Fonction précédente")));
    test::cliquer(&b.fenetre, QStringLiteral("Fonction précédente"));
    EXPECT_EQ(facteur(b), "e^(-1.5p)");
    // "Modifier" puts the delay into its box; a refused one leaves the function as it was.
    ASSERT_TRUE(b.commande(QStringLiteral("Modifier"), [](dialogue_saisie& d) {
        EXPECT_EQ(test::texte_boite(&d, boite_retard), "1.5");
        entrer_retarde(&d, "1", "1+p", "-0.5");
        EXPECT_TRUE(visible(&d, "RETARD"));
        test::cliquer(&d, QStringLiteral("Annuler"));
    }));
    EXPECT_EQ(b.sys->fonctions[1].fonction.retard, 1.5);
    EXPECT_EQ(facteur(b), "e^(-1.5p)");
    ASSERT_TRUE(b.commande(QStringLiteral("Modifier"),
                           [](dialogue_saisie& d) { entrer_retarde(&d, "1", "1+p", "1"); }));
    EXPECT_EQ(facteur(b), "e^(-p)");
    test::cliquer(&b.fenetre, QStringLiteral("Copier"));
    EXPECT_TRUE(b.plat.texte_copie.contains(QStringLiteral("1+p\r\ne^(-p)\r\n\r\n2\r\n")))
        << b.plat.texte_copie.toStdString();
    ASSERT_TRUE(b.commande(QStringLiteral("Modifier"),
                           [](dialogue_saisie& d) { entrer_retarde(&d, "1", "1+p", "0"); }));
    EXPECT_EQ(b.sys->fonctions[1].fonction.retard, 0.0);
    EXPECT_EQ(facteur(b), "");
}

} // namespace
} // namespace varlem
