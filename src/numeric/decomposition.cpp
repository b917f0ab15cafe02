#include "numeric/decomposition.h"

#include "numeric/boucle_retard.h"
#include "numeric/nombres.h"
#include "numeric/racines_multiples.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

bool egal(complexe a, complexe b) {
    return a.re == b.re && a.im == b.im;
}

// The variable's scale about one pole: p = 2^e·p', the numerator N(p) = 2^exposant·N'(p') and
// the product of the other factors 2^facteurs times the series computed. e = 0 is the plain
// computation; poles so large that their powers leave the doubles are each brought near 1.
struct echelle {
    int e = 0;
    int exposant = 0;
    int facteurs = 0;
};

complexe reduire(complexe z, int e) {
    // The plain computation calls this for every pair of poles: ldexp is no inline operation.
    if (e == 0) return z;
    return {std::ldexp(z.re, -e), std::ldexp(z.im, -e)};
}

// Divides the series s[0..m) by the power of 2 of its largest part, counted in x.facteurs.
void renormaliser(complexe* s, int m, echelle& x) {
    double plus_grand = 0;
    for (int i = 0; i < m; ++i)
        plus_grand = std::max({plus_grand, std::fabs(s[i].re), std::fabs(s[i].im)});
    if (!(plus_grand > 0) || !std::isfinite(plus_grand)) return;
    const int p = std::ilogb(plus_grand);
    for (int i = 0; i < m; ++i) s[i] = reduire(s[i], p);
    x.facteurs += p;
}

// Taylor coefficients at z of the numerator, N(z + h) = Σ s[i]·h^i, for i < m (the typed
// polynomials are real); in the scaled variable, those of N' at z' = z / 2^e.
void serie_numerateur(const polynome& num, complexe z, int m, const echelle& x, complexe* s) {
    const int d = std::clamp(num.degre, 0, capacite_polynome);
    double a[capacite_polynome + 1];
    for (int k = 0; k <= d; ++k) {
        const double c = num.coef[static_cast<std::size_t>(d - k)].re;
        a[k] = x.e == 0 ? c : std::ldexp(c, (d - k) * x.e - x.exposant);
    }
    coefficients_taylor(a, d, reduire(z, x.e), m - 1, s);
}

// Taylor coefficients at z, up to order m − 1, of the product of (p − z_k) over every pole
// outside the group j: each factor is h + (z − z_k) with h = p − z (in the scaled variable,
// h' + (z' − z'_k)).
void serie_autres_facteurs(const fdt_travail& ft, const table_multiplicites& t, int j, int m,
                           echelle& x, complexe* s) {
    const complexe z = reduire(ft.termes_poles[static_cast<std::size_t>(j)].valeur, x.e);
    std::fill(s, s + m, complexe{});
    s[0] = {1, 0};
    const int n = nb_poles(ft);
    for (int k = 0; k < n; ++k) {
        if (t.groupe[k] == j) continue;
        const complexe w =
            c_difference(z, reduire(ft.termes_poles[static_cast<std::size_t>(k)].valeur, x.e));
        for (int i = m - 1; i >= 1; --i) s[i] = c_somme(c_produit(w, s[i]), s[i - 1]);
        s[0] = c_produit(w, s[0]);
        if (x.e != 0) renormaliser(s, m, x);
    }
}

// Coefficients of the principal part at the pole of group j. Near the pole,
// T = N / ((p − z)^m · D) = h^−m · Σ q_i·h^i, so the term of order m − i has the coefficient
// q_i, the i-th coefficient of the series N/D. Working with series truncated at order m keeps
// every intermediate small whatever the multiplicity; no polynomial is ever built.
// n and d are work space of m entries.
void partie_principale(const fdt_travail& ft, const table_multiplicites& t, int j, echelle& x,
                       complexe* q, complexe* n, complexe* d) {
    const int m = t.multiplicite[j];
    serie_numerateur(ft.fonction.num, ft.termes_poles[static_cast<std::size_t>(j)].valeur, m, x, n);
    serie_autres_facteurs(ft, t, j, m, x, d);
    for (int i = 0; i < m; ++i) {
        complexe r = n[i];
        for (int l = 1; l <= i; ++l) r = c_difference(r, c_produit(d[l], q[i - l]));
        q[i] = (r.re == 0 && r.im == 0) ? complexe{} : c_quotient(r, d[0]);
    }
}

