// A delay typed with a function: the check each "OK" runs with or without the delay box, the
// delay put into the box of a function typed again, and the factor the system window writes
// after the fraction, in the system's letter, also for the looped function.
#include "document/boucle.h"
#include "document/saisie.h"

#include "outils_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varlem {
namespace {

// An entry dialog that types the texts and the delay in turn with "OK" until one is accepted;
// a delay of nothing stands for an entry that types no delay. Records how it was opened.
struct dialogue_retard {
    struct essai {
        std::string num, den;
        std::optional<std::string> retard;
    };
    std::vector<essai> essais;
    std::vector<ouverture_saisie> ouvertures;
    std::vector<erreurs_saisie> verdicts;
    bool prend_retard = false;

    dialogue_fonction fonction() {
        return [this](const ouverture_saisie& o, const validation_saisie& valider) {
            ouvertures.push_back(o);
            prend_retard = valider.prend_retard();
            for (const essai& e : essais) {
                verdicts.push_back(e.retard ? valider(e.num, e.den, *e.retard)
                                            : valider(e.num, e.den));
                if (verdicts.back().acceptee()) return true;
            }
            return false;
        };
    }
};

double retard(const systeme& s, int k) {
    return s.fonctions[static_cast<std::size_t>(k)].fonction.retard;
}

TEST(SaisieRetardTest, ValidationAvecOuSansRetard) {
    std::vector<std::string> vus;
    const validation_saisie aucune;
    EXPECT_FALSE(aucune);
    EXPECT_FALSE(validation_saisie(nullptr));
    // The return path's check: two texts; a delay handed to it is left aside.
    const validation_saisie deux = [&](std::string n, std::string d) {
        vus.push_back(n + "/" + d);
        return erreurs_saisie{};
    };
    EXPECT_TRUE(deux);
    EXPECT_FALSE(deux.prend_retard());
    EXPECT_TRUE(deux("1", "1+p", "-3").acceptee());
    // A function's check: the delay's own check, and the two texts' for no delay typed.
    const validation_saisie trois(
        [&](std::string n, std::string d) {
            vus.push_back("sans " + n + "/" + d);
            return erreurs_saisie{};
        },
        [&](std::string n, std::string d, std::string r) {
            vus.push_back("avec " + n + "/" + d + " " + r);
            return erreurs_saisie{false, false, r == "x"};
        });
    EXPECT_TRUE(trois.prend_retard());
    EXPECT_FALSE(trois("2", "p", "x").acceptee());
    EXPECT_TRUE(trois("2", "p").acceptee());
    EXPECT_EQ(vus, (std::vector<std::string>{"1/1+p", "avec 2/p x", "sans 2/p"}));
}

TEST(SaisieRetardTest, NouvelleFonctionAvecSonRetard) {
    auto s = test::systeme_tape({});
    reglages r;
    struct cas {
        const char* retard;
        bool refuse;
        double attendu;
    };
    // Refused delays keep the dialog open with their flag alone; the last one is accepted.
    dialogue_retard d;
    for (const cas& c :
         {cas{"-1", true, 0}, cas{"abc", true, 0}, cas{"1e999", true, 0}, cas{" 1,5 ", false, 1.5}})
        d.essais.push_back({"1", "1+p", std::string(c.retard)});
    const resultat_commande res = nouvelle_fonction(*s, r, d.fonction());
    EXPECT_TRUE(d.prend_retard);
    EXPECT_FALSE(d.ouvertures.at(0).retard) << "a new function leaves the box as last typed";
    ASSERT_EQ(d.verdicts.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(d.verdicts[i].erreur_retard) << i;
        EXPECT_FALSE(d.verdicts[i].erreur_syntaxe || d.verdicts[i].erreur_degre) << i;
    }
    EXPECT_EQ(retard(*s, 1), 1.5);
    ASSERT_TRUE(res.affichage);
    EXPECT_EQ(res.affichage->facteur_retard, "e^(-1.5p)");
    // A syntax error and a refused delay are both said at once.
    dialogue_retard deux{{{"1+", "1+p", "-2"}}, {}, {}, false};
    nouvelle_fonction(*s, r, deux.fonction());
    ASSERT_EQ(deux.verdicts.size(), 1u);
    EXPECT_TRUE(deux.verdicts[0].erreur_syntaxe);
    EXPECT_TRUE(deux.verdicts[0].erreur_retard);
    EXPECT_EQ(s->nb_fonctions, 1);
}

TEST(SaisieRetardTest, ModifierRemplitLaBoiteDuRetard) {
    auto s = test::systeme_tape({{"1", "1+p"}, {"2", "1+2p"}});
    s->fonctions[1].fonction.retard = 0.1;
    reglages r;
    struct cas {
        const char* quoi;
        std::optional<std::string> tape;
        double attendu;
        const char* facteur;
    };
    const cas table[] = {
        {"box left as it was filled", "0.1", 0.1, "e^(-.1p)"},
        {"no delay typed keeps it", std::nullopt, 0.1, "e^(-.1p)"},
        {"box emptied", "", 0, ""},
        {"zero", "0", 0, ""},
        {"a unit delay", "1", 1, "e^(-p)"},
        {"exact digits", "0.30000000000000004", 0.30000000000000004, "e^(-.3p)"},
    };
    for (const cas& c : table) {
        dialogue_retard d{{{"1", "1+p", c.tape}}, {}, {}, false};
        const resultat_commande res = modifier_fonction(*s, r, d.fonction());
        ASSERT_EQ(d.ouvertures.size(), 1u) << c.quoi;
        EXPECT_EQ(retard(*s, 1), c.attendu) << c.quoi;
        ASSERT_TRUE(res.affichage) << c.quoi;
        EXPECT_EQ(res.affichage->facteur_retard, c.facteur) << c.quoi;
    }
    // The box shows the delay so that it reads back exactly, and nothing for none.
    dialogue_retard vue{{}, {}, {}, false};
    modifier_fonction(*s, r, vue.fonction());
    EXPECT_EQ(vue.ouvertures.at(0).retard, "0.30000000000000004");
    s->fonction_courante = 2;
    modifier_fonction(*s, r, vue.fonction());
    EXPECT_EQ(vue.ouvertures.at(1).retard, "");
    // A refused delay leaves the function as it was.
    s->fonction_courante = 1;
    dialogue_retard refus{{{"5", "1+5p", "-0.5"}}, {}, {}, false};
    modifier_fonction(*s, r, refus.fonction());
    EXPECT_EQ(retard(*s, 1), 0.30000000000000004);
    EXPECT_EQ(s->fonctions[1].fonction.texte_num, "1");
}

TEST(SaisieRetardTest, FacteurMontreDansLaLettreEtEnBoucleFermee) {
    auto s = test::systeme_tape({{"1", "1+s"}, {"1", "s"}}, 's');
    s->fonctions[1].fonction.retard = 2;
    EXPECT_EQ(afficher_courante(*s).facteur_retard, "e^(-2s)");
    s->fonction_courante = 2;
    EXPECT_EQ(afficher_courante(*s).facteur_retard, "");
    EXPECT_EQ(affichage_vide().facteur_retard, "");
    // With the loop closed, browsing shows the looped function with its own delay.
    s->fonction_courante = 1;
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const resultat_commande suivante = parcourir(*s, r, 1, true, true);
    ASSERT_TRUE(suivante.affichage);
    EXPECT_EQ(suivante.affichage->textes.den, "s");
    EXPECT_EQ(suivante.affichage->facteur_retard, "");
    const resultat_commande precedente = parcourir(*s, r, 2, true, false);
    ASSERT_TRUE(precedente.affichage);
    EXPECT_EQ(precedente.affichage->facteur_retard, "e^(-2s)");
    EXPECT_NE(precedente.texte_boucle.find("Padé"), std::string::npos);
}

} // namespace
} // namespace varlem
