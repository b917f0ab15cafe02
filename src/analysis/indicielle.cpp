#include "analysis/caracteristiques_calcul.h"

#include "analysis/polynomes_jw.h"
#include "numeric/decomposition.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

constexpr double eps = std::numeric_limits<double>::epsilon();
// Grid step times the modulus of the fastest pole still of weight: some 18 points a period of
// its oscillation, so that no interval holds two extrema of the response.
constexpr double pas_angulaire = 0.35;
// Steps between two direct evaluations of the exponentials (the recurrence drifts meanwhile).
constexpr int pas_par_segment = 64;
// A term whose bound stays below this (relative to the final value) no longer sets the step.
constexpr double poids_negligeable = 1e-13;
// The slowest real term dominates the others once their sum is below this fraction of it.
constexpr double part_dominee = 0.5;
constexpr double niveaux[2] = {0.1, 0.9};
constexpr double bandes[2] = {0.05, 0.02};

// One distinct pole of T(p)/p (the upper one of a pair), with the coefficients of t^(o−1) in
// u(t) − 1 = Σ Re(A(t)·e^(p·t)), A(t) = Σ c[o−1]·t^(o−1), pairs counted twice.
struct mode {
    complexe p;
    int ordre = 1;
    int debut = 0;
    complexe pc; // p·c[0], for the derivative of a simple pole.
};

struct reponse {
    int n = 0;
    mode modes[capacite_polynome];
    complexe coef[capacite_polynome + 1];
};

struct point {
    double e = 0;  // u − 1
    double de = 0; // u′
};

complexe exp_c(complexe p, double t) {
    const double q = std::exp(p.re * t);
    return {q * std::cos(p.im * t), q * std::sin(p.im * t)};
}

// A(t) and A′(t) of mode g.
void polynome_t(const reponse& r, const mode& g, double t, complexe& a, complexe& da) {
    a = r.coef[g.debut + g.ordre - 1];
    da = {};
    for (int o = g.ordre - 1; o >= 1; --o) {
        da = {da.re * t + a.re, da.im * t + a.im};
        const complexe c = r.coef[g.debut + o - 1];
        a = {a.re * t + c.re, a.im * t + c.im};
    }
}

double re_produit(complexe a, complexe b) {
    return a.re * b.re - a.im * b.im;
}

point evaluer(const reponse& r, double t) {
    point s;
    for (int k = 0; k < r.n; ++k) {
        const mode& g = r.modes[k];
        const complexe e = exp_c(g.p, t);
        complexe a, da;
        polynome_t(r, g, t, a, da);
        s.e += re_produit(a, e);
        s.de += re_produit(c_somme(da, c_produit(g.p, a)), e);
    }
    return s;
}

// sup over t′ ≥ t of t′^d·e^(σ·t′) (σ < 0), by logarithms so nothing overflows.
double sup_puissance_exp(int d, double sigma, double t) {
    const double sommet = d > 0 ? d / -sigma : 0.0;
    const double tt = std::max(t, sommet);
    if (d == 0) return std::exp(sigma * tt);
    if (tt <= 0) return d > 0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::exp(d * std::log(tt) + sigma * tt);
}

// Bound of |term k| over every t′ ≥ t.
double borne_mode(const reponse& r, int k, double t) {
    const mode& g = r.modes[k];
    double b = 0;
    for (int o = 1; o <= g.ordre; ++o)
        b += c_module(r.coef[g.debut + o - 1]) * sup_puissance_exp(o - 1, g.p.re, t);
    return b;
}

double borne(const reponse& r, double t) {
    double b = 0;
    for (int k = 0; k < r.n; ++k) b += borne_mode(r, k, t);
    return b;
}

