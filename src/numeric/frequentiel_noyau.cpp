// The portable kernel. Built with -O3 -fno-math-errno -fopenmp-simd so that its loops use the
// vector variants of log10 and atan2 from the C library's vector maths.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
extern "C" {
double atan2(double, double) noexcept __attribute__((simd("notinbranch")));
double log10(double) noexcept __attribute__((simd("notinbranch")));
double sin(double) noexcept __attribute__((simd("notinbranch")));
double cos(double) noexcept __attribute__((simd("notinbranch")));
}
#define VARLEM_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#define VARLEM_EN_LIGNE [[gnu::always_inline]] inline
#else
#define VARLEM_CLONES
#define VARLEM_EN_LIGNE inline
#endif

#include "numeric/frequentiel_noyau.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace varlem::noyau {

namespace {

constexpr std::size_t bloc = 256;
constexpr double pi = 3.14159265358979323846;

// Horner's scheme in −ω² over the even (parite 0) or odd (parite 1) coefficients of c.
VARLEM_EN_LIGNE void horner_pair(const double* c, int degre, int parite, const double* moins_x2,
                                 double* r, std::size_t m) {
    for (std::size_t k = 0; k < m; ++k) r[k] = 0.0;
    for (int i = degre - (degre - parite + 2) % 2; i >= parite; i -= 2) {
        const double ci = c[i];
        for (std::size_t k = 0; k < m; ++k) r[k] = r[k] * moins_x2[k] + ci;
    }
}

// Squared distance from each segment [bas, haut] to the nearest root, for the roots that could
// come near a sub-block (the others are too far for any of its segments to matter).
VARLEM_EN_LIGNE void distances(const donnees_fonction& f, const double* bas, const double* haut,
                               double* d2, std::size_t m, double limite2) {
    constexpr std::size_t sous_bloc = 32;
    for (std::size_t k = 0; k < m; ++k) d2[k] = HUGE_VAL;
    for (std::size_t a = 0; a < m; a += sous_bloc) {
        const std::size_t b = std::min(m, a + sous_bloc);
        double lo = bas[a], hi = haut[a], l2max = 0.0;
#pragma omp simd reduction(min : lo) reduction(max : hi, l2max)
        for (std::size_t k = a; k < b; ++k) {
            lo = bas[k] < lo ? bas[k] : lo;
            hi = haut[k] > hi ? haut[k] : hi;
            const double l2 = (haut[k] - bas[k]) * (haut[k] - bas[k]);
            l2max = l2 > l2max ? l2 : l2max;
        }
        for (int i = 0; i < f.nb_racines; ++i) {
            const double rx = f.racines_re[i], ry = f.racines_im[i];
            const double dy0 = ry > hi ? ry - hi : (ry < lo ? lo - ry : 0.0);
            if (l2max < limite2 * (rx * rx + dy0 * dy0)) continue;
            const double rx2 = rx * rx;
            for (std::size_t k = a; k < b; ++k) {
                // Value selects, not std::min on references, so the loop stays in vectors.
                const double au_dessus = ry > haut[k] ? ry - haut[k] : 0.0;
                const double au_dessous = ry < bas[k] ? bas[k] - ry : 0.0;
                const double dy = au_dessus + au_dessous;
                const double e = rx2 + dy * dy;
                d2[k] = e < d2[k] ? e : d2[k];
            }
        }
    }
}

// Where re² + im² is zero, subnormal, infinite or NaN, the gain comes from the library's hypot,
// which keeps the digits the square has lost.
VARLEM_EN_LIGNE void gains_hors_norme(const double* re, const double* im, double* gain,
                                      std::size_t m) {
    int hors_norme = 0;
    for (std::size_t k = 0; k < m; ++k) {
        const double g2 = re[k] * re[k] + im[k] * im[k];
        hors_norme |= !(g2 >= DBL_MIN && g2 < HUGE_VAL);
    }
    if (hors_norme == 0) return;
    for (std::size_t k = 0; k < m; ++k) {
        const double g2 = re[k] * re[k] + im[k] * im[k];
        if (!(g2 >= DBL_MIN && g2 < HUGE_VAL))
            gain[k] = 20.0 * std::log10(std::hypot(re[k], im[k]));
    }
}

} // namespace