complexe nettoyer_coef(complexe c) {
    if (c.im != 0 && std::fabs(c.re / c.im) < 1e-12) c.re = 0;
    if (c.re != 0 && std::fabs(c.im / c.re) < 1e-12) c.im = 0;
    return c;
}

// The scale that brings pole j near 1, and the numerator's largest scaled coefficient to at
// most 1, every power of 2 counted apart from the doubles.
echelle echelle_du_pole(const fdt_travail& ft, int j) {
    echelle x;
    const complexe z = ft.termes_poles[static_cast<std::size_t>(j)].valeur;
    const double taille = std::max(std::fabs(z.re), std::fabs(z.im));
    if (!(taille > 0) || !std::isfinite(taille)) return x;
    x.e = std::ilogb(taille);
    // e = 0 is the plain computation: a pole near 1 is scaled by 2 instead.
    if (x.e == 0) x.e = 1;
    const polynome& num = ft.fonction.num;
    bool premier = true;
    for (int i = 0; i <= std::clamp(num.degre, 0, capacite_polynome); ++i) {
        const double c = num.coef[static_cast<std::size_t>(i)].re;
        if (c == 0 || !std::isfinite(c)) continue;
        const int puissance = std::ilogb(c) + 1 + i * x.e;
        x.exposant = premier ? puissance : std::max(x.exposant, puissance);
        premier = false;
    }
    return x;
}

// Every term's coefficient, each pole's computed in the plain variable or, `reduits`, in one
// scaled to it, divided by den's leading coefficient: true when all are numbers. The other
// factors were monic: the leading coefficient is divided out at the end.
bool coefficients_termes(fdt_travail& ft, const table_multiplicites& t, bool reduits) {
    const int n = nb_poles(ft);
    complexe q[nb_termes_max];
    complexe serie_num[nb_termes_max];
    complexe serie_den[nb_termes_max];
    const double dominant = ft.fonction.den.coef[static_cast<std::size_t>(n)].re;
    int exposant_dominant = 0;
    const double mantisse = reduits ? std::frexp(dominant, &exposant_dominant) : dominant;
    bool tous_finis = true;
    for (int j = 0; j < n; ++j) {
        const int m = t.multiplicite[j];
        if (m == 0) continue;
        echelle x = reduits ? echelle_du_pole(ft, j) : echelle{};
        partie_principale(ft, t, j, x, q, serie_num, serie_den);
        for (int k = 0; k < n; ++k) {
            if (t.groupe[k] != j) continue;
            auto& terme = ft.termes_poles[static_cast<std::size_t>(k)];
            terme.ordre = m - t.rang[k] + 1;
            complexe c = nettoyer_coef(q[t.rang[k] - 1]);
            c = {c.re / mantisse, c.im / mantisse};
            // A term of order r over (p − z)^r = 2^(e·r)·(p' − z')^r, the whole over 2^(e·n);
            // every count is 0 in the plain variable.
            terme.coef =
                reduire(c, exposant_dominant + x.facteurs - x.exposant - x.e * (terme.ordre - n));
            tous_finis = tous_finis && c_fini(terme.coef);
        }
    }
    return tous_finis;
}

} // namespace

