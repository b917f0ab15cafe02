#include "numeric/racines.h"

#include "numeric/racines_multiples.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

// Beyond this many steps on one quadratic factor the search takes what it has: the tolerance
// grows only on successful steps, so a polynomial on which every step fails (all coefficients
// zero, coefficients far beyond 1e50) would otherwise never end.
constexpr int pas_maximum = 20000;

// Working state of the search of one polynomial: a[0] is the leading coefficient, b and c the
// quotients of the last step.
struct recherche {
    double a[capacite_polynome + 1] = {};
    double b[capacite_polynome + 1] = {};
    double c[capacite_polynome + 1] = {};
    int n = 0;
    double u = 0, v = 0, u_prec = 0, v_prec = 0;
    double tol = 0;
    int iterations = 0;
    int echecs = 0;
    int plage = 2;
    int pas_total = 0;
};

struct correction {
    double du = 0, dv = 0, det = 0;
};

// Quotient of the current polynomial by x² + u·x + v into b, and that of b by the same factor
// into c, in one pass so that the two recurrences run side by side. False when a coefficient
// of b exceeds 1e50, which sends the search to fresh random values.
bool diviser(recherche& s) {
    const double u = s.u;
    const double v = s.v;
    double b1 = 0, b2 = 0, c1 = 0, c2 = 0;
    for (int k = 0; k <= s.n; ++k) {
        const double b = s.a[k] - u * b1 - v * b2;
        if (std::fabs(b) > 1e50) return false;
        s.b[k] = b;
        b2 = b1;
        b1 = b;
        if (k == s.n) break;
        const double c = b - u * c1 - v * c2;
        s.c[k] = c;
        c2 = c1;
        c1 = c;
    }
    return true;
}

correction pas_bairstow(contexte_calcul& ctx, recherche& s) {
    s.u_prec = s.u;
    s.v_prec = s.v;
    while (!diviser(s) && s.pas_total < pas_maximum) {
        // The interrupted step still counts.
        ++s.iterations;
        ++s.pas_total;
        s.u = ctx.alea.entier(s.plage) - 1;
        s.v = ctx.alea.entier(s.plage) + 1;
        s.u_prec = s.u;
        s.v_prec = s.v;
    }
    const int n = s.n;
    correction d;
    d.du = s.b[n - 1] * s.c[n - 2] - s.b[n] * s.c[n - 3];
    d.dv = s.b[n] * s.c[n - 2] - s.b[n - 1] * s.c[n - 1];
    d.det = s.c[n - 2] * s.c[n - 2] - s.c[n - 1] * s.c[n - 3];
    ++s.iterations;
    ++s.pas_total;
    return d;
}

void nouveau_depart(contexte_calcul& ctx, recherche& s) {
    ++s.echecs;
    const double r1 = ctx.alea.entier(s.plage);
    const double r2 = ctx.alea.entier(s.plage);
    switch (s.echecs % 4) {
    case 0:
        s.u = -r1, s.v = -r2;
        break;
    case 1:
        s.u = -r1, s.v = r2;
        break;
    case 2:
        s.u = r1, s.v = -r2;
        break;
    default:
        s.u = r1, s.v = r2;
        break;
    }
}

// Iterates on x² + u·x + v until two successive values agree within the tolerance.
void extraire_quadratique(contexte_calcul& ctx, recherche& s) {
    s.pas_total = 0;
    do {
        const correction d = pas_bairstow(ctx, s);
        if (d.det != 0 && d.du <= 1e50 && d.dv <= 1e50) {
            s.echecs = 0;
            ++s.iterations;
            if (s.iterations > 100) {
                s.plage = ctx.alea.entier(60);
                s.u = ctx.alea.uniforme() + 1;
                s.iterations = 0;
                s.tol *= 5;
            }
            s.u += d.du / d.det;
            s.v += d.dv / d.det;
        } else {
            nouveau_depart(ctx, s);
        }
    } while (!(std::fabs(s.u - s.u_prec) < s.tol && std::fabs(s.v - s.v_prec) < s.tol) &&
             s.pas_total < pas_maximum);
    if (!std::isfinite(s.u) || !std::isfinite(s.v)) s.u = s.v = 0;
}

void ajouter_quadratique(double A, double B, double C, jeu_racines& j) {
    complexe r1, r2;
    resoudre_quadratique(A, B, C, r1, r2);
    j.r[j.n] = r1;
    j.r[j.n + 1] = r2;
    const bool paire = r1.im != 0;
    j.partenaire[j.n] = paire ? j.n + 1 : j.n;
    j.partenaire[j.n + 1] = paire ? j.n : j.n + 1;
    j.n += 2;
}

// Bairstow's search on s.a[0..s.n] (s.a[0] leading); the roots go to j in the order found.
void bairstow(contexte_calcul& ctx, recherche& s, double echelle, jeu_racines& j) {
    s.tol = 1e-13 * echelle;
    s.u = (ctx.alea.uniforme() - 0.5) * echelle;
    s.v = (ctx.alea.uniforme() - 0.52) * echelle;
    s.plage = 2;
    s.iterations = 0;
    s.echecs = 0;
    while (s.n > 2) {
        extraire_quadratique(ctx, s);
        ajouter_quadratique(1, s.u, s.v, j);
        for (int k = 0; k <= s.n - 2; ++k) s.a[k] = s.b[k];
        s.n -= 2;
    }
    if (s.n == 1) {
        j.r[j.n] = {-s.a[1] / s.a[0] + 0.0, 0.0};
        j.partenaire[j.n] = j.n;
        ++j.n;
    } else if (s.n == 2) {
        ajouter_quadratique(s.a[0], s.a[1], s.a[2], j);
    }
}

