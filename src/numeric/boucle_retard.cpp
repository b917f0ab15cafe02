#include "numeric/boucle_retard.h"

#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

// Degree of the interpolating polynomials, and their number of nodes.
constexpr int degre_q = 7;
constexpr int nb_noeuds = degre_q + 1;
// Step times the fastest pulsation of the loop: the interpolation of a sinusoid of that
// pulsation then errs by some 1e-11 of its amplitude.
constexpr double pas_angulaire = 0.1;
// Terms of the Taylor series of the matrix exponential, once its norm is brought below 1/4.
constexpr int termes_taylor = 18;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Coefficients of p (real parts) without its leading zeros; empty for the zero polynomial or a
// coefficient that is not finite.
std::vector<double> coefficients(const polynome& p) {
    int n = std::clamp(p.degre, 0, capacite_polynome);
    while (n > 0 && p.coef[static_cast<std::size_t>(n)].re == 0) --n;
    std::vector<double> c(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        c[static_cast<std::size_t>(k)] = p.coef[static_cast<std::size_t>(k)].re;
        if (!std::isfinite(c[static_cast<std::size_t>(k)])) return {};
    }
    if (c.back() == 0) return {};
    return c;
}

std::vector<double> produit(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    return r;
}

// Fujiwara's bound of the moduli of the roots: 2·max |a(n−k)/a(n)|^(1/k), the last term halved.
double borne_racines(const std::vector<double>& a) {
    const std::size_t n = a.size() - 1;
    double b = 0;
    for (std::size_t k = 1; k <= n; ++k) {
        double r = std::fabs(a[n - k] / a[n]);
        if (k == n) r /= 2;
        if (r > 0) b = std::max(b, std::pow(r, 1.0 / static_cast<double>(k)));
    }
    return 2 * b;
}

// Dense square or rectangular matrix, by rows.
struct matrice {
    int l = 0, c = 0;
    std::vector<double> v;
    matrice(int lignes, int colonnes)
        : l(lignes), c(colonnes), v(static_cast<std::size_t>(lignes) * colonnes, 0.0) {}
    double& operator()(int i, int j) { return v[static_cast<std::size_t>(i) * c + j]; }
    double operator()(int i, int j) const { return v[static_cast<std::size_t>(i) * c + j]; }
};

matrice produit(const matrice& a, const matrice& b) {
    matrice r(a.l, b.c);
    for (int i = 0; i < a.l; ++i)
        for (int k = 0; k < a.c; ++k) {
            const double x = a(i, k);
            if (x == 0) continue;
            for (int j = 0; j < b.c; ++j) r(i, j) += x * b(k, j);
        }
    return r;
}

double norme_1(const matrice& a) {
    double n = 0;
    for (int j = 0; j < a.c; ++j) {
        double s = 0;
        for (int i = 0; i < a.l; ++i) s += std::fabs(a(i, j));
        n = std::max(n, s);
    }
    return n;
}

// e^a by scaling and squaring: the Taylor series of a / 2^s, then s squarings.
matrice exponentielle(matrice a) {
    const double norme = norme_1(a);
    const int s = norme > 0.25 ? static_cast<int>(std::ceil(std::log2(norme / 0.25))) : 0;
    for (double& x : a.v) x = std::ldexp(x, -s);
    matrice e(a.l, a.c);
    for (int i = 0; i < a.l; ++i) e(i, i) = 1;
    for (int k = termes_taylor; k >= 1; --k) {
        matrice t = produit(a, e);
        for (double& x : t.v) x /= k;
        for (int i = 0; i < a.l; ++i) t(i, i) += 1;
        e = std::move(t);
    }
    for (int i = 0; i < s; ++i) e = produit(e, e);
    return e;
}

// num/den as x′ = A·x + B·u, y = C·x + D·u, in the controllable canonical form of the variable
// p/w: with w bounding the poles, the entries stay of order one.
struct realisation {
    bool valide = false;
    int n = 0;
    std::vector<double> a, b, c; // A by rows, B, C
    double d = 0;
};

