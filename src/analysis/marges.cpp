#include "analysis/caracteristiques_calcul.h"

#include "analysis/polynomes_jw.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double eps = std::numeric_limits<double>::epsilon();
// Two refined roots closer than this fraction are one crossing (a double root found twice).
constexpr double ecart_distinct = 1e-10;
// N or D within this many roundings of zero at a candidate: a zero or a pole of T there.
constexpr double arrondis_nuls = 1e3;
// Where f only touches zero it must be this close to it, or the estimate was no root at all.
constexpr double contact_maximal = 1e-8;
// The resonance must stand out of |T(0)| and |T(∞)| by more than the rounding of the
// derivative's coefficients, or a flat response would show a peak of noise.
constexpr double saillie_resonance = 1e-12;

// |N(jω)|², |D(jω)|² and the even and odd parts they are built from, all in x = ω².
struct parties_jw {
    polynome_x en, on, ed, od;
    polynome_x n2, d2;
};

parties_jw parties(const fonction_exacte& f) {
    parties_jw p;
    p.en = partie_paire(f.num_r, f.degre_num_r);
    p.on = partie_impaire(f.num_r, f.degre_num_r);
    p.ed = partie_paire(f.den_r, f.degre_den_r);
    p.od = partie_impaire(f.den_r, f.degre_den_r);
    p.n2 = somme_x(produit_x(p.en, p.en), fois_x(produit_x(p.on, p.on)));
    p.d2 = somme_x(produit_x(p.ed, p.ed), fois_x(produit_x(p.od, p.od)));
    return p;
}

double log_module(complexe z) {
    return std::log(std::hypot(z.re, z.im));
}

complexe n_jw(const fonction_exacte& f, double w) {
    return valeur_jw(f.num_r, f.degre_num_r, w);
}

complexe d_jw(const fonction_exacte& f, double w) {
    return valeur_jw(f.den_r, f.degre_den_r, w);
}

// The argument in (−π/2, 3π/2].
double argument_branche(complexe a) {
    double t = std::atan2(a.im, a.re);
    if (t <= -pi / 2) t += 2 * pi;
    return t;
}

