#include "analysis/caracteristiques_calcul.h"

#include "analysis/polynomes_jw.h"
#include "numeric/analyseur.h"
#include "numeric/poles_facteurs.h"
#include "numeric/racines.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// A common root jω0 is one where both polynomials vanish within this fraction of the scale of
// their rounding errors' sums.
constexpr double residu_commun = 1e-8;

// Roots found apart (in different factors) closer than this fraction are one multiple root.
constexpr double ecart_racines_egales = 1e-9;

// Coefficients of p, trimmed of leading zeros; false when one is not finite.
bool copier(const polynome& p, double* a, int& degre) {
    degre = std::clamp(p.degre, 0, capacite_polynome);
    for (int k = 0; k <= degre; ++k) {
        a[k] = p.coef[static_cast<std::size_t>(k)].re;
        if (!std::isfinite(a[k])) return false;
    }
    while (degre > 0 && a[degre] == 0) --degre;
    return true;
}

polynome en_polynome(const double* a, int n) {
    polynome p;
    p.degre = n;
    for (int k = 0; k <= n; ++k) p.coef[static_cast<std::size_t>(k)] = {a[k], 0};
    return p;
}

// a := a / (p² + c), the remainder dropped (a has the factor).
void diviser_quadratique(double* a, int& n, double c) {
    double q[capacite_polynome + 1] = {};
    for (int k = n; k >= 2; --k) {
        q[k - 2] = a[k];
        a[k - 2] -= c * q[k - 2];
    }
    n -= 2;
    std::copy(q, q + n + 1, a);
    std::fill(a + n + 1, a + capacite_polynome + 1, 0.0);
}

// Makes the copies of one root equal: roots within ecart_racines_egales of each other take
// their mean, and the roots below the axis the conjugates of those above.
void unifier(complexe* r, int n) {
    const auto proches = [](complexe a, complexe b) {
        return c_module(c_difference(a, b)) <=
               ecart_racines_egales * std::max(c_module(a), c_module(b));
    };
    bool fait[capacite_polynome] = {};
    for (int i = 0; i < n; ++i) {
        if (fait[i] || r[i].im < 0) continue;
        complexe somme{};
        int m = 0;
        for (int k = i; k < n; ++k)
            if (!fait[k] && r[k].im >= 0 && proches(r[i], r[k])) somme = c_somme(somme, r[k]), ++m;
        const complexe moyenne{somme.re / m, r[i].im == 0 ? 0.0 : somme.im / m};
        for (int k = i; k < n; ++k)
            if (!fait[k] && r[k].im >= 0 && proches(r[i], r[k])) r[k] = moyenne, fait[k] = true;
    }
    for (int k = 0; k < n; ++k) {
        if (!(r[k].im < 0)) continue;
        for (int i = 0; i < n; ++i)
            if (r[i].im > 0 && proches(r[i], c_conjugue(r[k]))) {
                r[k] = c_conjugue(r[i]);
                break;
            }
    }
}

// The roots of p into r. A text typed as a product that reads back to p exactly is solved
// factor by factor, as the analysis does it: a product is never expanded, so (1+p)^15 typed as
// fifteen factors keeps fifteen exact roots.
void racines_de(contexte_calcul& ctx, const polynome& p, const std::string& texte, complexe* r) {
    liste_racines l{};
    bool lues = false;
    const std::size_t debut = texte.find_first_not_of(' ');
    if (debut != std::string::npos && texte[debut] == '(') {
        contexte_calcul lecture;
        lecture.graine = ctx.graine;
        lecture.variable_p = texte.find('s') != std::string::npos ? 's' : 'p';
        polynome relu;
        lire_polynome(lecture, texte, relu);
        lues = !lecture.erreur_syntaxe && !lecture.erreur_degre && relu.degre == p.degre &&
               relu.coef == p.coef && poles_par_facteurs(lecture, texte, l);
    }
    if (!lues) l = racines(ctx, p);
    for (int k = 0; k < p.degre; ++k) r[k] = l[static_cast<std::size_t>(k + 1)];
    unifier(r, p.degre);
}

