#include "outils_lieu.h"

#include "analysis/polynomes_reels.h"
#include "numeric/analyseur.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace varlem::test {

namespace {

double ampleur(const polynome_reel& p, double r) {
    double s = 0;
    for (std::size_t k = p.size(); k-- > 0;) s = s * r + std::fabs(p[k]);
    return s;
}

// z is a root of D + k·N within `tolerance` of the terms summed (those of D and of k·N apart, so
// that coefficients cancelling in D + k·N do not shrink the scale).
bool racine_de(const lieu_evans& l, double k, complexe z, double tolerance) {
    const double r = c_module(z);
    const double echelle = ampleur(l.den, r) + std::fabs(k) * ampleur(l.num, r);
    return c_module(pr_valeur(pr_combinaison(l.den, k, l.num), z)) <= tolerance * echelle;
}

bool dans_vue(const vue_plan& v, complexe z) {
    return z.re >= v.re_min && z.re <= v.re_max && z.im >= v.im_min && z.im <= v.im_max;
}

std::string message(const std::string& quoi, double k, int b) {
    std::ostringstream m;
    m.precision(10);
    m << quoi << " (k = " << k << ", branche " << b << ")";
    return m.str();
}

// A gain where branches meet.
bool rencontre(const lieu_evans& l, double k) {
    if (k == 0) return true;
    for (const auto* s : {&l.separations, &l.separations_complementaires})
        for (const point_separation& p : *s)
            if (std::fabs(p.k - k) <= 1e-12 * std::fabs(k)) return true;
    return false;
}

} // namespace

polynome polynome_lu(const std::string& texte) {
    contexte_calcul ctx;
    polynome p;
    lire_polynome(ctx, texte, p);
    return p;
}

lieu_evans lieu_de(const std::string& num, const std::string& den, const options_lieu& o) {
    return calculer_lieu(polynome_lu(num), polynome_lu(den), o);
}

double pas_de_vue(const lieu_evans& l) {
    return 0.005 * std::max(l.vue.re_max - l.vue.re_min, l.vue.im_max - l.vue.im_min);
}

std::vector<std::string> defauts_branches(const lieu_evans& l, const branches_lieu& br) {
    std::vector<std::string> d;
    const std::size_t m = br.k.size();
    if (br.points.size() != m * std::size_t(br.nb)) return {"taille des échantillons"};
    if (m < 2) return {"moins de deux échantillons"};
    const double delta = pas_de_vue(l);
    const vue_plan& v = l.vue;
    const complexe centre{(v.re_min + v.re_max) / 2, (v.im_min + v.im_max) / 2};
    const double loin = 1.5 * std::hypot(v.re_max - v.re_min, v.im_max - v.im_min);
    for (std::size_t j = 1; j < m; ++j)
        if (!(std::fabs(br.k[j]) > std::fabs(br.k[j - 1])))
            d.push_back(message("gains", br.k[j], -1));
    // The start: the poles, then branches at infinity.
    std::vector<complexe> depart;
    for (int b = 0; b < br.nb; ++b)
        if (c_fini(br.point(b, 0))) depart.push_back(br.point(b, 0));
    std::vector<complexe> poles = l.poles;
    std::sort(depart.begin(), depart.end(),
              [](complexe a, complexe b) { return a.re != b.re ? a.re < b.re : a.im < b.im; });
    if (depart != poles) d.push_back("départ ailleurs qu'aux pôles");
    for (std::size_t j = 0; j < m; ++j) {
        for (int b = 0; b < br.nb; ++b) {
            const complexe z = br.point(b, int(j));
            if (!c_fini(z)) continue;
            if (!racine_de(l, br.k[j], z, 1e-9)) d.push_back(message("pas une racine", br.k[j], b));
            if (j > 0) {
                const complexe a = br.point(b, int(j - 1));
                if (c_fini(a) && dans_vue(v, a) && dans_vue(v, z) &&
                    c_module(c_difference(a, z)) > delta * (1 + 1e-9))
                    d.push_back(message("pas trop long", br.k[j], b));
            }
            if (rencontre(l, br.k[j])) continue;
            for (int c = b + 1; c < br.nb; ++c) {
                const complexe y = br.point(c, int(j));
                if (c_fini(y) && c_module(c_difference(y, z)) <= 1e-9 * std::max(1.0, c_module(z)))
                    d.push_back(message("deux branches au même point", br.k[j], b));
            }
        }
    }
    // The end: deg N branches at the zeros, the others far out.
    int pres = 0;
    for (int b = 0; b < br.nb; ++b) {
        const complexe z = br.point(b, int(m - 1));
        bool proche = false;
        for (const complexe& q : l.zeros)
            proche = proche || c_module(c_difference(z, q)) <= std::max(delta, 1e-3 * c_module(q));
        if (proche)
            ++pres;
        else if (c_module(c_difference(z, centre)) < loin)
            d.push_back(message("fin ni à un zéro ni au loin", br.k[m - 1], b));
    }
    if (pres != pr_degre(l.num))
        d.push_back("branches finissant aux zéros : " + std::to_string(pres));
    return d;
}

