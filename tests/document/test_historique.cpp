#include "document/historique.h"

#include "document/boucle.h"
#include "document/etude_parametree.h"
#include "document/fichier_fdt.h"
#include "outils_document.h"
#include "support/genres.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace varlem {
namespace {

// The system's texts read straight from its slots: what the user sees and what a file holds.
struct textes_vus {
    std::vector<std::pair<std::string, std::string>> fonctions;
    char lettre = 'p';
    friend bool operator==(const textes_vus&, const textes_vus&) = default;
};

textes_vus vus(const systeme& s) {
    textes_vus t;
    for (int k = 1; k <= s.nb_fonctions; ++k) {
        const fdt& f = s.fonctions[static_cast<std::size_t>(k)].fonction;
        t.fonctions.emplace_back(f.texte_num, f.texte_den);
    }
    t.lettre = s.lettre_variable;
    return t;
}

std::string decrire(const textes_vus& t) {
    std::string d(1, t.lettre);
    for (const auto& [n, dd] : t.fonctions) d += " [" + n + " / " + dd + "]";
    return d;
}

// The dialog typing a pair of texts, or abandoning when they are refused.
dialogue_fonction taper(const std::string& num, const std::string& den) {
    return [=](const ouverture_saisie&, const validation_saisie& valider) {
        return valider(num, den).acceptee();
    };
}

// Every slot shown holds the analysis of its own texts, as a fresh entry would.
::testing::AssertionResult analyses_a_jour(const systeme& s) {
    std::vector<std::pair<std::string, std::string>> paires = vus(s).fonctions;
    const auto frais = test::systeme_tape(paires, s.lettre_variable);
    for (int k = 1; k <= s.nb_fonctions; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!(s.fonctions[i].fonction.num == frais->fonctions[i].fonction.num) ||
            !(s.fonctions[i].fonction.den == frais->fonctions[i].fonction.den) ||
            s.fonctions[i].poles != frais->fonctions[i].poles)
            return ::testing::AssertionFailure() << "slot " << k << " not analysed again";
    }
    return ::testing::AssertionSuccess();
}

// The same with a delay typed in its box.
dialogue_fonction taper(const std::string& num, const std::string& den, const std::string& tau) {
    return [=](const ouverture_saisie&, const validation_saisie& valider) {
        return valider(num, den, tau).acceptee();
    };
}

struct banc {
    std::unique_ptr<systeme> s = std::make_unique<systeme>();
    reglages r;
    historique h;
    banc() { s->calcul.graine = 1; }
};

TEST(HistoriqueTest, ChaqueChangementSAnnuleEtSeRetablit) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "1+p")); });
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("-4", "(1+p)(1+2p)")); });
    b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper("2", "p^2+2p+5")); });
    s.fonction_courante = 1;
    b.h.changer(s, [&] { return supprimer_fonction(s, 1); });
    ASSERT_EQ(b.h.nb_annulables(), 4u);
    EXPECT_EQ(vus(s).fonctions,
              (std::vector<std::pair<std::string, std::string>>{{"2", "p^2+2p+5"}}));

    resultat_historique res = b.h.annuler(s, b.r);
    ASSERT_TRUE(res.effectue);
    EXPECT_EQ(s.nb_fonctions, 2);
    EXPECT_EQ(s.fonction_courante, 1);
    EXPECT_EQ(res.commande.rafraichir, rafraichir(false, true)); // as after a file read
    EXPECT_EQ(res.commande.affichage->compte, "sur 2");
    EXPECT_EQ(res.commande.position_parcours, 1);
    EXPECT_TRUE(res.commande.activer_commandes);
    EXPECT_TRUE(analyses_a_jour(s));
    b.h.annuler(s, b.r);
    EXPECT_EQ(s.fonctions[2].fonction.texte_num, "-4");
    b.h.annuler(s, b.r);
    b.h.annuler(s, b.r);
    // Back to the empty system: the windows show it so, the studies are left alone.
    EXPECT_EQ(s.nb_fonctions, 0);
    EXPECT_FALSE(s.systeme_saisi);
    EXPECT_FALSE(b.h.peut_annuler(s));
    EXPECT_FALSE(s.modifie);
    res = b.h.retablir(s, b.r);
    ASSERT_TRUE(res.effectue);
    EXPECT_FALSE(res.systeme_vide);
    EXPECT_TRUE(s.modifie);
    EXPECT_EQ(b.h.nb_retablissables(), 3u);
    // A new change forgets what could be redone.
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("p", "1+p^3")); });
    EXPECT_FALSE(b.h.peut_retablir(s));
}