table_multiplicites calculer_multiplicites(const fdt_travail& ft) {
    table_multiplicites t;
    const int n = nb_poles(ft);
    bool classe[nb_termes_max] = {};
    for (int i = 0; i < n; ++i) {
        if (classe[i]) continue;
        classe[i] = true;
        t.multiplicite[i] = 1;
        t.rang[i] = 1;
        t.groupe[i] = i;
        const complexe v = ft.termes_poles[static_cast<std::size_t>(i)].valeur;
        for (int k = i + 1; k < n; ++k) {
            if (classe[k] || !egal(ft.termes_poles[static_cast<std::size_t>(k)].valeur, v))
                continue;
            classe[k] = true;
            t.rang[k] = ++t.multiplicite[i];
            t.groupe[k] = i;
        }
    }
    return t;
}

void detecter_multiplicites(fdt_travail& ft) {
    for (auto& terme : ft.termes_poles) terme.ordre = 0;
    const table_multiplicites t = calculer_multiplicites(ft);
    const int n = nb_poles(ft);
    for (int k = 0; k < n; ++k) {
        const int m = t.multiplicite[t.groupe[k]];
        ft.termes_poles[static_cast<std::size_t>(k)].ordre = m - t.rang[k] + 1;
    }
}

void decomposer(fdt_travail& ft) {
    const table_multiplicites t = calculer_multiplicites(ft);
    // Poles so large that the powers of N or the products of the other factors leave the
    // doubles gave NAN: the terms are then computed again, each in a variable scaled to its
    // pole.
    if (!coefficients_termes(ft, t, false)) coefficients_termes(ft, t, true);
}

std::string texte_decomposition(const contexte_calcul& ctx, const fdt_travail& ft, int n) {
    static constexpr const char* fin = "\r\n";
    if (ctx.erreur_syntaxe) return {};
    const polynome& num = ft.fonction.num;
    const polynome& den = ft.fonction.den;
    if (den.degre < 1 || den.degre < num.degre)
        return std::string("Décomposition sans objet ou d° num > d° denom") + fin +
               texte_notes_retard(ctx, ft);
    std::string t = "ecriture sous forme décomposée:";
    t += fin;
    t += fin;
    if (num.degre == den.degre) {
        const auto d = static_cast<std::size_t>(std::min(den.degre, capacite_polynome));
        t += texte_court(num.coef[d].re / den.coef[d].re);
        t += fin;
        t += " + ";
        t += fin;
    }
    const int nb = nb_poles(ft);
    for (int r = 0; r < nb; ++r) {
        const terme& e = ft.termes_poles[static_cast<std::size_t>(r)];
        if (e.coef.re != 0) t += texte_scientifique(n, e.coef.re);
        if (e.coef.im != 0) t += " + j " + texte_scientifique(n, e.coef.im);
        if (e.coef.re == 0 && e.coef.im == 0) t += "0";
        t += fin;
        t += "_____________________";
        t += fin;
        t += ' ';
        t += ctx.variable_p;
        t += " - (";
        if (e.valeur.re != 0) t += texte_scientifique(n, e.valeur.re);
        if (e.valeur.im != 0) t += "+  j " + texte_scientifique(n, e.valeur.im);
        t += ")";
        if (e.ordre != 1) t += " ^" + texte_nombre(e.ordre);
        t += fin;
        t += r + 1 < nb ? std::string("+") + fin : std::string(fin);
    }
    return t + texte_notes_retard(ctx, ft);
}

std::string texte_notes_retard(const contexte_calcul& ctx, const fdt_travail& ft) {
    static constexpr const char* fin = "\r\n";
    std::string t;
    // What the fraction leaves out: the delay of the function, or the loop it stands for.
    if (ft.fonction.retard > 0)
        t += "le tout multiplié par " +
             texte_exponentielle_retard(ft.fonction.retard, ctx.variable_p) + fin;
    if (ft.fonction.boucle) t += texte_substitut_pade(ft.fonction.boucle->ordre_pade) + fin;
    // An empty line parts the notes from what follows, as it parts the terms.
    if (!t.empty()) t += fin;
    return t;
}

} // namespace varlem