double reduire_marge(double x) {
    double r = std::fmod(x, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// Positive roots in ω of a polynomial in ω², refined on f (of ω) and made distinct.
template <class F>
int pulsations(contexte_calcul& ctx, const polynome_x& p, F&& f, racine_affinee* sortie) {
    double x[degre_max_x];
    const int n = racines_positives(ctx, p, x);
    for (int i = 0; i < n; ++i) x[i] = std::sqrt(x[i]);
    affiner_racines(f, x, n, sortie);
    std::sort(sortie, sortie + n, [](const auto& a, const auto& b) { return a.x < b.x; });
    int m = 0;
    for (int i = 0; i < n; ++i) {
        if (!sortie[i].change_de_signe && !(std::fabs(f(sortie[i].x)) <= contact_maximal)) continue;
        if (m > 0 && sortie[i].x - sortie[m - 1].x <= ecart_distinct * sortie[i].x) continue;
        sortie[m++] = sortie[i];
    }
    return m;
}

} // namespace

double phase_exacte_deg(const fonction_exacte& f, const complexe* z, int nz, double w) {
    const complexe jw{0, w};
    double s = 0;
    for (int i = 0; i < nz; ++i) s += argument_branche(c_difference(jw, z[i]));
    for (int i = 0; i < f.nb_poles; ++i) s -= argument_branche(c_difference(jw, f.poles[i]));
    if (f.gain_negatif) s -= pi;
    // The roots give the branch, the polynomials the value.
    const complexe n = n_jw(f, w), d = d_jw(f, w);
    if (c_module(n) > 0 && c_module(d) > 0) {
        const double a = std::atan2(n.im, n.re) - std::atan2(d.im, d.re) - s;
        s += a - 2 * pi * std::nearbyint(a / (2 * pi));
    }
    return (s - w * f.retard) * 180 / pi;
}

namespace {

// The phase crossings of a rational T: the real roots of Im N(jω)·conj D(jω) where T is
// negative, neither a zero nor a pole of T.
std::vector<croisement_phase>
croisements_phase_rationnels(contexte_calcul& ctx, const fonction_exacte& f, const parties_jw& p) {
    std::vector<croisement_phase> croisements;
    // Im N(jω)·conj D(jω) = ω·(O_N·E_D − E_N·O_D)(ω²), taken relative to |N|·|D|.
    const auto sinus = [&](double w) {
        const complexe n = n_jw(f, w), d = d_jw(f, w);
        const double s = std::hypot(n.re, n.im) * std::hypot(d.re, d.im);
        return s > 0 ? (n.im * d.re - n.re * d.im) / s : 0.0;
    };
    const polynome_x q = somme_x(produit_x(p.on, p.ed), produit_x(p.en, p.od), -1);
    racine_affinee r[degre_max_x];
    const int np = pulsations(ctx, q, sinus, r);
    for (int i = 0; i < np; ++i) {
        const double w = r[i].x;
        const complexe n = n_jw(f, w), d = d_jw(f, w);
        // A zero of T is no phase crossing, nor a pole.
        if (c_module(n) <= arrondis_nuls * eps * borne_jw(f.num_r, f.degre_num_r, w) ||
            c_module(d) <= arrondis_nuls * eps * borne_jw(f.den_r, f.degre_den_r, w))
            continue;
        if (!(n.re * d.re + n.im * d.im < 0)) continue;
        croisement_phase c;
        c.omega = w;
        const double mn = std::hypot(n.re, n.im), md = std::hypot(d.re, d.im);
        const double rapport = md / mn;
        c.gain_db = std::isfinite(rapport) && rapport > 0 ? -20 * std::log10(rapport)
                                                          : 20 * (std::log10(mn) - std::log10(md));
        c.marge_gain_db = -c.gain_db;
        c.marge_gain =
            std::isfinite(rapport) && rapport > 0 ? rapport : std::pow(10.0, c.marge_gain_db / 20);
        croisements.push_back(c);
    }

    return croisements;
}

// The margins reported: the phase crossing of smallest |gain margin| and the gain crossing of
// smallest |phase margin| (the first on a tie).
void retenir_marges(marges_stabilite& m) {
    for (const croisement_phase& c : m.croisements_phase)
        if (!m.marge_gain_db || std::fabs(c.marge_gain_db) < std::fabs(*m.marge_gain_db)) {
            m.marge_gain_db = c.marge_gain_db;
            m.omega_marge_gain = c.omega;
        }
    for (const croisement_gain& c : m.croisements_gain)
        if (!m.marge_phase_deg || std::fabs(c.marge_phase_deg) < std::fabs(*m.marge_phase_deg)) {
            m.marge_phase_deg = c.marge_phase_deg;
            m.omega_marge_phase = c.omega;
        }
}

} // namespace

marges_stabilite marges_exactes(contexte_calcul& ctx, const fonction_exacte& f) {
    marges_stabilite m;
    if (!f.valide || f.nulle) return m;
    const parties_jw p = parties(f);
    racine_affinee r[degre_max_x];

    const auto gain = [&](double w) { return log_module(n_jw(f, w)) - log_module(d_jw(f, w)); };
    const int ng = pulsations(ctx, somme_x(p.n2, p.d2, -1), gain, r);
    complexe z[capacite_polynome];
    // A delay needs the zeros for its phase crossings, with or without a gain crossing.
    const int nz = ng > 0 || f.retard > 0 ? zeros_exacts(ctx, f, z) : 0;
    if (ng > 0) {
        for (int i = 0; i < ng; ++i) {
            croisement_gain c;
            c.omega = r[i].x;
            c.phase_deg = phase_exacte_deg(f, z, nz, c.omega);
            c.marge_phase_deg = reduire_marge(180 + c.phase_deg);
            m.croisements_gain.push_back(c);
        }
    }

    if (f.retard > 0)
        m.croisements_phase = croisements_phase_retard(f, z, nz, m);
    else
        m.croisements_phase = croisements_phase_rationnels(ctx, f, p);

    retenir_marges(m);
    m.marge_retard = marge_de_retard(m);
    return m;
}

std::optional<double> bande_passante_exacte(contexte_calcul& ctx, const fonction_exacte& f) {
    if (!f.valide || f.nulle || f.den[0] == 0 || f.num_r[0] == 0) return std::nullopt;
    const double n0 = f.num_r[0], d0 = f.den_r[0];
    const parties_jw p = parties(f);
    const polynome_x b = somme_x(multiplie_x(p.n2, 2 * d0 * d0), multiplie_x(p.d2, n0 * n0), -1);
    const double log_t0 = std::log(std::fabs(n0 / d0));
    const auto ecart = [&](double w) {
        return std::log(2.0) + 2 * (log_module(n_jw(f, w)) - log_module(d_jw(f, w)) - log_t0);
    };
    racine_affinee r[degre_max_x];
    if (pulsations(ctx, b, ecart, r) == 0) return std::nullopt;
    return r[0].x;
}

std::optional<pic_resonance> resonance_exacte(contexte_calcul& ctx, const fonction_exacte& f) {
    if (!f.valide || f.nulle || f.den[0] == 0 || f.pole_sur_axe) return std::nullopt;
    if (f.degre_num_r > f.degre_den_r) return std::nullopt;
    const double t0 = std::fabs(f.num_r[0] / f.den_r[0]);
    const double t_inf = f.degre_num_r == f.degre_den_r
                             ? std::fabs(f.num_r[f.degre_num_r] / f.den_r[f.degre_den_r])
                             : 0.0;
    const parties_jw p = parties(f);
    const polynome_x d =
        somme_x(produit_x(derivee_x(p.n2), p.d2), produit_x(p.n2, derivee_x(p.d2)), -1);
    // d/dω ln|T(jω)| = Re(j·N′/N) − Re(j·D′/D), of the sign of d.
    const auto pente = [&](double w) {
        complexe n, dn, dd, dv;
        valeur_derivee_jw(f.num_r, f.degre_num_r, w, n, dn);
        valeur_derivee_jw(f.den_r, f.degre_den_r, w, dv, dd);
        const double g = quotient_sur(dd, dv).im - quotient_sur(dn, n).im;
        return std::isfinite(g) ? g : 0.0;
    };
    racine_affinee r[degre_max_x];
    const int n = pulsations(ctx, d, pente, r);
    std::optional<pic_resonance> meilleur;
    double module_max = 0;
    for (int i = 0; i < n; ++i) {
        if (!r[i].change_de_signe || !r[i].decroissante) continue;
        const double gain = log_module(n_jw(f, r[i].x)) - log_module(d_jw(f, r[i].x));
        const double module = std::exp(gain);
        if (meilleur && !(module > module_max)) continue;
        module_max = module;
        meilleur = pic_resonance{r[i].x, 20 * gain / std::log(10.0)};
    }
    if (!meilleur || !(module_max > t0 * (1 + saillie_resonance)) ||
        !(module_max > t_inf * (1 + saillie_resonance)))
        return std::nullopt;
    return meilleur;
}

} // namespace varlem
