#include "studies/trace_frequentiel.h"

#include "studies/lecture_frequentielle.h"
#include "support/genres.h"

#include "analysis/outils_frequence.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"
#include "plot/fleche_lecture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace varlem {
namespace {

using test::etude_de;
using test::fonction_test;
using test::systeme_de;

constexpr int largeur = 600;
constexpr int hauteur = 400;
constexpr couleur couleur_axes_test = 0x123456;

// Frame labels in another font than the diagram texts, curves in colours of their own.
param param_test(bool inclure_zero = true) {
    param p;
    p.inclure_zero = inclure_zero;
    p.couleur_axes = couleur_axes_test;
    p.police = "Courier";
    p.taille_police = 8;
    for (std::size_t k = 1; k <= 8; ++k) p.couleurs[k] = 0x100000 + static_cast<couleur>(k);
    return p;
}

bool couleur_courbe(couleur c) {
    return (c & 0xFFFF00) == 0x100000;
}

// The texts written in the diagram font (the frame labels use the settings' font).
std::vector<texte_enregistre> textes_diagramme(const enregistreur& e) {
    std::vector<texte_enregistre> r;
    for (const auto& t : e.textes())
        if (t.police == "Arial" && t.taille == 9) {
            EXPECT_EQ(t.c, 0u) << t.texte;
            r.push_back(t);
        }
    return r;
}

// Curve colours in the order the curves were drawn.
std::vector<couleur> ordre_courbes(const enregistreur& e) {
    std::vector<couleur> r;
    for (const auto& s : e.segments())
        if (couleur_courbe(s.c) && (r.empty() || r.back() != s.c)) r.push_back(s.c);
    return r;
}

bool dans_cadre(int x, int y) {
    return x >= 15 && x <= largeur - 15 && y >= 10 && y <= hauteur - 10;
}

double distance_segment(double px, double py, const segment_enregistre& s) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double l2 = dx * dx + dy * dy;
    const double t = l2 == 0 ? 0 : std::clamp(((px - s.x1) * dx + (py - s.y1) * dy) / l2, 0.0, 1.0);
    return std::hypot(px - (s.x1 + t * dx), py - (s.y1 + t * dy));
}

// A record with round ranges, so that the text positions can be worked out by hand.
etude_frequence etude_ronde(bool hertz, bool radians) {
    etude_frequence r;
    r.en_hertz = hertz;
    r.en_radians = radians;
    r.decade_min = -1;
    r.decade_max = 2;
    r.w_min = 0.1;
    r.w_max = 100;
    r.gain_min = -40, r.gain_max = 20, r.gain_pas = 10;
    r.phase_min = -4, r.phase_max = 1, r.phase_pas = 1;
    r.black_phase_min = -200, r.black_phase_max = 40, r.black_phase_pas = 20;
    r.black_gain_min = -60, r.black_gain_max = 20, r.black_gain_pas = 10;
    r.re_min = -1, r.re_max = 2, r.re_pas = 0.1;
    r.im_min = -2, r.im_max = 1, r.im_pas = 0.1;
    r.module_min = -0.5, r.module_max = 2, r.module_pas = 0.1;
    r.f_min = 0, r.f_max = 20, r.f_pas = 1;
    r.wl_min = 0, r.wl_max = 100, r.wl_pas = 10;
    return r;
}

TEST(TraceFrequentielTest, RienQuandRienNEstChoisi) {
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    const etude_frequence r = etude_de(*s);
    for (const diagramme g : {diagramme::aucun}) {
        s->etudes.etude_freq_choisie = g;
        enregistreur e(largeur, hauteur);
        tracer_frequentiel(e, r, param_test(), *s);
        EXPECT_TRUE(e.commandes().empty()) << g;
    }
    s->etudes.etude_freq_choisie = diagramme::gain;
    s->etudes.frequence_ouverte = false;
    enregistreur fermee(largeur, hauteur);
    tracer_frequentiel(fermee, r, param_test(), *s);
    EXPECT_TRUE(fermee.commandes().empty());
    s->etudes.frequence_ouverte = true;
    // A surface without a data area draws nothing, however it is asked.
    for (const auto& [w, h] : {std::pair{0, 0}, {-10, 300}, {300, -1}, {30, 400}, {600, 20}}) {
        enregistreur e(w, h);
        tracer_frequentiel(e, r, param_test(), *s);
        copier_frequentiel(e, r, param_test(), *s);
        EXPECT_TRUE(e.commandes().empty()) << w << "x" << h;
    }
}

