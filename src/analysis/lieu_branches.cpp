// The branches of the root locus by continuation in K. Between two special gains each root is
// predicted from its speed dz/dK = −N(z)/P′(z), P = D + K·N, and corrected by Newton's method;
// a step is taken again, shorter, when a root would move by more than 0.5 % of the view or when
// its correction could have led it to another root's place. Roots are matched to the previous
// step only where they meet: at K = 0 on a multiple pole, at a break-away point, where a root
// passes through infinity. There each root leaves along the local expansion of the locus, the
// branches that met going on as straight as they can (turning left when two ways are equally
// straight); the root finder shares the roots out when that expansion cannot.
#include "analysis/lieu_calcul.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace varlem::lieu {

namespace {

constexpr double part_vue = 0.005;
// Beyond the view a root may move by this fraction of its distance to it.
constexpr double part_lointaine = 0.1;
// A root's Newton correction must stay under this fraction of the distance from its prediction
// to the nearest other prediction.
constexpr double part_bassin = 0.3;
// A root moves by at most this fraction of its distance to the nearest other root: where two
// roots pass close by, the steps shrink with the gap, so that neither can take the other's way.
constexpr double part_voisin = 1.0 / 3;
// The predicted move aims this far under the allowed one.
constexpr double marge_pas = 0.8;
constexpr int essais_pas = 60;
constexpr int iterations_newton = 12;
constexpr std::size_t echantillons_max = 200000;
constexpr double gain_max = 1e250;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double pi = std::numbers::pi;

double distance(complexe a, complexe b) {
    return c_module(c_difference(a, b));
}

double angle(complexe z) {
    return std::atan2(z.im, z.re);
}

double ecart_angulaire(double a, double b) {
    return std::fabs(std::remainder(a - b, 2 * pi));
}

double carre(complexe z) {
    return z.re * z.re + z.im * z.im;
}

// a / b by Smith's method: no square root, and no overflow of |b|² for large b.
complexe quotient(complexe a, complexe b) {
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const double r = b.im / b.re, d = b.re + b.im * r;
        return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
    }
    const double r = b.re / b.im, d = b.re * r + b.im;
    return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}

complexe polaire(double r, double a) {
    return {r * std::cos(a), r * std::sin(a)};
}

// Roots that meet at s (m of them) for the gain k, or leave a pole of multiplicity m at K = 0:
// near there D + K·N ≈ c_m·(z − s)^m + (K − k)·N(s).
struct groupe {
    complexe s;
    int m = 1;
    double k = 0;
    complexe cm, ns;
    std::vector<int> membres;
    /// Direction each member arrived from, as seen from s (empty at K = 0).
    std::vector<double> arrivees;
};

bool contient(const std::vector<int>& v, int i) {
    return std::find(v.begin(), v.end(), i) != v.end();
}

class suiveur {
  public:
    suiveur(const polynome_reel& n, const polynome_reel& d, const donnees_branches& b);
    branches_lieu suivre();

  private:
    const polynome_reel& n_;
    const polynome_reel& d_;
    const donnees_branches& b_;
    int nb_ = 0;
    double delta_ = 0, rayon_vue_ = 0, rayon_loin_ = 0;
    complexe centre_;
    double k_ = 0, dk_ = 0;
    std::vector<complexe> z_, essai_, prevu_, vitesses_, acceleration_, derivees_, derivees2_;
    std::vector<bool> derivee_connue_;
    /// Distance of each root to its nearest other root, at the current gain.
    std::vector<double> voisins_;
    /// Branches on a root common to N and D: a root of D + K·N for every K, which never moves;
    /// their values, divided out of D + K·N when the others are corrected.
    std::vector<bool> fixe_;
    std::vector<complexe> communes_;
    std::vector<double> p_;
    std::vector<double> ks_;
    std::vector<complexe> echantillons_;

