#include "document/saisie.h"
#include "studies/texte_poles_zeros.h"

#include "document/boucle.h"
#include "outils_document.h"
#include "support/analyse_acceptee.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace varlem {
namespace {

using test::systeme_tape;
using paires = std::vector<std::pair<std::string, std::string>>;

// An entry dialog driven by a script: each pair is tried with "OK" in turn until one is
// accepted; when none is, the entry ends with "Annuler". Records what it was opened with.
struct dialogue_scripte {
    explicit dialogue_scripte(paires e = {}) : essais(std::move(e)) {}

    paires essais;
    std::vector<ouverture_saisie> ouvertures;
    std::vector<erreurs_saisie> verdicts;

    dialogue_fonction fonction() {
        return [this](const ouverture_saisie& o, const validation_saisie& valider) {
            ouvertures.push_back(o);
            for (const auto& [num, den] : essais) {
                verdicts.push_back(valider(num, den));
                if (verdicts.back().acceptee()) return true;
            }
            return false;
        };
    }
};

std::unique_ptr<systeme> systeme_vide() {
    return systeme_tape({});
}

paires fonctions(int n) {
    paires p;
    for (int k = 1; k <= n; ++k) p.emplace_back(std::to_string(k), "1+" + std::to_string(k) + "p");
    return p;
}

textes_fdt textes_slot(const systeme& s, int k) {
    const fdt& f = s.fonctions[static_cast<std::size_t>(k)].fonction;
    return {f.texte_num, f.texte_den};
}

void attendre_affichage(const std::optional<affichage_fonction>& a, const std::string& numero,
                        const std::string& compte, const std::string& num, const std::string& den) {
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->numero, numero);
    EXPECT_EQ(a->compte, compte);
    EXPECT_EQ(a->textes.num, num);
    EXPECT_EQ(a->textes.den, den);
}

TEST(SaisieTest, TextesDeLaFenetre) {
    EXPECT_EQ(etiquette_fraction('p'), "T(p) =");
    EXPECT_EQ(etiquette_fraction('s'), "T(s) =");
    EXPECT_EQ(legende_lettre('p'), "Variable en s");
    EXPECT_EQ(legende_lettre('s'), "Variable en p");
    EXPECT_EQ(titre_saisie(3), "Entrée de la fonction n°3");
    const affichage_fonction v = affichage_vide();
    EXPECT_EQ(v.numero, "1");
    EXPECT_EQ(v.compte, "sur 1");
    EXPECT_EQ(v.textes.num, "1");
    EXPECT_EQ(v.textes.den, "1");
}

TEST(SaisieTest, ValidationDesTextes) {
    struct cas {
        const char* num;
        const char* den;
        bool syntaxe;
        bool degre;
    };
    const cas table[] = {
        {"1+2*p+3*p^3", "(1+p)", false, false},
        {"(3p)(1+2p+1.5p^3)", "1+p+p^2", false, false},
        {"1++p", "1+p", true, false},
        {"1", "1+p+", true, false},
        {"1", "p^16", false, true},
        {"1", "1+1E40p", false, true},
    };
    for (const cas& c : table) {
        auto s = systeme_tape(fonctions(1));
        const textes_fdt avant = textes_slot(*s, 1);
        const erreurs_saisie e = valider_saisie(*s, mode_saisie::modification, c.num, c.den);
        EXPECT_EQ(e.erreur_syntaxe, c.syntaxe) << c.num << " / " << c.den;
        EXPECT_EQ(e.erreur_degre, c.degre) << c.num << " / " << c.den;
        const textes_fdt apres = textes_slot(*s, 1);
        if (e.acceptee()) {
            EXPECT_EQ(apres.num, c.num);
            EXPECT_EQ(apres.den, c.den);
            EXPECT_TRUE(s->modifie);
        } else {
            // A refused text never reaches the slot.
            EXPECT_EQ(apres.num, avant.num);
            EXPECT_EQ(apres.den, avant.den);
            EXPECT_FALSE(s->modifie);
        }
    }
}

