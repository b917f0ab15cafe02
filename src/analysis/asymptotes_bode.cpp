#include "analysis/asymptotes_bode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double degres_par_radian = 57.295779513082320876798;
constexpr double eps = std::numeric_limits<double>::epsilon();
// Newton may move a root this far from the analysis's value, no further: the analysis rounds a
// pole to 5 digits (5e-5 relative), so a longer move went to another root.
constexpr double deplacement_max = 1e-3;
constexpr int iterations_newton = 12;

// One distinct root of the numerator or the denominator.
struct racine_distincte {
    complexe valeur;
    double module = 0;
    int multiplicite = 0;
    bool est_zero = false;
};

// Real coefficients of the k-th derivative of p, lowest power first; its degree, −1 when p has
// no such derivative.
int derivee_ordre(const polynome& p, int k, double* d) {
    const int n = std::clamp(p.degre, 0, capacite_polynome);
    if (k > n) return -1;
    for (int i = 0; i <= n - k; ++i) {
        double c = p.coef[static_cast<std::size_t>(i + k)].re;
        for (int j = 1; j <= k; ++j) c *= i + j;
        d[i] = c;
    }
    return n - k;
}

// a(z) and a′(z) by Horner's scheme.
void horner(const double* a, int n, complexe z, complexe& v, complexe& dv) {
    v = {a[n], 0};
    dv = {};
    for (int i = n - 1; i >= 0; --i) {
        dv = c_somme(c_produit(dv, z), v);
        v = c_somme(c_produit(v, z), {a[i], 0});
    }
}

// r refined as a simple root of p^(m−1); r itself when Newton's method leaves its neighbourhood
// or cannot go on. Conjugate starts give exactly conjugate results.
complexe polir(const polynome& p, complexe r, int m) {
    double d[capacite_polynome + 1];
    const int n = derivee_ordre(p, m - 1, d);
    const double module = c_module(r);
    if (n < 1 || module == 0 || !std::isfinite(module)) return r;
    complexe z = r;
    for (int i = 0; i < iterations_newton; ++i) {
        complexe v, dv;
        horner(d, n, z, v, dv);
        if ((v.re == 0 && v.im == 0) || (dv.re == 0 && dv.im == 0)) break;
        const complexe dz = c_quotient(v, dv);
        const complexe suivant = c_difference(z, dz);
        if (!c_fini(suivant)) break;
        if (c_module(c_difference(suivant, r)) > deplacement_max * module) return r;
        z = suivant;
        if (c_module(dz) <= 2 * eps * c_module(z)) break;
    }
    return z;
}

// The distinct roots of entries t[0..n), each counted with its copies and polished on p.
void grouper(const std::array<terme, nb_termes_max>& t, int n, const polynome& p, bool est_zero,
             std::vector<racine_distincte>& sortie) {
    const std::size_t debut = sortie.size();
    for (int i = 0; i < n; ++i) {
        const complexe v = t[static_cast<std::size_t>(i)].valeur;
        const auto meme =
            std::find_if(sortie.begin() + static_cast<std::ptrdiff_t>(debut), sortie.end(),
                         [&](const racine_distincte& r) { return r.valeur == v; });
        if (meme != sortie.end())
            ++meme->multiplicite;
        else
            sortie.push_back({v, 0, 1, est_zero});
    }
    for (std::size_t i = debut; i < sortie.size(); ++i) {
        racine_distincte& r = sortie[i];
        r.valeur = polir(p, r.valeur, r.multiplicite);
        r.module = c_module(r.valeur);
    }
}

// Contribution of one factor jω − r below |r|, degrees: arg(−r) in (−90°, 270°], 90° at 0.
double angle_bas(const racine_distincte& r) {
    if (r.module == 0) return 90.0;
    double a = std::atan2(-r.valeur.im, -r.valeur.re) * degres_par_radian;
    if (a <= -90.0) a += 360.0;
    return a;
}

// Lowest power with a non-zero coefficient equals k, the roots the analysis put at the origin.
bool premier_coefficient(const polynome& p, int k, double& c) {
    for (int i = 0; i < k; ++i)
        if (p.coef[static_cast<std::size_t>(i)].re != 0) return false;
    c = std::fabs(p.coef[static_cast<std::size_t>(k)].re);
    return c > 0;
}

