// The course's drawings within the frequency study's drawing, read from the recorded commands:
// nothing by default; the asymptotes dashed in the curves' colours on the gain and phase
// diagrams and the Bode view's halves, the chart on the Black diagram of the open loop, their
// labels clear of the captions and of one another at three sizes; the copy draws them; they
// follow the loop's slider; the phase asymptote on the curve's branch.
#include "studies/trace_cours.h"

#include "analysis/abaque_black.h"
#include "document/boucle.h"
#include "plot/echelles.h"
#include "studies/outils_cours.h"
#include "studies/trace_abaque.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace varlem {
namespace {

constexpr std::pair<int, int> tailles[] = {{400, 300}, {800, 600}, {1600, 1000}};

etude_frequence etude(const systeme& s, bool asymptotes, bool abaque) {
    etude_frequence r;
    r.en_hertz = false;
    preparer_frequences(r, true, s);
    r.cours.asymptotes = asymptotes;
    r.cours.abaque = abaque;
    return r;
}

bool memes_commandes(const enregistreur& a, const enregistreur& b) {
    const auto& x = a.commandes();
    const auto& y = b.commandes();
    return std::equal(
        x.begin(), x.end(), y.begin(), y.end(), [](const commande& u, const commande& v) {
            return std::tie(u.sorte, u.x, u.y, u.x2, u.y2, u.c, u.valeur, u.style, u.chaine) ==
                   std::tie(v.sorte, v.x, v.y, v.x2, v.y2, v.c, v.valeur, v.style, v.chaine);
        });
}

std::vector<segment_enregistre> tiretes(const enregistreur& e) {
    std::vector<segment_enregistre> t;
    for (const segment_enregistre& s : e.segments())
        if (s.style == style_trait::tirete) t.push_back(s);
    return t;
}

// The texts the course's drawing adds: those of the drawing with it that the drawing without
// it does not write (the chart writes its labels before the captions it is drawn under).
std::vector<texte_enregistre> etiquettes_ajoutees(const enregistreur& sans,
                                                  const enregistreur& avec) {
    std::vector<texte_enregistre> legendes = sans.textes(), ajoutees;
    for (const texte_enregistre& t : avec.textes()) {
        const auto meme = std::find_if(legendes.begin(), legendes.end(), [&](const auto& l) {
            return l.texte == t.texte && l.x == t.x && l.y == t.y;
        });
        if (meme != legendes.end())
            legendes.erase(meme);
        else
            ajoutees.push_back(t);
    }
    EXPECT_TRUE(legendes.empty()) << "a caption is missing: " << legendes.front().texte;
    return ajoutees;
}

// Each label within the frame, clear of every caption, of the other labels and of the curves
// (the lines the drawing without the course draws in the frame, sampled every pixel).
void sans_chevauchement(const enregistreur& sans, const std::vector<texte_enregistre>& etiquettes,
                        int w, int h) {
    std::vector<rectangle_px> places;
    for (const texte_enregistre& t : etiquettes) {
        const rectangle_px q = test::rectangle_de(t);
        EXPECT_TRUE(contenu_dans(q, {cadre_gauche(), cadre_haut(), cadre_droite(w), cadre_bas(h)}))
            << t.texte;
        for (const texte_enregistre& l : sans.textes())
            EXPECT_FALSE(se_chevauchent(q, test::rectangle_de(l))) << t.texte << " on " << l.texte;
        for (const rectangle_px& l : places) EXPECT_FALSE(se_chevauchent(q, l)) << t.texte;
        places.push_back(q);
    }
    int traverses = 0;
    for (const segment_enregistre& s : sans.segments()) {
        const int n = std::max({std::abs(s.x2 - s.x1), std::abs(s.y2 - s.y1), 1});
        for (int i = 0; i <= n; ++i) {
            const double x = s.x1 + double(s.x2 - s.x1) * i / n;
            const double y = s.y1 + double(s.y2 - s.y1) * i / n;
            for (const rectangle_px& q : places)
                traverses += x > q.gauche && x < q.droite - 1 && y > q.haut && y < q.bas - 1;
        }
    }
    EXPECT_EQ(traverses, 0) << "a line runs through a label";
}

// Off by default: no dash, no chart; on, the diagrams that show neither draw as before.
TEST(TraceCours, RienParDefaut) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::gain);
    for (const diagramme d : {diagramme::gain, diagramme::phase, diagramme::black,
                              diagramme::module, diagramme::nyquist}) {
        SCOPED_TRACE(static_cast<int>(d));
        sys->etudes.etude_freq_choisie = d;
        enregistreur defaut(800, 600), avec(800, 600);
        tracer_frequentiel(defaut, etude(*sys, false, false), param{}, *sys);
        tracer_frequentiel(avec, etude(*sys, true, true), param{}, *sys);
        // (The Nyquist diagram dashes its mirrored branch, asymptotes or not.)
        if (d != diagramme::nyquist) {
            EXPECT_TRUE(tiretes(defaut).empty());
        }
        EXPECT_TRUE(defaut.segments(couleur_abaque).empty());
        const bool montre = diagramme_logarithmique(d) || d == diagramme::black;
        EXPECT_EQ(memes_commandes(defaut, avec), !montre);
    }
}