TEST(SaisieTest, PremiereFonctionAcceptee) {
    auto s = systeme_vide();
    reglages r;
    r.graphe.inclure_zero = false;
    dialogue_scripte d{{{"1", "1+p"}}};
    const resultat_commande res = nouvelle_fonction(*s, r, d.fonction());

    ASSERT_EQ(d.ouvertures.size(), 1u);
    const ouverture_saisie& o = d.ouvertures[0];
    EXPECT_EQ(o.mode, mode_saisie::nouvelle);
    EXPECT_EQ(o.titre, "Entrée de la fonction n°1");
    EXPECT_EQ(o.numero, "1");
    EXPECT_EQ(o.compte, "sur 1");
    EXPECT_EQ(o.position_parcours, 1);
    EXPECT_TRUE(o.desactiver_nouvelle);
    EXPECT_FALSE(o.textes.has_value());

    EXPECT_TRUE(res.effectue);
    EXPECT_TRUE(res.activer_commandes);
    EXPECT_TRUE(res.activer_nouvelle);
    EXPECT_TRUE(res.activer_parcours);
    attendre_affichage(res.affichage, "1", "sur 1", "1", "1+p");
    EXPECT_EQ(res.rafraichir, rafraichir(true, true));
    EXPECT_EQ(s->nb_fonctions, 1);
    EXPECT_EQ(s->fonction_courante, 1);
    EXPECT_TRUE(s->systeme_saisi);
    EXPECT_TRUE(s->modifie);
    EXPECT_TRUE(r.graphe.inclure_zero);
    EXPECT_EQ(s->fonctions[1].poles[1], (complexe{-1, 0}));
}

TEST(SaisieTest, RefusPuisAcceptation) {
    auto s = systeme_tape(fonctions(2), 'p', 1);
    reglages r;
    dialogue_scripte d{{{"1++p", "1+p"}, {"1", "p^16"}, {"1+2*p+3*p^3", "(1+p)"}}};
    const resultat_commande res = nouvelle_fonction(*s, r, d.fonction());
    ASSERT_EQ(d.verdicts.size(), 3u);
    EXPECT_TRUE(d.verdicts[0].erreur_syntaxe);
    EXPECT_TRUE(d.verdicts[1].erreur_degre);
    EXPECT_TRUE(d.verdicts[2].acceptee());
    EXPECT_EQ(d.ouvertures[0].titre, "Entrée de la fonction n°3");
    attendre_affichage(res.affichage, "3", "sur 3", "1+2*p+3*p^3", "(1+p)");
    EXPECT_EQ(s->fonction_courante, 3);
    EXPECT_EQ(s->fonctions[3].fonction.num.degre, 3);
}

TEST(SaisieTest, SaisieRefuseeGardeLaDecompositionDesAutres) {
    auto s = systeme_tape(fonctions(2), 'p', 2);
    reglages r;
    const std::string avant = texte_poles_zeros(*s, s->fonctions[2], r.pz);
    ASSERT_NE(avant.find("ecriture sous forme"), std::string::npos);
    // A syntax error, then the entry abandoned.
    dialogue_scripte d{{{"1+*p", "1+p"}}};
    nouvelle_fonction(*s, r, d.fonction());
    ASSERT_TRUE(d.verdicts.at(0).erreur_syntaxe);
    EXPECT_EQ(texte_poles_zeros(*s, s->fonctions[2], r.pz), avant);
}

