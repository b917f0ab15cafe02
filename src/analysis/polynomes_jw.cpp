#include "analysis/polynomes_jw.h"

#include "numeric/racines.h"

#include <algorithm>

namespace varlem {

namespace {

constexpr double eps = std::numeric_limits<double>::epsilon();
// A coefficient within this many roundings of the products that formed it is taken as zero.
constexpr double roundings_nuls = 32;
// A root of the finder whose imaginary part is below this fraction of its modulus is real:
// the copies of a double real root that the merging missed lie about √eps apart.
constexpr double imaginaire_negligeable = 1e-7;
// Grid of the sign-change search above degree 50, in points per decade.
constexpr int points_par_decade = 50;

polynome_x partie(const double* a, int n, int debut) {
    polynome_x p;
    p.degre = 0;
    for (int k = debut, m = 0; k <= n && m <= degre_max_x; k += 2, ++m) {
        p.v[m] = (m % 2 == 0) ? a[k] : -a[k];
        p.echelle[m] = std::fabs(a[k]);
        p.degre = m;
    }
    return p;
}

// Sign of p(x) for x > 0 without overflow: beyond 1, p(x)/x^n by Horner's scheme in 1/x.
double valeur_normee(const polynome_x& p, double x) {
    if (x <= 1) return valeur_x(p, x);
    const double y = 1 / x;
    double s = p.v[0];
    for (int k = 1; k <= p.degre; ++k) s = s * y + p.v[k];
    return s;
}

int racines_par_signes(const polynome_x& p, double* x) {
    double haut = 0, bas = 0;
    for (int k = 0; k < p.degre; ++k) haut = std::max(haut, std::fabs(p.v[k] / p.v[p.degre]));
    for (int k = 1; k <= p.degre; ++k) bas = std::max(bas, std::fabs(p.v[k]));
    const double x_max = 1 + haut;
    const double x_min = std::fabs(p.v[0]) / (std::fabs(p.v[0]) + bas);
    const int n_points =
        std::clamp(static_cast<int>(points_par_decade * std::log10(x_max / x_min)) + 2, 2, 100000);
    const double pas = std::pow(x_max / x_min, 1.0 / (n_points - 1));
    const auto f = [&](double t) { return valeur_normee(p, t); };
    int n = 0;
    double a = x_min, fa = f(a);
    for (int i = 1; i < n_points && n < degre_max_x; ++i) {
        const double b = i + 1 == n_points ? x_max : a * pas;
        const double fb = f(b);
        if ((fa < 0 && fb > 0) || (fa > 0 && fb < 0)) x[n++] = zero_encadre(f, a, b, fa, fb);
        a = b;
        fa = fb;
    }
    return n;
}

} // namespace

polynome_x partie_paire(const double* a, int n) {
    return partie(a, n, 0);
}

polynome_x partie_impaire(const double* a, int n) {
    return partie(a, n, 1);
}

polynome_x produit_x(const polynome_x& a, const polynome_x& b) {
    polynome_x r;
    r.degre = std::min(a.degre + b.degre, degre_max_x);
    for (int i = 0; i <= a.degre; ++i)
        for (int j = 0; j <= b.degre && i + j <= degre_max_x; ++j) {
            r.v[i + j] += a.v[i] * b.v[j];
            r.echelle[i + j] += a.echelle[i] * b.echelle[j];
        }
    return r;
}

polynome_x somme_x(const polynome_x& a, const polynome_x& b, double s) {
    polynome_x r;
    r.degre = std::max(a.degre, b.degre);
    for (int k = 0; k <= r.degre; ++k) {
        r.v[k] = a.v[k] + s * b.v[k];
        r.echelle[k] = a.echelle[k] + b.echelle[k];
    }
    return r;
}

polynome_x multiplie_x(const polynome_x& a, double s) {
    polynome_x r = a;
    for (int k = 0; k <= r.degre; ++k) {
        r.v[k] *= s;
        r.echelle[k] *= std::fabs(s);
    }
    return r;
}

polynome_x fois_x(const polynome_x& a) {
    polynome_x r;
    r.degre = std::min(a.degre + 1, degre_max_x);
    for (int k = 0; k < r.degre; ++k) {
        r.v[k + 1] = a.v[k];
        r.echelle[k + 1] = a.echelle[k];
    }
    return r;
}

polynome_x derivee_x(const polynome_x& a) {
    polynome_x r;
    r.degre = std::max(a.degre - 1, 0);
    for (int k = 1; k <= a.degre; ++k) {
        r.v[k - 1] = k * a.v[k];
        r.echelle[k - 1] = k * a.echelle[k];
    }
    return r;
}

void nettoyer_x(polynome_x& p) {
    for (int k = 0; k <= p.degre; ++k)
        if (std::fabs(p.v[k]) <= roundings_nuls * eps * p.echelle[k]) p.v[k] = 0;
    while (p.degre > 0 && p.v[p.degre] == 0) --p.degre;
}

bool est_nul_x(const polynome_x& p) {
    for (int k = 0; k <= p.degre; ++k)
        if (p.v[k] != 0) return false;
    return true;
}

double valeur_x(const polynome_x& p, double x) {
    double s = p.v[p.degre];
    for (int k = p.degre - 1; k >= 0; --k) s = s * x + p.v[k];
    return s;
}

int racines_positives(contexte_calcul& ctx, const polynome_x& p, double* x) {
    polynome_x q = p;
    nettoyer_x(q);
    if (est_nul_x(q)) return 0;
    // Roots at 0 are not positive: the lowest non-zero coefficient becomes the constant.
    int bas = 0;
    while (q.v[bas] == 0) ++bas;
    if (bas > 0) {
        for (int k = bas; k <= q.degre; ++k)
            q.v[k - bas] = q.v[k], q.echelle[k - bas] = q.echelle[k];
        q.degre -= bas;
    }
    if (q.degre == 0) return 0;

    double brutes[degre_max_x];
    int n = 0;
    if (q.degre <= capacite_polynome) {
        polynome r;
        r.degre = q.degre;
        for (int k = 0; k <= q.degre; ++k) r.coef[static_cast<std::size_t>(k)] = {q.v[k], 0};
        const liste_racines l = racines(ctx, r);
        for (int k = 1; k <= q.degre; ++k) {
            const complexe z = l[static_cast<std::size_t>(k)];
            if (z.re > 0 && std::fabs(z.im) <= imaginaire_negligeable * c_module(z))
                brutes[n++] = z.re;
        }
    } else {
        n = racines_par_signes(q, brutes);
    }
    std::sort(brutes, brutes + n);
    int m = 0;
    for (int k = 0; k < n; ++k) {
        if (m > 0 && brutes[k] - x[m - 1] <= imaginaire_negligeable * brutes[k]) continue;
        x[m++] = brutes[k];
    }
    return m;
}

complexe valeur_jw(const double* a, int n, double w) {
    double sr = a[n], si = 0;
    for (int k = n - 1; k >= 0; --k) {
        const double r = -si * w + a[k];
        si = sr * w;
        sr = r;
    }
    return {sr, si};
}

void valeur_derivee_jw(const double* a, int n, double w, complexe& valeur, complexe& derivee) {
    double sr = a[n], si = 0, dr = 0, di = 0;
    for (int k = n - 1; k >= 0; --k) {
        // d := d·jω + s, then s := s·jω + a[k].
        const double ndr = -di * w + sr;
        di = dr * w + si;
        dr = ndr;
        const double r = -si * w + a[k];
        si = sr * w;
        sr = r;
    }
    valeur = {sr, si};
    derivee = {dr, di};
}

complexe quotient_sur(complexe a, complexe b) {
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const double r = b.im / b.re, d = b.re + b.im * r;
        return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
    }
    const double r = b.re / b.im, d = b.re * r + b.im;
    return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}

double borne_jw(const double* a, int n, double w) {
    double s = std::fabs(a[n]);
    for (int k = n - 1; k >= 0; --k) s = s * w + std::fabs(a[k]);
    return s;
}

} // namespace varlem