TEST(HistoriqueTest, CeQuiNeChangeRienNeFaitPasDEtape) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "1+p")); });
    // An entry abandoned after a refusal, the same texts typed again, a browse, a refused file.
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1+", "1+p")); });
    b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper("1", "1+p")); });
    b.h.changer(s, [&] { return parcourir(s, b.r, 1, true, true); });
    b.h.changer(s, [&] { return lire_systeme_texte(s, b.r, "1\r\n1\r\n--p\r\n"); });
    b.h.changer(s, [&] { return changer_lettre(s); }); // refused: the system holds a function
    EXPECT_EQ(b.h.nb_annulables(), 1u);
    EXPECT_EQ(s.nb_fonctions, 1);
}

TEST(HistoriqueTest, LettreFichierLuEtSystemeVide) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return changer_lettre(s); });
    EXPECT_EQ(s.lettre_variable, 's');
    b.h.changer(s,
                [&] { return lire_systeme_texte(s, b.r, "2\r\n1\r\n1+s\r\n-s\r\n(1+s)^1\r\n"); });
    EXPECT_EQ(s.nb_fonctions, 0); // refused: "(1+s)^1" is no product
    b.h.changer(s, [&] { return lire_systeme_texte(s, b.r, "2\r\n1\r\n1+s\r\n-s\r\n2+s\r\n"); });
    b.h.marquer_enregistre(s);
    EXPECT_EQ(s.nb_fonctions, 2);
    b.h.changer(s, [&] { nouveau_systeme(s, b.r); });
    EXPECT_EQ(b.h.nb_annulables(), 3u);

    // Undoing the emptying brings back the file's system, with nothing to save.
    resultat_historique res = b.h.annuler(s, b.r);
    EXPECT_EQ(s.nb_fonctions, 2);
    EXPECT_EQ(s.fonctions[2].fonction.texte_num, "-s");
    EXPECT_FALSE(s.modifie);
    EXPECT_TRUE(analyses_a_jour(s));
    // Undoing the read gives back the empty system in s, its windows closed as when emptied.
    s.etudes.frequence_ouverte = s.etudes.decomp_ouverte = true;
    s.etudes.etude_freq_choisie = diagramme::black;
    res = b.h.annuler(s, b.r);
    EXPECT_TRUE(res.systeme_vide);
    EXPECT_FALSE(s.etudes.frequence_ouverte || s.etudes.decomp_ouverte);
    EXPECT_EQ(s.etudes.etude_freq_choisie, diagramme::black) << "the choices stay";
    EXPECT_FALSE(res.commande.rafraichir.a_faire);
    EXPECT_FALSE(res.commande.activer_commandes);
    EXPECT_EQ(s.lettre_variable, 's');
    EXPECT_EQ(res.etiquette_fraction, "T(s) =");
    res = b.h.annuler(s, b.r);
    EXPECT_EQ(s.lettre_variable, 'p');
    EXPECT_EQ(res.legende_lettre, "Variable en s");
    EXPECT_FALSE(s.modifie);
}

TEST(HistoriqueTest, ModifieSuitLEtatEnregistre) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return lire_systeme_texte(s, b.r, "1\r\n1\r\n1+p\r\n"); });
    b.h.marquer_enregistre(s);
    b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper("3", "1+p")); });
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "p^2+p+1")); });
    EXPECT_TRUE(s.modifie);
    b.h.annuler(s, b.r);
    EXPECT_TRUE(s.modifie);
    b.h.annuler(s, b.r);
    EXPECT_FALSE(s.modifie); // the file's texts again
    b.h.retablir(s, b.r);
    EXPECT_TRUE(s.modifie);
    // Saved there: going back to the file's texts now has something to save.
    b.h.marquer_enregistre(s);
    s.modifie = false;
    b.h.annuler(s, b.r);
    EXPECT_TRUE(s.modifie);
    b.h.retablir(s, b.r);
    EXPECT_FALSE(s.modifie);
}