bool s_annule(const double* a, int n, double w) {
    return c_module(valeur_jw(a, n, w)) <= residu_commun * borne_jw(a, n, w);
}

// Divides out of N and D the factors p^k and p² + ω0² they share, so that the values on the
// imaginary axis are those of the function and never 0/0.
void reduire(fonction_exacte& f) {
    f.degre_num_r = f.degre_num;
    f.degre_den_r = f.degre_den;
    std::copy(f.num, f.num + capacite_polynome + 1, f.num_r);
    std::copy(f.den, f.den + capacite_polynome + 1, f.den_r);
    int k = 0;
    while (k < f.degre_num && k < f.degre_den && f.num[k] == 0 && f.den[k] == 0) ++k;
    if (k > 0) {
        f.degre_num_r -= k;
        f.degre_den_r -= k;
        std::copy(f.num + k, f.num + capacite_polynome + 1, f.num_r);
        std::copy(f.den + k, f.den + capacite_polynome + 1, f.den_r);
        std::fill(f.num_r + capacite_polynome + 1 - k, f.num_r + capacite_polynome + 1, 0.0);
        std::fill(f.den_r + capacite_polynome + 1 - k, f.den_r + capacite_polynome + 1, 0.0);
    }
    for (int i = 0; i < f.nb_poles; ++i) {
        const complexe z = f.poles[i];
        if (!(z.im > 0) || !sur_axe_imaginaire(z)) continue;
        if (f.degre_num_r < 2 || f.degre_den_r < 2) break;
        if (!s_annule(f.num_r, f.degre_num_r, z.im) || !s_annule(f.den_r, f.degre_den_r, z.im))
            continue;
        diviser_quadratique(f.num_r, f.degre_num_r, z.im * z.im);
        diviser_quadratique(f.den_r, f.degre_den_r, z.im * z.im);
    }
}

} // namespace

bool sur_axe_imaginaire(complexe z) {
    return std::fabs(z.re) <= tolerance_axe_imaginaire * c_module(z);
}

fonction_exacte preparer_fonction(contexte_calcul& ctx, const fdt& fonction) {
    fonction_exacte f;
    if (!copier(fonction.num, f.num, f.degre_num) || !copier(fonction.den, f.den, f.degre_den) ||
        f.den[f.degre_den] == 0)
        return f;
    f.nulle = f.num[f.degre_num] == 0;
    f.valide = true;
    f.retard = fonction.retard > 0 && std::isfinite(fonction.retard) ? fonction.retard : 0.0;
    f.gain_negatif = !f.nulle && (f.num[f.degre_num] < 0) != (f.den[f.degre_den] < 0);

    f.texte_num = fonction.texte_num;
    racines_de(ctx, en_polynome(f.den, f.degre_den), fonction.texte_den, f.poles);
    f.nb_poles = f.degre_den;
    f.stable = true;
    for (int k = 0; k < f.nb_poles; ++k) {
        const complexe z = f.poles[k];
        const bool axe = sur_axe_imaginaire(z);
        f.pole_sur_axe |= axe;
        if (axe || z.re > 0) f.stable = false;
    }
    reduire(f);
    return f;
}

int zeros_exacts(contexte_calcul& ctx, const fonction_exacte& f, complexe* z) {
    if (!f.valide || f.nulle) return 0;
    racines_de(ctx, en_polynome(f.num, f.degre_num), f.texte_num, z);
    return f.degre_num;
}

complexe valeur_exacte(const fonction_exacte& f, double w) {
    return quotient_sur(valeur_jw(f.num_r, f.degre_num_r, w), valeur_jw(f.den_r, f.degre_den_r, w));
}

} // namespace varlem
