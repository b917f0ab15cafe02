// What the study windows write of a delay: its factor, the delay margin, the notes of the
// decomposition text with or without the decomposition, the readout's margins and the Padé
// order written on the map of a delayed loop's stand-in.
#include "analysis/caracteristiques.h"
#include "analysis/pipeline.h"
#include "document/boucle.h"
#include "numeric/boucle_retard.h"
#include "numeric/decomposition.h"
#include "plot/enregistreur.h"
#include "studies/carte_poles_zeros.h"
#include "studies/lecture_frequentielle.h"
#include "studies/texte_poles_zeros.h"
#include "studies/textes_caracteristiques.h"

#include "document/outils_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace varlem {
namespace {

bool contient(const std::string& t, const std::string& morceau) {
    return t.find(morceau) != std::string::npos;
}

TEST(TextesRetardTest, Facteur) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double retard;
        char lettre;
        const char* attendu;
    } cas[] = {{1, 'p', "e^(-p)"},
               {1.5, 'p', "e^(-1.5p)"},
               {2, 's', "e^(-2s)"},
               {0.25, 'p', "e^(-.25p)"},
               {1e-7, 'p', "e^(-1E-7p)"},
               {0, 'p', ""},
               {-1, 'p', ""},
               {inf, 'p', ""},
               {std::nan(""), 'p', ""}};
    for (const auto& c : cas)
        EXPECT_EQ(texte_exponentielle_retard(c.retard, c.lettre), c.attendu) << c.retard;
}

TEST(TextesRetardTest, MargeDeRetard) {
    marges_stabilite m;
    EXPECT_EQ(texte_ligne(ligne_marge_retard(m)), "Marge de retard : aucune");
    m.marge_retard = 0;
    EXPECT_EQ(texte_ligne(ligne_marge_retard(m)), "Marge de retard : 0 s");
    m.marge_retard = 0.46364760900080615;
    EXPECT_EQ(texte_ligne(ligne_marge_retard(m)), "Marge de retard : .4636 s");
}

// 0.5·e^(−τp)/(p(1 + p)): its delay margin, independently. |T(jω)| = 1 at ω² (1 + ω²) = 1/4,
// and the delay-free phase margin there is π/2 − atan ω.
TEST(TextesRetardTest, MargesDeLaLecture) {
    auto s = test::systeme_tape({{"0.5", "p+p^2"}});
    s->fonctions[1].fonction.retard = 0.2;
    const double w = std::sqrt((std::sqrt(2.0) - 1) / 2);
    const double marge = std::numbers::pi / 2 - std::atan(w) - 0.2 * w;
    const std::vector<ligne_caracteristique> lignes = lignes_marges_lecture(*s);
    ASSERT_EQ(lignes.size(), 3u);
    EXPECT_EQ(lignes[2].libelle, "Marge de retard");
    const std::optional<double> lu = calculer_marges(s->fonctions[1].fonction).marge_retard;
    ASSERT_TRUE(lu);
    EXPECT_NEAR(*lu, marge / w, 1e-9);
    EXPECT_EQ(lignes[2].valeur,
              ligne_marge_retard(calculer_marges(s->fonctions[1].fonction)).valeur);
}

TEST(TextesRetardTest, NotesDuTexteDesPolesEtZeros) {
    reglages_pz avec;
    reglages_pz sans = avec;
    sans.decomposer_courante = false;
    struct cas {
        const char* quoi;
        const char* num;
        const char* den;
        double retard;
        const char* note;
    };
    const cas table[] = {
        {"decomposed", "1", "1+p", 2, "le tout multiplié par e^(-2p)\r\n\r\n"},
        {"no decomposition to make", "3", "1", 1, "le tout multiplié par e^(-p)\r\n\r\n"},
        {"no delay", "1", "1+p", 0, nullptr},
    };
    for (const cas& c : table) {
        auto s = test::systeme_tape({{c.num, c.den}});
        s->fonctions[1].fonction.retard = c.retard;
        for (const reglages_pz& r : {avec, sans}) {
            const std::string t = texte_poles_zeros(*s, s->fonctions[1], r);
            if (c.note) {
                EXPECT_TRUE(contient(t, c.note)) << c.quoi << "\n" << t;
            } else {
                EXPECT_FALSE(contient(t, "multiplié")) << c.quoi;
            }
        }
    }
    // The closed loop's stand-in: its roots are the approximant's, and the text says so with or
    // without the decomposition before them.
    auto s = test::systeme_tape({{"1", "1+p"}});
    s->fonctions[1].fonction.retard = 1;
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const fdt_travail& bf = s->fonctions[3];
    ASSERT_TRUE(bf.fonction.boucle);
    const std::string note = texte_substitut_pade(bf.fonction.boucle->ordre_pade);
    for (const reglages_pz& rp : {avec, sans}) {
        const std::string t = texte_poles_zeros(*s, bf, rp);
        EXPECT_TRUE(contient(t, note + "\r\n\r\nValeurs des pôles")) << t;
    }
}

TEST(TextesRetardTest, CarteDuSubstitutDePade) {
    auto s = test::systeme_tape({{"1", "1+p"}});
    s->fonctions[1].fonction.retard = 1;
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const auto notes = [&](const fdt_travail& ft) {
        enregistreur e(500, 400);
        tracer_poles_zeros(e, ft, r.pz, r.graphe);
        std::vector<texte_enregistre> vus;
        for (const texte_enregistre& t : e.textes())
            if (contient(t.texte, "Padé")) vus.push_back(t);
        return vus;
    };
    const std::vector<texte_enregistre> vus = notes(s->fonctions[3]);
    ASSERT_EQ(vus.size(), 1u);
    EXPECT_EQ(vus[0].texte, texte_substitut_pade(s->fonctions[3].fonction.boucle->ordre_pade));
    // In the lower left corner, inside the frame.
    EXPECT_LT(vus[0].x, 100);
    EXPECT_GT(vus[0].y, 300);
    EXPECT_LT(vus[0].y, 400);
    EXPECT_TRUE(notes(s->fonctions[1]).empty()) << "the open loop keeps its delay exactly";
}

} // namespace
} // namespace varlem
