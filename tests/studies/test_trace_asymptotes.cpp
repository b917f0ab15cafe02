// The asymptotes' drawing, read from the recorded commands: dashed segments on the asymptotes
// in each function's colour, marks at the breaks, slopes written, units followed, and labels
// that overlap nothing at three window sizes.
#include "document/etudes_systeme.h"
#include "studies/trace_asymptotes.h"

#include "plot/echelles.h"
#include "studies/outils_cours.h"

#include "support/genres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace varlem {
namespace {

constexpr couleur rouge = 0x0000FF;

const std::pair<std::string, std::string> bode_du_cours = {"(1+10p)", "(p)(1+p)(1+0.1p+0.01p^2)"};

struct trace {
    std::unique_ptr<systeme> sys;
    etude_frequence r;
    param p;
};

trace preparer(bool en_hertz, bool en_radians, diagramme genre = diagramme::gain) {
    trace t{test::systeme_saisi({bode_du_cours}, genre), {}, {}};
    t.r.en_hertz = en_hertz;
    t.r.en_radians = en_radians;
    preparer_frequences(t.r, true, *t.sys);
    t.p.couleurs[1] = rouge;
    return t;
}

// Pulsation (rad/s) at a pixel column of the frame of r on a surface of width w.
double pulsation(double x, const etude_frequence& r, int w) {
    const double part = (x - cadre_gauche()) / (cadre_droite(w) - cadre_gauche());
    const double v = std::pow(10.0, r.decade_min + part * (r.decade_max - r.decade_min));
    return r.en_hertz ? v * 2 * std::numbers::pi : v;
}

double ligne(double v, double lo, double hi, int h) {
    return cadre_haut() + (hi - v) * (cadre_bas(h) - cadre_haut()) / (hi - lo);
}

// The polylines of the dashed pen in colour c, as the recorder keeps them.
int polylignes_tiretees(const enregistreur& e, couleur c) {
    int n = 0;
    couleur crayon = 0;
    style_trait style = style_trait::plein;
    for (const commande& k : e.commandes()) {
        if (k.sorte == sorte_commande::crayon) crayon = k.c;
        if (k.sorte == sorte_commande::style) style = k.style;
        n += k.sorte == sorte_commande::deplacer && crayon == c && style == style_trait::tirete;
    }
    return n;
}

TEST(TraceAsymptotes, GainEnTiretsSurLAsymptote) {
    for (const bool hertz : {false, true}) {
        SCOPED_TRACE(hertz);
        const trace t = preparer(hertz, true);
        const asymptotes_bode a = calculer_asymptotes(t.sys->fonctions[1]);
        enregistreur e(700, 450);
        tracer_asymptotes(e, t.r, t.p, diagramme_bode::gain, asymptotes_etudiees(*t.sys, t.p), {});
        std::vector<segment_enregistre> morceaux;
        std::vector<int> marques;
        for (const segment_enregistre& s : e.segments(rouge)) {
            ASSERT_EQ(s.epaisseur, 1);
            if (s.style == style_trait::plein) {
                ASSERT_EQ(s.x1, s.x2);
                ASSERT_EQ(std::abs(s.y2 - s.y1), 2 * demi_marque_cassure);
                marques.push_back(s.x1);
                continue;
            }
            ASSERT_EQ(s.style, style_trait::tirete);
            morceaux.push_back(s);
            for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
                const double g = gain_asymptotique_db(a, pulsation(x, t.r, 700));
                ASSERT_NEAR(y, ligne(g, t.r.gain_min, t.r.gain_max, 450), 1.5) << x;
                ASSERT_GE(x, cadre_gauche());
                ASSERT_LE(x, cadre_droite(700));
            }
        }
        // One dashed polyline across the frame, a straight piece between breaks.
        EXPECT_EQ(polylignes_tiretees(e, rouge), 1);
        ASSERT_EQ(morceaux.size(), 4u);
        EXPECT_EQ(morceaux.front().x1, cadre_gauche());
        EXPECT_EQ(morceaux.back().x2, cadre_droite(700));
        // The breaks at 0.1, 1 and 10 rad/s, marked where the frame's log axis puts them, and
        // the pieces meeting there.
        ASSERT_EQ(marques.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k) {
            const double w = std::pow(10.0, double(k) - 1);
            EXPECT_EQ(marques[k],
                      log_vers_pixel(t.r.decade_min, t.r.decade_max, cadre_gauche(),
                                     cadre_droite(700), hertz ? w / (2 * std::numbers::pi) : w));
            EXPECT_EQ(morceaux[k].x2, marques[k]);
        }
        std::vector<std::string> textes;
        for (const auto& x : e.textes())
            if (x.c == rouge) textes.push_back(x.texte);
        for (const char* pente : {"\u221220 dB/d\u00e9c", "0 dB/d\u00e9c", "\u221260 dB/d\u00e9c"})
            EXPECT_NE(std::find(textes.begin(), textes.end(), pente), textes.end()) << pente;
    }
}

