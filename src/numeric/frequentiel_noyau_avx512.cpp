// The batch frequency kernel written for AVX-512. Pulsations go by groups of 32, four vectors of
// eight whose chains of operations overlap; log10 and atan2 are short polynomials with one
// division each rather than library calls. Only the functions marked VARLEM_AVX512 use AVX-512,
// and the dispatcher calls them only when the processor has it.
#include "numeric/frequentiel_noyau.h"

#include <algorithm>
#include <cmath>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

// GCC 12's AVX-512 header leaves placeholder operands uninitialised on purpose.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

#define VARLEM_AVX512 __attribute__((target("avx512f")))
#define VARLEM_AVX512_EN_LIGNE __attribute__((target("avx512f"), always_inline)) inline

namespace varlem::noyau {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr std::size_t largeur = 8; // pulsations per vector
constexpr int vecteurs = 4;        // vectors per group
constexpr std::size_t groupe = largeur * vecteurs;
constexpr int racines_max = 104; // 100 roots, padded to whole vectors

using v8 = __m512d;

VARLEM_AVX512_EN_LIGNE v8 diffuser(double x) {
    return _mm512_set1_pd(x);
}

// Stores the lanes in use.
VARLEM_AVX512_EN_LIGNE void ranger(double* p, __mmask8 valide, v8 v) {
    if (valide == 0xff)
        _mm512_storeu_pd(p, v);
    else
        _mm512_mask_storeu_pd(p, valide, v);
}

// The lanes of `v` shifted up by one, lane 0 taking lane 7 of `avant`.
VARLEM_AVX512_EN_LIGNE v8 decaler(v8 v, v8 avant) {
    return _mm512_castsi512_pd(
        _mm512_alignr_epi64(_mm512_castpd_si512(v), _mm512_castpd_si512(avant), 7));
}

// Horner's scheme in y over the coefficients c[haut], c[haut − 2], … c[bas], for each vector.
VARLEM_AVX512_EN_LIGNE void horner(const double* c, int haut, int bas, const v8* y, v8* r) {
    const v8 depart = haut < bas ? _mm512_setzero_pd() : diffuser(c[haut]);
    for (int v = 0; v < vecteurs; ++v) r[v] = depart;
    for (int i = haut - 2; i >= bas; i -= 2) {
        const v8 ci = diffuser(c[i]);
        for (int v = 0; v < vecteurs; ++v) r[v] = _mm512_fmadd_pd(r[v], y[v], ci);
    }
}

// log10 of positive normal numbers (the caller fixes other lanes): the mantissa is taken in
// [√½, √2), where atanh's odd series in s = (m − 1)/(m + 1) needs six terms for 1e-16.
VARLEM_AVX512_EN_LIGNE v8 log10_vect(v8 v) {
    const __m512i b = _mm512_castpd_si512(v);
    const __m512i e =
        _mm512_srai_epi64(_mm512_sub_epi64(b, _mm512_set1_epi64(0x3fe6a09e667f3bcdLL)), 52);
    const v8 m = _mm512_castsi512_pd(_mm512_sub_epi64(b, _mm512_slli_epi64(e, 52)));
    // The exponent becomes a double without 64-bit conversions: 1.5·2⁵² + e is exact.
    const v8 ed = _mm512_sub_pd(
        _mm512_castsi512_pd(_mm512_add_epi64(e, _mm512_set1_epi64(0x4338000000000000LL))),
        diffuser(6755399441055744.0));
    const v8 un = diffuser(1.0);
    const v8 s = _mm512_div_pd(_mm512_sub_pd(m, un), _mm512_add_pd(m, un));
    const v8 t = _mm512_mul_pd(s, s);
    v8 p = diffuser(0.08402165930640416);
    p = _mm512_fmadd_pd(p, t, diffuser(0.09062722996925068));
    p = _mm512_fmadd_pd(p, t, diffuser(0.11111647664549053));
    p = _mm512_fmadd_pd(p, t, diffuser(0.1428570929073186));
    p = _mm512_fmadd_pd(p, t, diffuser(0.20000000020122827));
    p = _mm512_fmadd_pd(p, t, diffuser(0.3333333333331002));
    const v8 deux_s = _mm512_add_pd(s, s);
    const v8 ln = _mm512_fmadd_pd(_mm512_mul_pd(deux_s, t), p, deux_s);
    // log10(2) in two parts keeps full accuracy for large exponents.
    const v8 bas = _mm512_fmadd_pd(ln, diffuser(0.43429448190325182765),
                                   _mm512_mul_pd(ed, diffuser(2.8363394551044964e-14)));
    return _mm512_fmadd_pd(ed, diffuser(0.30102999566395283), bas);
}

// atan2(y, x) in two steps. The first folds the ratio of the smaller magnitude to the larger
// below tan(π/8): a = num/den.
struct reduction_atan {
    v8 num, den;
    __mmask8 echange, grand;
};

VARLEM_AVX512_EN_LIGNE reduction_atan reduire_atan(v8 y, v8 x) {
    const v8 ax = _mm512_abs_pd(x), ay = _mm512_abs_pd(y);
    const __mmask8 echange = _mm512_cmp_pd_mask(ay, ax, _CMP_GT_OQ);
    const v8 n = _mm512_mask_blend_pd(echange, ay, ax);
    const v8 d = _mm512_mask_blend_pd(echange, ax, ay);
    const __mmask8 grand =
        _mm512_cmp_pd_mask(n, _mm512_mul_pd(d, diffuser(0.41421356237309503)), _CMP_GT_OQ);
    return {_mm512_mask_sub_pd(n, grand, n, d), _mm512_mask_add_pd(d, grand, n, d), echange, grand};
}

// The second step: atan(a) by a polynomial, then the quadrant and the sign. 0/0 gives NaN (a
// rupture).
VARLEM_AVX512_EN_LIGNE v8 finir_atan(v8 a, const reduction_atan& r0, v8 y, v8 x) {
    const v8 t = _mm512_mul_pd(a, a);
    v8 p = diffuser(-0.02553910441385346);
    p = _mm512_fmadd_pd(p, t, diffuser(0.050461499399878096));
    p = _mm512_fmadd_pd(p, t, diffuser(-0.06514371774545648));
    p = _mm512_fmadd_pd(p, t, diffuser(0.07675284234980613));
    p = _mm512_fmadd_pd(p, t, diffuser(-0.09089740197730001));
    p = _mm512_fmadd_pd(p, t, diffuser(0.11111063582176));
    p = _mm512_fmadd_pd(p, t, diffuser(-0.1428571323743363));
    p = _mm512_fmadd_pd(p, t, diffuser(0.19999999989590242));
    p = _mm512_fmadd_pd(p, t, diffuser(-0.3333333333330439));
    v8 r = _mm512_fmadd_pd(_mm512_mul_pd(a, t), p, a);
    r = _mm512_mask_add_pd(r, r0.grand, r, diffuser(pi / 4));
    r = _mm512_mask_sub_pd(r, r0.echange, diffuser(pi / 2), r);
    r = _mm512_mask_sub_pd(r, _mm512_cmp_pd_mask(x, _mm512_setzero_pd(), _CMP_LT_OQ), diffuser(pi),
                           r);
    const __m512i signe = _mm512_and_epi64(_mm512_castpd_si512(y), _mm512_set1_epi64(INT64_MIN));
    return _mm512_castsi512_pd(_mm512_or_epi64(_mm512_castpd_si512(r), signe));
}

// 10·log10(re² + im²). Where the square is zero, subnormal, infinite or NaN, the library's
// hypot keeps the digits the square has lost, and `hors_norme` is set.
VARLEM_AVX512_EN_LIGNE v8 gain_db(v8 re, v8 im, __mmask8 valide, unsigned& hors_norme) {
    const v8 g2 = _mm512_fmadd_pd(re, re, _mm512_mul_pd(im, im));
    const v8 gain = _mm512_mul_pd(diffuser(10.0), log10_vect(g2));
    const __mmask8 normal = _mm512_cmp_pd_mask(g2, diffuser(2.2250738585072014e-308), _CMP_GE_OQ) &
                            _mm512_cmp_pd_mask(g2, diffuser(HUGE_VAL), _CMP_LT_OQ);
    if ((normal & valide) == valide) return gain;
    hors_norme = 1;
    alignas(64) double g[largeur], r[largeur], i[largeur];
    _mm512_store_pd(g, gain);
    _mm512_store_pd(r, re);
    _mm512_store_pd(i, im);
    for (std::size_t k = 0; k < largeur; ++k)
        if (!(normal >> k & 1u)) g[k] = 20.0 * std::log10(std::hypot(r[k], i[k]));
    return _mm512_load_pd(g);
}

// T(jω) = N(jω)/D(jω) from the even and odd parts of N and D, polynomials in y = −ω², and its
// argument. N·conj(D) over |D|² and atan's ratio num/den share one division, 1/(|D|²·den),
// wherever that product stays a normal number.
VARLEM_AVX512_EN_LIGNE void transmittance(const donnees_fonction& f, const v8* x, v8* re, v8* im,
                                          v8* arg) {
    v8 y[vecteurs], ne[vecteurs], no[vecteurs], de[vecteurs], dodd[vecteurs];
    for (int v = 0; v < vecteurs; ++v)
        y[v] = _mm512_mul_pd(x[v], _mm512_sub_pd(_mm512_setzero_pd(), x[v]));
    horner(f.num, f.degre_num & ~1, 0, y, ne);
    horner(f.num, (f.degre_num - 1) | 1, 1, y, no);
    horner(f.den, f.degre_den & ~1, 0, y, de);
    horner(f.den, (f.degre_den - 1) | 1, 1, y, dodd);
    for (int v = 0; v < vecteurs; ++v) {
        const v8 o = _mm512_mul_pd(no[v], x[v]);
        const v8 d = _mm512_mul_pd(dodd[v], x[v]);
        const v8 module2 = _mm512_fmadd_pd(de[v], de[v], _mm512_mul_pd(d, d));
        const v8 reel = _mm512_fmadd_pd(ne[v], de[v], _mm512_mul_pd(o, d));
        const v8 imag = _mm512_fmsub_pd(o, de[v], _mm512_mul_pd(ne[v], d));
        const reduction_atan r0 = reduire_atan(imag, reel);
        const v8 produit = _mm512_mul_pd(module2, r0.den);
        const __mmask8 normal =
            _mm512_cmp_pd_mask(produit, diffuser(2.2250738585072014e-308), _CMP_GE_OQ) &
            _mm512_cmp_pd_mask(produit, diffuser(HUGE_VAL), _CMP_LT_OQ);
        v8 inverse, a;
        if (normal == 0xff) {
            const v8 r = _mm512_div_pd(diffuser(1.0), produit);
            inverse = _mm512_mul_pd(r0.den, r);
            a = _mm512_mul_pd(r0.num, _mm512_mul_pd(module2, r));
        } else {
            inverse = _mm512_div_pd(diffuser(1.0), module2);
            a = _mm512_div_pd(r0.num, r0.den);
        }
        re[v] = _mm512_mul_pd(reel, inverse);
        im[v] = _mm512_mul_pd(imag, inverse);
        arg[v] = finir_atan(a, r0, imag, reel);
    }
}

// Roots as vectors of squared real parts and of imaginary parts; padding lanes are infinitely
// far, so they never fail the distance test.
struct racines_vect {
    alignas(64) double rx2[racines_max];
    alignas(64) double ry[racines_max];
    int nb_vecteurs = 0;

