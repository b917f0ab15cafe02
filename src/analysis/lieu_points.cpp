// The special points of the root locus: asymptotes, break-away points, imaginary-axis
// crossings, departure and arrival angles, and the stable gains.
#include "analysis/lieu_calcul.h"

#include "numeric/routh.h"

#include <algorithm>
#include <cmath>

namespace varlem::lieu {

namespace {

constexpr double tolerance_gain = 1e-12;
// A value this small beside the terms it sums counts as zero.
constexpr double tolerance_nulle = 1e-13;
// A break-away candidate whose gain −D/N has a larger relative imaginary part is none.
constexpr double tolerance_gain_reel = 1e-6;
// A root of the crossing polynomial in ω² is real below this relative imaginary part.
constexpr double tolerance_reelle = 1e-7;
constexpr int iterations_affinage = 30;

// Σ |c_k|·r^k: the scale of the terms summed into p(z) at |z| = r.
double ampleur(const polynome_reel& p, double r) {
    double s = 0;
    for (std::size_t k = p.size(); k-- > 0;) s = s * r + std::fabs(p[k]);
    return s;
}

bool quasi_nul(const polynome_reel& p, complexe z) {
    return c_module(pr_valeur(p, z)) <= tolerance_nulle * ampleur(p, c_module(z));
}

double residu_relatif(const polynome_reel& n, const polynome_reel& d, complexe s, double k) {
    const complexe ds = pr_valeur(d, s);
    const complexe kn = c_produit({k, 0}, pr_valeur(n, s));
    const double echelle = c_module(ds) + c_module(kn);
    return echelle > 0 ? c_module(c_somme(ds, kn)) / echelle : 0.0;
}

// Newton's method on the (m−1)-th derivative of D + K·N, of which the m-fold root s is a simple
// root, with K taken again from −D/N at each new s; s stays real when it is.
void affiner_separation(const polynome_reel& n, const polynome_reel& d, point_separation& p) {
    const bool reel = p.s.im == 0;
    double residu = residu_relatif(n, d, p.s, p.k);
    const int m = p.multiplicite;
    std::vector<complexe> t(static_cast<std::size_t>(m) + 1);
    for (int it = 0; it < iterations_affinage && residu > tolerance_gain; ++it) {
        pr_taylor(pr_combinaison(d, p.k, n), p.s, m, t.data());
        const complexe pas =
            c_quotient(t[std::size_t(m - 1)], c_produit({double(m), 0}, t[std::size_t(m)]));
        complexe s = c_difference(p.s, pas);
        if (reel) s.im = 0;
        const double k = c_quotient(pr_valeur(d, s), pr_valeur(n, s)).re * -1;
        const double r = residu_relatif(n, d, s, k);
        if (!c_fini(s) || !std::isfinite(k) || !(r < residu)) break;
        p.s = s;
        p.k = k;
        residu = r;
    }
}

// Newton's method on the two real equations Re and Im of D(jω) + K·N(jω) = 0 in (ω, K).
void affiner_croisement(const polynome_reel& n, const polynome_reel& d, croisement_axe& c) {
    double residu = residu_relatif(n, d, {0, c.omega}, c.k);
    for (int it = 0; it < iterations_affinage && residu > tolerance_gain; ++it) {
        complexe dv, dd, nv, nd;
        pr_valeur_derivee(d, {0, c.omega}, dv, dd);
        pr_valeur_derivee(n, {0, c.omega}, nv, nd);
        const complexe f = c_somme(dv, c_produit({c.k, 0}, nv));
        // ∂F/∂ω = j·(D′ + K·N′), ∂F/∂K = N.
        const complexe fw = c_produit({0, 1}, c_somme(dd, c_produit({c.k, 0}, nd)));
        const double det = fw.re * nv.im - nv.re * fw.im;
        if (det == 0) break;
        const double dw = (-f.re * nv.im + nv.re * f.im) / det;
        const double dk = (-fw.re * f.im + fw.im * f.re) / det;
        croisement_axe e{c.omega + dw, c.k + dk};
        if (c.omega == 0) e.omega = 0;
        const double r = residu_relatif(n, d, {0, e.omega}, e.k);
        if (!std::isfinite(e.omega) || !std::isfinite(e.k) || !(r < residu)) break;
        c = e;
        residu = r;
    }
}

// Newton's method on a real polynomial from a real start.
double polir_reel(const polynome_reel& p, double x) {
    for (int it = 0; it < 8; ++it) {
        complexe v, dv;
        pr_valeur_derivee(p, {x, 0}, v, dv);
        if (dv.re == 0) break;
        const double y = x - v.re / dv.re;
        complexe w, dw;
        pr_valeur_derivee(p, {y, 0}, w, dw);
        if (!std::isfinite(y) || !(std::fabs(w.re) < std::fabs(v.re))) break;
        x = y;
    }
    return x;
}

} // namespace

bool gain_exact(const polynome_reel& n, const polynome_reel& d, complexe s, double k) {
    return residu_relatif(n, d, s, k) <= tolerance_gain;
}

std::optional<asymptotes_lieu> asymptotes(const polynome_reel& n, const polynome_reel& d) {
    const int nd = pr_degre(d), nn = pr_degre(n);
    if (nd < 0 || nn < 0 || nd == nn) return std::nullopt;
    const int q = nd - nn;
    const double somme_poles = nd >= 1 ? -d[std::size_t(nd - 1)] / d.back() : 0.0;
    const double somme_zeros = nn >= 1 ? -n[std::size_t(nn - 1)] / n.back() : 0.0;
    asymptotes_lieu a;
    a.centre = (somme_poles - somme_zeros) / q + 0.0;
    const int aq = std::abs(q);
    // K·N/D ≈ −1 far away: the angles depend on the sign of the ratio of leading coefficients.
    const bool meme_signe = (n.back() > 0) == (d.back() > 0);
    for (int k = 0; k < aq; ++k)
        a.angles_deg.push_back((meme_signe ? 2 * k + 1 : 2 * k) * 180.0 / aq);
    return a;
}

std::vector<point_separation> separations(const polynome_reel& n, const polynome_reel& d,
                                          const std::vector<complexe>& poles,
                                          const std::vector<complexe>& zeros) {
    const auto commune = [&](complexe s) {
        const double t = 1e-7 * std::max(1.0, c_module(s));
        const auto pres = [&](const std::vector<complexe>& r) {
            return std::any_of(r.begin(), r.end(),
                               [&](complexe z) { return c_module(c_difference(z, s)) <= t; });
        };
        return pres(poles) && pres(zeros);
    };
    const polynome_reel w =
        pr_combinaison(pr_produit(pr_derivee(n), d), -1.0, pr_produit(n, pr_derivee(d)));
    std::vector<point_separation> r;
    if (pr_degre(w) < 1) return r;
    for (const racine_multiple& g : grouper_racines(pr_racines(w))) {
        if (g.z.im < 0) continue;
        // A pole gives K = 0, a zero K = ∞: no meeting of branches for a finite gain.
        if (quasi_nul(n, g.z) || quasi_nul(d, g.z) || commune(g.z)) continue;
        const complexe k = c_quotient(pr_valeur(d, g.z), pr_valeur(n, g.z));
        if (std::fabs(k.im) > tolerance_gain_reel * c_module(k) || !(-k.re > 0)) continue;
        point_separation p{g.z, -k.re, g.m + 1};
        affiner_separation(n, d, p);
        r.push_back(p);
        if (p.s.im > 0) r.push_back({c_conjugue(p.s), p.k, p.multiplicite});
    }
    std::sort(r.begin(), r.end(), [](const point_separation& a, const point_separation& b) {
        return a.s.re != b.s.re ? a.s.re < b.s.re : a.s.im < b.s.im;
    });
    return r;
}

std::vector<croisement_axe> croisements(const polynome_reel& n, const polynome_reel& d) {
    std::vector<croisement_axe> r;
    if (n.empty() || d.empty()) return r;
    polynome_reel dr, di, nr, ni;
    pr_parties_axe(d, dr, di);
    pr_parties_axe(n, nr, ni);
    // Im(D(jω)·conj N(jω)) = ω·H(ω²): K = −D/N is real where H vanishes.
    polynome_reel h(std::max(di.size() + nr.size(), dr.size() + ni.size()), 0.0);
    polynome_reel ampleurs(h.size(), 0.0);
    for (std::size_t i = 0; i < di.size(); ++i)
        for (std::size_t j = 0; j < nr.size(); ++j) {
            h[i + j] += di[i] * nr[j];
            ampleurs[i + j] += std::fabs(di[i] * nr[j]);
        }
    for (std::size_t i = 0; i < dr.size(); ++i)
        for (std::size_t j = 0; j < ni.size(); ++j) {
            h[i + j] -= dr[i] * ni[j];
            ampleurs[i + j] += std::fabs(dr[i] * ni[j]);
        }
    bool nul = true;
    for (std::size_t k = 0; k < h.size(); ++k) {
        if (std::fabs(h[k]) <= tolerance_nulle * ampleurs[k]) h[k] = 0;
        nul = nul && h[k] == 0;
    }
    // D/N real all along the axis: the locus runs along it, there is no crossing to list.
    if (nul) return r;
    if (n[0] != 0 && d[0] != 0 && -d[0] / n[0] > 0) r.push_back({0.0, -d[0] / n[0]});
    pr_rogner(h);
    for (const racine_multiple& g : grouper_racines(pr_racines(h))) {
        if (!(g.z.re > 0) || std::fabs(g.z.im) > tolerance_reelle * g.z.re) continue;
        const double x = g.m == 1 ? polir_reel(h, g.z.re) : g.z.re;
        if (!(x > 0)) continue;
        croisement_axe c{std::sqrt(x), 0};
        const complexe nj = pr_valeur(n, {0, c.omega});
        if (quasi_nul(n, {0, c.omega})) continue;
        const complexe dj = pr_valeur(d, {0, c.omega});
        c.k = -c_produit(dj, c_conjugue(nj)).re / (nj.re * nj.re + nj.im * nj.im);
        if (!(c.k > 0)) continue;
        affiner_croisement(n, d, c);
        r.push_back(c);
    }
    std::sort(r.begin(), r.end(),
              [](const croisement_axe& a, const croisement_axe& b) { return a.omega < b.omega; });
    r.erase(std::unique(r.begin(), r.end(),
                        [](const croisement_axe& a, const croisement_axe& b) {
                            return std::fabs(a.omega - b.omega) <= 1e-9 * std::fabs(b.omega);
                        }),
            r.end());
    return r;
}

std::optional<double> gain_infini(const polynome_reel& n, const polynome_reel& d) {
    if (n.empty() || d.empty() || pr_degre(n) != pr_degre(d)) return std::nullopt;
    const double k = -d.back() / n.back();
    if (!(k > 0)) return std::nullopt;
    return k;
}

std::vector<angle_racine> angles_depart(const polynome_reel& n, const polynome_reel& d,
                                        const std::vector<racine_multiple>& poles) {
    std::vector<angle_racine> r;
    for (const racine_multiple& g : poles) {
        if (g.m != 1 || g.z.im == 0 || quasi_nul(n, g.z)) continue;
        complexe v, dv;
        pr_valeur_derivee(d, g.z, v, dv);
        // Near a simple pole K·N/D ≈ K·N(p) / (D′(p)·(s − p)) = −1.
        const complexe direction = c_quotient(pr_valeur(n, g.z), dv);
        r.push_back({g.z, argument_degres({-direction.re, -direction.im})});
    }
    return r;
}

std::vector<angle_racine> angles_arrivee(const polynome_reel& n, const polynome_reel& d,
                                         const std::vector<racine_multiple>& zeros) {
    std::vector<angle_racine> r;
    for (const racine_multiple& g : zeros) {
        if (g.m != 1 || g.z.im == 0 || quasi_nul(d, g.z)) continue;
        complexe v, dv;
        pr_valeur_derivee(n, g.z, v, dv);
        // Near a simple zero K·N′(z)·(s − z) / D(z) = −1 as K grows.
        const complexe direction = c_quotient(pr_valeur(d, g.z), dv);
        r.push_back({g.z, argument_degres({-direction.re, -direction.im})});
    }
    return r;
}

std::vector<intervalle_gains> gains_stables(const polynome_reel& n, const polynome_reel& d,
                                            const std::vector<croisement_axe>& c) {
    std::vector<intervalle_gains> r;
    const std::size_t taille = std::max(n.size(), d.size());
    if (n.empty() || d.empty() || taille > std::size_t(capacite_polynome) + 1) return r;
    std::vector<double> bornes;
    for (const croisement_axe& e : c) bornes.push_back(e.k);
    if (const auto k = gain_infini(n, d)) bornes.push_back(*k);
    std::sort(bornes.begin(), bornes.end());
    bornes.erase(std::unique(bornes.begin(), bornes.end()), bornes.end());
    bornes.insert(bornes.begin(), 0.0);
    bornes.push_back(HUGE_VAL);
    for (std::size_t i = 0; i + 1 < bornes.size(); ++i) {
        const double lo = bornes[i], hi = bornes[i + 1];
        // A gain well inside the interval, on a logarithmic scale.
        const double k =
            std::isinf(hi) ? (lo > 0 ? 2 * lo : 1.0) : (lo > 0 ? std::sqrt(lo * hi) : hi / 2);
        const polynome_reel p = pr_combinaison(d, k, n);
        if (p.empty()) continue;
        const comptes_racines cr = compter_racines_routh(p.data(), pr_degre(p));
        if (cr.partie_reelle_positive == 0 && cr.axe_imaginaire == 0) r.push_back({lo, hi});
    }
    return r;
}

} // namespace varlem::lieu