// Every function drawn gets its asymptotes dashed in its colour, on the gain and phase
// diagrams and on both halves of the Bode view; the slopes written as the settings say.
TEST(TraceCours, AsymptotesDeChaqueCourbe) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::gain);
    const param p;
    for (const bool bode : {false, true})
        for (const diagramme d : {diagramme::gain, diagramme::phase}) {
            SCOPED_TRACE(testing::Message() << bode << " " << static_cast<int>(d));
            sys->etudes.etude_freq_choisie = bode ? diagramme::phase : d;
            sys->etudes.bode_double = bode;
            etude_frequence r = etude(*sys, true, false);
            r.cours.pente = ecriture_pente::entiere;
            enregistreur e(900, 600);
            tracer_frequentiel(e, r, p, *sys, d);
            const auto t = tiretes(e);
            for (int k = 1; k <= 8; ++k)
                EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](const segment_enregistre& s) {
                    return s.c == p.couleurs[static_cast<std::size_t>(k)];
                })) << k;
            for (const segment_enregistre& s : t) EXPECT_EQ(s.epaisseur, 1);
            int pentes = 0;
            for (const auto& x : e.textes()) pentes += x.texte.rfind("pente ", 0) == 0;
            EXPECT_EQ(pentes > 0, d == diagramme::gain);
        }
}

// The slopes of eight functions, and the slopes and break values of the current one alone, on
// the gain and phase diagrams at three sizes: every label clear of the captions, of the curves
// and of one another. With eight shown, only the read function is labelled.
TEST(TraceCours, EtiquettesDesAsymptotesSansChevauchement) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::gain);
    for (const bool toutes : {true, false})
        for (const diagramme d : {diagramme::gain, diagramme::phase})
            for (const auto& [w, h] : tailles) {
                SCOPED_TRACE(testing::Message()
                             << toutes << " " << w << " " << static_cast<int>(d));
                sys->etudes.toutes_fonctions = toutes;
                sys->etudes.etude_freq_choisie = d;
                etude_frequence sans_cours = etude(*sys, false, false);
                sans_cours.afficher_marges = true;
                etude_frequence r = sans_cours;
                r.cours.asymptotes = true;
                enregistreur a(w, h), b(w, h);
                tracer_frequentiel(a, sans_cours, param{}, *sys);
                tracer_frequentiel(b, r, param{}, *sys);
                const auto etiquettes = etiquettes_ajoutees(a, b);
                int valeurs = 0;
                for (const texte_enregistre& t : etiquettes)
                    valeurs += t.texte.find("dB") == std::string::npos;
                // Beyond three functions, the read function's labels alone (among eight curves,
                // its slopes find room, its breaks' values seldom).
                if (!toutes) {
                    EXPECT_GT(valeurs, 0);
                }
                EXPECT_GT(etiquettes.size(), toutes ? 0u : 2u);
                const couleur lue =
                    param{}.couleurs[static_cast<std::size_t>(sys->fonction_courante)];
                if (toutes) {
                    for (const texte_enregistre& t : etiquettes) EXPECT_EQ(t.c, lue) << t.texte;
                }
                sans_chevauchement(a, etiquettes, w, h);
            }
}