    double permis(complexe z) const;
    double permis(std::size_t i) const;
    void coefficients(double k);
    void valeurs(complexe z, complexe& v, complexe& dv, complexe& d2v) const;
    bool newton(complexe& z, complexe& d1, complexe& d2) const;
    void preparer_vitesses();
    double pas_propose() const;
    void prevoir(double k1);
    void garder();
    bool corriger(const std::vector<int>& fixes);
    bool bassins_sains(const std::vector<int>& fixes) const;
    bool predire_groupe(const groupe& g, double k1);
    bool repartir_racines(double k1, const std::vector<int>& libres, std::vector<complexe>& reste);
    double premier_gain() const;
    void reperer_racines_communes();
    std::vector<groupe> groupes_poles() const;
    bool depart(double k1, std::vector<groupe>& gs);
    std::vector<groupe> rencontres_a(double k) const;
    bool rencontre_atteinte(double k1, std::vector<groupe>& gs);
    bool apres_rencontre(double k1, const std::vector<groupe>& gs);
    int plus_lointaine() const;
    bool apres_infini(double k1, int fuyante);
    bool termine() const;
    double gain_suivant(double cible, const std::vector<groupe>& gs, int fuyante) const;
    void accepter(double k1);
    bool quitter(const std::vector<groupe>& gs, int fuyante);
    bool pas_special(double cible, const std::vector<groupe>& gs, bool vers_infini);
};

suiveur::suiveur(const polynome_reel& n, const polynome_reel& d, const donnees_branches& b)
    : n_(n), d_(d), b_(b) {
    nb_ = std::max(pr_degre(n), pr_degre(d));
    const vue_plan& v = b.vue;
    const double largeur = v.re_max - v.re_min, hauteur = v.im_max - v.im_min;
    delta_ = part_vue * std::max(largeur, hauteur);
    centre_ = {(v.re_max + v.re_min) / 2, (v.im_max + v.im_min) / 2};
    rayon_vue_ = std::hypot(largeur, hauteur) / 2;
    rayon_loin_ = 3 * rayon_vue_;
    p_.assign(std::size_t(nb_) + 1, 0.0);
}

double suiveur::permis(complexe z) const {
    if (!c_fini(z)) return inf;
    return std::max(delta_, part_lointaine * (distance(z, centre_) - rayon_vue_));
}

// The move allowed to root i from the current gain: within the view's allowance and a third of
// the gap to its nearest neighbour (roots on one point, where branches meet, leave by the
// meeting's expansion instead).
double suiveur::permis(std::size_t i) const {
    return std::min(permis(z_[i]), part_voisin * voisins_[i]);
}

void suiveur::coefficients(double k) {
    for (std::size_t i = 0; i < p_.size(); ++i)
        p_[i] = (i < d_.size() ? d_[i] : 0.0) + (i < n_.size() ? k * n_[i] : 0.0);
}

void suiveur::valeurs(complexe z, complexe& v, complexe& dv, complexe& d2v) const {
    double vr = 0, vi = 0, dr = 0, di = 0, sr = 0, si = 0;
    for (std::size_t k = p_.size(); k-- > 0;) {
        const double nsr = sr * z.re - si * z.im + dr;
        si = sr * z.im + si * z.re + di;
        sr = nsr;
        const double ndr = dr * z.re - di * z.im + vr;
        di = dr * z.im + di * z.re + vi;
        dr = ndr;
        const double r = vr * z.re - vi * z.im + p_[k];
        vi = vr * z.im + vi * z.re;
        vr = r;
    }
    v = {vr, vi};
    dv = {dr, di};
    d2v = {2 * sr, 2 * si};
}

// Newton's method from z. Its convergence is quadratic: after a correction c the error left is
// about |P″/(2P′)|·|c|², and the root is taken once that is 1e-12 of |z| (of a thousandth of
// the step allowance near the origin). P′ and P″ near the root are left in d1 and d2.
bool suiveur::newton(complexe& z, complexe& d1, complexe& d2) const {
    for (int it = 0; it < iterations_newton; ++it) {
        complexe v;
        valeurs(z, v, d1, d2);
        if (v.re == 0 && v.im == 0) return true;
        complexe pas = quotient(v, d1);
        // |P″/P′|², of the polynomial the correction works on.
        double courbure2 = carre(d2) / carre(d1);
        // Next to a common root the correction might lead there: it is divided out.
        bool pres_commune = false;
        for (const complexe& c : communes_)
            pres_commune = pres_commune || carre(c_difference(z, c)) < 100 * carre(pas);
        if (pres_commune) {
            // The common roots divided out: for Q = P/Π(z − c), Q′/Q = P′/P − Σ 1/(z − c) and
            // Q″/Q = (Q′/Q)² + P″/P − (P′/P)² + Σ 1/(z − c)².
            const complexe iv = quotient({1, 0}, v);
            const complexe g = c_produit(d1, iv), h = c_produit(d2, iv);
            complexe s1{}, s2{};
            for (const complexe& c : communes_) {
                const complexe u = quotient({1, 0}, c_difference(z, c));
                s1 = c_somme(s1, u);
                s2 = c_somme(s2, c_produit(u, u));
            }
            const complexe gq = c_difference(g, s1);
            const complexe hq =
                c_somme(c_somme(c_produit(gq, gq), c_difference(h, c_produit(g, g))), s2);
            pas = quotient({1, 0}, gq);
            courbure2 = carre(c_produit(hq, pas));
        }
        if (!c_fini(pas)) return false;
        z = c_difference(z, pas);
        // |pas|²·|P″/P′| / 2 ≤ 1e-12·échelle, squared throughout.
        const double c2 = carre(pas);
        const double echelle2 = std::max(1e-6 * delta_ * delta_, carre(z));
        if (!(c2 * c2 * courbure2 > 4e-24 * echelle2)) return c_fini(z);
    }
    return false;
}