namespace {

// One gain of the independent tracking: the roots at k, each branch but the fixed ones taking
// the root nearest to where it was, pairs taken nearest first. False when the root finder's
// roots are not accurate.
bool suivre_au_gain(const lieu_evans& l, double k, const std::vector<bool>& fixe,
                    std::vector<complexe>& courant) {
    std::vector<complexe> r = pr_racines(pr_combinaison(l.den, k, l.num));
    for (const complexe& z : r)
        if (!racine_de(l, k, z, 1e-10)) return false;
    if (r.size() != courant.size()) return false;
    for (std::size_t b = 0; b < courant.size(); ++b) {
        if (!fixe[b]) continue;
        const complexe z = courant[b];
        r.erase(std::min_element(r.begin(), r.end(), [&](complexe a, complexe c) {
            return c_module(c_difference(a, z)) < c_module(c_difference(c, z));
        }));
    }
    struct paire {
        double d;
        std::size_t b, r;
    };
    std::vector<paire> paires;
    for (std::size_t b = 0; b < courant.size(); ++b)
        for (std::size_t i = 0; i < r.size() && !fixe[b]; ++i)
            paires.push_back({c_module(c_difference(courant[b], r[i])), b, i});
    std::sort(paires.begin(), paires.end(),
              [](const paire& a, const paire& b) { return a.d < b.d; });
    std::vector<bool> bp(courant.size()), rp(r.size());
    for (const paire& q : paires)
        if (!bp[q.b] && !rp[q.r]) bp[q.b] = rp[q.r] = true, courant[q.b] = r[q.r];
    return true;
}

} // namespace

std::vector<std::string> echanges(const lieu_evans& l, const branches_lieu& br, int sous_pas) {
    std::vector<std::string> e;
    const std::size_t m = br.k.size();
    const double delta = pas_de_vue(l);
    for (std::size_t j = 0; j + 1 < m; ++j) {
        if (rencontre(l, br.k[j]) || rencontre(l, br.k[j + 1])) continue;
        std::vector<complexe> courant(std::size_t(br.nb));
        // A branch on a root common to N and D stays there: it is not matched, its root is
        // taken out of the root finder's.
        std::vector<bool> fixe(std::size_t(br.nb), false);
        bool fini = true;
        for (int b = 0; b < br.nb; ++b) {
            const complexe z = br.point(b, int(j));
            courant[std::size_t(b)] = z;
            fini = fini && c_fini(z) && c_fini(br.point(b, int(j + 1)));
            const auto pres = [&](const std::vector<complexe>& r) {
                return std::any_of(r.begin(), r.end(), [&](complexe q) {
                    return c_module(c_difference(q, z)) <= 1e-7 * std::max(1.0, c_module(z));
                });
            };
            fixe[std::size_t(b)] = z == br.point(b, int(j + 1)) && pres(l.poles) && pres(l.zeros);
        }
        bool fiable = fini;
        for (int s = 1; s <= sous_pas && fiable; ++s)
            fiable =
                suivre_au_gain(l, br.k[j] + (br.k[j + 1] - br.k[j]) * s / sous_pas, fixe, courant);
        if (!fiable) continue;
        for (int b = 0; b < br.nb; ++b) {
            const complexe z = br.point(b, int(j + 1));
            if (c_module(c_difference(courant[std::size_t(b)], z)) >
                1e-6 * std::max(delta, c_module(z)))
                e.push_back(message("suivi différent", br.k[j + 1], b));
        }
    }
    return e;
}

} // namespace varlem::test