TEST(TraceFrequentielTest, TitresEtUnites) {
    struct attendu {
        const char* nom;
        diagramme genre;
        bool hertz, radians, zero;
        std::vector<texte_enregistre> textes;
    };
    // Gain 0 at row 133 of 400 (-40 .. 20), phase 0 at 80 (-4 .. 1), module 0 at 320
    // (-0.5 .. 2); the Black phase 0 at column 500 of 600 (-200 .. 40).
    const auto t = [](int x, int y, const char* s) {
        return texte_enregistre{x, y, s, "Arial", 9, 0};
    };
    const attendu liste[] = {
        {"gain Hz", diagramme::gain, true, true, true, {t(0, 0, "Gain (dB)"), t(584, 121, "Hz")}},
        {"gain rad/s",
         diagramme::gain,
         false,
         true,
         true,
         {t(0, 0, "Gain (dB)"), t(570, 121, "rad/s")}},
        {"gain sans zero", diagramme::gain, true, true, false, {t(0, 0, "Gain (dB)")}},
        {"phase rad",
         diagramme::phase,
         true,
         true,
         true,
         {t(0, 0, "Phase (rad)"), t(584, 68, "Hz")}},
        {"phase degres",
         diagramme::phase,
         false,
         false,
         true,
         {t(0, 0, "Phase (d°)"), t(570, 68, "rad/s")}},
        {"phase degres sans zero", diagramme::phase, true, false, false, {t(0, 0, "Phase (d°)")}},
        {"module Hz", diagramme::module, true, true, true, {t(0, 0, "Module"), t(584, 298, "Hz")}},
        {"module rad/s",
         diagramme::module,
         false,
         true,
         true,
         {t(0, 0, "Module"), t(570, 298, "rad/s")}},
        {"module sans zero", diagramme::module, true, true, false, {t(0, 0, "Module")}},
        // The Nyquist verdict of the loop studied ends at the frame's right edge.
        {"nyquist",
         diagramme::nyquist,
         true,
         true,
         true,
         {t(0, 0, "Nyquist"), t(196, 0, "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable.")}},
        {"nyquist sans zero",
         diagramme::nyquist,
         true,
         true,
         false,
         {t(0, 0, "Nyquist"), t(196, 0, "P = 0, N = 0 donc Z = 0 : la boucle fermée est stable.")}},
        // The Black gain text sits on the phase window; the phase text on the automatic gain.
        {"black", diagramme::black, true, true, true, {t(435, 8, "Gain (dB)"), t(0, 126, "Phase")}},
        {"black sans zero", diagramme::black, true, true, false, {}},
    };
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    for (const auto& a : liste) {
        s->etudes.etude_freq_choisie = a.genre;
        enregistreur e(largeur, hauteur);
        tracer_frequentiel(e, etude_ronde(a.hertz, a.radians), param_test(a.zero), *s);
        const auto textes = textes_diagramme(e);
        ASSERT_EQ(textes.size(), a.textes.size()) << a.nom;
        for (std::size_t k = 0; k < textes.size(); ++k) {
            EXPECT_EQ(textes[k].texte, a.textes[k].texte) << a.nom;
            EXPECT_EQ(textes[k].x, a.textes[k].x) << a.nom << " " << textes[k].texte;
            EXPECT_EQ(textes[k].y, a.textes[k].y) << a.nom << " " << textes[k].texte;
        }
        // Without texts the same frame and curves are drawn, and only the texts are gone.
        enregistreur nu(largeur, hauteur);
        tracer_frequentiel_nu(nu, etude_ronde(a.hertz, a.radians), param_test(a.zero), *s);
        EXPECT_TRUE(textes_diagramme(nu).empty()) << a.nom;
        EXPECT_EQ(nu.segments().size(), e.segments().size()) << a.nom;
    }
}