// dz/dK = −N(z)/P′(z) at every root and d²z/dK² = −(P″·z′² + 2·N′·z′)/P′ (from P(z(K), K) = 0
// differentiated twice), with P′ and P″ kept from the root's correction or computed afresh where
// the root was placed rather than corrected.
void suiveur::preparer_vitesses() {
    std::fill(voisins_.begin(), voisins_.end(), inf);
    for (std::size_t i = 0; i < voisins_.size(); ++i) {
        if (!c_fini(z_[i]) || fixe_[i]) continue;
        for (std::size_t j = i + 1; j < voisins_.size(); ++j) {
            if (!c_fini(z_[j]) || fixe_[j]) continue;
            const double e = carre(c_difference(z_[i], z_[j]));
            if (e > 0)
                voisins_[i] = std::min(voisins_[i], e), voisins_[j] = std::min(voisins_[j], e);
        }
    }
    for (double& v : voisins_) v = std::sqrt(v);
    for (std::size_t i = 0; i < vitesses_.size(); ++i) {
        const complexe z = z_[i];
        vitesses_[i] = acceleration_[i] = {};
        if (!c_fini(z) || fixe_[i]) continue;
        complexe d1 = derivees_[i], d2 = derivees2_[i];
        if (!derivee_connue_[i]) {
            complexe v;
            valeurs(z, v, d1, d2);
        }
        complexe vn, dn;
        pr_valeur_derivee(n_, z, vn, dn);
        const complexe s = c_quotient(vn, d1);
        if (!c_fini(s)) continue;
        const complexe v = {-s.re, -s.im};
        vitesses_[i] = v;
        const complexe a = c_quotient(
            c_somme(c_produit(d2, c_produit(v, v)), c_produit({2 * dn.re, 2 * dn.im}, v)), d1);
        if (c_fini(a)) acceleration_[i] = {-a.re, -a.im};
    }
}

// The gain step that keeps every predicted move under its allowance and the prediction's
// curvature term under a tenth of it, at most four times the last step.
double suiveur::pas_propose() const {
    double dk = 4 * dk_;
    for (std::size_t i = 0; i < vitesses_.size(); ++i) {
        if (!c_fini(z_[i])) continue;
        const double v = c_module(vitesses_[i]), a = c_module(acceleration_[i]);
        const double permis_i = permis(i);
        if (v > 0) dk = std::min(dk, marge_pas * permis_i / v);
        if (a > 0) dk = std::min(dk, std::sqrt(0.2 * permis_i / a));
    }
    return dk;
}

// The prediction of every root at k1, to the second order in the gain step.
void suiveur::prevoir(double k1) {
    const double h = k1 - k_;
    for (std::size_t i = 0; i < prevu_.size(); ++i) {
        const complexe a = acceleration_[i];
        prevu_[i] =
            c_somme(z_[i], c_produit(c_somme(vitesses_[i], {a.re * h / 2, a.im * h / 2}), {h, 0}));
    }
}

void suiveur::garder() {
    ks_.push_back(k_);
    echantillons_.insert(echantillons_.end(), z_.begin(), z_.end());
}