// True when, from t on, the highest-order term of the slowest pole, real and negative, outweighs
// all the others together: u then stays below 1 for ever.
bool domine_par_dessous(const reponse& r, double t) {
    if (t <= 0 || r.n == 0) return false;
    int s = 0;
    for (int k = 1; k < r.n; ++k)
        if (r.modes[k].p.re > r.modes[s].p.re) s = k;
    const mode& g = r.modes[s];
    if (g.p.im != 0) return false;
    for (int k = 0; k < r.n; ++k)
        if (k != s && !(r.modes[k].p.re < g.p.re * (1 + 1e-9))) return false;
    int tete = g.ordre;
    while (tete > 0 && c_module(r.coef[g.debut + tete - 1]) == 0) --tete;
    if (tete == 0) return false;
    const double lead = r.coef[g.debut + tete - 1].re;
    if (!(lead < 0)) return false;
    double part = 0;
    for (int k = 0; k < r.n; ++k) {
        const mode& m = r.modes[k];
        for (int o = 1; o <= m.ordre; ++o) {
            if (k == s && o == tete) continue;
            const double c = c_module(r.coef[m.debut + o - 1]);
            if (c == 0) continue;
            part += c / -lead * sup_puissance_exp(o - tete, m.p.re - g.p.re, t);
        }
    }
    return part < part_dominee;
}

// The terms of u(t) − 1 from the partial fractions of T(p)/p, divided by the final value.
reponse modes_de(const fonction_exacte& f, double yf) {
    fdt_travail ft;
    const int n = f.degre_den;
    ft.fonction.num.degre = f.degre_num;
    for (int k = 0; k <= f.degre_num; ++k)
        ft.fonction.num.coef[static_cast<std::size_t>(k)] = {f.num[k], 0};
    ft.fonction.den.degre = n + 1;
    for (int k = 0; k <= n; ++k)
        ft.fonction.den.coef[static_cast<std::size_t>(k + 1)] = {f.den[k], 0};
    for (int k = 0; k < n; ++k) ft.termes_poles[static_cast<std::size_t>(k)].valeur = f.poles[k];
    decomposer(ft);
    const table_multiplicites t = calculer_multiplicites(ft);

    reponse r;
    int suivant = 0;
    // The last pole, 0, carries the final value: u − 1 is the rest.
    for (int j = 0; j < n; ++j) {
        const int m = t.multiplicite[j];
        const complexe p = ft.termes_poles[static_cast<std::size_t>(j)].valeur;
        if (m == 0 || p.im < 0) continue;
        mode& g = r.modes[r.n++];
        g.p = p;
        g.ordre = m;
        g.debut = suivant;
        suivant += m;
        const double poids = (p.im > 0 ? 2.0 : 1.0) / yf;
        for (int k = 0; k < n; ++k) {
            if (t.groupe[k] != j) continue;
            const terme& e = ft.termes_poles[static_cast<std::size_t>(k)];
            const double w = poids / factorielle(e.ordre - 1);
            r.coef[g.debut + e.ordre - 1] = {e.coef.re * w, e.coef.im * w};
        }
        g.pc = c_produit(p, r.coef[g.debut]);
    }
    return r;
}

// An exit from a band to refine at the end: e crosses `niveau` once in [debut, fin].
struct sortie_bande {
    double debut = 0, fin = 0, niveau = 0;
};

class balayage {
  public:
    balayage(const reponse& r, double e0) : r_(r), pic_(1 + e0) {
        for (int i = 0; i < 2; ++i)
            if (1 + e0 >= niveaux[i]) niveau_[i] = 0.0;
        double echelle = 1;
        for (int k = 0; k < capacite_polynome + 1; ++k) echelle += c_module(r.coef[k]);
        bruit_ = 64 * eps * echelle;
    }

    // Scans until nothing can change any more, or up to points_indicielle_max points.
    void parcourir(double e0);
    void remplir(reponse_indicielle& sortie, double yf) const;

  private:
    const reponse& r_;
    double pic_;
    double t_pic_ = 0;
    std::optional<double> niveau_[2];
    std::optional<sortie_bande> sortie_[2];
    bool pic_fini_ = false;
    bool fini_ = false;
    double bruit_ = 0;

    void intervalle(double a, point pa, double b, point pb);
    bool termine(double t) const;
    // The response and its slope at b, each active term's exponential advanced by one step.
    point avancer(double b, const int* actifs, int nb_actifs, complexe* e, const complexe* q) const;
    // A root of e − niveau in [a, b], e − niveau changing sign once there.
    double croisement(double a, double b, double niveau) const;
};

double balayage::croisement(double a, double b, double niveau) const {
    const auto f = [&](double t) { return evaluer(r_, t).e - niveau; };
    const double fa = f(a), fb = f(b);
    if ((fa > 0) == (fb > 0) && fa != 0 && fb != 0) return std::fabs(fa) < std::fabs(fb) ? a : b;
    return zero_encadre(f, a, b, fa, fb);
}