    explicit racines_vect(const donnees_fonction& f) {
        const int n = std::clamp(f.nb_racines, 0, racines_max);
        nb_vecteurs = (n + 7) / 8;
        for (int i = 0; i < nb_vecteurs * 8; ++i) {
            rx2[i] = i < n ? f.racines_re[i] * f.racines_re[i] : HUGE_VAL;
            ry[i] = i < n ? f.racines_im[i] : 0.0;
        }
    }
};

// The distance test point by point: the phase cannot turn by π/2 between xs[k − 1] (avant for
// k = 0) and xs[k]. One bit per point of `tous`.
std::uint32_t points_surs_un_par_un(const donnees_fonction& f, const double* xs, std::uint32_t tous,
                                    double avant, double limite2) {
    std::uint32_t surs = 0;
    for (std::size_t k = 0; k < groupe && (tous >> k & 1u); ++k) {
        const double b = std::min(avant, xs[k]), h = std::max(avant, xs[k]);
        double d2 = HUGE_VAL;
        for (int i = 0; i < f.nb_racines; ++i) {
            const double ry = f.racines_im[i];
            const double dy = ry > h ? ry - h : (ry < b ? b - ry : 0.0);
            d2 = std::min(d2, f.racines_re[i] * f.racines_re[i] + dy * dy);
        }
        if ((h - b) * (h - b) < limite2 * d2) surs |= 1u << k;
        avant = xs[k];
    }
    return surs;
}

// The distance test for a group: its longest step against each root's distance to the range
// the group covers settles all its points at once; near a root, each point is tested.
VARLEM_AVX512 std::uint32_t points_surs(const donnees_fonction& f, const racines_vect& rv,
                                        const v8* x, const __mmask8* valide, double avant,
                                        double limite2) {
    v8 lo = diffuser(avant), hi = lo, l2max = _mm512_setzero_pd(), precedent = lo;
    // The sum of the steps is finite only when every step is: infinite or NaN pulsations go to
    // the test point by point (max and min would drop a NaN).
    v8 somme = _mm512_setzero_pd();
    std::uint32_t tous = 0;
    for (int v = 0; v < vecteurs; ++v) {
        const v8 dx = _mm512_sub_pd(x[v], decaler(x[v], precedent));
        lo = _mm512_mask_min_pd(lo, valide[v], lo, x[v]);
        hi = _mm512_mask_max_pd(hi, valide[v], hi, x[v]);
        l2max = _mm512_mask_max_pd(l2max, valide[v], l2max, _mm512_mul_pd(dx, dx));
        somme = _mm512_mask_add_pd(somme, valide[v], somme, dx);
        precedent = x[v];
        tous |= static_cast<std::uint32_t>(valide[v]) << (largeur * static_cast<std::size_t>(v));
    }
    const v8 vlo = diffuser(_mm512_reduce_min_pd(lo)), vhi = diffuser(_mm512_reduce_max_pd(hi));
    const v8 vl2 = diffuser(_mm512_reduce_max_pd(l2max)), vlim = diffuser(limite2);
    __mmask8 douteux =
        _mm512_cmp_pd_mask(_mm512_sub_pd(somme, somme), _mm512_setzero_pd(), _CMP_NEQ_UQ);
    for (int j = 0; j < rv.nb_vecteurs; ++j) {
        const v8 ry = _mm512_load_pd(rv.ry + 8 * j);
        const v8 dy = _mm512_max_pd(_mm512_setzero_pd(),
                                    _mm512_max_pd(_mm512_sub_pd(ry, vhi), _mm512_sub_pd(vlo, ry)));
        const v8 d2 = _mm512_fmadd_pd(dy, dy, _mm512_load_pd(rv.rx2 + 8 * j));
        douteux |= _mm512_cmp_pd_mask(vl2, _mm512_mul_pd(vlim, d2), _CMP_NLT_UQ);
    }
    if (douteux == 0) return tous;
    alignas(64) double xs[groupe];
    for (int v = 0; v < vecteurs; ++v)
        _mm512_store_pd(xs + largeur * static_cast<std::size_t>(v), x[v]);
    return points_surs_un_par_un(f, xs, tous, avant, limite2);
}

// The unwrapping state along the series.
struct deroulement {
    long tours;
    double base;
    double decalage;  // base + 2π·tours
    double arg_avant; // the argument of the previous point, in (−π, π]; NaN if it is undefined
};

// Ruptures and unwrapped arguments of m points, one by one: the rare groups with a rupture or a
// whole turn. Returns the number of ruptures written.
std::size_t derouler_un_par_un(const double* arg, const double* gain, std::size_t m,
                               std::uint32_t surs, std::uint32_t premier, deroulement& d,
                               double* argument, std::uint32_t* ruptures) {
    std::size_t nb = 0;
    for (std::size_t k = 0; k < m; ++k) {
        // A point continues the series when it and the previous point are finite and the
        // distance test holds.
        const bool fini = std::isfinite(gain[k]) && std::isfinite(arg[k]);
        if (!fini || !std::isfinite(d.arg_avant) || !(surs >> k & 1u))
            ruptures[nb++] = premier + static_cast<std::uint32_t>(k);
        // Both arguments lie in (−π, π]: one turn at most separates consecutive points.
        const double ecart = arg[k] - d.arg_avant;
        if (ecart > pi || ecart <= -pi) {
            d.tours += ecart > 0 ? -1 : 1;
            d.decalage = d.base + 2 * pi * static_cast<double>(d.tours);
        }
        argument[k] = arg[k] + d.decalage;
        // An undefined point passes on an undefined argument, so the next point is a rupture.
        d.arg_avant = fini ? arg[k] : NAN;
    }
    return nb;
}

// Ruptures and unwrapped arguments of one group. Most groups have neither a rupture nor a turn
// (every |T|² normal, so every gain and argument finite; the distance test passed; each step of
// the argument below π): one test settles them and the arguments are stored shifted by the same
// amount.
VARLEM_AVX512_EN_LIGNE std::size_t derouler(const v8* arg, const v8* gain, const __mmask8* valide,
                                            std::size_t m, std::uint32_t surs, unsigned hors_norme,
                                            std::uint32_t premier, deroulement& d, double* argument,
                                            std::uint32_t* ruptures) {
    v8 avant = diffuser(d.arg_avant);
    __mmask8 douteux = hors_norme != 0 || !std::isfinite(d.arg_avant) ? 1 : 0;
    for (int v = 0; v < vecteurs; ++v) {
        const v8 ecart = _mm512_abs_pd(_mm512_sub_pd(arg[v], decaler(arg[v], avant)));
        douteux |= _mm512_mask_cmp_pd_mask(valide[v], ecart, diffuser(pi), _CMP_GE_OQ);
        avant = arg[v];
    }
    const std::uint32_t tous = m >= groupe ? ~0u : (1u << m) - 1u;
    if (douteux == 0 && (surs & tous) == tous) {
        const v8 dv = diffuser(d.decalage);
        for (int v = 0; v < vecteurs; ++v)
            ranger(argument + largeur * v, valide[v], _mm512_add_pd(arg[v], dv));
        alignas(64) double dernier[largeur];
        _mm512_store_pd(dernier, arg[(m - 1) / largeur]);
        d.arg_avant = dernier[(m - 1) % largeur];
        return 0;
    }
    alignas(64) double a[groupe], g[groupe];
    for (int v = 0; v < vecteurs; ++v) {
        _mm512_store_pd(a + largeur * v, arg[v]);
        _mm512_store_pd(g + largeur * v, gain[v]);
    }
    return derouler_un_par_un(a, g, m, surs, premier, d, argument, ruptures);
}

} // namespace