TEST(TraceAsymptotes, TexteDesPentes) {
    EXPECT_EQ(texte_pente(-1, ecriture_pente::decibels), "\u221220 dB/d\u00e9c");
    EXPECT_EQ(texte_pente(0, ecriture_pente::decibels), "0 dB/d\u00e9c");
    EXPECT_EQ(texte_pente(2, ecriture_pente::decibels), "+40 dB/d\u00e9c");
    EXPECT_EQ(texte_pente(-3, ecriture_pente::entiere), "pente \u22123");
    EXPECT_EQ(texte_pente(0, ecriture_pente::entiere), "pente 0");

    const trace t = preparer(false, true);
    enregistreur e(700, 450);
    reglages_asymptotes o;
    o.pente = ecriture_pente::entiere;
    tracer_asymptotes(e, t.r, t.p, diagramme_bode::gain, asymptotes_etudiees(*t.sys, t.p), o);
    int pentes = 0;
    for (const auto& x : e.textes()) pentes += x.texte.rfind("pente ", 0) == 0;
    EXPECT_GE(pentes, 3);
}

// The phase in steps and in ramps, in degrees or radians as the study says.
TEST(TraceAsymptotes, PhaseEnPaliersOuEnRampes) {
    for (const bool radians : {false, true})
        for (const convention_phase c : {convention_phase::paliers, convention_phase::rampes}) {
            SCOPED_TRACE(radians);
            const trace t = preparer(false, radians, diagramme::phase);
            const asymptotes_bode a = calculer_asymptotes(t.sys->fonctions[1]);
            enregistreur e(640, 400);
            reglages_asymptotes o;
            o.convention = c;
            tracer_asymptotes(e, t.r, t.p, diagramme_bode::phase, asymptotes_etudiees(*t.sys, t.p),
                              o);
            int verticaux = 0;
            for (const segment_enregistre& s : e.segments(rouge)) {
                // The breaks' marks are solid.
                if (s.style == style_trait::plein) continue;
                ASSERT_EQ(s.style, style_trait::tirete);
                verticaux += s.x1 == s.x2 && s.y1 != s.y2;
                // A vertical piece of a step stands at a break, between its two levels.
                if (s.x1 == s.x2 && c == convention_phase::paliers) continue;
                // A point rounded onto a break's column may read the level of either side.
                const auto ecart = [&](int x, int y, double dx) {
                    const double deg = phase_asymptotique_deg(a, pulsation(x + dx, t.r, 640), c);
                    const double v = radians ? deg * std::numbers::pi / 180 : deg;
                    return std::fabs(y - ligne(v, t.r.phase_min, t.r.phase_max, 400));
                };
                for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}})
                    ASSERT_LE(std::min(ecart(x, y, -1), ecart(x, y, 1)), 2) << x;
            }
            EXPECT_EQ(polylignes_tiretees(e, rouge), 1);
            // Steps jump at their three breaks; ramps never go straight up.
            EXPECT_EQ(verticaux, c == convention_phase::paliers ? 3 : 0);
            for (const auto& x : e.textes()) EXPECT_EQ(x.texte.find("dB"), std::string::npos);
        }
}

// Eight functions over the frequency drawing: every label clear of the captions and of one
// another, within the frame, at three sizes; labels are dropped rather than overlapped.
TEST(TraceAsymptotes, EtiquettesSansChevauchement) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::gain);
    for (const diagramme genre : {diagramme::gain, diagramme::phase})
        for (const auto& [w, h] :
             {std::pair{400, 300}, std::pair{800, 600}, std::pair{1600, 1000}}) {
            SCOPED_TRACE(testing::Message() << w << " " << genre);
            sys->etudes.etude_freq_choisie = genre;
            etude_frequence r;
            r.en_hertz = false;
            preparer_frequences(r, true, *sys);
            param p;
            r.afficher_marges = true;
            enregistreur e(w, h);
            const std::vector<rectangle_px> legendes = test::dessiner_sous(e, r, p, *sys);
            const std::size_t avant = e.textes().size();
            reglages_asymptotes o;
            o.valeurs_cassures = true;
            tracer_asymptotes(
                e, r, p, genre == diagramme::gain ? diagramme_bode::gain : diagramme_bode::phase,
                asymptotes_etudiees(*sys, p), o, legendes);
            const auto textes = e.textes();
            ASSERT_GT(textes.size(), avant + 3);
            std::vector<rectangle_px> places;
            const double lo = genre == diagramme::gain ? r.gain_min : r.phase_min;
            const double hi = genre == diagramme::gain ? r.gain_max : r.phase_max;
            const int y0 = y_vers_pixel(cadre_haut(), cadre_bas(h), 0, lo, hi);
            for (std::size_t i = avant; i < textes.size(); ++i) {
                const rectangle_px q = test::rectangle_de(textes[i]);
                // Clear of the axes' lines.
                EXPECT_FALSE(q.haut <= y0 && y0 < q.bas) << textes[i].texte;
                EXPECT_GT(q.gauche, cadre_gauche());
                EXPECT_TRUE(
                    contenu_dans(q, {cadre_gauche(), cadre_haut(), cadre_droite(w), cadre_bas(h)}));
                for (const rectangle_px& l : legendes)
                    EXPECT_FALSE(se_chevauchent(q, l)) << textes[i].texte;
                for (const rectangle_px& l : places)
                    EXPECT_FALSE(se_chevauchent(q, l)) << textes[i].texte;
                places.push_back(q);
            }
        }
}

TEST(TraceAsymptotes, RienSansCadreNiFonction) {
    const trace t = preparer(false, true);
    enregistreur petit(20, 15);
    tracer_asymptotes(petit, t.r, t.p, diagramme_bode::gain, asymptotes_etudiees(*t.sys, t.p), {});
    EXPECT_TRUE(petit.commandes().empty());
    enregistreur e(300, 200);
    tracer_asymptotes(e, t.r, t.p, diagramme_bode::gain, {}, {});
    EXPECT_TRUE(e.segments().empty());
}

} // namespace
} // namespace varlem