TEST(SaisieTest, PremiereFonctionAbandonnee) {
    // With or without refused attempts, the system stays empty with only "Nouvelle" enabled.
    for (const paires& essais : {paires{}, paires{{"1++p", "1"}, {"1", "p^20"}}}) {
        auto s = systeme_vide();
        s->fonctions[1] = test::analyse_acceptee("7", "1+7p");
        reglages r;
        dialogue_scripte d{essais};
        const resultat_commande res = nouvelle_fonction(*s, r, d.fonction());
        EXPECT_TRUE(res.effectue);
        EXPECT_TRUE(res.activer_nouvelle);
        EXPECT_FALSE(res.activer_commandes);
        EXPECT_FALSE(res.activer_parcours);
        EXPECT_FALSE(res.affichage.has_value());
        EXPECT_FALSE(res.rafraichir.a_faire);
        EXPECT_EQ(s->nb_fonctions, 0);
        EXPECT_EQ(s->fonction_courante, 1);
        EXPECT_FALSE(s->systeme_saisi);
        EXPECT_FALSE(s->modifie);
        EXPECT_EQ(s->fonctions[1].fonction.texte_num, "7");
    }
}

TEST(SaisieTest, NouvelleAbandonneeApresDesFonctions) {
    auto s = systeme_tape(fonctions(2), 'p', 1);
    reglages r;
    dialogue_scripte d;
    const resultat_commande res = nouvelle_fonction(*s, r, d.fonction());
    EXPECT_EQ(d.ouvertures[0].position_parcours, 3);
    EXPECT_EQ(s->nb_fonctions, 2);
    EXPECT_EQ(s->fonction_courante, 2);
    EXPECT_TRUE(res.activer_commandes);
    EXPECT_TRUE(res.activer_nouvelle);
    EXPECT_TRUE(res.activer_parcours);
    // The browse control stays where the opening put it, one ahead of the count.
    EXPECT_FALSE(res.position_parcours.has_value());
    attendre_affichage(res.affichage, "2", "sur 2", "2", "1+2p");
    EXPECT_EQ(res.rafraichir, rafraichir(true, true));
    EXPECT_FALSE(s->modifie);
}

TEST(SaisieTest, NouvelleSansEffet) {
    struct cas {
        const char* quoi;
        int n;
        bool boucle;
        bool filtre;
    };
    for (const cas& c : {cas{"neuvième", 8, false, false}, cas{"boucle fermée", 2, true, false},
                         cas{"gabarit", 2, false, true}}) {
        auto s = systeme_tape(fonctions(c.n), 'p', 1);
        s->etudes.boucle_fermee = c.boucle;
        s->etudes.mode_filtre = c.filtre;
        reglages r;
        dialogue_scripte d{{{"1", "1+p"}}};
        EXPECT_FALSE(nouvelle_fonction(*s, r, d.fonction()).effectue) << c.quoi;
        EXPECT_TRUE(d.ouvertures.empty()) << c.quoi;
        EXPECT_EQ(s->nb_fonctions, c.n) << c.quoi;
        if (c.boucle || c.filtre) {
            EXPECT_FALSE(modifier_fonction(*s, r, d.fonction()).effectue) << c.quoi;
            EXPECT_FALSE(supprimer_fonction(*s, 1).effectue) << c.quoi;
        }
    }
}

TEST(SaisieTest, ModificationAcceptee) {
    auto s = systeme_tape(fonctions(3), 'p', 2);
    s->systeme_saisi = false;
    reglages r;
    r.graphe.inclure_zero = false;
    dialogue_scripte d{{{"5", "(1+p)(1+2p)"}}};
    const resultat_commande res = modifier_fonction(*s, r, d.fonction());
    const ouverture_saisie& o = d.ouvertures.at(0);
    EXPECT_EQ(o.mode, mode_saisie::modification);
    EXPECT_EQ(o.titre, "Entrée de la fonction n°2");
    ASSERT_TRUE(o.textes.has_value());
    EXPECT_EQ(o.textes->num, "2");
    EXPECT_EQ(o.textes->den, "1+2p");
    EXPECT_FALSE(o.position_parcours.has_value());
    EXPECT_FALSE(o.desactiver_nouvelle);

    attendre_affichage(res.affichage, "2", "sur 3", "5", "(1+p)(1+2p)");
    EXPECT_TRUE(res.activer_commandes);
    EXPECT_TRUE(res.activer_parcours);
    EXPECT_EQ(res.rafraichir, rafraichir(true, true));
    EXPECT_EQ(s->nb_fonctions, 3);
    EXPECT_EQ(s->fonctions[2].fonction.den.degre, 2);
    EXPECT_TRUE(s->systeme_saisi);
    EXPECT_TRUE(s->modifie);
    EXPECT_TRUE(r.graphe.inclure_zero);
}