// Each root's correction must not have been able to reach another root's place.
bool suiveur::bassins_sains(const std::vector<int>& fixes) const {
    for (int i = 0; i < nb_; ++i) {
        const complexe p = prevu_[std::size_t(i)];
        if (!c_fini(p) || contient(fixes, i) || fixe_[std::size_t(i)]) continue;
        const double correction2 = carre(c_difference(essai_[std::size_t(i)], p));
        if (correction2 == 0) continue;
        for (int j = 0; j < nb_; ++j)
            if (j != i && c_fini(prevu_[std::size_t(j)]) && !fixe_[std::size_t(j)] &&
                correction2 >
                    part_bassin * part_bassin * carre(c_difference(p, prevu_[std::size_t(j)])))
                return false;
    }
    return true;
}

// Newton's method from the predictions for every root but the fixed ones (already placed in
// essai_), and the checks of the step: moves within allowance, sound basins.
bool suiveur::corriger(const std::vector<int>& fixes) {
    for (int i = 0; i < nb_; ++i) {
        const std::size_t u = std::size_t(i);
        if (fixe_[u]) {
            prevu_[u] = essai_[u] = z_[u];
            derivee_connue_[u] = false;
            continue;
        }
        derivee_connue_[u] = !contient(fixes, i);
        if (!derivee_connue_[u]) {
            prevu_[u] = essai_[u];
            continue;
        }
        complexe z = prevu_[u];
        if (!c_fini(z) || !newton(z, derivees_[u], derivees2_[u]) || distance(z, z_[u]) > permis(u))
            return false;
        essai_[u] = z;
    }
    return bassins_sains(fixes);
}

// The members of a group at k1, from c_m·(z − s)^m = −(k1 − k)·N(s); members that arrived take
// the way out nearest to straight on (a quarter turn less a half of 2π/m to the left when m is
// even, where no way is straight).
bool suiveur::predire_groupe(const groupe& g, double k1) {
    const complexe w = c_quotient(c_produit({-(k1 - g.k), 0}, g.ns), g.cm);
    if (!c_fini(w) || (c_module(w) == 0 && g.m > 1)) return false;
    const double rayon = std::pow(c_module(w), 1.0 / g.m);
    std::vector<double> sorties;
    for (int j = 0; j < g.m; ++j) sorties.push_back((angle(w) + 2 * pi * j) / g.m);
    std::vector<bool> prise(sorties.size(), false);
    for (std::size_t j = 0; j < g.membres.size(); ++j) {
        std::size_t choisie = j;
        if (!g.arrivees.empty()) {
            const double cible = g.arrivees[j] + pi + (g.m % 2 == 0 ? pi / g.m : 0.0);
            double meilleur = inf;
            for (std::size_t q = 0; q < sorties.size(); ++q)
                if (!prise[q] && ecart_angulaire(sorties[q], cible) < meilleur)
                    meilleur = ecart_angulaire(sorties[q], cible), choisie = q;
        }
        prise[choisie] = true;
        complexe ecart = polaire(rayon, sorties[choisie]);
        // Along the real axis from a real point: exactly real, as the root is.
        if (g.s.im == 0 && std::fabs(ecart.im) <= 1e-12 * rayon) ecart.im = 0;
        prevu_[std::size_t(g.membres[j])] = c_somme(g.s, ecart);
    }
    return true;
}

// The roots of D + k1·N from the root finder: each branch of `libres` takes the root nearest its
// prediction, pairs taken nearest first; the other roots are left in `reste`.
bool suiveur::repartir_racines(double k1, const std::vector<int>& libres,
                               std::vector<complexe>& reste) {
    coefficients(k1);
    std::fill(derivee_connue_.begin(), derivee_connue_.end(), false);
    polynome_reel q = p_;
    pr_rogner(q);
    reste = pr_racines(q);
    if (static_cast<int>(reste.size()) != nb_) return false;
    struct paire {
        double d;
        int b;
        std::size_t r;
    };
    std::vector<paire> paires;
    for (int b : libres)
        for (std::size_t r = 0; r < reste.size(); ++r)
            paires.push_back({distance(prevu_[std::size_t(b)], reste[r]), b, r});
    std::sort(paires.begin(), paires.end(),
              [](const paire& a, const paire& b) { return a.d < b.d; });
    std::vector<bool> branche(std::size_t(nb_), false), racine(reste.size(), false);
    for (const paire& p : paires) {
        if (branche[std::size_t(p.b)] || racine[p.r]) continue;
        branche[std::size_t(p.b)] = racine[p.r] = true;
        if (distance(reste[p.r], z_[std::size_t(p.b)]) > permis(z_[std::size_t(p.b)])) return false;
        essai_[std::size_t(p.b)] = reste[p.r];
    }
    std::vector<complexe> r;
    for (std::size_t i = 0; i < reste.size(); ++i)
        if (!racine[i]) r.push_back(reste[i]);
    reste = r;
    // A branch on a common root keeps its value exactly.
    for (std::size_t i = 0; i < fixe_.size(); ++i)
        if (fixe_[i]) essai_[i] = z_[i];
    return true;
}