// 20·log10(|a/b|·Π|zᵢ|/Π|pⱼ|) over the non-zero roots: |N_k / D_l| where the polynomials'
// lowest coefficients agree with the roots at the origin, else from the roots themselves.
double gain_omega_1(const fdt_travail& ft, const std::vector<racine_distincte>& racines,
                    int zeros_origine, int poles_origine) {
    double n = 0, d = 0;
    if (premier_coefficient(ft.fonction.num, zeros_origine, n) &&
        premier_coefficient(ft.fonction.den, poles_origine, d))
        return 20 * (std::log10(n) - std::log10(d));
    double g = 20 * std::log10(std::fabs(ft.gain));
    for (const racine_distincte& r : racines)
        if (r.module > 0) g += (r.est_zero ? 20 : -20) * r.multiplicite * std::log10(r.module);
    return g;
}

double rampe(double w, double omega) {
    return std::clamp((std::log10(w / omega) + 1) / 2, 0.0, 1.0);
}

} // namespace

asymptotes_bode calculer_asymptotes(const fdt_travail& ft) {
    asymptotes_bode a;
    if (!(ft.gain != 0) || !std::isfinite(ft.gain)) return a;
    std::vector<racine_distincte> racines;
    grouper(ft.termes_zeros, nb_zeros(ft), ft.fonction.num, true, racines);
    grouper(ft.termes_poles, nb_poles(ft), ft.fonction.den, false, racines);

    int zeros_origine = 0, poles_origine = 0;
    a.phase_initiale_deg = ft.gain < 0 ? -180.0 : 0.0;
    for (const racine_distincte& r : racines) {
        const int signe = r.est_zero ? 1 : -1;
        a.phase_initiale_deg += signe * r.multiplicite * angle_bas(r);
        if (r.module == 0) (r.est_zero ? zeros_origine : poles_origine) += r.multiplicite;
    }
    a.pente_initiale = zeros_origine - poles_origine;
    a.gain_db_omega_1 = gain_omega_1(ft, racines, zeros_origine, poles_origine);

    std::sort(
        racines.begin(), racines.end(),
        [](const racine_distincte& x, const racine_distincte& y) { return x.module < y.module; });
    int pente = a.pente_initiale;
    double phase = a.phase_initiale_deg;
    for (std::size_t i = 0; i < racines.size();) {
        if (racines[i].module == 0 || !std::isfinite(racines[i].module)) {
            ++i;
            continue;
        }
        cassure_bode c;
        c.omega = racines[i].module;
        for (; i < racines.size() &&
               racines[i].module - c.omega <= ecart_modules_confondus * racines[i].module;
             ++i) {
            const racine_distincte& r = racines[i];
            const int signe = r.est_zero ? 1 : -1;
            (r.est_zero ? c.zeros : c.poles) += r.multiplicite;
            c.saut_phase_deg += signe * r.multiplicite * (90.0 - angle_bas(r));
        }
        pente += c.zeros - c.poles;
        phase += c.saut_phase_deg;
        c.pente = pente;
        c.phase_apres_deg = phase;
        a.cassures.push_back(c);
    }
    a.valide = std::isfinite(a.gain_db_omega_1);
    return a;
}

double gain_asymptotique_db(const asymptotes_bode& a, double w) {
    const double l = std::log10(w);
    double g = a.gain_db_omega_1 + 20.0 * a.pente_initiale * l;
    for (const cassure_bode& c : a.cassures) {
        if (!(w > c.omega)) break;
        g += 20.0 * (c.zeros - c.poles) * (l - std::log10(c.omega));
    }
    return g;
}

double phase_asymptotique_deg(const asymptotes_bode& a, double w, convention_phase convention) {
    double phase = a.phase_initiale_deg;
    for (const cassure_bode& c : a.cassures) {
        if (convention == convention_phase::paliers) {
            if (w < c.omega) break;
            phase = c.phase_apres_deg;
        } else {
            phase += c.saut_phase_deg * rampe(w, c.omega);
        }
    }
    return phase;
}

lecture_asymptote lire_asymptote(const fdt_travail& ft, const asymptotes_bode& a, double w) {
    lecture_asymptote l;
    l.gain_db = gain_asymptotique_db(a, w);
    l.ecart_db = l.gain_db - fdt_gain_db(ft.fonction, w);
    return l;
}

std::vector<double> noeuds_phase(const asymptotes_bode& a, convention_phase convention) {
    std::vector<double> n;
    for (const cassure_bode& c : a.cassures) {
        if (convention == convention_phase::paliers) {
            n.push_back(c.omega);
        } else {
            n.push_back(c.omega / 10);
            n.push_back(c.omega * 10);
        }
    }
    std::sort(n.begin(), n.end());
    n.erase(std::unique(n.begin(), n.end()), n.end());
    return n;
}

} // namespace varlem