// The extremum of e in [a, b] as the cubic through both ends' values and slopes has it: within
// (h·ω)⁴/384 of the true one, far below the margin it is used with.
double extremum_estime(double a, point pa, double b, point pb, bool maximum) {
    const double h = b - a;
    const double c1 = h * pa.de;
    const double c2 = 3 * (pb.e - pa.e) - h * (2 * pa.de + pb.de);
    const double c3 = 2 * (pa.e - pb.e) + h * (pa.de + pb.de);
    const auto cubique = [&](double s) { return pa.e + s * (c1 + s * (c2 + s * c3)); };
    double e = maximum ? std::max(pa.e, pb.e) : std::min(pa.e, pb.e);
    const auto essayer = [&](double s) {
        if (!(s > 0 && s < 1)) return;
        e = maximum ? std::max(e, cubique(s)) : std::min(e, cubique(s));
    };
    // Roots of c1 + 2·c2·s + 3·c3·s².
    if (c3 == 0) {
        if (c2 != 0) essayer(-c1 / (2 * c2));
    } else {
        const double delta = c2 * c2 - 3 * c3 * c1;
        if (delta >= 0) {
            essayer((-c2 + std::sqrt(delta)) / (3 * c3));
            essayer((-c2 - std::sqrt(delta)) / (3 * c3));
        }
    }
    return e;
}

void balayage::intervalle(double a, point pa, double b, point pb) {
    const bool max_dedans = pa.de > 0 && pb.de <= 0;
    const bool min_dedans = pa.de < 0 && pb.de >= 0;
    const bool extremum_dedans = max_dedans || min_dedans;
    // Only extrema that the estimate puts near a level are refined; the margin is a twentieth of
    // how far the response may move in the interval.
    const double marge = 0.05 * (b - a) * std::max(std::fabs(pa.de), std::fabs(pb.de));
    const double estime =
        extremum_dedans ? extremum_estime(a, pa, b, pb, max_dedans) : std::max(pa.e, pb.e);
    const double haut = (max_dedans ? estime : std::max(pa.e, pb.e)) + marge;
    bool connu = false;
    double tm = 0, em = 0;
    const auto extremum = [&] {
        if (connu) return;
        const auto d = [&](double t) { return evaluer(r_, t).de; };
        tm = zero_encadre(d, a, b, pa.de, pb.de);
        em = evaluer(r_, tm).e;
        connu = true;
    };

    if (!pic_fini_ && max_dedans && 1 + haut >= pic_) {
        extremum();
        if (1 + em > pic_) pic_ = 1 + em, t_pic_ = tm;
    }
    for (int i = 0; i < 2; ++i) {
        if (niveau_[i]) continue;
        const double n = niveaux[i] - 1;
        if (pb.e >= n) {
            niveau_[i] = croisement(a, b, n);
        } else if (max_dedans && haut >= n) {
            extremum();
            if (em >= n) niveau_[i] = croisement(a, tm, n);
        }
    }
    for (int j = 0; j < 2; ++j) {
        const double th = bandes[j];
        // Outside at b: any exit before it is not the last one.
        if (std::fabs(pb.e) >= th) continue;
        const bool dehors_a = std::fabs(pa.e) >= th;
        const double loin = std::max(std::fabs(pa.e), std::fabs(estime)) + marge;
        if (extremum_dedans && (dehors_a || loin >= th)) {
            extremum();
            if (std::fabs(em) >= th)
                sortie_[j] = sortie_bande{tm, b, std::copysign(th, em)};
            else if (dehors_a)
                sortie_[j] = sortie_bande{a, tm, std::copysign(th, pa.e)};
        } else if (dehors_a) {
            sortie_[j] = sortie_bande{a, b, std::copysign(th, pa.e)};
        }
    }
}

bool balayage::termine(double t) const {
    const double b = borne(r_, t);
    return b < bandes[1] && niveau_[1] && pic_fini_;
}

