// Newton polishing of the roots found by deflation, on the polynomial they came from.

#include "numeric/racines_multiples.h"

#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double eps = std::numeric_limits<double>::epsilon();
// Copies of a multiple root move only linearly towards it; this is enough for copies of a
// 5-fold root left 0.2·|z| apart by a loose deflation to come within the rounding floor.
constexpr int passes_maximum = 40;

// Σ 1/(z − r_k) over every other root k.
complexe repulsion(const jeu_racines& j, int i, complexe z) {
    complexe s{};
    for (int k = 0; k < j.n; ++k) {
        if (k == i) continue;
        const complexe d = c_difference(z, j.r[k]);
        if (d.re == 0 && d.im == 0) continue;
        s = c_somme(s, c_quotient({1, 0}, d));
    }
    return s;
}

// Corrects root i once; false when it is already as good as rounding allows.
bool corriger(const double* a, int n, jeu_racines& j, int i, double& relatif) {
    complexe t[2];
    double b[1];
    const complexe z = j.r[i];
    coefficients_taylor(a, n, z, 1, t);
    bornes_taylor(a, n, c_module(z), 0, b);
    if (c_module(t[0]) <= plancher_residu * eps * b[0]) return false;
    // Newton's correction P/P′ with the other roots divided out: w = 1 / (P′/P − Σ 1/(z − r_k)).
    // Without that deflation two roots could be drawn to the same place.
    const complexe d = c_difference(c_quotient(t[1], t[0]), repulsion(j, i, z));
    if (d.re == 0 && d.im == 0) return false;
    const complexe w = c_quotient({1, 0}, d);
    const complexe z1 = c_difference(z, w);
    if (!std::isfinite(z1.re) || !std::isfinite(z1.im)) return false;
    j.r[i] = z1;
    relatif = c_module(w) / c_module(z1);
    return true;
}

// The roots of a real polynomial come as real roots and conjugate pairs. Each root above the
// axis is paired with the root below that mirrors it (within half its imaginary part); the pair
// is made exactly conjugate, and every root left unpaired is put on the axis.
void symetriser(jeu_racines& j) {
    for (int i = 0; i < j.n; ++i) j.partenaire[i] = -1;
    for (int i = 0; i < j.n; ++i) {
        if (!(j.r[i].im > 0) || j.partenaire[i] >= 0) continue;
        int meilleur = -1;
        double dmin = 0.5 * j.r[i].im;
        for (int k = 0; k < j.n; ++k) {
            if (!(j.r[k].im < 0) || j.partenaire[k] >= 0) continue;
            const double d = c_module(c_difference(j.r[i], c_conjugue(j.r[k])));
            if (d <= dmin) dmin = d, meilleur = k;
        }
        if (meilleur < 0) continue;
        const complexe m = c_somme(j.r[i], c_conjugue(j.r[meilleur]));
        j.r[i] = {m.re / 2, m.im / 2};
        j.r[meilleur] = c_conjugue(j.r[i]);
        j.partenaire[i] = meilleur;
        j.partenaire[meilleur] = i;
    }
    for (int i = 0; i < j.n; ++i) {
        if (j.partenaire[i] >= 0) continue;
        j.r[i].im = 0;
        j.partenaire[i] = i;
    }
}

} // namespace

void polir_racines(const double* a, int n, jeu_racines& j) {
    // Every root moves freely, even off the axis: a pair that the deflation made of two real
    // roots must be able to split. The symmetry is restored at the end.
    for (int passe = 0; passe < passes_maximum; ++passe) {
        bool bouge = false;
        for (int i = 0; i < j.n; ++i) {
            double relatif = 0;
            if (corriger(a, n, j, i, relatif) && relatif > eps) bouge = true;
        }
        if (!bouge) break;
    }
    symetriser(j);
}

} // namespace varlem