realisation realiser(const polynome& num, const polynome& den, double w) {
    realisation r;
    const std::vector<double> dn = coefficients(den);
    std::vector<double> nn = coefficients(num);
    if (dn.empty()) return r;
    if (nn.empty()) nn = {0.0}; // the zero numerator (or one not finite: refused below)
    for (const double x : nn)
        if (!std::isfinite(x)) return r;
    const int n = static_cast<int>(dn.size()) - 1;
    if (static_cast<int>(nn.size()) - 1 > n) return r;
    const double lead = dn[static_cast<std::size_t>(n)];
    std::vector<double> dt(static_cast<std::size_t>(n) + 1), nt(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        const double e = std::pow(w, k - n);
        dt[static_cast<std::size_t>(k)] = dn[static_cast<std::size_t>(k)] / lead * e;
        nt[static_cast<std::size_t>(k)] =
            k < static_cast<int>(nn.size()) ? nn[static_cast<std::size_t>(k)] / lead * e : 0.0;
    }
    r.n = n;
    r.d = nt[static_cast<std::size_t>(n)];
    r.a.assign(static_cast<std::size_t>(n) * n, 0.0);
    r.b.assign(static_cast<std::size_t>(n), 0.0);
    r.c.assign(static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i + 1 < n; ++i) r.a[static_cast<std::size_t>(i * n + i + 1)] = w;
    for (int j = 0; j < n; ++j) {
        r.a[static_cast<std::size_t>((n - 1) * n + j)] = -w * dt[static_cast<std::size_t>(j)];
        r.c[static_cast<std::size_t>(j)] =
            nt[static_cast<std::size_t>(j)] - r.d * dt[static_cast<std::size_t>(j)];
    }
    if (n > 0) r.b[static_cast<std::size_t>(n - 1)] = w;
    r.valide = true;
    return r;
}

// The fastest pulsation the loop's signals hold: its fractions' poles, the roots of
// D_G·D_R + c·N_G·N_R for |c| ≤ 1 (where the loop's own modes lie), and 1/τ.
double pulsation_rapide(const boucle_retardee& b) {
    double w = 1 / b.retard;
    const std::vector<double> dg = coefficients(b.den_directe), dr = coefficients(b.den_retour);
    const std::vector<double> du = coefficients(b.den_entree);
    for (const auto* d : {&dg, &dr, &du})
        if (!d->empty()) w = std::max(w, borne_racines(*d));
    const std::vector<double> ng = coefficients(b.num_directe), nr = coefficients(b.num_retour);
    if (!dg.empty() && !dr.empty() && !ng.empty() && !nr.empty()) {
        std::vector<double> dd = produit(dg, dr);
        const std::vector<double> nn = produit(ng, nr);
        if (nn.size() < dd.size()) {
            for (std::size_t k = 0; k < dd.size(); ++k)
                dd[k] = std::fabs(dd[k]) + (k < nn.size() ? std::fabs(nn[k]) : 0.0);
            w = std::max(w, borne_racines(dd));
        }
    }
    return w;
}

// Coefficients ℓ[r] of σ^r of the Lagrange polynomial of node j among the nodes σ = i − o.
void lagrange(int o, int j, double* l) {
    std::fill(l, l + nb_noeuds, 0.0);
    l[0] = 1;
    double diviseur = 1;
    int degre = 0;
    for (int i = 0; i < nb_noeuds; ++i) {
        if (i == j) continue;
        const double racine = i - o;
        for (int r = degre + 1; r >= 1; --r) l[r] = l[r - 1] - racine * l[r];
        l[0] *= -racine;
        ++degre;
        diviseur *= j - i;
    }
    for (int r = 0; r < nb_noeuds; ++r) l[r] /= diviseur;
}

} // namespace

// The loop as one system driven by e(t) = −z(t − τ), and its march along the grid.
class calcul_boucle_retard {
  public:
    calcul_boucle_retard(const boucle_retardee& b, reponse_boucle_retard& r) : r_(r) {
        const double tau = b.retard;
        if (!(tau > 0) || !std::isfinite(tau) || !(r.t_fin_ >= 0) || !std::isfinite(r.t_fin_))
            return;
        const double w = pulsation_rapide(b);
        if (!(w > 0) || !std::isfinite(w)) return;
        const realisation g = realiser(b.num_directe, b.den_directe, w);
        const realisation rt = realiser(b.num_retour, b.den_retour, w);
        const realisation u = realiser(b.num_entree, b.den_entree, w);
        if (!g.valide || !rt.valide || !u.valide) return;
        if (!choisir_grille(tau, w)) return;
        assembler(g, rt, u);
        preparer_transition();
        r.valide_ = true;
    }

