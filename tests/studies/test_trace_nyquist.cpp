// The Nyquist diagram's extras, on the recorder: the mirrored branch dashed, arrows of
// increasing ω, the critical point and the verdict of the loop studied.
#include "studies/trace_nyquist.h"

#include "analysis/outils_frequence.h"
#include "document/boucle.h"
#include "document/outils_document.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "studies/trace_frequentiel.h"
#include "support/genres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace varlem {
namespace {

constexpr int largeur = 600, hauteur = 400;
constexpr couleur couleur_1 = 0x100001;

param param_test() {
    param p;
    for (std::size_t k = 1; k <= 8; ++k) p.couleurs[k] = 0x100000 + static_cast<couleur>(k);
    return p;
}

struct trace {
    std::unique_ptr<systeme> s;
    etude_frequence r;
    enregistreur e{largeur, hauteur};

    explicit trace(std::unique_ptr<systeme> sys, bool textes = true) : s(std::move(sys)) {
        s->etudes.frequence_ouverte = true;
        s->etudes.etude_freq_choisie = diagramme::nyquist;
        r = test::etude_de(*s);
        if (textes)
            tracer_frequentiel(e, r, param_test(), *s);
        else
            copier_frequentiel(e, r, param_test(), *s);
    }
    // The world point of a pixel.
    complexe monde(int x, int y) const {
        return {r.re_min + (x - cadre_gauche()) * (r.re_max - r.re_min) /
                               (cadre_droite(largeur) - cadre_gauche()),
                r.im_max - (y - cadre_haut()) * (r.im_max - r.im_min) /
                               (cadre_bas(hauteur) - cadre_haut())};
    }
    std::vector<segment_enregistre> traits(style_trait st) const {
        std::vector<segment_enregistre> v;
        for (const auto& g : e.segments(couleur_1))
            if (g.style == st) v.push_back(g);
        return v;
    }
    // Arrows: pairs of strokes from one tip.
    std::vector<std::pair<segment_enregistre, segment_enregistre>> fleches() const {
        std::vector<std::pair<segment_enregistre, segment_enregistre>> v;
        const auto t = traits(style_trait::plein);
        for (std::size_t i = 0; i + 1 < t.size(); ++i)
            if (t[i].x1 == t[i + 1].x1 && t[i].y1 == t[i + 1].y1) v.push_back({t[i], t[i + 1]});
        return v;
    }
};

std::unique_ptr<systeme> systeme_texte(const char* num, const char* den) {
    auto s = test::systeme_tape({{num, den}});
    s->etudes.toutes_fonctions = true;
    return s;
}

bool dedans(int x, int y) {
    return x > cadre_gauche() && x < cadre_droite(largeur) && y > cadre_haut() &&
           y < cadre_bas(hauteur);
}

// Every vertex of the dashed branch is the mirror image of a point of the function's curve:
// its conjugate is G(jω) for some ω (checked on the curve's own formula).
TEST(TraceNyquistTest, BrancheMiroirEnTirets) {
    const trace t(systeme_texte("3", "(1+p)(1+0.5p)(1+0.2p)"));
    const auto tirets = t.traits(style_trait::tirete);
    ASSERT_GT(tirets.size(), 20u);
    const fdt& f = t.s->fonctions[1].fonction;
    // The mirror image of the curve, sampled finely, in pixels.
    std::vector<std::pair<double, double>> courbe;
    for (double w = 1e-3; w < 1e3; w *= 1.002) {
        const complexe g = fdt_valeur(f, w);
        courbe.push_back(
            {cadre_gauche() + (g.re - t.r.re_min) * (cadre_droite(largeur) - cadre_gauche()) /
                                  (t.r.re_max - t.r.re_min),
             cadre_haut() + (t.r.im_max + g.im) * (cadre_bas(hauteur) - cadre_haut()) /
                                (t.r.im_max - t.r.im_min)});
    }
    int verifies = 0;
    for (const auto& g : tirets) {
        if (!dedans(g.x2, g.y2)) continue;
        double d = HUGE_VAL;
        for (const auto& [x, y] : courbe) d = std::min(d, std::hypot(x - g.x2, y - g.y2));
        EXPECT_LE(d, 2.0) << g.x2 << "," << g.y2;
        ++verifies;
    }
    EXPECT_GT(verifies, 20);
}

// 1/(1+p): the curve runs below the axis from 1 to 0 as ω grows, leftwards at its bottom; the
// mirrored branch runs above from 0 to 1, rightwards at its top. Each arrow's strokes trail
// behind its tip.
TEST(TraceNyquistTest, FlechesDesOmegaCroissants) {
    const trace t(systeme_texte("1", "1+p"));
    const auto f = t.fleches();
    ASSERT_GE(f.size(), 2u);
    int dessous = 0, dessus = 0;
    for (const auto& [a, b] : f) {
        const complexe pointe = t.monde(a.x1, a.y1);
        const double queue = (a.x2 + b.x2) / 2.0 - a.x1;
        if (pointe.im < 0) {
            ++dessous;
            // Below the axis the curve moves left, except near its ends.
            if (pointe.re > 0.2 && pointe.re < 0.8) {
                EXPECT_GT(queue, 0) << pointe.re;
            }
        } else {
            ++dessus;
            if (pointe.re > 0.2 && pointe.re < 0.8) {
                EXPECT_LT(queue, 0) << pointe.re;
            }
        }
        EXPECT_NEAR(std::hypot(a.x2 - a.x1, a.y2 - a.y1), 9, 1);
    }
    EXPECT_GE(dessous, 1);
    EXPECT_GE(dessus, 1);
}

TEST(TraceNyquistTest, PointCritiqueEtVerdict) {
    struct cas {
        const char* num;
        const char* den;
        const char* verdict;
    };
    const cas liste[] = {
        {"4", "(p)(1+p)(2+p)", "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable."},
        {"10", "(p)(1+p)(2+p)", "P = 0, N = 2 donc Z = 2 : la boucle fermée est instable."},
        {"6", "(p)(1+p)(2+p)", "Le lieu passe par -1 : la boucle fermée n'est pas stable."},
        {"1", "(-1+p)(2+p)", "P = 1, N = 0 donc Z = 1 : la boucle fermée est instable."},
        {"3", "(-1+p)(2+p)", "P = 1, N = -1 donc Z = 0 : la boucle fermée est stable."},
    };
    for (const cas& c : liste) {
        SCOPED_TRACE(c.num + std::string("/") + c.den);
        const trace t(systeme_texte(c.num, c.den));
        std::vector<texte_enregistre> verdicts;
        for (const auto& x : t.e.textes())
            if (x.texte == c.verdict) verdicts.push_back(x);
        ASSERT_EQ(verdicts.size(), 1u);
        EXPECT_EQ(verdicts[0].y, 0);
        EXPECT_LE(verdicts[0].x + 389, cadre_droite(largeur) + 1);
        // The cross of −1 in its colour, when the view holds it.
        const auto croix = t.e.segments(couleur_point_critique);
        if (t.r.re_min <= -1 && t.r.re_max >= -1) {
            ASSERT_EQ(croix.size(), 2u);
            const complexe centre =
                t.monde((croix[0].x1 + croix[0].x2) / 2, (croix[1].y1 + croix[1].y2) / 2);
            EXPECT_NEAR(centre.re, -1, (t.r.re_max - t.r.re_min) / 200);
            EXPECT_NEAR(centre.im, 0, (t.r.im_max - t.r.im_min) / 200);
        }
        // The copy draws the same lines without the verdict.
        const trace copie(systeme_texte(c.num, c.den), false);
        EXPECT_EQ(copie.e.segments().size(), t.e.segments().size());
        for (const auto& x : copie.e.textes()) EXPECT_NE(x.texte, c.verdict);
    }
}

// In closed loop the verdict is that of C·T·R at the current P, and several curves name the
// function it is about.
TEST(TraceNyquistTest, VerdictDeLaBoucleEtDeLaFonctionCourante) {
    auto s = test::systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    ASSERT_TRUE(regler_correcteur(*s, 8, 10, 0, false));
    const trace t(std::move(s));
    const auto textes = t.e.textes();
    EXPECT_TRUE(std::any_of(textes.begin(), textes.end(), [](const texte_enregistre& x) {
        return x.texte == "P = 0, N = 2 donc Z = 2 : la boucle fermée est instable.";
    }));
    auto deux = test::systeme_tape({{"1", "1+p"}, {"1", "(-1+p)(2+p)"}}, 'p', 2);
    deux->etudes.toutes_fonctions = true;
    const trace t2(std::move(deux));
    const auto textes2 = t2.e.textes();
    EXPECT_TRUE(std::any_of(textes2.begin(), textes2.end(), [](const texte_enregistre& x) {
        return x.texte == "Fonction n°2 : P = 1, N = 0 donc Z = 1 : la boucle fermée est "
                          "instable.";
    }));
}

TEST(TraceNyquistTest, RienHorsDuDiagrammeDeNyquist) {
    auto s = systeme_texte("1", "1+p");
    const etude_frequence r = test::etude_de(*s);
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::black,
                              diagramme::module, diagramme::aucun}) {
        enregistreur e(largeur, hauteur);
        tracer_extras_nyquist(e, r, param_test(), *s, g, true);
        EXPECT_TRUE(e.commandes().empty()) << g;
    }
    verdict_nyquist v;
    EXPECT_EQ(verdict_court_nyquist(v), "Pas de fonction à étudier.");
}

} // namespace
} // namespace varlem
