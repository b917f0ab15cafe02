#include "analysis/lieu_evans.h"

#include "analysis/lieu_calcul.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

void trier(std::vector<complexe>& r) {
    std::sort(r.begin(), r.end(),
              [](complexe a, complexe b) { return a.re != b.re ? a.re < b.re : a.im < b.im; });
}

polynome_reel oppose(polynome_reel p) {
    for (double& c : p) c = -c;
    return p;
}

// The box of the origin, poles, zeros, special points and asymptotes' centre, widened on every
// side by a tenth of its larger size.
vue_plan vue_automatique(const lieu_evans& l) {
    double re_min = 0, re_max = 0, im_min = 0, im_max = 0;
    const auto inclure = [&](complexe z) {
        if (!c_fini(z)) return;
        re_min = std::min(re_min, z.re);
        re_max = std::max(re_max, z.re);
        im_min = std::min(im_min, z.im);
        im_max = std::max(im_max, z.im);
    };
    for (const complexe& z : l.poles) inclure(z);
    for (const complexe& z : l.zeros) inclure(z);
    for (const auto* s : {&l.separations, &l.separations_complementaires})
        for (const point_separation& p : *s) inclure(p.s);
    for (const auto* c : {&l.croisements, &l.croisements_complementaires})
        for (const croisement_axe& x : *c) inclure({0, x.omega}), inclure({0, -x.omega});
    if (l.asymptotes) inclure({l.asymptotes->centre, 0});
    double taille = std::max(re_max - re_min, im_max - im_min);
    if (!(taille > 0)) taille = 1;
    const double marge = taille / 10;
    return {re_min - marge, re_max + marge, im_min - marge, im_max + marge};
}

std::vector<point_separation> gains_opposes(std::vector<point_separation> p) {
    for (point_separation& e : p) e.k = -e.k;
    return p;
}

std::vector<croisement_axe> gains_opposes(std::vector<croisement_axe> c) {
    for (croisement_axe& e : c) e.k = -e.k;
    return c;
}

// Newton's method on D + k·N from z.
complexe racine_pres(const polynome_reel& p, complexe z) {
    for (int it = 0; it < 20; ++it) {
        complexe v, dv;
        pr_valeur_derivee(p, z, v, dv);
        const complexe pas = c_quotient(v, dv);
        if (!c_fini(pas)) break;
        z = c_difference(z, pas);
        if (c_module(pas) <= 1e-15 * c_module(z)) break;
    }
    return z;
}

// Branch b of br at gain k between samples, on the segment that holds k.
complexe interpoler(const branches_lieu& br, int b, double k) {
    const auto& ks = br.k;
    const bool croissant = ks.back() >= ks.front();
    std::size_t j = 0;
    while (j + 2 < ks.size() && (croissant ? ks[j + 1] < k : ks[j + 1] > k)) ++j;
    const complexe a = br.point(b, int(j)), c = br.point(b, int(j + 1));
    if (!c_fini(a)) return c;
    if (!c_fini(c)) return a;
    const double t = (k - ks[j]) / (ks[j + 1] - ks[j]);
    return {a.re + t * (c.re - a.re), a.im + t * (c.im - a.im)};
}

struct proche {
    double distance = HUGE_VAL;
    int branche = -1;
    std::size_t segment = 0;
    double t = 0;
};

// The nearest point of the sampled branches to q.
proche segment_proche(const branches_lieu& br, complexe q) {
    proche p;
    const std::size_t m = br.k.size();
    for (int b = 0; b < br.nb; ++b)
        for (std::size_t j = 0; j < m; ++j) {
            const complexe a = br.point(b, int(j));
            if (!c_fini(a)) continue;
            const complexe c = j + 1 < m ? br.point(b, int(j + 1)) : a;
            const complexe ab = c_fini(c) ? c_difference(c, a) : complexe{};
            const complexe aq = c_difference(q, a);
            const double l2 = ab.re * ab.re + ab.im * ab.im;
            const double t =
                l2 > 0 ? std::clamp((aq.re * ab.re + aq.im * ab.im) / l2, 0.0, 1.0) : 0.0;
            const double d = c_module(c_difference(aq, {t * ab.re, t * ab.im}));
            if (d < p.distance) p = {d, b, j, t};
        }
    return p;
}

} // namespace