TEST(TraceFrequentielTest, LeTitreDuModulePrecedeLeCadre) {
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    s->etudes.etude_freq_choisie = diagramme::module;
    enregistreur e(largeur, hauteur);
    tracer_frequentiel(e, etude_ronde(true, true), param_test(), *s);
    const auto& c = e.commandes();
    const auto module = std::find_if(c.begin(), c.end(), [](const commande& k) {
        return k.sorte == sorte_commande::texte && k.chaine == "Module";
    });
    const auto trait = std::find_if(
        c.begin(), c.end(), [](const commande& k) { return k.sorte == sorte_commande::tracer; });
    ASSERT_NE(module, c.end());
    EXPECT_LT(module - c.begin(), trait - c.begin());
}

TEST(TraceFrequentielTest, UneCourbeParFonctionDansSaCouleur) {
    const std::vector<fonction_test> f = {{1, {}, {{-1, 0}}},
                                          {10, {}, {{-10, 0}}},
                                          test::second_ordre(3, 0.3),
                                          {2, {{-5, 0}}, {{-0.5, 0}, {-50, 0}}}};
    const param p = param_test();
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::black,
                              diagramme::nyquist, diagramme::module}) {
        const auto s = systeme_de(f, true);
        s->etudes.etude_freq_choisie = g;
        enregistreur e(largeur, hauteur);
        tracer_frequentiel(e, etude_de(*s), p, *s);
        std::vector<couleur> attendu = {p.couleurs[1], p.couleurs[2], p.couleurs[3], p.couleurs[4]};
        // The Nyquist diagram then draws each curve's mirrored branch and arrows in its colour.
        if (g == diagramme::nyquist) {
            const std::vector<couleur> courbes = attendu;
            attendu.insert(attendu.end(), courbes.begin(), courbes.end());
        }
        EXPECT_EQ(ordre_courbes(e), attendu) << g;
        for (const auto& seg : e.segments())
            if (couleur_courbe(seg.c)) {
                EXPECT_EQ(seg.epaisseur, 1);
            }
        // The current function alone when not all functions are studied.
        const auto seule = systeme_de(f, false, 3);
        seule->etudes.etude_freq_choisie = g;
        enregistreur e3(largeur, hauteur);
        tracer_frequentiel(e3, etude_de(*seule), p, *seule);
        EXPECT_EQ(ordre_courbes(e3), std::vector<couleur>{p.couleurs[3]}) << g;
    }
}

// A closed loop: slot 1 is studied, the saved function 2 is the loop without corrector.
std::unique_ptr<systeme> boucle_fermee(bool afficher) {
    auto s = systeme_de({{1, {}, {{-1, 0}, {-2, 0}}}}, false, 1);
    s->sauvegarde[2] = test::fonction_depuis_racines(20, {}, {{-10, 0}, {-4, 0}});
    s->courante_sauvee = 2;
    s->etudes.boucle_fermee = true;
    s->etudes.afficher_non_corrige = afficher;
    s->etudes.etude_freq_choisie = diagramme::gain;
    return s;
}