// The chart on the Black diagram of eight functions at three sizes: contours, labels clear of
// the captions and of one another, the resonance of the current function in its colour.
TEST(TraceCours, AbaqueSansChevauchement) {
    const auto sys = test::systeme_saisi(test::huit_fonctions(), diagramme::black);
    sys->fonction_courante = 2;
    const param p;
    for (const auto& [w, h] : tailles) {
        SCOPED_TRACE(w);
        enregistreur a(w, h), b(w, h);
        tracer_frequentiel(a, etude(*sys, false, false), p, *sys);
        tracer_frequentiel(b, etude(*sys, false, true), p, *sys);
        EXPECT_GT(b.segments(couleur_abaque).size(), 100u);
        EXPECT_FALSE(b.segments(couleur_abaque_forte).empty());
        const auto etiquettes = etiquettes_ajoutees(a, b);
        EXPECT_GT(etiquettes.size(), 5u);
        sans_chevauchement(a, etiquettes, w, h);
        // Under the curves: every contour drawn before the first point of a curve.
        const auto segments = b.segments();
        const auto premier_trait = std::find_if(
            segments.begin(), segments.end(), [&](const auto& s) { return s.c == p.couleurs[2]; });
        const auto dernier_contour =
            std::find_if(segments.rbegin(), segments.rend(), [](const auto& s) {
                return s.c == couleur_abaque || s.c == couleur_abaque_forte;
            });
        ASSERT_NE(premier_trait, segments.end());
        ASSERT_NE(dernier_contour, segments.rend());
        EXPECT_LT(segments.rend() - dernier_contour, premier_trait - segments.begin() + 1);
        const auto carres = b.rectangles();
        ASSERT_EQ(carres.size(), 1u);
        EXPECT_EQ(carres[0].c, p.couleurs[2]);
    }
}

// The course's loop closed at P = 5: the chart reads the open loop C·T·R and marks its
// resonance; the asymptotes follow the P slider; the copy draws both.
TEST(TraceCours, BoucleFermeeEtCurseur) {
    auto sys = test::systeme_saisi({{"1", "(1+p)(1+0.5p)(1+0.2p)"}}, diagramme::black);
    reglages reg;
    ASSERT_TRUE(fermer_boucle(*sys, reg).effectue);
    ASSERT_TRUE(deplacer_curseur_correcteur(*sys, curseur_correcteur::p, 151).effectue);
    EXPECT_NEAR(sys->correcteur.fonction.num.coef[0].re, 5, 1e-12);
    const param p;
    const etude_frequence r = etude(*sys, true, true);
    enregistreur black(800, 600);
    tracer_frequentiel(black, r, p, *sys);
    const std::optional<tangence_black> t = resonance_boucle_fermee(sys->fonctions[1]);
    ASSERT_TRUE(t);
    bool ecrit = false;
    for (const auto& x : black.textes()) ecrit |= x.texte == texte_resonance(t->module_db);
    EXPECT_TRUE(ecrit);
    ASSERT_EQ(black.rectangles().size(), 1u);
    EXPECT_EQ(black.rectangles()[0].c, p.couleurs[1]);

    enregistreur copie(567, 416);
    copier_frequentiel(copie, r, p, *sys);
    EXPECT_FALSE(copie.segments(couleur_abaque).empty());

    sys->etudes.etude_freq_choisie = diagramme::gain;
    enregistreur a5(800, 600), a1(800, 600), copie_gain(567, 416);
    tracer_frequentiel(a5, r, p, *sys);
    copier_frequentiel(copie_gain, r, p, *sys);
    EXPECT_FALSE(tiretes(copie_gain).empty());
    ASSERT_TRUE(deplacer_curseur_correcteur(*sys, curseur_correcteur::p, 191).effectue);
    tracer_frequentiel(a1, r, p, *sys);
    // The same frame: the initial level drops by 20·log10(5) dB, its dashes lower.
    const auto t5 = tiretes(a5), t1 = tiretes(a1);
    ASSERT_FALSE(t5.empty());
    ASSERT_FALSE(t1.empty());
    const int decalage =
        y_vers_pixel(cadre_haut(), cadre_bas(600), 0, r.gain_min, r.gain_max) -
        y_vers_pixel(cadre_haut(), cadre_bas(600), 20 * std::log10(5.0), r.gain_min, r.gain_max);
    EXPECT_NEAR(t1.front().y1 - t5.front().y1, decalage, 1);
}

// 1/(1 + p²): the step asymptote starts on the curve at 0°, not a turn below it.
TEST(TraceCours, PhaseSurLaBrancheDeLaCourbe) {
    const auto sys = test::systeme_saisi({{"1", "1+p^2"}}, diagramme::phase);
    etude_frequence r = etude(*sys, true, false);
    r.en_radians = false;
    preparer_frequences(r, true, *sys);
    constexpr int w = 700, h = 400;
    enregistreur e(w, h);
    tracer_frequentiel(e, r, param{}, *sys);
    const auto t = tiretes(e);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.front().x1, cadre_gauche());
    EXPECT_NEAR(t.front().y1, y_vers_pixel(cadre_haut(), cadre_bas(h), 0, r.phase_min, r.phase_max),
                1);
    EXPECT_NEAR(t.back().y2,
                y_vers_pixel(cadre_haut(), cadre_bas(h), -180, r.phase_min, r.phase_max), 1);
}

} // namespace
} // namespace varlem