VARLEM_CLONES
std::size_t evaluer_portable(const donnees_fonction& f, const double* w, std::size_t n,
                             suite_noyau& suite, const sorties_noyau& s) {
    // Between two pulsations the phase turns by at most Σ L/dᵢ (L the step, dᵢ the distance of
    // root i to the segment); below π/2 the wrapped change of arg T is the true change.
    const double limite = (pi / 2) / std::max(f.nb_racines, 1);
    const double limite2 = limite * limite;
    std::size_t nb_ruptures = 0;
    if (n == 0) return nb_ruptures;
    for (std::size_t debut = 0; debut < n; debut += bloc) {
        const std::size_t m = std::min(bloc, n - debut);
        const double* x = w + debut;
        double moins_x2[bloc], ne[bloc], no[bloc], de[bloc], dodd[bloc];
        double bas[bloc], haut[bloc], d2[bloc], arg[bloc], continu[bloc];
        for (std::size_t k = 0; k < m; ++k) moins_x2[k] = -x[k] * x[k];
        horner_pair(f.num, f.degre_num, 0, moins_x2, ne, m);
        horner_pair(f.num, f.degre_num, 1, moins_x2, no, m);
        horner_pair(f.den, f.degre_den, 0, moins_x2, de, m);
        horner_pair(f.den, f.degre_den, 1, moins_x2, dodd, m);
        for (std::size_t k = 0; k < m; ++k) {
            const double o = no[k] * x[k];
            const double d = dodd[k] * x[k];
            const double inverse = 1.0 / (de[k] * de[k] + d * d);
            const double re = (ne[k] * de[k] + o * d) * inverse;
            const double im = (o * de[k] - ne[k] * d) * inverse;
            s.t_re[debut + k] = re;
            s.t_im[debut + k] = im;
            s.gain_db[debut + k] = 10.0 * log10(re * re + im * im);
            arg[k] = atan2(im, re);
        }
        gains_hors_norme(s.t_re + debut, s.t_im + debut, s.gain_db + debut, m);
        // An undefined point (infinite or zero T) passes on an undefined argument, so the next
        // point is a rupture.
        for (std::size_t k = 0; k < m; ++k) {
            const double g = s.gain_db[debut + k];
            arg[k] = g - g == 0.0 ? arg[k] : NAN;
        }
        double avant_w[bloc];
        avant_w[0] = suite.w_precedent;
        for (std::size_t k = 1; k < m; ++k) avant_w[k] = x[k - 1];
        for (std::size_t k = 0; k < m; ++k) {
            bas[k] = avant_w[k] < x[k] ? avant_w[k] : x[k];
            haut[k] = avant_w[k] < x[k] ? x[k] : avant_w[k];
        }
        distances(f, bas, haut, d2, m, limite2);
        // A point continues the series when the phase cannot have turned by π/2 since the
        // previous point and both points have a finite value (x − x is 0 only when x is finite).
        double arg_avant[bloc];
        arg_avant[0] = suite.arg_precedent;
        for (std::size_t k = 1; k < m; ++k) arg_avant[k] = arg[k - 1];
        double nb_sauts = 0.0;
        double sauts[bloc];
#pragma omp simd reduction(+ : nb_sauts)
        for (std::size_t k = 0; k < m; ++k) {
            const double l = haut[k] - bas[k];
            const double g = s.gain_db[debut + k];
            const bool fini = (g - g) + (arg[k] - arg[k]) + (arg_avant[k] - arg_avant[k]) == 0.0;
            continu[k] = fini && l * l < limite2 * d2[k] ? 1.0 : 0.0;
            // Both arguments lie in (−π, π]: one turn at most separates consecutive points.
            const double d = arg[k] - arg_avant[k];
            sauts[k] = d > pi ? -1.0 : (d <= -pi ? 1.0 : 0.0);
            nb_sauts += sauts[k] * sauts[k];
        }
        for (std::size_t k = 0; k < m; ++k)
            if (continu[k] == 0.0)
                s.ruptures[nb_ruptures++] = static_cast<std::uint32_t>(debut + k);
        // Jumps are rare: whole runs between them take one constant number of turns.
        long tours = suite.tours;
        for (std::size_t k = 0; k < m;) {
            std::size_t j = m;
            if (nb_sauts != 0.0)
                for (j = k; j < m && sauts[j] == 0.0;) ++j;
            const double decalage = suite.base + 2 * pi * static_cast<double>(tours);
            for (std::size_t i = k; i < j; ++i) s.argument[debut + i] = arg[i] + decalage;
            if (j == m) break;
            tours += static_cast<long>(sauts[j]);
            s.argument[debut + j] = arg[j] + (suite.base + 2 * pi * static_cast<double>(tours));
            k = j + 1;
        }
        suite.tours = tours;
        suite.arg_precedent = arg[m - 1];
        suite.w_precedent = x[m - 1];
        // The unwrapping above follows the fraction alone; the delay's phase is smooth.
        if (f.retard > 0)
            appliquer_retard(f.retard, x, m, s.t_re + debut, s.t_im + debut, s.argument + debut);
    }
    return nb_ruptures;
}

VARLEM_CLONES
void appliquer_retard(double retard, const double* w, std::size_t n, double* t_re, double* t_im,
                      double* argument) {
    // Cosines and sines in loops of their own: in one loop the compiler would fuse them into a
    // sincos that has no vector form.
    double c[bloc], s[bloc];
    for (std::size_t debut = 0; debut < n; debut += bloc) {
        const std::size_t m = std::min(bloc, n - debut);
        const double* x = w + debut;
        for (std::size_t k = 0; k < m; ++k) c[k] = cos(x[k] * retard);
        for (std::size_t k = 0; k < m; ++k) s[k] = sin(x[k] * retard);
        double* re = t_re + debut;
        double* im = t_im + debut;
        double* arg = argument + debut;
        for (std::size_t k = 0; k < m; ++k) {
            const double a = re[k], b = im[k];
            re[k] = a * c[k] + b * s[k];
            im[k] = b * c[k] - a * s[k];
            arg[k] -= x[k] * retard;
        }
    }
}

std::size_t evaluer(choix_noyau choix, const donnees_fonction& f, const double* w, std::size_t n,
                    suite_noyau& suite, const sorties_noyau& s) {
    // Asking for AVX-512 on a processor without it gets the portable kernel, never a fault.
    if (choix != choix_noyau::portable && avx512_disponible())
        return evaluer_avx512(f, w, n, suite, s);
    return evaluer_portable(f, w, n, suite, s);
}

} // namespace varlem::noyau