    void marcher();

  private:
    bool choisir_grille(double tau, double w);
    void assembler(const realisation& g, const realisation& rt, const realisation& u);
    void preparer_transition();
    double sortie(const std::vector<double>& c, double d, double e) const {
        double s = d * e;
        for (int i = 0; i < n_; ++i)
            s += c[static_cast<std::size_t>(i)] * x_[static_cast<std::size_t>(i)];
        return s;
    }

    reponse_boucle_retard& r_;
    int n_ = 0;
    std::vector<double> a_, b_;   // the whole system (A by rows) and its input column
    std::vector<double> cy_, cz_; // outputs y and z
    double dy_ = 0, dz_ = 0;      // their direct terms
    int debut_v_ = 0;             // first state of the input's generator
    std::vector<double> bu_;      // its state at τ
    double dirac_ = 0;            // weight of the impulse of w at τ
    std::vector<double> phi_;     // e^(A·h)
    std::vector<double> gamma_;   // [o][j][i]: the state node j adds, stencil offset o
    std::vector<double> x_;
    std::vector<double> z_, z_gauche_;
};

bool calcul_boucle_retard::choisir_grille(double tau, double w) {
    const double t_fin = r_.t_fin_;
    const double pieces = t_fin / tau + 1;
    double m = std::max<double>(degre_q, std::ceil(tau * w / pas_angulaire));
    // A grid too fine for the cap keeps the steps the cap allows, at least degre_q per τ.
    if (pieces * m > static_cast<double>(pas_max_boucle_retard))
        m = std::floor(static_cast<double>(pas_max_boucle_retard) / pieces);
    if (!(m >= degre_q)) return false;
    r_.tau_ = tau;
    r_.m_ = static_cast<long>(m);
    r_.h_ = tau / m;
    r_.nb_ = static_cast<long>(std::floor(t_fin / r_.h_)) + 1 + nb_noeuds;
    return true;
}

void calcul_boucle_retard::assembler(const realisation& g, const realisation& rt,
                                     const realisation& u) {
    const int ng = g.n, nr = rt.n, nu = u.n;
    n_ = ng + nr + nu;
    debut_v_ = ng + nr;
    const auto n = static_cast<std::size_t>(n_);
    a_.assign(n * n, 0.0);
    b_.assign(n, 0.0);
    cy_.assign(n, 0.0);
    cz_.assign(n, 0.0);
    const auto A = [&](int i, int j) -> double& { return a_[static_cast<std::size_t>(i) * n + j]; };
    const auto at = [](const std::vector<double>& v, int i) {
        return v[static_cast<std::size_t>(i)];
    };
    for (int i = 0; i < ng; ++i) {
        for (int j = 0; j < ng; ++j) A(i, j) = at(g.a, i * ng + j);
        for (int j = 0; j < nu; ++j) A(i, debut_v_ + j) = at(g.b, i) * at(u.c, j);
        b_[static_cast<std::size_t>(i)] = at(g.b, i);
    }
    for (int i = 0; i < nr; ++i) {
        for (int j = 0; j < ng; ++j) A(ng + i, j) = at(rt.b, i) * at(g.c, j);
        for (int j = 0; j < nr; ++j) A(ng + i, ng + j) = at(rt.a, i * nr + j);
        for (int j = 0; j < nu; ++j) A(ng + i, debut_v_ + j) = at(rt.b, i) * g.d * at(u.c, j);
        b_[static_cast<std::size_t>(ng + i)] = at(rt.b, i) * g.d;
    }
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nu; ++j) A(debut_v_ + i, debut_v_ + j) = at(u.a, i * nu + j);
    for (int j = 0; j < ng; ++j) {
        cy_[static_cast<std::size_t>(j)] = at(g.c, j);
        cz_[static_cast<std::size_t>(j)] = rt.d * at(g.c, j);
    }
    for (int j = 0; j < nr; ++j) cz_[static_cast<std::size_t>(ng + j)] = at(rt.c, j);
    for (int j = 0; j < nu; ++j) {
        cy_[static_cast<std::size_t>(debut_v_ + j)] = g.d * at(u.c, j);
        cz_[static_cast<std::size_t>(debut_v_ + j)] = rt.d * g.d * at(u.c, j);
    }
    dy_ = g.d;
    dz_ = rt.d * g.d;
    bu_ = u.b;
    dirac_ = u.d;
}