// A delay is part of the function: a step undone gives it back, a change of the delay alone
// is a step, and the saved state counts it.
TEST(HistoriqueTest, LesRetardsReviennentAvecLeursFonctions) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "1+p", "0.5")); });
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("2", "1+2p", "")); });
    b.h.marquer_enregistre(s);
    s.fonction_courante = 1;
    b.h.changer(s, [&] { return supprimer_fonction(s, 1); });
    b.h.annuler(s, b.r);
    ASSERT_EQ(s.nb_fonctions, 2);
    EXPECT_EQ(s.fonctions[1].fonction.retard, 0.5);
    EXPECT_EQ(s.fonctions[2].fonction.retard, 0.0);
    EXPECT_FALSE(s.modifie);

    s.fonction_courante = 1;
    const std::size_t etapes = b.h.nb_annulables();
    b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper("1", "1+p", "2")); });
    ASSERT_EQ(b.h.nb_annulables(), etapes + 1) << "the delay alone changed: a step";
    EXPECT_TRUE(s.modifie);
    b.h.annuler(s, b.r);
    EXPECT_EQ(s.fonctions[1].fonction.retard, 0.5);
    EXPECT_FALSE(s.modifie);
    b.h.retablir(s, b.r);
    EXPECT_EQ(s.fonctions[1].fonction.retard, 2.0);
    EXPECT_TRUE(s.modifie);
}

TEST(HistoriqueTest, IndisponibleBoucleFermeeOuGabaritEtudie) {
    banc b;
    systeme& s = *b.s;
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "1+p")); });
    b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper("1", "(1+p)(1+3p)")); });
    fermer_boucle(s, b.r);
    ASSERT_TRUE(s.etudes.boucle_fermee);
    EXPECT_FALSE(b.h.peut_annuler(s));
    EXPECT_FALSE(b.h.annuler(s, b.r).effectue);
    // Emptied with the loop closed: the step keeps the user's functions, not the loop's.
    b.h.changer(s, [&] { nouveau_systeme(s, b.r); });
    ASSERT_TRUE(b.h.peut_annuler(s));
    b.h.annuler(s, b.r);
    EXPECT_EQ(s.nb_fonctions, 2);
    EXPECT_EQ(s.fonctions[2].fonction.texte_den, "(1+p)(1+3p)");
    EXPECT_EQ(s.fonction_courante, 2);

    // A template replaces the system: a step back to it, none while it is studied.
    b.h.changer(s, [&] { return choisir_gabarit(s, b.r, test::passe_bas_2, std::nullopt); });
    ASSERT_TRUE(s.etudes.mode_filtre);
    EXPECT_FALSE(b.h.peut_annuler(s));
    EXPECT_FALSE(b.h.peut_retablir(s));
    b.h.changer(s, [&] { nouveau_systeme(s, b.r); });
    b.h.annuler(s, b.r);
    EXPECT_EQ(s.nb_fonctions, 2); // the system the template replaced
    EXPECT_FALSE(s.etudes.mode_filtre);
}

TEST(HistoriqueTest, RestaurationRefuseeLaisseLeSysteme) {
    banc b;
    systeme& s = *b.s;
    nouvelle_fonction(s, b.r, taper("1", "1+p"));
    const textes_vus avant = vus(s);
    instantane_systeme faux;
    faux.fonctions = {{"1", "1+p"}, {"1", "1+p+"}};
    EXPECT_FALSE(restaurer(s, b.r, faux));
    faux.fonctions.assign(9, {"1", "1+p"});
    EXPECT_FALSE(restaurer(s, b.r, faux));
    EXPECT_EQ(vus(s), avant);
    EXPECT_TRUE(analyses_a_jour(s));
}

TEST(HistoriqueTest, CentEtapesAuPlus) {
    banc b;
    systeme& s = *b.s;
    nouvelle_fonction(s, b.r, taper("1", "1+p"));
    for (int i = 2; i < 160; ++i)
        b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper(std::to_string(i), "1+p")); });
    EXPECT_EQ(b.h.nb_annulables(), nb_etapes_max);
    while (b.h.peut_annuler(s)) b.h.annuler(s, b.r);
    EXPECT_EQ(s.fonctions[1].fonction.texte_num, "59");
}