// Scales the coefficients by a power of two so the largest has modulus in [1, 2): the roots
// and every correction du/det are unchanged bit for bit, but huge or tiny coefficients can no
// longer trip the 1e50 guards forever.
void normaliser(double* a, int n) {
    double m = 0;
    for (int k = 0; k <= n; ++k) m = std::max(m, std::fabs(a[k]));
    if (m == 0 || !std::isfinite(m)) return;
    int e = 0;
    std::frexp(m, &e);
    for (int k = 0; k <= n; ++k) a[k] = std::ldexp(a[k], 1 - e);
}

// |P(z)| in rounding-error bounds of P at |z|: a few for a root, about 1/ε for a point that is
// none. Outside the unit circle it is read on the reversed polynomial at 1/z: the same ratio,
// without overflow.
double ecart_racine(const double* a, int n, complexe z) {
    double inverse[capacite_polynome + 1];
    const double* b = a;
    if (c_module(z) > 1) {
        for (int k = 0; k <= n; ++k) inverse[k] = a[n - k];
        b = inverse;
        z = c_quotient({1, 0}, z);
    }
    complexe t[1];
    double borne[1];
    coefficients_taylor(b, n, z, 0, t);
    bornes_taylor(b, n, c_module(z), 0, borne);
    if (!(borne[0] > 0)) return 0;
    const double e = c_module(t[0]) / (std::numeric_limits<double>::epsilon() * borne[0]);
    return std::isfinite(e) ? e : HUGE_VAL;
}

// The worst root of a set.
double ecart_racines(const double* a, int n, const jeu_racines& j) {
    double pire = 0;
    for (int i = 0; i < j.n; ++i) pire = std::max(pire, ecart_racine(a, n, j.r[i]));
    return pire;
}

// A search that ends on a quadratic dividing nothing (it happens where all the roots have one
// modulus) gives points that are no roots, which polishing cannot bring back from afar: the
// search starts again from another point, and the best set is kept.
constexpr int essais_maximum = 8;
// Far below the ~1/ε of a point that is no root, far above what polished roots leave.
constexpr double ecart_accepte = 1e8;

} // namespace

void resoudre_quadratique(double A, double B, double C, complexe& r1, complexe& r2) {
    const double delta = B * B - 4 * A * C;
    // Adding 0.0 turns −0.0 (from B = 0) into an ordinary zero.
    const double milieu = -B / (2 * A) + 0.0;
    if (delta < 0) {
        const double e = std::sqrt(-delta) / (2 * A);
        r1 = {milieu, e};
        r2 = {milieu, -e};
    } else if (delta == 0) {
        r1 = r2 = {milieu, 0.0};
    } else {
        const double s = std::sqrt(delta);
        r1 = {(s - B) / 2 / A + 0.0, 0.0};
        r2 = {(-B - s) / 2 / A + 0.0, 0.0};
    }
}

liste_racines racines(contexte_calcul& ctx, const polynome& p) {
    liste_racines sortie{};
    ctx.resemer();
    const int degre = std::clamp(p.degre, 0, capacite_polynome);

    // Trailing zero coefficients are exact roots at 0: they are taken out before the search
    // and listed after the others, so they come out exact instead of as tiny noise.
    int nuls = 0;
    while (nuls < degre && p.coef[nuls].re == 0) ++nuls;

    // A vanishing leading coefficient lowers the true degree; the missing roots stay zero.
    int haut = degre;
    while (haut > nuls && p.coef[haut].re == 0) --haut;

    recherche s;
    s.n = haut - nuls;
    for (int i = 0; i <= s.n; ++i) s.a[i] = p.coef[haut - i].re;
    const double echelle =
        (s.n != 0 && s.a[0] != 0) ? std::pow(std::fabs(s.a[0]), -1.0 / s.n) : 1.0;
    normaliser(s.a, s.n);

    double origine[capacite_polynome + 1];
    std::copy(s.a, s.a + s.n + 1, origine);
    const int n = s.n;

    jeu_racines j;
    double ecart_j = HUGE_VAL;
    for (int essai = 0; essai < essais_maximum && ecart_j > ecart_accepte; ++essai) {
        recherche copie = s;
        jeu_racines trouvees;
        bairstow(ctx, copie, echelle, trouvees);
        polir_racines(origine, n, trouvees);
        fusionner_racines_multiples(origine, n, trouvees);
        const double ecart = ecart_racines(origine, n, trouvees);
        if (essai == 0 || ecart < ecart_j) j = trouvees, ecart_j = ecart;
    }

    for (int k = 0; k < j.n; ++k) sortie[static_cast<std::size_t>(k + 1)] = j.r[k];
    // Roots at 0 follow the others (their entries are already zero).
    return sortie;
}

} // namespace varlem