// e^(A·h) and, for each stencil offset o, the state each node's value adds over one step, from
// the exponential of A·h bordered by the chain of the powers of σ = s/h.
void calcul_boucle_retard::preparer_transition() {
    const int n = n_, t = n + nb_noeuds;
    const double h = r_.h_;
    matrice m(t, t);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) m(i, j) = a_[static_cast<std::size_t>(i * n + j)] * h;
        m(i, n) = b_[static_cast<std::size_t>(i)] * h;
    }
    for (int k = 0; k + 1 < nb_noeuds; ++k) m(n + k, n + k + 1) = 1;
    const matrice e = exponentielle(m);
    phi_.assign(static_cast<std::size_t>(n) * n, 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) phi_[static_cast<std::size_t>(i * n + j)] = e(i, j);
    gamma_.assign(static_cast<std::size_t>(degre_q * nb_noeuds * n), 0.0);
    double l[nb_noeuds];
    for (int o = 0; o < degre_q; ++o)
        for (int j = 0; j < nb_noeuds; ++j) {
            lagrange(o, j, l);
            double* g = gamma_.data() + static_cast<std::size_t>((o * nb_noeuds + j) * n);
            double factorielle = 1;
            for (int r = 0; r < nb_noeuds; ++r) {
                if (r > 0) factorielle *= r;
                for (int i = 0; i < n; ++i) g[i] += l[r] * factorielle * e(i, n + r);
            }
        }
}