// One random change of the system, through the operations the windows call; true when the
// system was then saved or read, which makes its texts those with nothing to save.
bool changement_aleatoire(banc& b, std::mt19937& gen) {
    static const std::pair<const char*, const char*> fonctions[] = {
        {"1", "1+p"},      {"-4", "(1+p)(1+2p)"},
        {"p", "p^2+2p+5"}, {"(-1+p)", "(2+p)(3+p)"},
        {"1+", "1+p"},     {"1", "0"},
        {"3", "1+p"},      {"1-p", "-p^3-2p-1"},
        {"1e3", "p^2+1"},  {"2", "(1+p)^2"},
    };
    static const char* fichiers[] = {"0\r\n", "1\r\n2\r\n1+p\r\n", "2\r\n1\r\n1+p\r\n-1\r\n1+p\r\n",
                                     "1\r\n1\r\n1+s\r\n", "9\r\n"};
    systeme& s = *b.s;
    const auto& [num, den] = fonctions[gen() % std::size(fonctions)];
    switch (gen() % 9) {
    case 0:
    case 1:
        b.h.changer(s, [&] { return nouvelle_fonction(s, b.r, taper(num, den)); });
        return false;
    case 2:
        b.h.changer(s, [&] { return modifier_fonction(s, b.r, taper(num, den)); });
        return false;
    case 3:
        s.fonction_courante =
            1 + static_cast<int>(gen() % static_cast<unsigned>(std::max(s.nb_fonctions, 1)));
        b.h.changer(s, [&] { return supprimer_fonction(s, s.fonction_courante); });
        return false;
    case 4:
        b.h.changer(s, [&] { return changer_lettre(s); });
        return false;
    case 5: {
        const char* contenu = fichiers[gen() % std::size(fichiers)];
        const resultat_fichier res =
            b.h.changer(s, [&] { return lire_systeme_texte(s, b.r, contenu); });
        if (res.reussi()) b.h.marquer_enregistre(s);
        return res.reussi();
    }
    case 6:
        b.h.changer(s, [&] { nouveau_systeme(s, b.r); });
        return false;
    case 7:
        b.h.changer(s, [&] { return parcourir(s, b.r, s.fonction_courante, true, gen() % 2); });
        return false;
    default:
        b.h.marquer_enregistre(s);
        s.modifie = false;
        return true;
    }
}

TEST(HistoriqueTest, SuitesAleatoiresDefaitesPuisRefaites) {
    for (unsigned graine = 1; graine <= 40; ++graine) {
        SCOPED_TRACE("graine " + std::to_string(graine));
        std::mt19937 gen(graine);
        banc b;
        systeme& s = *b.s;
        std::vector<textes_vus> etats{vus(s)};
        // The functions as last saved or read (the letter is not saved).
        std::vector<std::pair<std::string, std::string>> enregistrees;
        for (int pas = 0; pas < 60; ++pas) {
            const bool enregistre = changement_aleatoire(b, gen);
            if (!(vus(s) == etats.back())) etats.push_back(vus(s));
            if (enregistre) enregistrees = vus(s).fonctions;
            ASSERT_EQ(b.h.nb_annulables(), etats.size() - 1);
        }
        // Back through every step: each earlier system's texts, analysed again, and something
        // to save exactly when functions differ from those saved.
        for (std::size_t i = etats.size() - 1; i-- > 0;) {
            ASSERT_TRUE(b.h.annuler(s, b.r).effectue);
            ASSERT_EQ(vus(s), etats[i]) << decrire(vus(s)) << " / " << decrire(etats[i]);
            ASSERT_TRUE(analyses_a_jour(s));
            ASSERT_EQ(s.modifie, s.nb_fonctions > 0 && vus(s).fonctions != enregistrees);
        }
        EXPECT_FALSE(b.h.peut_annuler(s));
        // And forward again to the last.
        for (std::size_t i = 1; i < etats.size(); ++i) {
            ASSERT_TRUE(b.h.retablir(s, b.r).effectue);
            ASSERT_EQ(vus(s), etats[i]) << decrire(vus(s)) << " / " << decrire(etats[i]);
            ASSERT_EQ(s.modifie, s.nb_fonctions > 0 && vus(s).fonctions != enregistrees);
        }
        EXPECT_FALSE(b.h.peut_retablir(s));
    }
}

} // namespace
} // namespace varlem
