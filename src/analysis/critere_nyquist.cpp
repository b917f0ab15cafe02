#include "analysis/critere_nyquist.h"

#include "analysis/polynomes_reels.h"
#include "numeric/routh.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace varlem {

namespace {

constexpr double pi = std::numbers::pi;
// A polynomial whose coefficients all lie this far under the terms they sum is zero.
constexpr double tolerance_nulle = 1e-12;
// An angle this close to a multiple of π (in units of π) is on the real axis.
constexpr double tolerance_angle = 1e-9;
// A root of the crossing polynomial is real below this relative imaginary part.
constexpr double tolerance_reelle = 1e-7;

// p(z) within rounding of zero beside the terms it sums.
bool quasi_nul(const polynome_reel& p, complexe z) {
    double ampleur = 0;
    for (std::size_t k = p.size(); k-- > 0;) ampleur = ampleur * c_module(z) + std::fabs(p[k]);
    return c_module(pr_valeur(p, z)) <= 1e-9 * ampleur;
}

int signe(double x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

// An open-loop pole jω (ω ≥ 0) on the imaginary axis and its multiplicity.
struct pole_axe {
    double omega = 0;
    int m = 0;
};

// The poles on the axis: as many roots of D as Routh counts there, the nearest to the axis.
std::vector<pole_axe> poles_sur_axe(const polynome_reel& d, int nombre) {
    std::vector<complexe> r = pr_racines(d);
    std::sort(r.begin(), r.end(), [](complexe a, complexe b) {
        return std::fabs(a.re) / std::max(1.0, c_module(a)) <
               std::fabs(b.re) / std::max(1.0, c_module(b));
    });
    std::vector<pole_axe> p;
    for (int i = 0; i < nombre && i < static_cast<int>(r.size()); ++i) {
        const complexe z = r[std::size_t(i)];
        // Roots at the origin may come with a tiny imaginary part of either sign.
        const bool origine = std::fabs(z.im) <= 1e-9 * std::max(1.0, c_module(z));
        if (z.im < 0 && !origine) continue;
        const double w = origine ? 0.0 : z.im;
        auto e = std::find_if(p.begin(), p.end(), [&](const pole_axe& q) {
            return std::fabs(q.omega - w) <= 1e-9 * std::max(1.0, w);
        });
        if (e == p.end())
            p.push_back({w, 1});
        else
            ++e->m;
    }
    std::sort(p.begin(), p.end(),
              [](const pole_axe& a, const pole_axe& b) { return a.omega < b.omega; });
    return p;
}

// D divided by p^m0 and by each (p² + ω²)^m, the remainders (rounding) dropped.
polynome_reel sans_poles_axe(polynome_reel q, const std::vector<pole_axe>& poles) {
    for (const pole_axe& a : poles)
        for (int j = 0; j < a.m; ++j) {
            if (a.omega == 0) {
                q.erase(q.begin());
                continue;
            }
            const double c = a.omega * a.omega;
            const std::size_t n = q.size() - 1;
            polynome_reel r(n - 1, 0.0);
            for (std::size_t i = n - 1; i-- > 0;)
                r[i] = q[i + 2] - (i + 2 < n - 1 ? c * r[i + 2] : 0.0);
            q = r;
        }
    return q;
}

// Half-turns at infinity of an indentation: the arg of K·G goes clockwise from `entree` to
// `sortie` (radians, sortie = entree − m·π). Each passage through the far left of the plane
// crosses the ray (−∞, −1) upwards: +1. An end lying on the real axis is a crossing only when
// the plot next to it along the axis lies on the other side (sides ±1).
int demi_tours(double entree, double sortie, int cote_avant, int cote_apres) {
    double a = entree / pi, b = sortie / pi;
    const bool a_axe = std::fabs(a - std::round(a)) <= tolerance_angle;
    const bool b_axe = std::fabs(b - std::round(b)) <= tolerance_angle;
    if (a_axe) a = std::round(a);
    if (b_axe) b = std::round(b);
    int n = 0;
    for (long j = static_cast<long>(std::floor(b)); j <= static_cast<long>(std::ceil(a)); ++j)
        if (j % 2 != 0 && b < double(j) && double(j) < a) ++n;
    const auto impair = [](double x) { return static_cast<long>(x) % 2 != 0; };
    if (a_axe && impair(a) && cote_avant < 0) ++n;
    if (b_axe && impair(b) && cote_apres > 0) ++n;
    return n;
}

struct contour {
    polynome_reel n, d;
    double k = 0;
    std::vector<pole_axe> poles;
    int m0 = 0;
    // J(ω) = facteur·ω^puissance·jx(ω²): the sign of Im K·G(jω) once the axis poles' factors
    // are taken out.
    polynome_reel jx;
    int facteur = 1;
};

// The sign of Im K·G(jω) at ω > 0 (neither a pole nor a crossing).
int cote(const contour& c, double w) {
    int s = signe(c.k) * c.facteur * signe(pr_valeur(c.jx, {w * w, 0}).re);
    for (const pole_axe& a : c.poles)
        if (a.omega > 0 && a.m % 2 == 1 && w > a.omega) s = -s;
    return s;
}

// The polynomial of the crossings, with the axis poles' factors taken out:
// Im(N(jω)·conj D(jω)) = ω^m0·Π(ωk² − ω²)^mk·J(ω), J = Im((−j)^m0·N(jω)·conj Q(jω)).
bool preparer(contour& c) {
    const polynome_reel q = sans_poles_axe(c.d, c.poles);
    polynome_reel nr, ni, qr, qi;
    pr_parties_axe(c.n, nr, ni);
    pr_parties_axe(q, qr, qi);
    // N·conj Q = A(ω²) + j·ω·B(ω²): A = Nr·Qr + x·Ni·Qi, B = Ni·Qr − Nr·Qi.
    polynome_reel a = pr_combinaison(pr_produit(nr, qr), 1.0, [&] {
        polynome_reel x = pr_produit(ni, qi);
        x.insert(x.begin(), 0.0);
        pr_rogner(x);
        return x;
    }());
    polynome_reel b = pr_combinaison(pr_produit(ni, qr), -1.0, pr_produit(nr, qi));
    // (−j)^m0 turns Im into ±Re for odd m0.
    const int r = c.m0 % 4;
    c.jx = c.m0 % 2 == 0 ? b : a;
    c.facteur = (r == 0 || r == 3) ? 1 : -1;
    // Zero when every coefficient is within rounding of the products it sums.
    double ampleur = 0;
    for (double x : pr_produit(nr, qr)) ampleur = std::max(ampleur, std::fabs(x));
    for (double x : pr_produit(ni, qi)) ampleur = std::max(ampleur, std::fabs(x));
    for (double x : pr_produit(ni, qr)) ampleur = std::max(ampleur, std::fabs(x));
    for (double x : pr_produit(nr, qi)) ampleur = std::max(ampleur, std::fabs(x));
    for (double& x : c.jx)
        if (std::fabs(x) <= tolerance_nulle * ampleur) x = 0;
    pr_rogner(c.jx);
    return !c.jx.empty();
}

// K·G at the point jω.
complexe valeur(const contour& c, double w) {
    return c_produit({c.k, 0}, c_quotient(pr_valeur(c.n, {0, w}), pr_valeur(c.d, {0, w})));
}

// arg of the coefficient c of K·G ≈ c/(p − jω)^m next to the pole jω.
double argument_pole(const contour& c, const pole_axe& a) {
    std::vector<complexe> t(std::size_t(a.m) + 1);
    pr_taylor(c.d, {0, a.omega}, a.m, t.data());
    const complexe v =
        c_quotient(c_produit({c.k, 0}, pr_valeur(c.n, {0, a.omega})), t[std::size_t(a.m)]);
    return std::atan2(v.im, v.re);
}

int encerclements(contour& c) {
    // The breaks of the positive ω axis: the crossings and the poles.
    std::vector<double> x;
    for (const complexe& r : pr_racines(c.jx))
        if (r.re > 0 && std::fabs(r.im) <= tolerance_reelle * r.re) x.push_back(std::sqrt(r.re));
    std::vector<double> coupures = x;
    for (const pole_axe& a : c.poles)
        if (a.omega > 0) {
            // A root of J at a pole is no crossing: the plot is at infinity there.
            std::erase_if(coupures,
                          [&](double w) { return std::fabs(w - a.omega) <= 1e-7 * a.omega; });
            coupures.push_back(a.omega);
        }
    std::sort(coupures.begin(), coupures.end());
    coupures.erase(std::unique(coupures.begin(), coupures.end()), coupures.end());
    // The sign of Im K·G on each interval between breaks, from one point inside it.
    std::vector<int> cotes;
    for (std::size_t i = 0; i <= coupures.size(); ++i) {
        const double lo = i == 0 ? 0.0 : coupures[i - 1];
        const double w = i < coupures.size() ? (lo + coupures[i]) / 2 : (lo > 0 ? 2 * lo : 1.0);
        cotes.push_back(cote(c, w));
    }
    int n = 0;
    for (std::size_t i = 0; i < coupures.size(); ++i) {
        const double w = coupures[i];
        const int avant = cotes[i], apres = cotes[i + 1];
        const auto pole = std::find_if(c.poles.begin(), c.poles.end(),
                                       [&](const pole_axe& a) { return a.omega == w; });
        if (pole != c.poles.end()) {
            // Mirrored at −ω with the same count.
            const double arg = argument_pole(c, *pole);
            n += 2 * demi_tours(arg + pole->m * pi / 2, arg - pole->m * pi / 2, avant, apres);
        } else if (avant != apres && avant != 0 && apres != 0 && valeur(c, w).re < -1) {
            // Crossing upwards (Im from − to +) left of −1 counts one clockwise turn; its mirror
            // at −ω crosses the same way.
            n += 2 * (apres > avant ? 1 : -1);
        }
    }
    // ω = 0: a crossing (Im K·G is odd in ω), or the indentation round the poles at the origin.
    const int s0 = cotes.front();
    if (c.m0 == 0) {
        if (s0 != 0 && c.k * c.n[0] / c.d[0] < -1) n += s0 > 0 ? 1 : -1;
    } else {
        const double arg = argument_pole(c, {0.0, c.m0});
        n += demi_tours(arg + c.m0 * pi / 2, arg - c.m0 * pi / 2, -s0, s0);
    }
    // ω → ±∞, joined through the right half-plane.
    const int sinf = cotes.back();
    const int q = pr_degre(c.n) - pr_degre(c.d);
    if (q == 0) {
        if (sinf != 0 && c.k * c.n.back() / c.d.back() < -1) n += sinf < 0 ? 1 : -1;
    } else if (q > 0) {
        const double arg = std::atan2(0.0, c.k * c.n.back() / c.d.back());
        n += demi_tours(arg + q * pi / 2, arg - q * pi / 2, sinf, -sinf);
    }
    return n;
}

} // namespace

verdict_nyquist critere_nyquist(const polynome& num, const polynome& den, double k) {
    verdict_nyquist v;
    contour c{reel_de(num), reel_de(den), k, {}, 0, {}, 1};
    if (c.d.empty() || c.d.size() > std::size_t(capacite_polynome) + 1 ||
        c.n.size() > std::size_t(capacite_polynome) + 1)
        return v;
    v.valide = true;
    const comptes_racines cd = compter_racines_routh(c.d.data(), pr_degre(c.d));
    v.P = cd.partie_reelle_positive;
    v.poles_axe = cd.axe_imaginaire;
    if (k == 0 || c.n.empty()) {
        v.N = 0;
        v.Z = v.P;
        v.stable = v.P == 0 && v.poles_axe == 0;
        return v;
    }
    const polynome_reel boucle = pr_combinaison(c.d, k, c.n);
    if (boucle.empty()) return v;
    const comptes_racines cb = compter_racines_routh(boucle.data(), pr_degre(boucle));
    const bool perte_infini = pr_degre(boucle) < std::max(pr_degre(c.n), pr_degre(c.d));
    // Poles on the axis in closed loop: the plot goes through −1 and N has no meaning.
    if (cb.axe_imaginaire > 0 || perte_infini) return v;
    c.poles = poles_sur_axe(c.d, cd.axe_imaginaire);
    for (const pole_axe& a : c.poles) {
        if (a.omega == 0) c.m0 = a.m;
        // A pole on the axis that N cancels stays a closed-loop pole for every gain.
        if (quasi_nul(c.n, {0, a.omega})) return v;
    }
    int n = 0;
    if (preparer(c)) {
        n = encerclements(c);
    } else {
        // K·G real all along the axis: the plot runs on the real axis, away from −1, and only
        // the half-turns at infinity go round it.
        int tours = c.m0 + std::max(0, pr_degre(c.n) - pr_degre(c.d));
        for (const pole_axe& a : c.poles)
            if (a.omega > 0) tours += 2 * a.m;
        if (tours % 2 != 0) return v;
        n = tours / 2;
    }
    v.N = n;
    v.Z = n + v.P;
    v.stable = *v.Z == 0;
    return v;
}

} // namespace varlem
