#include "numeric/routh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

// An entry is zero when it is this small beside the terms it is the difference of: the rounding
// errors of the rows above reach some 1e-12 of those terms in tables of degree 15 and more.
constexpr double tolerance_zero = 1e-9;
// Terms kept in each expansion in ε: far more than any cancellation of leading terms needs.
constexpr int termes_max = 16;
// The power from which an exact expansion would have unknown terms: none.
constexpr int haut_infini = 1 << 20;
// Entries of the longest row (degree 50).
constexpr int largeur_max = capacite_polynome / 2 + 1;

// Σ c[k]·ε^(bas + k), k < n, known exactly up to the power `haut` (excluded); m[k] is the
// magnitude of the terms summed into c[k] by the operations that formed the entry.
struct serie {
    int bas = 0;
    int n = 0;
    int haut = haut_infini;
    double c[termes_max];
    double m[termes_max];

    serie() = default;
    // Only the terms in use are copied: most entries are plain numbers of one term.
    serie(const serie& s) : bas(s.bas), n(s.n), haut(s.haut) {
        for (int k = 0; k < n; ++k) c[k] = s.c[k], m[k] = s.m[k];
    }
    serie& operator=(const serie& s) {
        bas = s.bas, n = s.n, haut = s.haut;
        for (int k = 0; k < n; ++k) c[k] = s.c[k], m[k] = s.m[k];
        return *this;
    }
};

serie constante(double x) {
    serie s;
    if (x == 0) return s;
    s.n = 1;
    s.c[0] = x;
    s.m[0] = std::fabs(x);
    return s;
}

serie epsilon() {
    serie s = constante(1.0);
    s.bas = 1;
    return s;
}

double terme(const serie& s, int puissance) {
    const int k = puissance - s.bas;
    return k >= 0 && k < s.n ? s.c[k] : 0.0;
}

double ampleur(const serie& s, int puissance) {
    const int k = puissance - s.bas;
    return k >= 0 && k < s.n ? s.m[k] : 0.0;
}

// Coefficients within rounding of zero become zero, and leading zeros are dropped: a sign is
// only ever read from a coefficient that stands above the rounding errors of the terms it was
// formed from. Each coefficient kept then counts as exact in the rows below: the rounding of
// the rows above is what the tolerance allows for.
void nettoyer(serie& s, double tolerance) {
    for (int k = 0; k < s.n; ++k) {
        if (std::fabs(s.c[k]) <= tolerance * s.m[k]) s.c[k] = 0;
        s.m[k] = std::fabs(s.c[k]);
    }
    int debut = 0;
    while (debut < s.n && s.c[debut] == 0) ++debut;
    if (debut > 0) {
        for (int k = debut; k < s.n; ++k) s.c[k - debut] = s.c[k], s.m[k - debut] = s.m[k];
        s.n -= debut;
        s.bas += debut;
    }
    while (s.n > 0 && s.c[s.n - 1] == 0) --s.n;
    if (s.n == 0) s.bas = 0;
}

serie produit(const serie& a, const serie& b) {
    serie r;
    if (a.n == 0 || b.n == 0) return r;
    r.bas = a.bas + b.bas;
    r.haut = std::min({a.haut + b.bas, b.haut + a.bas, haut_infini});
    r.n = std::min({a.n + b.n - 1, termes_max, r.haut - r.bas});
    for (int k = 0; k < r.n; ++k) {
        double c = 0, m = 0;
        for (int i = std::max(0, k - b.n + 1); i <= std::min(k, a.n - 1); ++i) {
            c += a.c[i] * b.c[k - i];
            m += a.m[i] * std::fabs(b.c[k - i]) + std::fabs(a.c[i]) * b.m[k - i];
        }
        r.c[k] = c;
        r.m[k] = m;
    }
    return r;
}