// The first gain: every pole group leaves by less than half its allowance, and the roots coming
// from infinity (deg N > deg D) start beyond the far circle.
double suiveur::premier_gain() const {
    double k = inf;
    for (const groupe& g : groupes_poles()) {
        const double cm = c_module(g.cm), nm = c_module(g.ns);
        if (nm > 0 && cm > 0) k = std::min(k, std::pow(0.5 * permis(g.s), g.m) * cm / nm);
    }
    const int q = pr_degre(n_) - pr_degre(d_);
    if (q > 0) {
        const double r = 2 * (rayon_loin_ + c_module(centre_));
        k = std::min(k, std::fabs(d_.back() / n_.back()) / std::pow(r, q));
    }
    if (!std::isfinite(k) || !(k > 0)) k = 1e-6;
    return k;
}

// The moving branches at each pole, with the expansion D + K·N ≈ c·(z − p)^m + K·ñ(p) that
// they leave by: on a pole of multiplicity M of which s are common roots, m = M − s moving
// branches, c = D^(M)(p)/M! and ñ(p) = N^(s)(p)/s!.
std::vector<groupe> suiveur::groupes_poles() const {
    std::vector<groupe> gs;
    std::vector<int> multiplicites, communes;
    for (int i = 0; i < nb_; ++i) {
        const complexe z = z_[std::size_t(i)];
        if (!c_fini(z)) continue;
        auto g = std::find_if(gs.begin(), gs.end(), [&](const groupe& e) { return e.s == z; });
        if (g == gs.end()) {
            gs.push_back({z, 0, 0, {}, {}, {}, {}});
            multiplicites.push_back(0);
            communes.push_back(0);
            g = gs.end() - 1;
        }
        const std::size_t u = std::size_t(g - gs.begin());
        ++multiplicites[u];
        if (fixe_[std::size_t(i)]) {
            ++communes[u];
        } else {
            g->membres.push_back(i);
            g->m = static_cast<int>(g->membres.size());
        }
    }
    for (std::size_t u = 0; u < gs.size(); ++u) {
        groupe& g = gs[u];
        const int mt = multiplicites[u], sc = communes[u];
        std::vector<complexe> t(std::size_t(mt) + 1);
        pr_taylor(d_, g.s, mt, t.data());
        g.cm = t[std::size_t(mt)];
        pr_taylor(n_, g.s, sc, t.data());
        g.ns = t[std::size_t(sc)];
    }
    std::erase_if(gs, [](const groupe& g) { return g.m == 0; });
    return gs;
}

// The branches starting on a root common to N and D stay on it: as many at each pole as N has
// zeros there.
void suiveur::reperer_racines_communes() {
    fixe_.assign(std::size_t(nb_), false);
    communes_.clear();
    for (int i = 0; i < nb_; ++i) {
        const complexe p = z_[std::size_t(i)];
        if (!c_fini(p) || fixe_[std::size_t(i)]) continue;
        bool deja = false;
        for (int j = 0; j < i; ++j) deja = deja || z_[std::size_t(j)] == p;
        if (deja) continue;
        int zeros = 0;
        for (const complexe& q : b_.zeros)
            zeros += distance(q, p) <= 1e-8 * std::max(1.0, c_module(p));
        for (int j = i; j < nb_ && zeros > 0; ++j)
            if (z_[std::size_t(j)] == p) {
                fixe_[std::size_t(j)] = true;
                communes_.push_back(p);
                --zeros;
            }
    }
}