void calcul_boucle_retard::marcher() {
    const long m = r_.m_, nb = r_.nb_;
    const auto n = static_cast<std::size_t>(n_);
    x_.assign(n, 0.0);
    std::vector<double> suivant(n), entree(n);
    r_.y_.assign(static_cast<std::size_t>(nb), 0.0);
    z_.assign(static_cast<std::size_t>(nb), 0.0);
    r_.y_gauche_.assign(static_cast<std::size_t>(nb / m + 2), 0.0);
    z_gauche_.assign(r_.y_gauche_.size(), 0.0);
    double dirac = dirac_;
    for (long k = 0; k + 1 < nb; ++k) {
        std::fill(entree.begin(), entree.end(), 0.0);
        if (k >= m) {
            // e = −z(t − τ) over the step, through the nodes of its own piece.
            const long piece = (k - m) / m, base = piece * m;
            const long j0 = std::clamp<long>(k - m - (degre_q - 1) / 2, base, base + m - degre_q);
            const auto o = static_cast<int>(k - m - j0);
            for (int j = 0; j < nb_noeuds; ++j) {
                const double e = -r_.noeud(z_, z_gauche_, j0 + j, piece);
                const double* g = gamma_.data() + static_cast<std::size_t>((o * nb_noeuds + j)) * n;
                for (std::size_t i = 0; i < n; ++i) entree[i] += e * g[i];
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            double s = entree[i];
            const double* ligne = phi_.data() + i * n;
            for (std::size_t j = 0; j < n; ++j) s += ligne[j] * x_[j];
            suivant[i] = s;
        }
        x_.swap(suivant);
        const long k1 = k + 1;
        const auto i1 = static_cast<std::size_t>(k1);
        if (k1 % m != 0) {
            const double e = k1 > m ? -z_[i1 - static_cast<std::size_t>(m)] : 0.0;
            r_.y_[i1] = sortie(cy_, dy_, e);
            z_[i1] = sortie(cz_, dz_, e);
            continue;
        }
        // A multiple of τ: the left limits, the jumps (the input starting, an impulse), then the
        // right limits.
        const auto j = static_cast<std::size_t>(k1 / m);
        const double e_gauche = j >= 2 ? -z_gauche_[j - 1] : 0.0;
        r_.y_gauche_[j] = sortie(cy_, dy_, e_gauche);
        z_gauche_[j] = sortie(cz_, dz_, e_gauche);
        if (j == 1)
            for (std::size_t i = 0; i < bu_.size(); ++i)
                x_[static_cast<std::size_t>(debut_v_) + i] += bu_[i];
        if (dirac != 0)
            for (std::size_t i = 0; i < n; ++i) x_[i] += b_[i] * dirac;
        dirac *= -dz_;
        const double e = -z_[i1 - static_cast<std::size_t>(m)];
        r_.y_[i1] = sortie(cy_, dy_, e);
        z_[i1] = sortie(cz_, dz_, e);
    }
}

reponse_boucle_retard::reponse_boucle_retard(const boucle_retardee& b, double t_fin)
    : t_fin_(t_fin) {
    calcul_boucle_retard c(b, *this);
    if (valide_) c.marcher();
}

double reponse_boucle_retard::noeud(const std::vector<double>& droite,
                                    const std::vector<double>& gauche, long i, long piece) const {
    if (i == (piece + 1) * m_) return gauche[static_cast<std::size_t>(piece + 1)];
    return droite[static_cast<std::size_t>(i)];
}

double reponse_boucle_retard::interpoler(const std::vector<double>& droite,
                                         const std::vector<double>& gauche, double t) const {
    const long k = std::min(static_cast<long>(std::floor(t / h_)), nb_ - 1);
    const long piece = k / m_, base = piece * m_;
    const long fin = std::min(base + m_, nb_ - 1);
    const long j0 = std::clamp<long>(k - (degre_q - 1) / 2, base, fin - degre_q);
    const double s = t / h_ - static_cast<double>(j0);
    double valeurs[nb_noeuds];
    for (int j = 0; j < nb_noeuds; ++j) {
        valeurs[j] = noeud(droite, gauche, j0 + j, piece);
        if (s == j) return valeurs[j];
    }
    // Lagrange's formula: ℓ(s)·Σ wⱼ·yⱼ/(s − j), wⱼ = 1/Π(j − i).
    double l = 1, somme = 0;
    for (int j = 0; j < nb_noeuds; ++j) {
        double poids = 1;
        for (int i = 0; i < nb_noeuds; ++i)
            if (i != j) poids *= j - i;
        l *= s - j;
        somme += valeurs[j] / (poids * (s - j));
    }
    return l * somme;
}

double reponse_boucle_retard::valeur(double t) const {
    if (t < 0) return 0.0;
    if (!valide_ || !(t <= t_fin_)) return nan;
    if (t < tau_) return 0.0;
    return interpoler(y_, y_gauche_, t);
}

std::optional<double> valeurs_boucle_retard(const boucle_retardee& b, double t0, double dt, int n,
                                            double* sortie) {
    if (n <= 0) return 0.0;
    const double t_fin = std::max(t0, t0 + (n - 1) * dt);
    const reponse_boucle_retard r(b, std::max(t_fin, 0.0));
    if (!r.valide()) return std::nullopt;
    double plus_grand = 0;
    for (int k = 0; k < n; ++k) {
        sortie[k] = r.valeur(t0 + k * dt);
        if (std::isfinite(sortie[k])) plus_grand = std::max(plus_grand, std::fabs(sortie[k]));
    }
    return plus_grand;
}

std::string texte_substitut_pade(int ordre) {
    return "retard remplacé par son approximation de Padé d'ordre " + std::to_string(ordre);
}

std::string texte_exponentielle_retard(double retard, char lettre) {
    if (!(retard > 0) || !std::isfinite(retard)) return {};
    // A unit delay reads as the exponential of the variable alone, as it would be written.
    std::string tau = retard == 1 ? std::string() : texte_nombre(retard);
    // The short form may open with a blank (" 1E-7"), which has no place inside the factor.
    if (!tau.empty() && tau.front() == ' ') tau.erase(0, 1);
    return "e^(-" + tau + lettre + ")";
}

} // namespace varlem