TEST(TraceFrequentielTest, CourbeNonCorrigeeEnBoucleFermee) {
    const param p = param_test();
    const auto s = boucle_fermee(true);
    const etude_frequence r = etude_de(*s);
    enregistreur e(largeur, hauteur);
    tracer_frequentiel(e, r, p, *s);
    ASSERT_EQ(ordre_courbes(e), (std::vector<couleur>{p.couleurs[1], p.couleurs[4]}));
    // The uncorrected curve is the saved function's: its vertices are its points.
    const fdt_travail& sauvee = s->sauvegarde[2];
    for (const auto& seg : e.segments(p.couleurs[4])) {
        if (!dans_cadre(seg.x2, seg.y2)) continue;
        const double w = pixel_vers_log(seg.x2, 15, largeur - 15, r.decade_min, r.decade_max);
        const point_frq attendu =
            point_frequentiel(sauvee, r, diagramme::gain, w, hauteur - 10, 10, largeur - 15, 15);
        EXPECT_NEAR(seg.y2, attendu.py, 2) << seg.x2;
    }
    enregistreur copie(largeur, hauteur);
    copier_frequentiel(copie, r, p, *s);
    EXPECT_EQ(ordre_courbes(copie), ordre_courbes(e));
    enregistreur nu(largeur, hauteur);
    tracer_frequentiel_nu(nu, r, p, *s);
    EXPECT_EQ(ordre_courbes(nu), std::vector<couleur>{p.couleurs[1]});
    const auto sans = boucle_fermee(false);
    enregistreur e2(largeur, hauteur);
    tracer_frequentiel(e2, r, p, *sans);
    EXPECT_EQ(ordre_courbes(e2), std::vector<couleur>{p.couleurs[1]});
}

TEST(TraceFrequentielTest, FlecheDeLectureSurLaCourbeCourante) {
    const param p = param_test();
    for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::black,
                              diagramme::nyquist, diagramme::module}) {
        for (const bool radians : {true, false}) {
            SCOPED_TRACE(testing::Message() << g << " radians=" << radians);
            const auto s =
                systeme_de({{1, {}, {{-1, 0}}}, {3, {{-1, 0}}, {{-0.5, 2}, {-0.5, -2}}}}, true, 2);
            s->etudes.etude_freq_choisie = g;
            s->lecture.lecture_frq_active = true;
            s->lecture.w_lecture = 1.7;
            const etude_frequence r = etude_de(*s, true, radians);
            enregistreur e(largeur, hauteur);
            const rendu_frequentiel rendu = tracer_frequentiel(e, r, p, *s);

            const fdt_travail& ft = s->fonctions[2];
            const std::optional<valeurs_lecture_frq> v = valeurs_lecture(*s);
            ASSERT_TRUE(v);
            EXPECT_DOUBLE_EQ(v->gain, fdt_gain_db(ft.fonction, 1.7));
            EXPECT_DOUBLE_EQ(v->phase, fdt_phase(ft, 1.7));
            const point_frq pt =
                point_frequentiel(ft, r, g, 1.7, hauteur - 10, 10, largeur - 15, 15);
            const auto fleche = e.segments(couleur_fleche_lecture);
            ASSERT_EQ(fleche.size(), 3u);
            const int x = pt.px, y = pt.py;
            EXPECT_EQ(rendu.fleche, (std::pair{x, y}));
            EXPECT_EQ((std::vector{fleche[0].x1, fleche[0].y1, fleche[0].x2, fleche[0].y2}),
                      (std::vector{x, y + 15, x, y}));
            EXPECT_EQ((std::vector{fleche[1].x1, fleche[1].y1, fleche[1].x2, fleche[1].y2}),
                      (std::vector{x, y, x - 4, y + 4}));
            EXPECT_EQ((std::vector{fleche[2].x1, fleche[2].y1, fleche[2].x2, fleche[2].y2}),
                      (std::vector{x, y, x + 4, y + 4}));
            // The tip lies on the drawn curve of the current function.
            double plus_proche = 1e9;
            for (const auto& seg : e.segments(p.couleurs[2]))
                plus_proche = std::min(plus_proche, distance_segment(x, y, seg));
            EXPECT_LE(plus_proche, 1.5);

            // Neither the bare drawing nor the copy mark the curve; the readout reads the same.
            enregistreur nu(largeur, hauteur), copie(largeur, hauteur);
            tracer_frequentiel_nu(nu, r, p, *s);
            copier_frequentiel(copie, r, p, *s);
            EXPECT_TRUE(nu.segments(couleur_fleche_lecture).empty());
            EXPECT_TRUE(copie.segments(couleur_fleche_lecture).empty());
            EXPECT_TRUE(textes_diagramme(copie).empty());
            EXPECT_EQ(valeurs_lecture(*s)->gain, v->gain);
        }
    }
}

