#include "numeric/polynome.h"

#include "numeric/nombres.h"

#include <algorithm>

namespace varlem {

void p_nul(polynome& p) {
    p = polynome{};
}

complexe p_valeur(const polynome& p, complexe z) {
    complexe s{};
    complexe w{1.0, 0.0};
    for (int k = 0; k <= p.degre; ++k) {
        s = c_somme(s, c_produit(p.coef[k], w));
        w = c_produit(w, z);
    }
    return s;
}

polynome p_somme(const polynome& a, const polynome& b) {
    polynome r;
    r.degre = std::max(a.degre, b.degre);
    for (int k = 0; k <= r.degre; ++k) r.coef[k] = c_somme(a.coef[k], b.coef[k]);
    return r;
}

polynome p_difference(const polynome& a, const polynome& b) {
    polynome r;
    r.degre = std::max(a.degre, b.degre);
    for (int k = 0; k <= r.degre; ++k) r.coef[k] = c_difference(a.coef[k], b.coef[k]);
    return r;
}

polynome p_derivee(const polynome& a) {
    polynome r;
    if (a.degre <= 0) return r;
    r.degre = a.degre - 1;
    for (int k = 0; k <= r.degre; ++k) {
        const double f = k + 1;
        r.coef[k] = {f * a.coef[k + 1].re, f * a.coef[k + 1].im};
    }
    return r;
}

bool p_produit_deborde(const polynome& a, const polynome& b) {
    return a.degre + b.degre > capacite_polynome;
}

polynome p_produit(const polynome& a, const polynome& b) {
    polynome r = a;
    p_multiplier(r, b);
    return r;
}

void p_multiplier(polynome& r, const polynome& f) {
    // Each coefficient is computed from the highest down, so it only reads coefficients not yet
    // overwritten: no second polynomial is built.
    const int ancien = r.degre;
    r.degre = std::min(ancien + f.degre, capacite_polynome);
    for (int i = r.degre; i >= 0; --i) {
        complexe s{};
        const int jmax = std::min(i, f.degre);
        for (int j = std::max(0, i - ancien); j <= jmax; ++j)
            s = c_somme(s, c_produit(r.coef[i - j], f.coef[j]));
        r.coef[i] = s;
    }
}

polynome p_constante(double c) {
    polynome r;
    r.coef[0] = {c, 0.0};
    return r;
}

std::string polynome_texte(const polynome& p, char lettre) {
    std::string t;
    for (int k = 0; k <= p.degre; ++k) {
        t += texte_nombre(p.coef[k].re);
        t += '*';
        t += lettre;
        t += '^';
        t += texte_nombre(k);
        t += '+';
    }
    t.pop_back();
    return t;
}

} // namespace varlem