bool suiveur::depart(double k1, std::vector<groupe>& gs) {
    coefficients(k1);
    prevu_ = z_;
    bool predit = true;
    for (const groupe& g : gs) predit = predit && predire_groupe(g, k1);
    // Roots coming from infinity: K·N ≈ −D far away, along the asymptotes.
    std::vector<int> venues;
    for (int i = 0; i < nb_; ++i)
        if (!c_fini(z_[std::size_t(i)])) venues.push_back(i);
    if (!venues.empty()) {
        const int q = static_cast<int>(venues.size());
        const auto a = asymptotes(n_, d_);
        const double w = -d_.back() / (k1 * n_.back());
        for (int j = 0; j < q; ++j)
            prevu_[std::size_t(venues[std::size_t(j)])] =
                c_somme({a ? a->centre : 0.0, 0}, polaire(std::pow(std::fabs(w), 1.0 / q),
                                                          ((w < 0 ? pi : 0) + 2 * pi * j) / q));
    }
    bool ok = predit && corriger({});
    if (!ok) {
        std::vector<int> libres;
        for (int i = 0; i < nb_; ++i)
            if (c_fini(z_[std::size_t(i)])) libres.push_back(i);
        std::vector<complexe> reste;
        ok = repartir_racines(k1, libres, reste) && reste.size() == venues.size();
        for (std::size_t j = 0; ok && j < venues.size(); ++j)
            essai_[std::size_t(venues[j])] = reste[j];
    }
    for (int i : venues) ok = ok && distance(essai_[std::size_t(i)], centre_) >= rayon_loin_;
    // Each root must stay much nearer its own pole than any other pole.
    for (const groupe& g : gs)
        for (int i : g.membres)
            for (const groupe& h : gs)
                ok = ok && (&h == &g || distance(essai_[std::size_t(i)], g.s) <=
                                            part_bassin * distance(g.s, h.s));
    return ok;
}

std::vector<groupe> suiveur::rencontres_a(double k) const {
    std::vector<groupe> r;
    if (!std::isfinite(k)) return r;
    for (const point_separation& p : b_.separations)
        if (std::fabs(p.k - k) <= 1e-12 * k) {
            groupe g{p.s, p.multiplicite, p.k, {}, {}, {}, {}};
            std::vector<complexe> t(std::size_t(g.m) + 1);
            pr_taylor(pr_combinaison(d_, p.k, n_), g.s, g.m, t.data());
            g.cm = t[std::size_t(g.m)];
            g.ns = pr_valeur(n_, g.s);
            r.push_back(g);
        }
    return r;
}

// The step onto a meeting gain: the branches arriving there take the meeting point itself.
bool suiveur::rencontre_atteinte(double k1, std::vector<groupe>& gs) {
    coefficients(k1);
    prevoir(k1);
    essai_ = z_;
    std::vector<int> fixes;
    for (groupe& g : gs) {
        g.membres.clear();
        g.arrivees.clear();
        std::vector<int> ordre;
        for (int i = 0; i < nb_; ++i)
            if (c_fini(z_[std::size_t(i)]) && !contient(fixes, i) && !fixe_[std::size_t(i)])
                ordre.push_back(i);
        if (static_cast<int>(ordre.size()) < g.m) return false;
        std::partial_sort(ordre.begin(), ordre.begin() + g.m, ordre.end(), [&](int a, int b) {
            return distance(z_[std::size_t(a)], g.s) < distance(z_[std::size_t(b)], g.s);
        });
        for (int j = 0; j < g.m; ++j) {
            const int i = ordre[std::size_t(j)];
            const complexe z = z_[std::size_t(i)];
            if (distance(z, g.s) > permis(g.s)) return false;
            g.membres.push_back(i);
            g.arrivees.push_back(angle(c_difference(z, g.s)));
            essai_[std::size_t(i)] = g.s;
            fixes.push_back(i);
        }
    }
    return corriger(fixes);
}