point balayage::avancer(double b, const int* actifs, int nb_actifs, complexe* e,
                        const complexe* q) const {
    point p;
    for (int i = 0; i < nb_actifs; ++i) {
        const mode& g = r_.modes[actifs[i]];
        e[i] = c_produit(e[i], q[i]);
        if (g.ordre == 1) {
            p.e += re_produit(r_.coef[g.debut], e[i]);
            p.de += re_produit(g.pc, e[i]);
        } else {
            complexe A, dA;
            polynome_t(r_, g, b, A, dA);
            p.e += re_produit(A, e[i]);
            p.de += re_produit(c_somme(dA, c_produit(g.p, A)), e[i]);
        }
    }
    return p;
}

void balayage::parcourir(double e0) {
    point precedent{e0, evaluer(r_, 0).de};
    double ds = 0;
    for (int k = 0; k < r_.n; ++k) ds += c_module(r_.modes[k].pc);
    if (std::fabs(precedent.de) <= 64 * eps * ds) precedent.de = 0;

    // The terms still of weight, the exponentials at the current time and over one step.
    int actifs[capacite_polynome];
    for (int k = 0; k < r_.n; ++k) actifs[k] = k;
    int nb_actifs = r_.n;
    complexe e[capacite_polynome], q[capacite_polynome];
    double t = 0, h = 0;
    long points = 0;
    while (points < points_indicielle_max) {
        // A bound over all later times only decreases: a term left out never comes back.
        double rho = 0;
        int n = 0;
        for (int i = 0; i < nb_actifs; ++i) {
            const int k = actifs[i];
            if (!(borne_mode(r_, k, t) > poids_negligeable)) continue;
            actifs[n++] = k;
            rho = std::max(rho, c_module(r_.modes[k].p));
        }
        const bool meme_pas = n == nb_actifs && h == pas_angulaire / rho;
        nb_actifs = n;
        if (rho == 0) {
            // Every term is below 1e-13 for ever: nothing is left to find.
            pic_fini_ = fini_ = true;
            return;
        }
        h = pas_angulaire / rho;
        for (int i = 0; i < nb_actifs; ++i) {
            const mode& g = r_.modes[actifs[i]];
            e[i] = exp_c(g.p, t);
            if (!meme_pas) q[i] = exp_c(g.p, h);
        }
        double a = t;
        for (int j = 1; j <= pas_par_segment; ++j) {
            const double b = t + j * h;
            const point p = avancer(b, actifs, nb_actifs, e, q);
            intervalle(a, precedent, b, p);
            a = b;
            precedent = p;
        }
        points += pas_par_segment;
        t = a;
        if (!pic_fini_) {
            const double b = borne(r_, t);
            pic_fini_ = (pic_ > 1 && b <= pic_ - 1) || domine_par_dessous(r_, t);
        }
        if (termine(t)) {
            fini_ = true;
            return;
        }
    }
}

void balayage::remplir(reponse_indicielle& s, double yf) const {
    if (niveau_[0] && niveau_[1]) s.temps_montee = *niveau_[1] - *niveau_[0];
    if (pic_fini_) {
        if (pic_ >= 1 - bruit_) {
            s.pic = pic_ * yf;
            s.temps_pic = t_pic_;
            s.depassement_pct = std::max(0.0, 100 * (pic_ - 1));
        } else {
            s.pic = yf;
            s.depassement_pct = 0.0;
        }
    }
    if (!fini_) return;
    std::optional<double>* temps[2] = {&s.temps_reponse_5, &s.temps_reponse_2};
    for (int j = 0; j < 2; ++j) {
        const std::optional<sortie_bande>& b = sortie_[j];
        *temps[j] = b ? croisement(b->debut, b->fin, b->niveau) : 0.0;
    }
}

} // namespace

reponse_indicielle indicielle_exacte(const fonction_exacte& f) {
    reponse_indicielle s;
    if (!f.valide || !f.stable) return s;
    s.stable = true;
    if (f.nulle) {
        s.valeur_finale = 0.0;
        return s;
    }
    const double yf = f.num[0] / f.den[0];
    s.valeur_finale = yf;
    if (yf == 0 || f.degre_num > f.degre_den) return s;
    // Right-continuous at 0: y(0) is the direct term.
    const double y0 = f.degre_num == f.degre_den ? f.num[f.degre_num] / f.den[f.degre_den] : 0.0;
    const reponse r = modes_de(f, yf);
    balayage b(r, y0 / yf - 1);
    b.parcourir(y0 / yf - 1);
    b.remplir(s, yf);
    return s;
}

} // namespace varlem