TEST(TraceFrequentielTest, AucuneLectureDansUnSystemeVide) {
    // A file of no function read: slot 1 holds what it held, which is no function of the system.
    const auto s = systeme_de({{1, {}, {{-1, 0}}}}, true, 1);
    s->nb_fonctions = 0;
    s->etudes.etude_freq_choisie = diagramme::gain;
    s->lecture.lecture_frq_active = true;
    enregistreur e(largeur, hauteur);
    const rendu_frequentiel rendu =
        tracer_frequentiel(e, etude_de(*s, true, true), param_test(), *s);
    EXPECT_TRUE(e.segments(couleur_fleche_lecture).empty());
    EXPECT_FALSE(rendu.fleche);
    EXPECT_FALSE(valeurs_lecture(*s));
}

struct cas_courbe {
    const char* nom;
    fonction_test f;
    // Zeros exactly on the axis: the phase jumps by π there.
    bool phase_discontinue = false;
};

const cas_courbe courbes[] = {
    {"premier ordre", {1, {}, {{-1, 0}}}},
    {"resonance aigue", test::second_ordre(2, 0.02)},
    {"integrateur", {5, {{-1, 0}}, {{0, 0}, {-20, 0}}}},
    {"instable", {1, {{-1, 0}}, {{2, 0}, {1, 3}, {1, -3}}}},
    {"gain negatif", {-4, {{3, 0}}, {{-1, 0}, {-0.1, 0}}}},
    {"rejecteur", {1, {{0, 1}, {0, -1}}, {{-0.1, 0.995}, {-0.1, -0.995}}}, true},
    {"ordre eleve",
     {1,
      {{-2, 0}},
      {{-1, 0},
       {-0.1, 1},
       {-0.1, -1},
       {-1.5, 2.6},
       {-1.5, -2.6},
       {-2, 0},
       {-2.5, 4.3},
       {-2.5, -4.3},
       {-12.5, 0},
       {-0.5, 0}}}},
};

// Inside the frame, consecutive points of a curve are never more than 5 pixels apart, and
// the curve covers its range.
TEST(CourbeFrequentielleTest, PointsConsecutifsAMoinsDeCinqPixels) {
    for (const auto& c : courbes) {
        for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::black,
                                  diagramme::nyquist, diagramme::module}) {
            for (const bool hertz : {false, true}) {
                SCOPED_TRACE(testing::Message() << c.nom << " " << g << " hz=" << hertz);
                const auto s = systeme_de({c.f});
                const etude_frequence r = etude_de(*s, hertz, false);
                enregistreur e(largeur, hauteur);
                tracer_courbe_frq(e, s->fonctions[1], g, r);
                int dedans = 0, xmin = largeur, xmax = 0;
                for (const auto& seg : e.segments()) {
                    if (!dans_cadre(seg.x1, seg.y1) || !dans_cadre(seg.x2, seg.y2)) continue;
                    ++dedans;
                    xmin = std::min(xmin, seg.x2);
                    xmax = std::max(xmax, seg.x2);
                    EXPECT_LE(std::hypot(seg.x2 - seg.x1, seg.y2 - seg.y1), 5.0)
                        << seg.x1 << "," << seg.y1 << " -> " << seg.x2 << "," << seg.y2;
                }
                EXPECT_GT(dedans, 30);
                if (g == diagramme::gain || (g == diagramme::phase && !c.phase_discontinue)) {
                    // The automatic ranges hold the whole curve: it runs from edge to edge.
                    EXPECT_LE(xmin, 20);
                    EXPECT_GE(xmax, largeur - 20);
                }
            }
        }
    }
}