lieu_evans points_particuliers(const polynome& num, const polynome& den, const options_lieu& o) {
    lieu_evans l;
    l.num = reel_de(num);
    l.den = reel_de(den);
    if (l.num.empty() || l.den.empty()) return l;
    const polynome_reel &n = l.num, &d = l.den;
    l.valide = true;
    l.nb_branches = std::max(pr_degre(n), pr_degre(d));
    l.poles = pr_racines(d);
    l.zeros = pr_racines(n);
    trier(l.poles);
    trier(l.zeros);
    l.asymptotes = lieu::asymptotes(n, d);
    l.separations = lieu::separations(n, d, l.poles, l.zeros);
    l.croisements = lieu::croisements(n, d);
    l.departs = lieu::angles_depart(n, d, grouper_racines(l.poles));
    l.arrivees = lieu::angles_arrivee(n, d, grouper_racines(l.zeros));
    l.gains_stables = lieu::gains_stables(n, d, l.croisements);
    if (o.complementaire) {
        const polynome_reel m = oppose(n);
        l.separations_complementaires = gains_opposes(lieu::separations(m, d, l.poles, l.zeros));
        l.croisements_complementaires = gains_opposes(lieu::croisements(m, d));
    }
    l.vue = o.vue ? *o.vue : vue_automatique(l);
    return l;
}

lieu_evans calculer_lieu(const polynome& num, const polynome& den, const options_lieu& o) {
    lieu_evans l = points_particuliers(num, den, o);
    if (!l.valide) return l;
    lieu::donnees_branches b{l.poles, l.zeros, l.separations, l.croisements, l.vue};
    l.branches = lieu::suivre_branches(l.num, l.den, b);
    if (o.complementaire) {
        // The complementary locus of N/D is the locus of −N/D for positive gains.
        b.separations = gains_opposes(l.separations_complementaires);
        b.croisements = gains_opposes(l.croisements_complementaires);
        l.branches_complementaires = lieu::suivre_branches(oppose(l.num), l.den, b);
        for (double& k : l.branches_complementaires.k) k = -k + 0.0;
    }
    return l;
}

void amortissement(complexe s, double& zeta, double& omega_n) {
    omega_n = c_module(s);
    zeta = omega_n > 0 ? -s.re / omega_n : nan;
}

std::optional<point_lieu> point_le_plus_proche(const lieu_evans& l, complexe q) {
    proche meilleur = segment_proche(l.branches, q);
    bool complementaire = false;
    if (!l.branches_complementaires.k.empty()) {
        const proche c = segment_proche(l.branches_complementaires, q);
        if (c.distance < meilleur.distance) meilleur = c, complementaire = true;
    }
    if (meilleur.branche < 0) return std::nullopt;
    const branches_lieu& br = complementaire ? l.branches_complementaires : l.branches;
    const std::size_t j = meilleur.segment, m = br.k.size();
    // The distance to q along the true branch, by golden section on the gain over the
    // neighbouring samples, each point of the branch found by Newton from the samples.
    double a = br.k[j > 0 ? j - 1 : 0], b = br.k[std::min(j + 2, m - 1)];
    const auto point = [&](double k) {
        return racine_pres(pr_combinaison(l.den, k, l.num), interpoler(br, meilleur.branche, k));
    };
    const auto ecart = [&](double k) {
        const complexe s = point(k);
        return c_fini(s) ? c_module(c_difference(s, q)) : HUGE_VAL;
    };
    constexpr double phi = 0.6180339887498949;
    double x1 = b - phi * (b - a), x2 = a + phi * (b - a);
    double f1 = ecart(x1), f2 = ecart(x2);
    for (int it = 0; it < 60 && x1 != x2; ++it) {
        if (f1 <= f2)
            b = x2, x2 = x1, f2 = f1, x1 = b - phi * (b - a), f1 = ecart(x1);
        else
            a = x1, x1 = x2, f1 = f2, x2 = a + phi * (b - a), f2 = ecart(x2);
    }
    point_lieu p;
    p.k = f1 <= f2 ? x1 : x2;
    p.pole = point(p.k);
    if (!c_fini(p.pole)) return std::nullopt;
    amortissement(p.pole, p.zeta, p.omega_n);
    p.branche = meilleur.branche;
    p.complementaire = complementaire;
    return p;
}

std::vector<complexe> poles_boucle_fermee(const lieu_evans& l, double k) {
    std::vector<complexe> r = pr_racines(pr_combinaison(l.den, k, l.num));
    trier(r);
    return r;
}

} // namespace varlem