serie difference(const serie& a, const serie& b) {
    if (b.n == 0) return a;
    serie r;
    r.bas = a.n == 0 ? b.bas : std::min(a.bas, b.bas);
    r.haut = std::min(a.haut, b.haut);
    const int fin = std::max(a.n == 0 ? r.bas : a.bas + a.n, b.bas + b.n);
    r.n = std::min({termes_max, r.haut - r.bas, fin - r.bas});
    for (int k = 0; k < r.n; ++k) {
        const int p = r.bas + k;
        r.c[k] = terme(a, p) - terme(b, p);
        r.m[k] = ampleur(a, p) + ampleur(b, p);
    }
    return r;
}

// a / b for b ≠ 0 (its leading coefficient non-zero).
serie quotient(const serie& a, const serie& b) {
    serie r;
    if (a.n == 0) return r;
    r.bas = a.bas - b.bas;
    const int connus = std::min(a.haut - a.bas, b.haut - b.bas);
    // Dividing by a single exact term ends; by anything longer it is an endless expansion.
    const int voulus = b.n == 1 ? a.n : termes_max;
    r.n = std::min({voulus, termes_max, connus});
    r.haut = (b.n == 1 && connus >= haut_infini / 2) ? haut_infini : r.bas + r.n;
    const double b0 = b.c[0];
    for (int k = 0; k < r.n; ++k) {
        double c = k < a.n ? a.c[k] : 0.0;
        double m = k < a.n ? a.m[k] : 0.0;
        for (int j = 1; j <= std::min(k, b.n - 1); ++j) {
            c -= b.c[j] * r.c[k - j];
            m += b.m[j] * std::fabs(r.c[k - j]) + std::fabs(b.c[j]) * r.m[k - j];
        }
        r.c[k] = c / b0;
        // The divisor's own errors count in proportion to the quotient.
        r.m[k] = (m + b.m[0] * std::fabs(r.c[k])) / std::fabs(b0);
    }
    return r;
}

int signe(const serie& s) {
    return s.n == 0 ? 0 : (s.c[0] > 0 ? 1 : -1);
}

terme_routh tete(const serie& s) {
    if (s.n == 0) return {};
    return {s.c[0], s.bas};
}

int largeur(int puissance) {
    return puissance / 2 + 1;
}

using ligne = std::array<serie, largeur_max>;

// Every entry tends to zero with ε. A row that is exactly zero, or one that only an earlier ε
// keeps from being zero, marks the same common factor of the even and odd parts: roots placed
// symmetrically about the origin, those on the imaginary axis among them.
bool ligne_nulle_a_la_limite(const ligne& l, int puissance) {
    for (int j = 0; j < largeur(puissance); ++j) {
        const serie& s = l[static_cast<std::size_t>(j)];
        if (s.n != 0 && s.bas <= 0) return false;
    }
    return true;
}

// Where the table goes while it is built: the caller may keep the rows and the special cases,
// or only the signs of the first column.
struct construction {
    tableau_routh* sortie = nullptr;
    int signes[capacite_polynome + 1] = {};
    // Power of the auxiliary polynomial of the first row of zeros; −1 without any.
    int premier_auxiliaire = -1;
};

void garder_ligne(construction& b, const ligne& l, int puissance) {
    if (!b.sortie) return;
    std::vector<terme_routh> t(static_cast<std::size_t>(largeur(puissance)));
    for (std::size_t j = 0; j < t.size(); ++j) t[j] = tete(l[j]);
    b.sortie->lignes.push_back(std::move(t));
}

// The row of p^puissance once formed: a row of zeros becomes the derivative of the auxiliary
// polynomial of the row above, a zero first entry becomes ε.
void traiter_cas(construction& b, const ligne& dessus, ligne& l, int puissance) {
    if (ligne_nulle_a_la_limite(l, puissance)) {
        const int d = puissance + 1;
        cas_routh cas{puissance, genre_cas_routh::ligne_nulle, {}};
        for (int j = 0; j < largeur(d); ++j) cas.auxiliaire.push_back(tete(dessus[std::size_t(j)]));
        for (int j = 0; j < largeur(puissance); ++j)
            l[std::size_t(j)] = produit(constante(d - 2 * j), dessus[std::size_t(j)]);
        if (b.premier_auxiliaire < 0) b.premier_auxiliaire = d;
        if (b.sortie) b.sortie->cas.push_back(std::move(cas));
    } else if (l[0].n == 0) {
        l[0] = epsilon();
        if (b.sortie)
            b.sortie->cas.push_back({puissance, genre_cas_routh::zero_premiere_colonne, {}});
    }
}