// The step off a meeting gain.
bool suiveur::apres_rencontre(double k1, const std::vector<groupe>& gs) {
    coefficients(k1);
    prevoir(k1);
    bool predit = true;
    for (const groupe& g : gs) predit = predit && predire_groupe(g, k1);
    if (predit && corriger({})) return true;
    // The expansion could not tell the roots apart: the root finder's roots near each meeting
    // point, shared out by the same rule.
    std::vector<int> libres, membres;
    for (const groupe& g : gs) membres.insert(membres.end(), g.membres.begin(), g.membres.end());
    for (int i = 0; i < nb_; ++i)
        if (!contient(membres, i)) libres.push_back(i);
    prevoir(k1);
    std::vector<complexe> reste;
    if (!repartir_racines(k1, libres, reste)) return false;
    for (const groupe& g : gs) {
        std::sort(reste.begin(), reste.end(),
                  [&](complexe a, complexe b) { return distance(a, g.s) < distance(b, g.s); });
        if (static_cast<int>(reste.size()) < g.m) return false;
        std::vector<bool> prise(std::size_t(g.m), false);
        for (std::size_t j = 0; j < g.membres.size(); ++j) {
            const double cible = g.arrivees[j] + pi + (g.m % 2 == 0 ? pi / g.m : 0.0);
            std::size_t choisie = 0;
            double meilleur = inf;
            for (std::size_t q = 0; q < std::size_t(g.m); ++q) {
                const double e = ecart_angulaire(angle(c_difference(reste[q], g.s)), cible);
                if (!prise[q] && e < meilleur) meilleur = e, choisie = q;
            }
            prise[choisie] = true;
            if (distance(reste[choisie], g.s) > permis(g.s)) return false;
            essai_[std::size_t(g.membres[j])] = reste[choisie];
        }
        reste.erase(reste.begin(), reste.begin() + g.m);
    }
    for (const groupe& g : gs)
        for (int i : g.membres) prevu_[std::size_t(i)] = g.s;
    return bassins_sains(membres);
}

int suiveur::plus_lointaine() const {
    int r = -1;
    for (int i = 0; i < nb_; ++i)
        if (c_fini(z_[std::size_t(i)]) &&
            (r < 0 || c_module(z_[std::size_t(i)]) > c_module(z_[std::size_t(r)])))
            r = i;
    return r;
}

// The step off the gain where a root passed through infinity: it comes back on the other side,
// near −p[n−1]/p[n] as the leading coefficient p[n] grows from zero.
bool suiveur::apres_infini(double k1, int fuyante) {
    coefficients(k1);
    prevoir(k1);
    const std::size_t h = std::size_t(nb_);
    prevu_[std::size_t(fuyante)] = {-p_[h - 1] / p_[h], 0};
    bool ok = corriger({});
    if (!ok) {
        std::vector<int> libres;
        for (int i = 0; i < nb_; ++i)
            if (i != fuyante) libres.push_back(i);
        std::vector<complexe> reste;
        ok = repartir_racines(k1, libres, reste) && reste.size() == 1;
        if (ok) essai_[std::size_t(fuyante)] = reste[0];
    }
    return ok && distance(essai_[std::size_t(fuyante)], centre_) >= rayon_loin_;
}

bool suiveur::termine() const {
    int pres = 0;
    for (const complexe& z : z_) {
        if (!c_fini(z)) return false;
        bool proche = false;
        for (const complexe& q : b_.zeros) proche = proche || distance(z, q) <= permis(q);
        if (proche)
            ++pres;
        else if (distance(z, centre_) < rayon_loin_)
            return false;
    }
    return pres == pr_degre(n_);
}

// The gain of the next step towards `cible`: a meeting is reached as soon as the roots that meet
// are all near it, infinity once the root passing through it is far enough.
double suiveur::gain_suivant(double cible, const std::vector<groupe>& gs, int fuyante) const {
    double k1 = std::min(k_ + pas_propose(), cible);
    if (!gs.empty()) {
        bool proches = true;
        for (const groupe& g : gs) {
            int n = 0;
            for (const complexe& z : z_) n += c_fini(z) && distance(z, g.s) <= delta_;
            proches = proches && n >= g.m;
        }
        if (proches) k1 = cible;
    }
    if (fuyante >= 0 && distance(z_[std::size_t(fuyante)], centre_) >= 10 * rayon_loin_) k1 = cible;
    return k1;
}

void suiveur::accepter(double k1) {
    dk_ = k1 - k_;
    k_ = k1;
    z_ = essai_;
    garder();
}

// The step off a special gain: the roots that met leave at half the allowance, the root back
// from infinity well beyond the far circle.
bool suiveur::quitter(const std::vector<groupe>& gs, int fuyante) {
    double dk = dk_;
    for (const groupe& g : gs) {
        const double nm = c_module(g.ns), cm = c_module(g.cm);
        if (nm > 0 && cm > 0) dk = std::min(dk, std::pow(0.5 * delta_, g.m) * cm / nm);
    }
    if (fuyante >= 0) {
        const std::size_t h = std::size_t(nb_);
        const double a = std::fabs(d_[h - 1] + k_ * n_[h - 1]);
        if (a > 0) dk = a / (std::fabs(n_[h]) * 20 * rayon_loin_);
    }
    preparer_vitesses();
    for (int essai = 0; essai < essais_pas; ++essai, dk /= 4)
        if (gs.empty() ? apres_infini(k_ + dk, fuyante) : apres_rencontre(k_ + dk, gs)) {
            accepter(k_ + dk);
            return true;
        }
    return false;
}

