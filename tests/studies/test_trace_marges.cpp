// The margin marks of the gain and phase diagrams: a dotted line at each reported crossing,
// the margin beside it; nothing unless asked, nor on the other diagrams.
#include "analysis/caracteristiques.h"
#include "analysis/outils_frequence.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "studies/trace_frequentiel.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace varlem {
namespace {

// Columns of the dotted vertical lines drawn in the marks' colour, and the texts written.
struct marques {
    std::vector<int> colonnes;
    std::vector<std::string> textes;
};

marques marques_de(const enregistreur& e) {
    marques m;
    for (const segment_enregistre& s : e.segments())
        if (s.c == couleur_marges && s.style == style_trait::pointille && s.x1 == s.x2)
            m.colonnes.push_back(s.x1);
    for (const texte_enregistre& t : e.textes())
        if (t.texte.rfind("MG = ", 0) == 0 || t.texte.rfind("MP = ", 0) == 0)
            m.textes.push_back(t.texte);
    return m;
}

TEST(TraceMarges, LignesAuxCroisementsDesMargesRapportees) {
    // 5 / ((1+p)(1+0.5p)(1+0.2p)): gain crossing below the phase crossing at √17 rad/s.
    auto s = test::systeme_de({{5.0 * 10, {}, {{-1, 0}, {-2, 0}, {-5, 0}}}});
    const marges_stabilite m = calculer_marges(s->fonctions[1].fonction);
    ASSERT_TRUE(m.omega_marge_gain && m.omega_marge_phase);
    EXPECT_NEAR(*m.omega_marge_gain, std::sqrt(17.0), 1e-9);

    struct cas {
        diagramme genre;
        bool en_hertz;
        bool afficher;
        std::size_t lignes;
    };
    for (const cas& c :
         {cas{diagramme::gain, false, true, 2}, cas{diagramme::phase, true, true, 2},
          cas{diagramme::gain, false, false, 0}, cas{diagramme::nyquist, false, true, 0},
          cas{diagramme::black, false, true, 0}}) {
        etude_frequence r = test::etude_de(*s, c.en_hertz);
        r.afficher_marges = c.afficher;
        s->etudes.etude_freq_choisie = c.genre;
        enregistreur e(600, 400);
        tracer_frequentiel(e, r, param{}, *s);
        const marques vu = marques_de(e);
        ASSERT_EQ(vu.colonnes.size(), c.lignes) << c.genre << c.afficher;
        ASSERT_EQ(vu.textes.size(), c.lignes);
        if (c.lignes == 0) continue;
        const auto colonne = [&](double w) {
            return log_vers_pixel(r.decade_min, r.decade_max, cadre_gauche(), cadre_droite(600),
                                  c.en_hertz ? w / (2 * std::numbers::pi) : w);
        };
        EXPECT_EQ(vu.colonnes[0], colonne(*m.omega_marge_gain));
        EXPECT_EQ(vu.colonnes[1], colonne(*m.omega_marge_phase));
        EXPECT_EQ(vu.textes[0], "MG = " + texte_nombre(*m.marge_gain_db) + " dB");
    }
}

} // namespace
} // namespace varlem
