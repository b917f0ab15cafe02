#include "analysis/polynomes_reels.h"

#include "numeric/contexte.h"
#include "numeric/racines.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varlem {

namespace {

// Roots of a polynomial beyond the root finder's capacity, by the simultaneous iteration of
// Ehrlich and Aberth, made symmetric about the real axis at the end.
std::vector<complexe> racines_simultanees(const polynome_reel& p) {
    const int n = pr_degre(p);
    std::vector<complexe> z(static_cast<std::size_t>(n));
    const double rayon = std::pow(std::fabs(p.front() / p.back()), 1.0 / n);
    for (int k = 0; k < n; ++k) {
        const double a = 2 * std::numbers::pi * k / n + 0.4;
        z[std::size_t(k)] = {rayon * std::cos(a), rayon * std::sin(a)};
    }
    for (int iteration = 0; iteration < 500; ++iteration) {
        bool bouge = false;
        for (int k = 0; k < n; ++k) {
            complexe v, d;
            pr_valeur_derivee(p, z[std::size_t(k)], v, d);
            if (v.re == 0 && v.im == 0) continue;
            const complexe rapport = c_quotient(v, d);
            complexe s{};
            for (int j = 0; j < n; ++j)
                if (j != k)
                    s = c_somme(
                        s, c_quotient({1, 0}, c_difference(z[std::size_t(k)], z[std::size_t(j)])));
            const complexe w = c_quotient(rapport, c_difference({1, 0}, c_produit(rapport, s)));
            if (!c_fini(w)) continue;
            z[std::size_t(k)] = c_difference(z[std::size_t(k)], w);
            if (c_module(w) > 1e-15 * c_module(z[std::size_t(k)])) bouge = true;
        }
        if (!bouge) break;
    }
    for (complexe& r : z)
        if (std::fabs(r.im) <= 1e-12 * c_module(r)) r.im = 0;
    return z;
}

} // namespace

polynome_reel reel_de(const polynome& p) {
    polynome_reel r;
    const int n = std::clamp(p.degre, 0, capacite_polynome);
    for (int k = 0; k <= n; ++k) r.push_back(p.coef[std::size_t(k)].re);
    pr_rogner(r);
    return r;
}

void pr_rogner(polynome_reel& p) {
    while (!p.empty() && p.back() == 0) p.pop_back();
}

complexe pr_valeur(const polynome_reel& p, complexe z) {
    double vr = 0, vi = 0;
    for (std::size_t k = p.size(); k-- > 0;) {
        const double r = vr * z.re - vi * z.im + p[k];
        vi = vr * z.im + vi * z.re;
        vr = r;
    }
    return {vr, vi};
}

void pr_valeur_derivee(const polynome_reel& p, complexe z, complexe& v, complexe& d) {
    double vr = 0, vi = 0, dr = 0, di = 0;
    for (std::size_t k = p.size(); k-- > 0;) {
        const double ndr = dr * z.re - di * z.im + vr;
        di = dr * z.im + di * z.re + vi;
        dr = ndr;
        const double r = vr * z.re - vi * z.im + p[k];
        vi = vr * z.im + vi * z.re;
        vr = r;
    }
    v = {vr, vi};
    d = {dr, di};
}

void pr_taylor(const polynome_reel& p, complexe z, int jmax, complexe* t) {
    const int n = pr_degre(p);
    // Leading coefficient first.
    std::vector<complexe> w(p.size());
    for (std::size_t i = 0; i < p.size(); ++i) w[i] = {p[p.size() - 1 - i], 0};
    for (int j = 0; j <= jmax; ++j) {
        const int d = n - j;
        if (d < 0) {
            t[j] = {};
            continue;
        }
        // Synthetic division by (x − z): the remainder is the value, the quotient carries on.
        for (int k = 1; k <= d; ++k)
            w[std::size_t(k)] = c_somme(w[std::size_t(k)], c_produit(z, w[std::size_t(k - 1)]));
        t[j] = w[std::size_t(d)];
    }
}

polynome_reel pr_derivee(const polynome_reel& p) {
    polynome_reel r;
    for (std::size_t k = 1; k < p.size(); ++k) r.push_back(static_cast<double>(k) * p[k]);
    pr_rogner(r);
    return r;
}

polynome_reel pr_produit(const polynome_reel& a, const polynome_reel& b) {
    if (a.empty() || b.empty()) return {};
    polynome_reel r(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    pr_rogner(r);
    return r;
}

polynome_reel pr_combinaison(const polynome_reel& a, double k, const polynome_reel& b) {
    polynome_reel r(std::max(a.size(), b.size()), 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) r[i] = a[i];
    for (std::size_t i = 0; i < b.size(); ++i) r[i] += k * b[i];
    pr_rogner(r);
    return r;
}

void pr_parties_axe(const polynome_reel& p, polynome_reel& r, polynome_reel& i) {
    r.assign(p.size() / 2 + 1, 0.0);
    i.assign(p.size() / 2 + 1, 0.0);
    for (std::size_t k = 0; k < p.size(); ++k) {
        // (jω)^k = (−1)^(k/2)·ω^k, times j for odd k.
        const double signe = (k / 2) % 2 == 0 ? 1.0 : -1.0;
        (k % 2 == 0 ? r : i)[k / 2] = signe * p[k];
    }
    pr_rogner(r);
    pr_rogner(i);
}

polynome pr_vers_polynome(const polynome_reel& p) {
    polynome r;
    r.degre = std::clamp(pr_degre(p), 0, capacite_polynome);
    for (int k = 0; k <= r.degre && k < static_cast<int>(p.size()); ++k)
        r.coef[std::size_t(k)] = {p[std::size_t(k)], 0};
    return r;
}

std::vector<complexe> pr_racines(const polynome_reel& p) {
    const int n = pr_degre(p);
    if (n <= 0) return {};
    if (n > capacite_polynome) return racines_simultanees(p);
    contexte_calcul ctx;
    ctx.graine = 1;
    const liste_racines l = racines(ctx, pr_vers_polynome(p));
    return std::vector<complexe>(l.begin() + 1, l.begin() + 1 + n);
}

std::vector<racine_multiple> grouper_racines(std::vector<complexe> r) {
    std::sort(r.begin(), r.end(),
              [](complexe a, complexe b) { return a.re != b.re ? a.re < b.re : a.im < b.im; });
    std::vector<racine_multiple> g;
    for (const complexe& z : r) {
        if (!g.empty() && g.back().z == z)
            ++g.back().m;
        else
            g.push_back({z, 1});
    }
    return g;
}

double argument_degres(complexe z) {
    double a = std::atan2(z.im, z.re) * 180 / std::numbers::pi;
    if (a <= -180) a += 360;
    return a;
}

} // namespace varlem
