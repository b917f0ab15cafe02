#include "analysis/boucle_retard.h"

#include "numeric/boucle_retard.h"
#include "numeric/racines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace varlem {

namespace {

constexpr double pi = 3.14159265358979323846;
// Most the argument of F may turn between two samples before the step is halved.
constexpr double rotation_max = pi / 4;
// Base step of the walk along the axis: the argument of the fractions and of e^(−jωτ) turns by
// at most this much (radians) along it.
constexpr double rotation_pas = 0.1;
constexpr long evaluations_max = 4'000'000;
constexpr int subdivisions_max = 48;
// |F(jω)| below this fraction of |P| + |Q|: a root on the axis.
constexpr double zero_sur_axe = 1e-13;

// Real polynomial by power, without leading zeros (empty: the zero polynomial).
using reel = std::vector<double>;

reel reel_de(const polynome& p) {
    int n = std::clamp(p.degre, 0, capacite_polynome);
    while (n >= 0 && p.coef[static_cast<std::size_t>(n)].re == 0) --n;
    reel r;
    for (int k = 0; k <= n; ++k) r.push_back(p.coef[static_cast<std::size_t>(k)].re);
    return r;
}

reel produit(const reel& a, const reel& b) {
    if (a.empty() || b.empty()) return {};
    reel r(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    return r;
}

complexe valeur_jw(const reel& a, double w) {
    complexe s{}, p{1, 0};
    for (const double c : a) {
        s = {s.re + c * p.re, s.im + c * p.im};
        p = {-p.im * w, p.re * w};
    }
    return s;
}

void ajouter_racines(const polynome& p, std::vector<complexe>& r) {
    const reel c = reel_de(p);
    if (c.size() < 2) return;
    contexte_calcul ctx;
    ctx.graine = 1;
    const liste_racines l = racines(ctx, p);
    for (std::size_t k = 1; k < c.size(); ++k) r.push_back(l[k]);
}

// The characteristic function F(jω) = P(jω) + Q(jω)·e^(−jωτ) and what bounds its turning.
struct caracteristique {
    reel p, q;
    double tau = 0;
    std::vector<complexe> racines_p, racines_q;

    complexe valeur(double w) const {
        const complexe a = valeur_jw(p, w), b = valeur_jw(q, w);
        const double c = std::cos(w * tau), s = std::sin(w * tau);
        return {a.re + b.re * c + b.im * s, a.im + b.im * c - b.re * s};
    }
    double echelle(double w) const { return c_module(valeur_jw(p, w)) + c_module(valeur_jw(q, w)); }

    // A step from w along which neither the delay nor a root turns the argument by much.
    double pas(double w) const {
        double taux = tau, d_min = HUGE_VAL;
        for (const auto* l : {&racines_p, &racines_q})
            for (const complexe r : *l) {
                const double d = std::hypot(r.re, w - r.im);
                d_min = std::min(d_min, d);
                if (d > 0) taux += 1 / d;
            }
        return std::min(rotation_pas / taux, d_min / 4);
    }
};

double rayon_racines(const caracteristique& f) {
    double r = 0;
    for (const auto* l : {&f.racines_p, &f.racines_q})
        for (const complexe z : *l) r = std::max(r, c_module(z));
    return r;
}

// A pulsation beyond every root above which |Q/P| ≤ (1 + c)/2 < 1, c the ratio at infinity.
double pulsation_queue(const caracteristique& f) {
    const double r = std::max(rayon_racines(f), 1e-300);
    const int n = static_cast<int>(f.p.size()) - 1, m = static_cast<int>(f.q.size()) - 1;
    if (m < 0) return 2 * r;
    const double c = std::fabs(f.q.back() / f.p.back());
    const double cible = m == n ? (1 + c) / 2 : 0.5;
    for (double w = 2 * r; std::isfinite(w); w *= 2) {
        // |Q/P| ≤ |q_m/p_n|·w^(m−n)·(1 + r/w)^m / (1 − r/w)^n beyond the roots.
        const double borne =
            c * std::pow(w, m - n) * std::pow(1 + r / w, m) / std::pow(1 - r / w, n);
        if (borne <= cible) return w;
    }
    return HUGE_VAL;
}

// The argument of F followed continuously from 0 to w_fin; nothing on a root of the axis.
std::optional<double> variation_argument(const caracteristique& f, double w_fin) {
    complexe avant = f.valeur(0);
    if (!(std::fabs(avant.re) > zero_sur_axe * f.echelle(0))) return std::nullopt;
    double w = 0, arg = std::atan2(avant.im, avant.re), cumul = 0;
    long evaluations = 0;
    while (w < w_fin) {
        double l = std::min(f.pas(w), w_fin - w);
        if (!(l > 0)) l = std::max(w, 1.0) * 1e-9;
        // The step is halved until the argument turns by less than π/4 along it.
        for (int n = 0;; ++n) {
            const complexe v = f.valeur(w + l);
            if (++evaluations > evaluations_max) return std::nullopt;
            if (!(c_module(v) > zero_sur_axe * f.echelle(w + l)) || !c_fini(v)) return std::nullopt;
            double d = std::atan2(v.im, v.re) - arg;
            d -= 2 * pi * std::nearbyint(d / (2 * pi));
            if (std::fabs(d) <= rotation_max || n == subdivisions_max) {
                if (std::fabs(d) > rotation_max) return std::nullopt;
                cumul += d;
                arg += d;
                w += l;
                break;
            }
            l /= 2;
        }
    }
    return cumul;
}

caracteristique caracteristique_de(const boucle_retardee& b) {
    caracteristique f;
    f.p = produit(reel_de(b.den_directe), reel_de(b.den_retour));
    f.q = produit(reel_de(b.num_directe), reel_de(b.num_retour));
    f.tau = b.retard;
    ajouter_racines(b.den_directe, f.racines_p);
    ajouter_racines(b.den_retour, f.racines_p);
    ajouter_racines(b.num_directe, f.racines_q);
    ajouter_racines(b.num_retour, f.racines_q);
    return f;
}

} // namespace

std::optional<int> racines_instables_boucle(const boucle_retardee& b) {
    if (!(b.retard > 0) || !std::isfinite(b.retard)) return std::nullopt;
    const caracteristique f = caracteristique_de(b);
    if (f.p.empty()) return std::nullopt;
    const int n = static_cast<int>(f.p.size()) - 1, m = static_cast<int>(f.q.size()) - 1;
    if (m > n) return INT_MAX;
    if (m == n) {
        // Neutral loop: chains of roots tend to Re p = ln|q/p|/τ.
        const double c = std::fabs(f.q.back() / f.p.back());
        if (c > 1) return INT_MAX;
        if (!(c < 1)) return std::nullopt;
    }
    const double w_fin = pulsation_queue(f);
    if (!std::isfinite(w_fin)) return std::nullopt;
    // The delay alone turns the argument by ω·τ: more steps than the search may take is known
    // before the first one (a gain of 1e27 pushes w_fin that far).
    if (!(w_fin * f.tau / rotation_pas < static_cast<double>(evaluations_max))) return std::nullopt;
    const std::optional<double> variation = variation_argument(f, w_fin);
    if (!variation) return std::nullopt;
    // Beyond w_fin the argument of F is that of P, plus that of 1 + Q/P·e^(−jωτ) which ends
    // near 0 (retarded loop) or within asin|Q/P| < π/2 of it (neutral loop).
    double queue = 0;
    for (const complexe r : f.racines_p) queue += pi / 2 - std::atan2(w_fin - r.im, -r.re);
    const complexe v = f.valeur(w_fin), vp = valeur_jw(f.p, w_fin);
    const complexe rapport = {(v.re * vp.re + v.im * vp.im), (v.im * vp.re - v.re * vp.im)};
    queue -= std::atan2(rapport.im, rapport.re);
    // Δ arg F over 0..∞ = π·(n/2 − Z).
    const double z = n / 2.0 - (*variation + queue) / pi;
    const double entier = std::nearbyint(z);
    if (!(std::fabs(z - entier) < (m == n ? 0.49 : 0.25)) || entier < 0) return std::nullopt;
    return static_cast<int>(entier);
}

bool boucle_retard_stable(const boucle_retardee& b) {
    const std::optional<int> n = racines_instables_boucle(b);
    return n && *n == 0;
}

namespace {

constexpr double niveaux[2] = {0.1, 0.9};
constexpr double bandes[2] = {0.05, 0.02};
// The response is taken as settled once it stays this close to its final value over the last
// quarter of the time computed: a tenth of the narrower band.
constexpr double reste_final = 0.002;
constexpr int doublements_max = 12;
// A peak this close to the final value is the final value approached.
constexpr double bruit_pic = 1e-9;

// u(t) = y(t)/y_f on the computed response.
struct reponse_normee {
    const reponse_boucle_retard& r;
    double yf;
    double operator()(double t) const { return r.valeur(t) / yf; }
};

// Where g − niveau changes sign in [a, b] (g(a) < niveau ≤ g(b) or the reverse), by bisection
// to the last bits.
template <class G> double croisement(const G& g, double a, double b, double niveau) {
    const bool monte = g(a) < niveau;
    for (int i = 0; i < 200 && b - a > 1e-15 * std::max(1.0, std::fabs(b)); ++i) {
        const double m = (a + b) / 2;
        ((g(m) < niveau) == monte ? a : b) = m;
    }
    return (a + b) / 2;
}

// The largest value of g in [a, b] by golden sections (g has one maximum there).
template <class G> double maximum(const G& g, double a, double b) {
    const double r = 0.6180339887498949;
    double c = b - r * (b - a), d = a + r * (b - a);
    double gc = g(c), gd = g(d);
    for (int i = 0; i < 200 && b - a > 1e-14 * std::max(1.0, std::fabs(b)); ++i) {
        if (gc >= gd) {
            b = d, d = c, gd = gc;
            c = b - r * (b - a);
            gc = g(c);
        } else {
            a = c, c = d, gc = gd;
            d = a + r * (b - a);
            gd = g(d);
        }
    }
    return gc >= gd ? c : d;
}

// The response to the unit step computed far enough for it to have settled, or nothing.
std::optional<reponse_boucle_retard> reponse_etablie(const boucle_retardee& echelon, double yf,
                                                     double duree) {
    for (int n = 0; n <= doublements_max; ++n, duree *= 2) {
        reponse_boucle_retard r(echelon, duree);
        if (!r.valide()) return std::nullopt;
        const reponse_normee u{r, yf};
        bool etablie = true;
        for (double t = 0.75 * duree; t <= duree && etablie; t += r.pas())
            etablie = std::fabs(u(t) - 1) < reste_final;
        if (etablie) return r;
    }
    return std::nullopt;
}

double duree_initiale(const boucle_retardee& b) {
    const caracteristique f = caracteristique_de(b);
    double lent = HUGE_VAL;
    for (const complexe r : f.racines_p)
        if (c_module(r) > 0) lent = std::min(lent, c_module(r));
    return 20 * b.retard + (std::isfinite(lent) ? 10 / lent : 10 * b.retard);
}

void lire_reponse(const reponse_boucle_retard& r, double yf, reponse_indicielle& s) {
    const reponse_normee u{r, yf};
    const double h = r.pas(), fin = r.t_fin();
    const auto n = static_cast<long>(std::floor(fin / h));
    std::optional<double> niveau[2];
    long k_pic = 0;
    double u_pic = -HUGE_VAL;
    long derniere_sortie[2] = {-1, -1};
    for (long k = 0; k <= n; ++k) {
        const double v = u(k * h);
        for (int i = 0; i < 2; ++i)
            if (!niveau[i] && v >= niveaux[i])
                niveau[i] = k == 0 ? 0.0 : croisement(u, (k - 1) * h, k * h, niveaux[i]);
        if (v > u_pic) u_pic = v, k_pic = k;
        for (int j = 0; j < 2; ++j)
            if (std::fabs(v - 1) >= bandes[j]) derniere_sortie[j] = k;
    }
    if (niveau[0] && niveau[1]) s.temps_montee = *niveau[1] - *niveau[0];
    if (u_pic > 1 + bruit_pic) {
        const double t = maximum(u, std::max(0.0, (k_pic - 1) * h), std::min(fin, (k_pic + 1) * h));
        const double t_pic = u(t) >= u_pic ? t : k_pic * h;
        s.pic = u(t_pic) * yf;
        s.temps_pic = t_pic;
        s.depassement_pct = 100 * (u(t_pic) - 1);
    } else {
        s.pic = yf;
        s.depassement_pct = 0.0;
    }
    std::optional<double>* temps[2] = {&s.temps_reponse_5, &s.temps_reponse_2};
    for (int j = 0; j < 2; ++j) {
        const long k = derniere_sortie[j];
        if (k < 0) {
            *temps[j] = 0.0;
            continue;
        }
        const auto ecart = [&](double t) { return std::fabs(u(t) - 1); };
        // Left at k, inside from k + 1 on: the last time on the band's edge lies between.
        *temps[j] = croisement(ecart, k * h, (k + 1) * h, bandes[j]);
    }
}

} // namespace

reponse_indicielle indicielle_boucle_retard(const boucle_retardee& b) {
    reponse_indicielle s;
    if (!boucle_retard_stable(b)) return s;
    s.stable = true;
    const caracteristique f = caracteristique_de(b);
    // T(0) = N_G·D_R / (D_G·D_R + N_G·N_R) at p = 0, e^0 = 1; the input is the unit step.
    const reel n_g = reel_de(b.num_directe), dr = reel_de(b.den_retour);
    const double ng = n_g.empty() ? 0 : n_g[0];
    const double d0 = (f.p.empty() ? 0 : f.p[0]) + (f.q.empty() ? 0 : f.q[0]);
    const double yf = ng * (dr.empty() ? 0 : dr[0]) / d0;
    s.valeur_finale = yf;
    if (yf == 0 || !std::isfinite(yf)) return s;
    boucle_retardee echelon = b;
    p_nul(echelon.num_entree);
    p_nul(echelon.den_entree);
    echelon.num_entree.coef[0] = {1, 0};
    echelon.den_entree.degre = 1;
    echelon.den_entree.coef[1] = {1, 0};
    const std::optional<reponse_boucle_retard> r = reponse_etablie(echelon, yf, duree_initiale(b));
    if (!r) return s;
    lire_reponse(*r, yf, s);
    return s;
}

} // namespace varlem