TEST(SaisieTest, ModificationAbandonneeRendLaFonction) {
    for (const paires& essais : {paires{}, paires{{"1++p", "1"}}, paires{{"1", "p^16"}}}) {
        auto s = systeme_tape({{"1", "1+p"}, {"3", "(1+p)(1+4p)"}}, 'p', 2);
        const auto avant = std::make_unique<systeme>(*s);
        s->systeme_saisi = false;
        avant->systeme_saisi = true;
        reglages r;
        dialogue_scripte d{essais};
        const resultat_commande res = modifier_fonction(*s, r, d.fonction());
        // Texts and analysis both as before the entry.
        EXPECT_TRUE(test::meme_systeme(*s, *avant));
        EXPECT_EQ(s->fonctions[2].gain, avant->fonctions[2].gain);
        EXPECT_FALSE(s->modifie);
        // Whatever the outcome: commands enabled and the studies recomputed.
        EXPECT_TRUE(res.activer_commandes);
        EXPECT_EQ(res.rafraichir, rafraichir(true, true));
        attendre_affichage(res.affichage, "2", "sur 2", "3", "(1+p)(1+4p)");
    }
}

TEST(SaisieTest, Suppression) {
    struct cas {
        const char* quoi;
        int n;
        int courante;
        int position;
        bool effectue;
        int courante_apres;
        int position_apres;
        std::vector<std::string> numerateurs;
    };
    const cas table[] = {
        {"troisième de trois", 3, 3, 3, true, 2, 2, {"1", "2"}},
        {"première de trois", 3, 1, 1, true, 1, 1, {"2", "3"}},
        {"deuxième de trois", 3, 2, 2, true, 1, 1, {"1", "3"}},
        {"position en avance", 2, 1, 2, true, 1, 1, {"2"}},
        {"dernière fonction", 1, 1, 1, false, 1, 1, {"1"}},
    };
    for (const cas& c : table) {
        auto s = systeme_tape(fonctions(c.n), 'p', c.courante);
        const resultat_commande res = supprimer_fonction(*s, c.position);
        EXPECT_EQ(res.effectue, c.effectue) << c.quoi;
        EXPECT_EQ(s->nb_fonctions, static_cast<int>(c.numerateurs.size())) << c.quoi;
        EXPECT_EQ(s->fonction_courante, c.courante_apres) << c.quoi;
        EXPECT_EQ(s->modifie, c.effectue) << c.quoi;
        for (std::size_t k = 0; k < c.numerateurs.size(); ++k)
            EXPECT_EQ(s->fonctions[k + 1].fonction.texte_num, c.numerateurs[k]) << c.quoi;
        if (!c.effectue) {
            EXPECT_FALSE(res.rafraichir.a_faire) << c.quoi;
            continue;
        }
        EXPECT_EQ(res.position_parcours, c.position_apres) << c.quoi;
        EXPECT_EQ(res.rafraichir, rafraichir(true, true)) << c.quoi;
        attendre_affichage(res.affichage, std::to_string(c.courante_apres),
                           "sur " + std::to_string(c.numerateurs.size()),
                           c.numerateurs[static_cast<std::size_t>(c.courante_apres - 1)],
                           "1+" + c.numerateurs[static_cast<std::size_t>(c.courante_apres - 1)] +
                               "p");
    }
    // The moved slot keeps its analysis.
    auto s = systeme_tape(fonctions(2), 'p', 1);
    supprimer_fonction(*s, 1);
    EXPECT_EQ(s->fonctions[1].poles[1], (complexe{-0.5, 0}));
}

