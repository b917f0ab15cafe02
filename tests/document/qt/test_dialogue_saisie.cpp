#include "banc_saisie.h"

#include <QCloseEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace varlem {
namespace {

using test::entrer;

// A check that answers the queued flags in turn (accepting once they run out) and records
// the texts it was given.
struct validation_scriptee {
    std::vector<erreurs_saisie> reponses;
    std::vector<std::pair<std::string, std::string>> textes;

    dialogue_saisie::validation fonction() {
        return [this](std::string num, std::string den) {
            textes.emplace_back(std::move(num), std::move(den));
            if (textes.size() > reponses.size()) return erreurs_saisie{};
            return reponses[textes.size() - 1];
        };
    }
};

// Runs the dialog under `titre` with `action` once it is open; whether "OK" closed it.
bool ouvrir(dialogue_saisie& d, validation_scriptee& v,
            const std::function<void(dialogue_saisie&)>& action,
            const QString& titre = QStringLiteral("Entrée de la fonction n°1")) {
    bool acceptee = false;
    EXPECT_TRUE(test::avec_dialogue([&] { acceptee = d.saisir(titre, v.fonction()); }, action));
    return acceptee;
}

bool visible(dialogue_saisie& d, const char* image) {
    return test::controle<QLabel>(&d, image)->isVisible();
}

TEST(DialogueSaisieTest, Ouverture) {
    dialogue_saisie d;
    validation_scriptee v;
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(d.windowFlags() & Qt::WindowSystemMenuHint);
    const bool acceptee = ouvrir(
        d, v,
        [](dialogue_saisie& o) {
            EXPECT_TRUE(o.isModal());
            EXPECT_EQ(o.windowTitle(), "Entrée du retour");
            EXPECT_EQ(test::texte_boite(&o, "Numérateur"), "1");
            EXPECT_EQ(test::texte_boite(&o, "Dénominateur"), "1+p");
            ASSERT_NE(o.focusWidget(), nullptr);
            EXPECT_EQ(o.focusWidget()->accessibleName(), "Dénominateur");
            EXPECT_FALSE(visible(o, "SYNTAXE"));
            EXPECT_FALSE(visible(o, "CAPACITE"));
            auto* ok = test::controle<QPushButton>(&o, "OK");
            auto* annuler = test::controle<QPushButton>(&o, "Annuler");
            ASSERT_NE(ok, nullptr);
            ASSERT_NE(annuler, nullptr);
            EXPECT_EQ(ok->toolTip(), "Accepter fonction");
            EXPECT_EQ(annuler->toolTip(), "Annuler entrée");
            EXPECT_TRUE(ok->isDefault());
            test::cliquer(&o, "Annuler");
        },
        QStringLiteral("Entrée du retour"));
    EXPECT_FALSE(acceptee);
    EXPECT_TRUE(v.textes.empty());
}

TEST(DialogueSaisieTest, VerdictsDeOK) {
    struct cas {
        const char* quoi;
        erreurs_saisie verdict;
        bool reste_ouvert;
        bool syntaxe;
        bool capacite;
    };
    const cas table[] = {
        {"accepté", {false, false}, false, false, false},
        {"syntaxe", {true, false}, true, true, false},
        {"capacité", {false, true}, true, false, true},
        {"les deux", {true, true}, true, true, false},
    };
    for (const cas& c : table) {
        dialogue_saisie d;
        validation_scriptee v{{c.verdict}, {}};
        const bool acceptee = ouvrir(d, v, [&](dialogue_saisie& o) {
            entrer(&o, "2+p", "(1+p)(1+3p)");
            EXPECT_EQ(o.isVisible(), c.reste_ouvert) << c.quoi;
            EXPECT_EQ(visible(o, "SYNTAXE"), c.syntaxe) << c.quoi;
            EXPECT_EQ(visible(o, "CAPACITE"), c.capacite) << c.quoi;
            if (o.isVisible()) test::cliquer(&o, "Annuler");
        });
        EXPECT_EQ(acceptee, !c.reste_ouvert) << c.quoi;
        ASSERT_EQ(v.textes.size(), 1u);
        EXPECT_EQ(v.textes[0].first, "2+p");
        EXPECT_EQ(v.textes[0].second, "(1+p)(1+3p)");
    }
}

TEST(DialogueSaisieTest, ImagesCommeLesLaisseLeDernierOK) {
    dialogue_saisie d;
    validation_scriptee v{{{false, true}, {true, false}}, {}};
    ouvrir(d, v, [](dialogue_saisie& o) {
        entrer(&o, "1", "p^16");
        test::cliquer(&o, "Annuler");
    });
    // Opened again: the capacity picture and the texts are as the last use left them.
    ouvrir(d, v, [](dialogue_saisie& o) {
        EXPECT_TRUE(visible(o, "CAPACITE"));
        EXPECT_EQ(test::texte_boite(&o, "Dénominateur"), "p^16");
        // A syntax error leaves the capacity picture alone.
        test::cliquer(&o, "OK");
        EXPECT_TRUE(visible(o, "SYNTAXE"));
        EXPECT_TRUE(visible(o, "CAPACITE"));
        test::cliquer(&o, "OK");
        EXPECT_FALSE(o.isVisible());
        EXPECT_FALSE(visible(o, "SYNTAXE"));
        EXPECT_FALSE(visible(o, "CAPACITE"));
    });
    EXPECT_EQ(v.textes.size(), 3u);
}

TEST(DialogueSaisieTest, ClavierEtCadre) {
    struct cas {
        const char* quoi;
        Qt::Key touche;
        bool acceptee;
    };
    for (const cas& c : {cas{"Entrée", Qt::Key_Return, true}, cas{"Échap", Qt::Key_Escape, false},
                         cas{"Entrée du pavé", Qt::Key_Enter, true}}) {
        dialogue_saisie d;
        validation_scriptee v;
        const bool acceptee = ouvrir(d, v, [&](dialogue_saisie& o) {
            // Closing from the frame is refused.
            EXPECT_FALSE(o.close()) << c.quoi;
            EXPECT_TRUE(o.isVisible()) << c.quoi;
            QTest::keyClick(o.focusWidget(), c.touche);
        });
        EXPECT_EQ(acceptee, c.acceptee) << c.quoi;
        EXPECT_EQ(v.textes.size(), c.acceptee ? 1u : 0u) << c.quoi;
    }
}

TEST(DialogueSaisieTest, RemplirPuisTaper) {
    dialogue_saisie d;
    d.remplir("3", "(1+p)(1+4p)");
    validation_scriptee v;
    ouvrir(d, v, [](dialogue_saisie& o) {
        // The focused denominator is selected: typing replaces it.
        QTest::keyClicks(o.focusWidget(), "1+9p");
        test::cliquer(&o, "OK");
    });
    ASSERT_EQ(v.textes.size(), 1u);
    EXPECT_EQ(v.textes[0].first, "3");
    EXPECT_EQ(v.textes[0].second, "1+9p");
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

TEST(DialogueSaisieTest, Images) {
    const QColor jaune(255, 204, 0), rouge(200, 0, 0), noir(0, 0, 0);
    const QPixmap syntaxe = dialogue_saisie::image_syntaxe();
    const QPixmap capacite = dialogue_saisie::image_capacite();
    // A yellow triangle with a red mark and a dark word; a red mark alone with its word.
    EXPECT_GT(pixels(syntaxe, jaune), 150);
    EXPECT_GT(pixels(syntaxe, rouge), 20);
    EXPECT_GT(pixels(syntaxe, noir), 40);
    EXPECT_EQ(pixels(capacite, jaune), 0);
    EXPECT_GT(pixels(capacite, rouge), 40);
    EXPECT_GT(pixels(capacite, noir), 40);
    EXPECT_GE(syntaxe.width(), 40);
    EXPECT_GE(capacite.width(), 40);
}

} // namespace
} // namespace varlem