// A step towards the next special gain, taken again shorter until it holds, and when it reaches
// a meeting or infinity, the step off it.
bool suiveur::pas_special(double cible, const std::vector<groupe>& gs0, bool vers_infini) {
    std::vector<groupe> gs = gs0;
    const int fuyante = vers_infini ? plus_lointaine() : -1;
    double k1 = gain_suivant(cible, gs, fuyante);
    bool ok = false;
    for (int essai = 0; essai < essais_pas && !ok; ++essai) {
        if (k1 == cible && !gs.empty()) {
            ok = rencontre_atteinte(k1, gs);
        } else {
            coefficients(k1);
            prevoir(k1);
            essai_ = z_;
            const bool infini = k1 == cible && fuyante >= 0;
            if (infini) essai_[std::size_t(fuyante)] = {inf, inf};
            ok = infini ? corriger({fuyante}) : corriger({});
        }
        if (!ok) k1 = k_ + (k1 - k_) / 4;
    }
    if (!ok) return false;
    accepter(k1);
    if (k_ != cible || (gs.empty() && fuyante < 0)) return true;
    return quitter(gs, fuyante);
}

branches_lieu suiveur::suivre() {
    branches_lieu res;
    res.nb = nb_;
    if (nb_ < 1) return res;
    z_.assign(std::size_t(nb_), {inf, inf});
    essai_ = prevu_ = z_;
    vitesses_ = acceleration_ = derivees_ = derivees2_ = std::vector<complexe>(z_.size());
    voisins_.assign(z_.size(), inf);
    derivee_connue_.assign(z_.size(), false);
    for (std::size_t i = 0; i < b_.poles.size() && i < z_.size(); ++i) z_[i] = b_.poles[i];
    reperer_racines_communes();
    garder();

    // The gains where something happens, in order; a crossing is only a gain to sample.
    std::vector<double> gains;
    for (const point_separation& p : b_.separations) gains.push_back(p.k);
    for (const croisement_axe& c : b_.croisements) gains.push_back(c.k);
    const std::optional<double> k_infini = gain_infini(n_, d_);
    if (k_infini) gains.push_back(*k_infini);
    std::sort(gains.begin(), gains.end());
    gains.erase(std::unique(gains.begin(), gains.end(),
                            [](double a, double b) { return std::fabs(a - b) <= 1e-12 * b; }),
                gains.end());

    double k1 = premier_gain();
    if (!gains.empty()) k1 = std::min(k1, gains.front() / 2);
    std::vector<groupe> poles = groupes_poles();
    bool ok = false;
    for (int essai = 0; essai < essais_pas && !ok; ++essai)
        if (!(ok = depart(k1, poles))) k1 /= 4;
    if (ok) {
        z_ = essai_;
        k_ = dk_ = k1;
        garder();
    }
    std::size_t prochain = 0;
    while (ok && !(prochain >= gains.size() && termine()) && ks_.size() < echantillons_max &&
           k_ < gain_max) {
        preparer_vitesses();
        while (prochain < gains.size() && gains[prochain] <= k_) ++prochain;
        const double cible = prochain < gains.size() ? gains[prochain] : inf;
        const std::vector<groupe> gs = rencontres_a(cible);
        ok = pas_special(cible, gs, k_infini && cible == *k_infini && gs.empty());
    }

    res.k = ks_;
    res.points.resize(ks_.size() * std::size_t(nb_));
    for (std::size_t j = 0; j < ks_.size(); ++j)
        for (std::size_t b = 0; b < std::size_t(nb_); ++b)
            res.points[b * ks_.size() + j] = echantillons_[j * std::size_t(nb_) + b];
    return res;
}

} // namespace

branches_lieu suivre_branches(const polynome_reel& n, const polynome_reel& d,
                              const donnees_branches& b) {
    suiveur s(n, d, b);
    return s.suivre();
}

} // namespace varlem::lieu
