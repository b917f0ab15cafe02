#include "numeric/racines_multiples.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double eps = std::numeric_limits<double>::epsilon();
// A cluster is one root only when p and its first m − 1 derivatives vanish at the merged
// value within this many times their rounding-error bound.
constexpr double marge_derivees = 100;
// Copies of one root are sought within this fraction of its modulus: those of a 5-fold root
// may lie 30·eps^(1/5) ≈ 2e-2 apart.
constexpr double fenetre_candidats = 5e-2;
constexpr int iterations_newton = 8;

double distance(complexe a, complexe b) {
    return c_module(c_difference(a, b));
}

} // namespace

void coefficients_taylor(const double* a, int n, complexe z, int jmax, complexe* t) {
    // Real and imaginary parts apart, and only the n + 1 entries in use are written: this runs
    // for every Newton step of every root.
    double wr[capacite_polynome + 1];
    double wi[capacite_polynome + 1];
    for (int k = 0; k <= n; ++k) wr[k] = a[k], wi[k] = 0;
    for (int j = 0; j <= jmax; ++j) {
        const int d = n - j;
        if (d < 0) {
            t[j] = {};
            continue;
        }
        // Synthetic division by (x − z): the remainder is the value, the quotient carries on.
        for (int k = 1; k <= d; ++k) {
            const double r = wr[k] + (z.re * wr[k - 1] - z.im * wi[k - 1]);
            wi[k] = wi[k] + (z.re * wi[k - 1] + z.im * wr[k - 1]);
            wr[k] = r;
        }
        t[j] = {wr[d], wi[d]};
    }
}

void bornes_taylor(const double* a, int n, double z, int jmax, double* t) {
    double w[capacite_polynome + 1];
    for (int k = 0; k <= n; ++k) w[k] = std::fabs(a[k]);
    for (int j = 0; j <= jmax; ++j) {
        const int d = n - j;
        if (d < 0) {
            t[j] = 0;
            continue;
        }
        for (int k = 1; k <= d; ++k) w[k] += z * w[k - 1];
        t[j] = w[d];
    }
}