TEST(CourbeFrequentielleTest, LesSommetsSontDesPointsDeLaFonction) {
    // Gain curve of a first-order function: each vertex, read back through the log axis,
    // sits on 20·log10|T| within the rounding of its column.
    const auto s = systeme_de({{1, {}, {{-1, 0}}}});
    const etude_frequence r = etude_de(*s);
    enregistreur e(largeur, hauteur);
    tracer_courbe_frq(e, s->fonctions[1], diagramme::gain, r);
    int verifies = 0;
    for (const auto& seg : e.segments()) {
        if (!dans_cadre(seg.x2, seg.y2)) continue;
        const double w = pixel_vers_log(seg.x2, 15, largeur - 15, r.decade_min, r.decade_max);
        const double gain = -10 * std::log10(1 + w * w);
        EXPECT_NEAR(seg.y2, y_vers_pixel(10, hauteur - 10, gain, r.gain_min, r.gain_max), 1.5);
        ++verifies;
    }
    EXPECT_GT(verifies, 100);
}

// Whatever the record, the function or the surface, a drawing ends and stays bounded.
TEST(CourbeFrequentielleTest, EntreesDegenereesSeTerminent) {
    const std::vector<std::pair<const char*, void (*)(etude_frequence&)>> records = {
        {"decades egales", [](etude_frequence& r) { r.decade_min = r.decade_max = 1; }},
        {"decades inversees", [](etude_frequence& r) { std::swap(r.decade_min, r.decade_max); }},
        {"decades hors doubles",
         [](etude_frequence& r) { r.decade_min = -400, r.decade_max = 400; }},
        {"decades extremes", [](etude_frequence& r) { r.decade_min = -300, r.decade_max = 300; }},
        {"pulsations egales", [](etude_frequence& r) { r.w_min = r.w_max = 3; }},
        {"pulsations nulles", [](etude_frequence& r) { r.w_min = r.w_max = 0; }},
        {"pulsations NaN", [](etude_frequence& r) { r.w_min = r.w_max = std::nan(""); }},
        {"pulsation infinie", [](etude_frequence& r) { r.w_max = HUGE_VAL; }},
        {"plages vides",
         [](etude_frequence& r) {
             r.gain_min = r.gain_max = r.phase_min = r.phase_max = 0;
             r.re_min = r.re_max = r.im_min = r.im_max = r.module_min = r.module_max = 0;
             r.black_gain_min = r.black_gain_max = r.black_phase_min = r.black_phase_max = 0;
             r.f_min = r.f_max = r.wl_min = r.wl_max = 0;
         }},
        {"pas nuls",
         [](etude_frequence& r) {
             r.gain_pas = r.phase_pas = r.re_pas = r.im_pas = r.module_pas = 0;
             r.f_pas = r.wl_pas = r.black_gain_pas = r.black_phase_pas = 0;
         }},
        {"pas NaN et infinis",
         [](etude_frequence& r) {
             r.gain_pas = r.phase_pas = r.re_pas = r.module_pas = r.f_pas = std::nan("");
             r.im_pas = r.wl_pas = r.black_gain_pas = r.black_phase_pas = HUGE_VAL;
         }},
        {"plages NaN",
         [](etude_frequence& r) {
             r.gain_min = r.phase_max = r.re_min = r.im_max = r.module_min = std::nan("");
             r.black_gain_max = r.black_phase_min = r.f_max = r.wl_min = std::nan("");
         }},
        {"plages infinies",
         [](etude_frequence& r) {
             r.gain_max = r.phase_min = r.re_max = r.im_min = r.module_max = HUGE_VAL;
             r.black_gain_min = -HUGE_VAL;
         }},
        {"plages minuscules",
         [](etude_frequence& r) {
             r.gain_min = 1e-300, r.gain_max = 2e-300, r.gain_pas = 1e-301;
             r.re_min = 1, r.re_max = 1 + 1e-15, r.im_min = -1e-300, r.im_max = 1e-300;
         }},
        {"intact", [](etude_frequence&) {}},
    };
    const std::vector<fonction_test> fonctions = {
        {1, {}, {{-1, 0}}},
        // Poles exactly on the axis at ±j·10^0 and ±j·10^1.
        {1, {}, {{0, 1}, {0, -1}}},
        {1, {}, {{0, puissance_dix(1)}, {0, -puissance_dix(1)}}},
        {1, {{0, 0}}, {{0, 0}, {0, 0}}},
        {std::numeric_limits<double>::quiet_NaN(), {}, {{-1, 0}}},
        {1e300, {{-1e200, 0}}, {{-1e-200, 0}}},
    };
    const std::pair<int, int> tailles[] = {{600, 400}, {31, 21}, {32, 4000}, {5000, 22}};
    for (const auto& f : fonctions) {
        const auto s = systeme_de({f});
        s->lecture.lecture_frq_active = true;
        for (const auto& [nom, changer] : records) {
            etude_frequence r = etude_de(*s);
            changer(r);
            for (const diagramme g : {diagramme::gain, diagramme::phase, diagramme::black,
                                      diagramme::nyquist, diagramme::module}) {
                s->etudes.etude_freq_choisie = g;
                for (const auto& [w, h] : tailles) {
                    enregistreur e(w, h);
                    tracer_frequentiel(e, r, param_test(), *s);
                    EXPECT_LT(e.commandes().size(), 4'000'000u) << nom << " " << g;
                }
            }
        }
    }
}