bool avx512_disponible() {
    static const bool disponible = __builtin_cpu_supports("avx512f");
    return disponible;
}

VARLEM_AVX512
std::size_t evaluer_avx512(const donnees_fonction& f, const double* w, std::size_t n,
                           suite_noyau& suite, const sorties_noyau& s) {
    std::size_t nb_ruptures = 0;
    if (n == 0) return nb_ruptures;
    // Between two pulsations the phase turns by at most Σ L/dᵢ (L the step, dᵢ the distance of
    // root i to the segment); below π/2 the wrapped change of arg T is the true change.
    const double limite = (pi / 2) / std::max(f.nb_racines, 1);
    const double limite2 = limite * limite;
    const racines_vect rv(f);
    deroulement d{suite.tours, suite.base, suite.base + 2 * pi * static_cast<double>(suite.tours),
                  suite.arg_precedent};
    double w_avant = suite.w_precedent;
    for (std::size_t a = 0; a < n; a += groupe) {
        const std::size_t mg = std::min(groupe, n - a);
        __mmask8 valide[vecteurs];
        v8 x[vecteurs], re[vecteurs], im[vecteurs], gain[vecteurs], arg[vecteurs];
        unsigned hors_norme = 0;
        for (int v = 0; v < vecteurs; ++v) {
            const std::size_t debut_v = std::min(mg, largeur * static_cast<std::size_t>(v));
            valide[v] = static_cast<__mmask8>((1u << std::min(largeur, mg - debut_v)) - 1u);
            x[v] = _mm512_maskz_loadu_pd(valide[v], w + a + debut_v);
        }
        const std::uint32_t surs = points_surs(f, rv, x, valide, w_avant, limite2);
        transmittance(f, x, re, im, arg);
        for (int v = 0; v < vecteurs; ++v) {
            ranger(s.t_re + a + largeur * v, valide[v], re[v]);
            ranger(s.t_im + a + largeur * v, valide[v], im[v]);
            gain[v] = gain_db(re[v], im[v], valide[v], hors_norme);
            ranger(s.gain_db + a + largeur * v, valide[v], gain[v]);
        }
        nb_ruptures +=
            derouler(arg, gain, valide, mg, surs, hors_norme, static_cast<std::uint32_t>(a), d,
                     s.argument + a, s.ruptures + nb_ruptures);
        w_avant = w[a + mg - 1];
    }
    suite.arg_precedent = d.arg_avant;
    suite.tours = d.tours;
    suite.w_precedent = w_avant;
    // The unwrapping above follows the fraction alone; the delay's phase is smooth.
    if (f.retard > 0) appliquer_retard(f.retard, w, n, s.t_re, s.t_im, s.argument);
    return nb_ruptures;
}

} // namespace varlem::noyau

#else

namespace varlem::noyau {

bool avx512_disponible() {
    return false;
}

std::size_t evaluer_avx512(const donnees_fonction& f, const double* w, std::size_t n,
                           suite_noyau& suite, const sorties_noyau& s) {
    return evaluer_portable(f, w, n, suite, s);
}

} // namespace varlem::noyau

#endif
