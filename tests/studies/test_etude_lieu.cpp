// The root-locus window's core: the locus of the system's loop, its scale, its drawing with the
// closed-loop poles and the point picked, clicks and keys along the locus, zoom and texts.
#include "studies/etude_lieu.h"

#include "document/boucle.h"
#include "document/outils_document.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"
#include "plot/enregistreur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace varlem {
namespace {

using test::systeme_tape;

constexpr int largeur = 600, hauteur = 400;
// The colour style_lieu gives the closed-loop poles.
constexpr couleur magenta = 0xFF00FF;

lieu_systeme lieu_de(const systeme& s, std::optional<vue_plan> vue = std::nullopt) {
    const auto l = calculer_lieu_systeme(s, vue);
    EXPECT_TRUE(l);
    return l ? *l : lieu_systeme{};
}

std::pair<int, int> pixel(const echelle_lieu& e, complexe z) {
    return {x_vers_pixel(cadre_gauche(), cadre_droite(largeur), z.re, e.re_min, e.re_max),
            y_vers_pixel(cadre_haut(), cadre_bas(hauteur), z.im, e.im_min, e.im_max)};
}

// |D(s) + k·N(s)| over the sum of the moduli of its terms: the backward error of s as a root.
double residu(const lieu_evans& l, complexe s, double k) {
    complexe somme{0, 0}, z{1, 0};
    double echelle = 0;
    for (std::size_t i = 0; i < std::max(l.den.size(), l.num.size()); ++i) {
        const double c = (i < l.den.size() ? l.den[i] : 0) + k * (i < l.num.size() ? l.num[i] : 0);
        somme = c_somme(somme, c_produit({c, 0}, z));
        echelle += (std::fabs(i < l.den.size() ? l.den[i] : 0) +
                    k * std::fabs(i < l.num.size() ? l.num[i] : 0)) *
                   c_module(z);
        z = c_produit(z, s);
    }
    return c_module(somme) / echelle;
}

std::vector<std::string> textes(const enregistreur& e) {
    std::vector<std::string> r;
    for (const auto& t : e.textes()) r.push_back(t.texte);
    return r;
}

bool contient(const std::vector<std::string>& v, const std::string& t) {
    return std::find(v.begin(), v.end(), t) != v.end();
}

TEST(EtudeLieuTest, DessinDesPolesEnBoucleFermeeEtDuPointChoisi) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    ASSERT_TRUE(regler_correcteur(*s, 2.5, 10, 0, false));
    const lieu_systeme l = lieu_de(*s);
    etat_lieu e;
    e.choisi = point_le_plus_proche(l.lieu, {0, 1.4});
    ASSERT_TRUE(e.choisi);
    enregistreur d(largeur, hauteur);
    tracer_lieu_systeme(d, l, e, param{});
    const auto t = textes(d);
    EXPECT_TRUE(contient(t, "Lieu d'Evans"));
    EXPECT_TRUE(contient(t, "Pôles en boucle fermée, K = 2.5"));
    std::string k = texte_nombre(e.choisi->k);
    if (k.front() == ' ') k.erase(0, 1);
    EXPECT_TRUE(contient(t, "K = " + k));
    // One square per closed-loop pole at K = 2.5, each on a root of D + 2.5·N.
    const echelle_lieu ech = echelle_etat_lieu(l, e, largeur, hauteur);
    std::vector<segment_enregistre> carres;
    for (const auto& c : d.rectangles())
        if (c.c == magenta) carres.push_back(c);
    const std::vector<complexe> poles = poles_boucle_fermee(l.lieu, 2.5);
    ASSERT_EQ(carres.size(), poles.size());
    for (const complexe& z : poles) {
        const auto [x, y] = pixel(ech, z);
        EXPECT_TRUE(std::any_of(carres.begin(), carres.end(), [&](const segment_enregistre& c) {
            return (c.x1 + c.x2) / 2 == x && (c.y1 + c.y2) / 2 == y;
        }));
    }
    // The diamond of the point picked, 2 pixels wide, around its pixel.
    const auto [cx, cy] = pixel(ech, e.choisi->pole);
    int losange = 0;
    for (const auto& g : d.segments())
        if (g.epaisseur == 2 && std::abs(g.x1 - cx) + std::abs(g.y1 - cy) == 6) ++losange;
    EXPECT_EQ(losange, 4);
}