TEST(CourbeFrequentielleTest, UneDiscontinuiteArreteLaCourbe) {
    // Zeros on ±j: the phase jumps by π at 1 rad/s. The curve stops there, without a line
    // across the jump, and the next curve of the drawing is still drawn.
    const param p = param_test();
    const auto s =
        systeme_de({{1, {{0, 1}, {0, -1}}, {{-0.1, 0.995}, {-0.1, -0.995}}}, {1, {}, {{-1, 0}}}});
    s->etudes.etude_freq_choisie = diagramme::phase;
    // A phase window wide enough for the jump to happen inside the frame.
    etude_frequence r = etude_de(*s);
    r.phase_min = -4;
    r.phase_max = 4;
    enregistreur e(largeur, hauteur);
    tracer_frequentiel(e, r, p, *s);
    const int colonne = log_vers_pixel(r.decade_min, r.decade_max, 15, largeur - 15, 1.0);
    const auto coupee = e.segments(p.couleurs[1]);
    ASSERT_FALSE(coupee.empty());
    for (const auto& seg : coupee) {
        EXPECT_LE(seg.x2, colonne + 1);
        EXPECT_LE(std::abs(seg.y2 - seg.y1), 5);
    }
    EXPECT_GE(coupee.back().x2, colonne - 1);
    int xmax = 0;
    for (const auto& seg : e.segments(p.couleurs[2])) xmax = std::max(xmax, seg.x2);
    EXPECT_GE(xmax, largeur - 20);
}

TEST(CourbeFrequentielleTest, LaReprisePartDuDernierPointExterieur) {
    // A sharp resonance leaves the frame at the top and comes back: the pen jumps without
    // drawing to a point outside the frame and the curve re-enters from there.
    const auto s = systeme_de({test::second_ordre(1, 0.01)});
    etude_frequence r = etude_de(*s);
    r.gain_max = 10;
    enregistreur e(largeur, hauteur);
    tracer_courbe_frq(e, s->fonctions[1], diagramme::gain, r);
    int sauts = 0;
    for (const auto& k : e.commandes())
        if (k.sorte == sorte_commande::deplacer) {
            ++sauts;
            if (sauts > 1) {
                EXPECT_FALSE(dans_cadre(k.x, k.y)) << k.x << "," << k.y;
            }
        }
    EXPECT_GE(sauts, 2);
    // The curve goes on to the right edge after the peak.
    int xmax = 0;
    for (const auto& seg : e.segments()) xmax = std::max(xmax, seg.x2);
    EXPECT_GE(xmax, largeur - 20);
}

} // namespace
} // namespace varlem