comptes_racines construire(const double* coef, int degre, construction& b) {
    const int n = degre;
    const double tolerance = tolerance_zero;
    // Three rows in turn, never copied: the two above and the one being formed.
    std::array<ligne, 3> rangs;
    ligne* dessus = &rangs[0];
    ligne* courante = &rangs[1];
    ligne* suivante = &rangs[2];
    for (int j = 0; j < largeur(n); ++j) (*dessus)[std::size_t(j)] = constante(coef[n - 2 * j]);
    garder_ligne(b, *dessus, n);
    b.signes[0] = signe((*dessus)[0]);
    if (n >= 1) {
        for (int j = 0; j < largeur(n - 1); ++j)
            (*courante)[std::size_t(j)] = constante(coef[n - 1 - 2 * j]);
        traiter_cas(b, *dessus, *courante, n - 1);
        garder_ligne(b, *courante, n - 1);
        b.signes[1] = signe((*courante)[0]);
    }
    const serie zero{};
    for (int puissance = n - 2; puissance >= 0; --puissance) {
        const serie& pivot = (*courante)[0];
        const std::size_t l_haut = std::size_t(largeur(puissance + 2));
        const std::size_t l_bas = std::size_t(largeur(puissance + 1));
        for (int j = 0; j < largeur(puissance); ++j) {
            const std::size_t k = std::size_t(j) + 1;
            const serie& haut = k < l_haut ? (*dessus)[k] : zero;
            const serie& bas = k < l_bas ? (*courante)[k] : zero;
            // (pivot·haut − dessus₀·bas) / pivot, exact for integer coefficients; under a zero the
            // entry above is copied as it is.
            serie& e = (*suivante)[std::size_t(j)];
            e = bas.n == 0
                    ? haut
                    : quotient(difference(produit(pivot, haut), produit((*dessus)[0], bas)), pivot);
            nettoyer(e, tolerance);
        }
        traiter_cas(b, *courante, *suivante, puissance);
        garder_ligne(b, *suivante, puissance);
        b.signes[n - puissance] = signe((*suivante)[0]);
        ligne* libre = dessus;
        dessus = courante;
        courante = suivante;
        suivante = libre;
    }

    const auto changements = [&](int depuis) {
        int c = 0;
        for (int i = depuis; i < n; ++i) c += b.signes[i] != b.signes[i + 1];
        return c;
    };
    comptes_racines r;
    r.partie_reelle_positive = changements(0);
    if (b.premier_auxiliaire >= 0)
        r.axe_imaginaire = b.premier_auxiliaire - 2 * changements(n - b.premier_auxiliaire);
    r.partie_reelle_negative = n - r.partie_reelle_positive - r.axe_imaginaire;
    return r;
}

// Degree without the zero leading coefficients; −1 for the zero polynomial.
int degre_utile(const double* coef, int degre) {
    int n = std::clamp(degre, 0, capacite_polynome);
    while (n >= 0 && coef[n] == 0) --n;
    return n;
}

} // namespace

tableau_routh table_routh(const double* coef, int degre) {
    tableau_routh t;
    const int n = degre_utile(coef, degre);
    if (n < 0) {
        t.polynome_nul = true;
        return t;
    }
    t.degre = n;
    construction b;
    b.sortie = &t;
    t.racines = construire(coef, n, b);
    return t;
}

tableau_routh table_routh(const polynome& p) {
    double c[capacite_polynome + 1] = {};
    const int n = std::clamp(p.degre, 0, capacite_polynome);
    for (int k = 0; k <= n; ++k) c[k] = p.coef[std::size_t(k)].re;
    return table_routh(c, n);
}

comptes_racines compter_racines_routh(const double* coef, int degre) {
    const int n = degre_utile(coef, degre);
    if (n < 0) return {};
    construction b;
    return construire(coef, n, b);
}

} // namespace varlem