TEST(EtudeLieuTest, RetardAnnonceSonSubstitut) {
    auto s = systeme_tape({{"1", "(1+p)(1+0.5p)"}});
    s->fonctions[1].fonction.retard = 0.5;
    const lieu_systeme l = lieu_de(*s);
    ASSERT_GT(l.boucle.ordre_pade, 0);
    enregistreur d(largeur, hauteur);
    tracer_lieu_systeme(d, l, {}, param{});
    EXPECT_TRUE(contient(textes(d), "Retard de .5 s remplacé par son approximation de Padé "
                                    "d'ordre " +
                                        std::to_string(l.boucle.ordre_pade)));
    EXPECT_TRUE(contient(textes(d), "Pôles en retour unitaire, K = 1"));
    // Nothing on a surface too small for a frame.
    enregistreur petit(20, 15);
    tracer_lieu_systeme(petit, l, {}, param{});
    EXPECT_TRUE(petit.commandes().empty());
}

// A click anywhere reads a point on the locus whose gain is exact, and the point under the
// crossing of 1/(p(p+1)(p+2)) reads K = 6 to the pixel's precision.
TEST(EtudeLieuTest, ClicSurLeLieu) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    const lieu_systeme l = lieu_de(*s);
    const echelle_lieu e = echelle_etat_lieu(l, {}, largeur, hauteur);
    const auto [x, y] = pixel(e, {0, std::sqrt(2.0)});
    const std::optional<point_lieu> p = point_clique(l, e, largeur, hauteur, x, y);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->k, 6, 0.1);
    EXPECT_LE(residu(l.lieu, p->pole, p->k), 1e-12);
    EXPECT_NEAR(p->omega_n, std::hypot(p->pole.re, p->pole.im), 1e-12);
    for (const auto& [cx, cy] : {std::pair{100, 50}, std::pair{500, 300}, std::pair{300, 200}}) {
        const auto q = point_clique(l, e, largeur, hauteur, cx, cy);
        ASSERT_TRUE(q);
        EXPECT_LE(residu(l.lieu, q->pole, q->k), 1e-12)
            << cx << "," << cy << " k " << q->k << " s " << q->pole.re << " " << q->pole.im;
    }
    EXPECT_FALSE(point_clique(l, e, largeur, hauteur, 2, 2));
    EXPECT_FALSE(point_clique(l, e, largeur, hauteur, largeur - 3, 200));
}

TEST(EtudeLieuTest, CoordonneesDuPointeur) {
    const echelle_lieu e{-3, 1, -2, 2, 1, 1};
    const auto z = point_du_pixel(e, largeur, hauteur, cadre_gauche(), cadre_bas(hauteur));
    ASSERT_TRUE(z);
    EXPECT_DOUBLE_EQ(z->re, -3);
    EXPECT_DOUBLE_EQ(z->im, -2);
    const auto [x, y] = pixel(e, {-1, 0});
    EXPECT_EQ(coordonnees_lieu(e, largeur, hauteur, x, y), "Re = -1   Im = 0");
    EXPECT_EQ(coordonnees_lieu(e, largeur, hauteur, 0, y), "");
    EXPECT_EQ(coordonnees_lieu(e, largeur, hauteur, x, hauteur), "");
}

TEST(EtudeLieuTest, TexteDuPoint) {
    point_lieu p;
    p.k = 6;
    p.pole = {0, 1.5};
    amortissement(p.pole, p.zeta, p.omega_n);
    EXPECT_EQ(texte_point_lieu(p), "K = 6   pôle 0 + j 1.5   ζ = 0   ωn = 1.5 rad/s");
    p.pole = {-1, -1};
    p.k = 0.5;
    amortissement(p.pole, p.zeta, p.omega_n);
    EXPECT_EQ(texte_point_lieu(p), "K = .5   pôle -1 - j 1   ζ = .7071   ωn = 1.4142 rad/s");
    p.pole = {0, 0};
    amortissement(p.pole, p.zeta, p.omega_n);
    EXPECT_EQ(texte_point_lieu(p), "K = .5   pôle 0   ζ indéfini   ωn = 0 rad/s");
}

TEST(EtudeLieuTest, ZoomParRectangleEtArriere) {
    const echelle_lieu e{-4, 4, -2, 2, 1, 1};
    const auto v = vue_rectangle(e, largeur, hauteur, 400, 300, 100, 50);
    ASSERT_TRUE(v);
    EXPECT_LT(v->re_min, v->re_max);
    EXPECT_LT(v->im_min, v->im_max);
    const auto w = vue_rectangle(e, largeur, hauteur, 100, 50, 400, 300);
    ASSERT_TRUE(w);
    EXPECT_EQ(v->re_min, w->re_min);
    EXPECT_EQ(v->im_max, w->im_max);
    // Corners outside the frame stop at its edges.
    const auto tout = vue_rectangle(e, largeur, hauteur, -50, -50, largeur + 50, hauteur + 50);
    ASSERT_TRUE(tout);
    EXPECT_DOUBLE_EQ(tout->re_min, -4);
    EXPECT_DOUBLE_EQ(tout->im_max, 2);
    EXPECT_FALSE(vue_rectangle(e, largeur, hauteur, 100, 50, 100, 50));
    EXPECT_FALSE(vue_rectangle(e, largeur, hauteur, 100, 50, 300, 50));
    const auto a = vue_elargie(e);
    ASSERT_TRUE(a);
    EXPECT_DOUBLE_EQ(a->re_min, -8);
    EXPECT_DOUBLE_EQ(a->im_max, 4);
    EXPECT_FALSE(vue_elargie({-1e12, 1, -1, 1, 1, 1}));
    // The zoomed scale holds the view, with equal units.
    const echelle_lieu z = echelle_vue_lieu(*v, largeur, hauteur);
    EXPECT_LE(z.re_min, v->re_min);
    EXPECT_GE(z.im_max, v->im_max);
}