TEST(SaisieTest, ParcoursBoucleOuverte) {
    struct cas {
        const char* quoi;
        int n;
        int courante;
        int position;
        bool nouvelle_active;
        bool haut;
        int n_apres;
        int courante_apres;
        int position_apres;
    };
    const cas table[] = {
        {"monte", 3, 1, 1, true, true, 3, 2, 2},
        {"descend", 3, 2, 2, true, false, 3, 1, 1},
        {"monte sur la dernière", 3, 3, 3, true, true, 3, 3, 4},
        {"descend sur la première", 3, 1, 1, true, false, 3, 1, 1},
        {"butée haute du contrôle", 8, 8, 8, true, true, 8, 8, 8},
        {"position en avance", 3, 3, 4, true, false, 3, 2, 3},
        {"Nouvelle désactivée", 3, 3, 3, false, false, 2, 2, 2},
    };
    for (const cas& c : table) {
        auto s = systeme_tape(fonctions(c.n), 'p', c.courante);
        reglages r;
        const resultat_commande res = parcourir(*s, r, c.position, c.nouvelle_active, c.haut);
        EXPECT_TRUE(res.effectue) << c.quoi;
        EXPECT_EQ(s->nb_fonctions, c.n_apres) << c.quoi;
        EXPECT_EQ(s->fonction_courante, c.courante_apres) << c.quoi;
        EXPECT_EQ(res.position_parcours, c.position_apres) << c.quoi;
        EXPECT_EQ(res.activer_nouvelle, !c.nouvelle_active) << c.quoi;
        EXPECT_EQ(res.rafraichir, rafraichir(false, false)) << c.quoi;
        const std::string k = std::to_string(c.courante_apres);
        attendre_affichage(res.affichage, k, "sur " + std::to_string(c.n_apres), k, "1+" + k + "p");
    }
}

TEST(SaisieTest, ParcoursBoucleFermee) {
    auto s = systeme_tape({{"1", "1+p"}, {"2", "1+3p+p^2"}}, 'p', 1);
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const resultat_commande res = parcourir(*s, r, 1, false, true);
    EXPECT_TRUE(res.effectue);
    EXPECT_EQ(s->courante_sauvee, 2);
    EXPECT_EQ(s->nb_fonctions, 1);
    EXPECT_FALSE(res.activer_nouvelle);
    EXPECT_EQ(res.position_parcours, 2);
    attendre_affichage(res.affichage, "2", "sur 2", "2", "1+3p+p^2");
    EXPECT_EQ(res.texte_boucle.rfind("Fonction de transfert du système en boucle fermée:", 0), 0u);
    EXPECT_EQ(res.rafraichir, rafraichir(true, true));
}

TEST(SaisieTest, LettreDeLaVariable) {
    auto s = systeme_vide();
    for (const auto& [avant, apres, etiquette] :
         {std::tuple{'p', 's', "T(s) ="}, std::tuple{'s', 'p', "T(p) ="},
          std::tuple{'x', 'p', "T(p) ="}}) {
        s->lettre_variable = avant;
        const changement_lettre c = changer_lettre(*s);
        EXPECT_TRUE(c.effectue);
        EXPECT_EQ(s->lettre_variable, apres);
        EXPECT_EQ(c.etiquette, etiquette);
    }
    // The new letter is the one the entry parses.
    s->lettre_variable = 's';
    reglages r;
    dialogue_scripte d{{{"1", "1+p"}, {"1", "1+s"}}};
    nouvelle_fonction(*s, r, d.fonction());
    EXPECT_TRUE(d.verdicts.at(0).erreur_syntaxe);
    EXPECT_TRUE(d.verdicts.at(1).acceptee());
    // With a function in the system the letter stays.
    EXPECT_FALSE(changer_lettre(*s).effectue);
    EXPECT_EQ(s->lettre_variable, 's');
}

} // namespace
} // namespace varlem