namespace {

// A candidate cluster: indices into the root set, and the conjugate cluster when it is apart.
struct grappe {
    int m = 0;
    int membres[capacite_polynome] = {};
    bool auto_conjuguee = false;
};

bool contient(const grappe& g, int k) {
    return std::find(g.membres, g.membres + g.m, k) != g.membres + g.m;
}

// A cluster must either hold every partner of its members (a real multiple root) or none
// (one of two conjugate multiple roots); anything else mixes distinct roots.
bool classer_conjugaison(const jeu_racines& j, grappe& g) {
    int dedans = 0;
    for (int k = 0; k < g.m; ++k) dedans += contient(g, j.partenaire[g.membres[k]]);
    g.auto_conjuguee = dedans == g.m;
    return dedans == 0 || dedans == g.m;
}

// Newton's method on P^(m−1), of which an m-fold root of P is a simple root.
complexe affiner(const double* a, int n, int m, complexe c, double rayon) {
    complexe t[capacite_polynome + 2];
    coefficients_taylor(a, n, c, m, t);
    complexe z = c;
    double f = c_module(t[m - 1]);
    for (int it = 0; it < iterations_newton && f > 0; ++it) {
        const complexe d = {m * t[m].re, m * t[m].im};
        if (d.re == 0 && d.im == 0) break;
        const complexe z1 = c_difference(z, c_quotient(t[m - 1], d));
        if (!(distance(z1, c) <= rayon)) break;
        coefficients_taylor(a, n, z1, m, t);
        const double f1 = c_module(t[m - 1]);
        if (!(f1 < f)) break;
        z = z1;
        f = f1;
    }
    return z;
}

// Radius within which the copies of an m-fold root at z cannot be told apart: where
// |P^(m)(z)/m!|·ρ^m stays below the residual floor of the polishing, and never less than
// 30·eps^(1/m)·|z|. t holds the Taylor coefficients at z up to m, b0 the bound of t[0].
double rayon_indiscernable(int m, complexe z, const complexe* t, double b0) {
    const double plat = 30 * std::pow(eps, 1.0 / m) * c_module(z);
    const double dm = c_module(t[m]);
    if (!(dm > 0)) return plat;
    return std::max(plat, 4 * std::pow(plancher_residu * eps * b0 / dm, 1.0 / m));
}

// Tests whether the members of g are copies of one m-fold root at z: p, p′, …, p^(m−1) must
// vanish at z within their rounding-error bounds, and every copy must lie no further from z
// than its own residual allows (near an m-fold root |P(r)| ≈ |P^(m)(z)/m!|·|r − z|^m).
// Distinct close roots fail the first test: some derivative below the m-th is far from zero
// between them.
bool copies_d_une_racine(const double* a, int n, const jeu_racines& j, const grappe& g,
                         complexe z) {
    const int m = g.m;
    complexe t[capacite_polynome + 2];
    double b[capacite_polynome + 2];
    coefficients_taylor(a, n, z, m, t);
    bornes_taylor(a, n, c_module(z), m - 1, b);
    for (int k = 0; k < m; ++k)
        if (!(c_module(t[k]) <= marge_derivees * eps * b[k])) return false;
    const double dm = c_module(t[m]);
    const double plancher = rayon_indiscernable(m, z, t, b[0]);
    for (int k = 0; k < m; ++k) {
        const complexe r = j.r[g.membres[k]];
        const double d = distance(r, z);
        if (d <= plancher) continue;
        complexe pr[1];
        coefficients_taylor(a, n, r, 0, pr);
        const double permis = 4 * std::pow((c_module(pr[0]) + eps * b[0]) / dm, 1.0 / m);
        if (!(d <= permis)) return false;
    }
    return true;
}

bool fusionner(const double* a, int n, jeu_racines& j, const grappe& g) {
    const int m = g.m;
    complexe c{};
    for (int k = 0; k < m; ++k) c = c_somme(c, j.r[g.membres[k]]);
    c = {c.re / m, c.im / m};
    if (g.auto_conjuguee) c.im = 0;
    double etendue = 0;
    for (int k = 0; k < m; ++k) etendue = std::max(etendue, distance(j.r[g.membres[k]], c));
    // The centroid of polished copies may sit anywhere in the indistinct disc: the refinement
    // may move that far.
    complexe t[capacite_polynome + 2];
    double b0[1];
    coefficients_taylor(a, n, c, m, t);
    bornes_taylor(a, n, c_module(c), 0, b0);
    const double rayon = 2 * etendue + rayon_indiscernable(m, c, t, b0[0]);
    const complexe z = affiner(a, n, m, c, rayon);
    if (!copies_d_une_racine(a, n, j, g, z)) return false;
    for (int k = 0; k < m; ++k) {
        const int i = g.membres[k];
        j.r[i] = z;
        if (g.auto_conjuguee)
            j.partenaire[i] = i;
        else
            j.r[j.partenaire[i]] = c_conjugue(z);
    }
    return true;
}

// Unmerged roots within the window around centre, nearest first.
int candidats(const jeu_racines& j, const bool* fait, complexe centre, int* liste) {
    const double fenetre = fenetre_candidats * c_module(centre);
    const auto d2 = [&](int k) {
        const complexe d = c_difference(j.r[k], centre);
        return d.re * d.re + d.im * d.im;
    };
    int m = 0;
    for (int k = 0; k < j.n; ++k)
        if (!fait[k] && d2(k) <= fenetre * fenetre) liste[m++] = k;
    if (m > 1)
        std::sort(liste, liste + m, [&](int x, int y) {
            const double dx = d2(x);
            const double dy = d2(y);
            return dx < dy || (dx == dy && x < y);
        });
    return m;
}

complexe centre_de(const jeu_racines& j, const int* liste, int m) {
    complexe c{};
    for (int k = 0; k < m; ++k) c = c_somme(c, j.r[liste[k]]);
    return {c.re / m, c.im / m};
}

// Centre of the cluster that root i belongs to: the window is moved to the centroid of what it
// holds a few times, so a cluster is seen whole even from one of its outer copies.
complexe centre_grappe(const jeu_racines& j, const bool* fait, int i, int* liste) {
    complexe centre = j.r[i];
    for (int it = 0; it < 3; ++it) {
        const int nb = candidats(j, fait, centre, liste);
        if (nb == 0) break;
        centre = centre_de(j, liste, nb);
    }
    return centre;
}

// Merges the m unmerged roots nearest to centre (chosen again around their own centroid) when
// they are copies of one root.
bool essayer(const double* a, int n, jeu_racines& j, bool* fait, int m, complexe centre) {
    int liste[capacite_polynome];
    if (candidats(j, fait, centre, liste) < m) return false;
    grappe g;
    g.m = m;
    std::copy(liste, liste + m, g.membres);
    if (candidats(j, fait, centre_de(j, g.membres, m), liste) >= m)
        std::copy(liste, liste + m, g.membres);
    if (!classer_conjugaison(j, g) || !fusionner(a, n, j, g)) return false;
    for (int k = 0; k < m; ++k) {
        fait[g.membres[k]] = true;
        fait[j.partenaire[g.membres[k]]] = true;
    }
    return true;
}

// Largest cluster around root i that is one multiple root, merged; false when there is none.
// Clusters are sought around the centre of everything near root i, which sees a widely spread
// cluster whole, and around root i itself, which keeps two neighbouring clusters apart.
bool fusionner_autour(const double* a, int n, jeu_racines& j, bool* fait, int i) {
    int liste[capacite_polynome];
    // Alone in its window, a root is simple.
    if (candidats(j, fait, j.r[i], liste) < 2) return false;
    const complexe centre = centre_grappe(j, fait, i, liste);
    const int nb_centre = candidats(j, fait, centre, liste);
    const int nb_racine = candidats(j, fait, j.r[i], liste);
    for (int m = std::max(nb_centre, nb_racine); m >= 2; --m) {
        if (m <= nb_centre && essayer(a, n, j, fait, m, centre)) return true;
        if (m <= nb_racine && essayer(a, n, j, fait, m, j.r[i])) return true;
    }
    return false;
}

} // namespace

void fusionner_racines_multiples(const double* a, int n, jeu_racines& j) {
    bool fait[capacite_polynome] = {};
    for (int i = 0; i < j.n; ++i) {
        // A merge that left root i out may have freed its own cluster: look again.
        while (!fait[i] && fusionner_autour(a, n, j, fait, i)) {
        }
        fait[i] = true;
    }
}

} // namespace varlem