// Only the gain moved: the same locus; another corrector, return path or view: another one.
TEST(EtudeLieuTest, LieuRecalculeQuandLaBoucleChange) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    const lieu_systeme l = lieu_de(*s);
    const auto meme = [&] { return meme_lieu(l, *boucle_stabilite_systeme(*s), std::nullopt); };
    EXPECT_TRUE(meme());
    ASSERT_TRUE(regler_correcteur(*s, 7, 10, 0, false));
    EXPECT_TRUE(meme());
    ASSERT_TRUE(regler_correcteur(*s, 7, 10, 0.5, false));
    EXPECT_FALSE(meme());
    ASSERT_TRUE(regler_correcteur(*s, 7, 10, 0, false));
    EXPECT_TRUE(meme());
    EXPECT_FALSE(meme_lieu(l, *boucle_stabilite_systeme(*s), vue_plan{-1, 1, -1, 1}));
    ASSERT_TRUE(regler_correcteur(*s, 7, 2, 0, true));
    EXPECT_FALSE(meme());
}

TEST(EtudeLieuTest, ClavierLeLongDUneBranche) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    const lieu_systeme l = lieu_de(*s);
    std::optional<point_lieu> p = point_suivant(l.lieu, std::nullopt, 1, 1.0);
    ASSERT_TRUE(p);
    const int b = p->branche;
    double k = p->k;
    for (int i = 0; i < 20; ++i) {
        p = point_suivant(l.lieu, p, 1, 1.0);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->branche, b);
        EXPECT_GT(p->k, k);
        EXPECT_LE(residu(l.lieu, p->pole, p->k), 1e-9);
        k = p->k;
    }
    for (int i = 0; i < 5; ++i) {
        p = point_suivant(l.lieu, p, -1, 1.0);
        ASSERT_TRUE(p);
        EXPECT_LT(p->k, k);
        k = p->k;
    }
    // Down to K = 0, the open-loop pole, and no further.
    while (const auto q = point_suivant(l.lieu, p, -1, 1.0)) p = q;
    EXPECT_EQ(p->k, 0);
    EXPECT_FALSE(point_suivant(lieu_evans{}, std::nullopt, 1, 1.0));
}

TEST(EtudeLieuTest, FixerPSeulementEnBoucleFermee) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}});
    etat_lieu e;
    point_lieu p;
    p.k = 3;
    e.choisi = p;
    EXPECT_FALSE(gain_applicable(*s, e));
    reglages r;
    ASSERT_TRUE(fermer_boucle(*s, r).effectue);
    EXPECT_TRUE(gain_applicable(*s, e));
    for (const double k : {0.0, -2.0, 1e10}) {
        e.choisi->k = k;
        EXPECT_FALSE(gain_applicable(*s, e)) << k;
    }
    e.choisi.reset();
    EXPECT_FALSE(gain_applicable(*s, e));
    EXPECT_EQ(titre_lieu(*s), "Lieu d'Evans de la fonction n°1 bouclée");
}

TEST(EtudeLieuTest, BranchesEnCsv) {
    auto s = systeme_tape({{"1", "(p)(1+p)(2+p)"}}, 'p', 1);
    const lieu_systeme l = lieu_de(*s);
    const std::string csv = csv_lieu(l.lieu);
    ASSERT_EQ(csv.rfind("branche,k,re,im\n", 0), 0u);
    std::size_t finis = 0;
    for (int b = 0; b < l.lieu.branches.nb; ++b)
        for (std::size_t j = 0; j < l.lieu.branches.k.size(); ++j) {
            const complexe z = l.lieu.branches.point(b, int(j));
            finis += std::isfinite(z.re) && std::isfinite(z.im);
        }
    EXPECT_EQ(std::size_t(std::count(csv.begin(), csv.end(), '\n')), finis + 1);
    EXPECT_EQ(titre_lieu(*s), "Lieu d'Evans de la fonction n°1");
    EXPECT_EQ(zone_lieu(820, 640), (zone_trace{800, 565}));
}

} // namespace
} // namespace varlem
