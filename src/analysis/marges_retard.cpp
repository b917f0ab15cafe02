// The phase crossings of a function with a delay, and the delay margin of any function.
#include "analysis/caracteristiques_calcul.h"

#include "analysis/polynomes_jw.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double eps = std::numeric_limits<double>::epsilon();
// Most the phase may turn along one step of the walk (radians).
constexpr double rotation_pas = 0.1;
// Bounds of the walk: evaluations, and crossings kept (a delay far beyond the loop's
// pulsations gives one crossing every 2π/τ).
constexpr long evaluations_max = 4'000'000;
constexpr std::size_t croisements_max = 10'000;
// As for the crossings without delay: N or D within this many roundings of zero is a zero or a
// pole of T, no crossing.
constexpr double arrondis_nuls = 1e3;

// The walk's view of f: the roots that bend the phase and the turns counted in half-turns
// from −180°.
struct marche_phase {
    const fonction_exacte& f;
    const complexe* z;
    int nz;

    // (φ(ω) − ωτ + 180°)/360°: an integer exactly at a phase crossing.
    double tours(double w) const { return (phase_exacte_deg(f, z, nz, w) + 180) / 360; }

    // The longest step from w along which the phase cannot turn by more than rotation_pas:
    // each root turns it at most by L/d over a step L at distance d, and the step stays below
    // a quarter of the nearest distance so that no root comes much nearer.
    double pas(double w) const {
        double taux = f.retard, d_min = HUGE_VAL;
        const auto prendre = [&](complexe r) {
            const double d = std::hypot(r.re, w - r.im);
            d_min = std::min(d_min, d);
            if (d > 0) taux += 1 / d;
        };
        for (int i = 0; i < nz; ++i) prendre(z[i]);
        for (int i = 0; i < f.nb_poles; ++i) prendre(f.poles[i]);
        const double l = std::min({rotation_pas / taux, d_min / 4, w});
        // A root on the axis at w itself: the walk steps over it.
        return std::max(l, w * 1e-9);
    }
};

double plus_grand_module(const fonction_exacte& f, const complexe* z, int nz) {
    double m = 0;
    for (int i = 0; i < nz; ++i) m = std::max(m, c_module(z[i]));
    for (int i = 0; i < f.nb_poles; ++i) m = std::max(m, c_module(f.poles[i]));
    return std::isfinite(m) ? m : 0.0;
}

double plus_petit_module(const fonction_exacte& f, const complexe* z, int nz) {
    double m = HUGE_VAL;
    const auto prendre = [&m](complexe r) {
        const double a = c_module(r);
        if (a > 0) m = std::min(m, a);
    };
    for (int i = 0; i < nz; ++i) prendre(z[i]);
    for (int i = 0; i < f.nb_poles; ++i) prendre(f.poles[i]);
    return m;
}

// The crossing at w, unless T is zero or infinite there.
bool croisement_en(const fonction_exacte& f, double w, croisement_phase& c) {
    const complexe n = valeur_jw(f.num_r, f.degre_num_r, w);
    const complexe d = valeur_jw(f.den_r, f.degre_den_r, w);
    if (c_module(n) <= arrondis_nuls * eps * borne_jw(f.num_r, f.degre_num_r, w) ||
        c_module(d) <= arrondis_nuls * eps * borne_jw(f.den_r, f.degre_den_r, w))
        return false;
    const double mn = std::hypot(n.re, n.im), md = std::hypot(d.re, d.im);
    const double rapport = md / mn;
    c.omega = w;
    c.gain_db = std::isfinite(rapport) && rapport > 0 ? -20 * std::log10(rapport)
                                                      : 20 * (std::log10(mn) - std::log10(md));
    c.marge_gain_db = -c.gain_db;
    c.marge_gain =
        std::isfinite(rapport) && rapport > 0 ? rapport : std::pow(10.0, c.marge_gain_db / 20);
    return true;
}

} // namespace

std::vector<croisement_phase> croisements_phase_retard(const fonction_exacte& f, const complexe* z,
                                                       int nz, const marges_stabilite& m) {
    std::vector<croisement_phase> res;
    if (!f.valide || f.nulle || !(f.retard > 0)) return res;
    double gain_max = 0;
    for (const croisement_gain& c : m.croisements_gain) gain_max = std::max(gain_max, c.omega);
    const double w_fin = 10 * std::max({gain_max, plus_grand_module(f, z, nz), 1 / f.retard});
    // The phase at ω → 0 is that of its first sample: a crossing there is none (a function
    // whose phase starts on −180° only leaves it).
    const double w_debut = 1e-6 * std::min({plus_petit_module(f, z, nz), 1 / f.retard, w_fin});
    if (!(w_fin > 0) || !std::isfinite(w_fin) || !(w_debut > 0)) return res;
    const marche_phase marche{f, z, nz};
    double w = w_debut, h = marche.tours(w);
    for (long n = 0; w < w_fin && n < evaluations_max; ++n) {
        const double w2 = std::min(w + marche.pas(w), w_fin);
        const double h2 = marche.tours(w2);
        // Every whole number of turns passed between the two samples is one crossing.
        const double lo = std::min(h, h2), hi = std::max(h, h2);
        for (double k = std::floor(hi); k > lo && std::isfinite(k); --k) {
            const auto ecart = [&](double x) { return marche.tours(x) - k; };
            const double x = k == h2 ? w2 : zero_encadre(ecart, w, w2, h - k, h2 - k);
            croisement_phase c;
            if (croisement_en(f, x, c)) res.push_back(c);
        }
        if (res.size() >= croisements_max) break;
        w = w2;
        h = h2;
    }
    std::sort(res.begin(), res.end(),
              [](const auto& a, const auto& b) { return a.omega < b.omega; });
    return res;
}

std::optional<double> marge_de_retard(const marges_stabilite& m) {
    if (!m.marge_phase_deg || !m.omega_marge_phase) return std::nullopt;
    if (!(*m.marge_phase_deg > 0) || !(*m.omega_marge_phase > 0)) return 0.0;
    return *m.marge_phase_deg * pi / 180 / *m.omega_marge_phase;
}

} // namespace varlem
