#pragma once
// Helpers of the root and decomposition tests: polynomials built from known roots, and
// comparisons of root lists that ignore the order.

#include "numeric/analyse_racines.h"
#include "numeric/analyseur.h"
#include "numeric/fdt.h"
#include "support/fabrique.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace varlem::test {

/// Parses both texts and analyses them (poles from the expanded denominator when `globales`),
/// with a fixed seed.
inline fdt_travail analyser(const char* num, const char* den, bool globales = false,
                            std::uint64_t graine = 1) {
    contexte_calcul ctx;
    ctx.graine = graine;
    fdt_travail ft;
    ft.fonction.texte_num = num;
    ft.fonction.texte_den = den;
    lire_polynome(ctx, num, ft.fonction.num);
    lire_polynome(ctx, den, ft.fonction.den);
    ctx.racines_globales = globales;
    analyser_racines(ctx, ft);
    return ft;
}

/// Polynomial from its coefficients, constant first.
inline polynome depuis_coefs(std::initializer_list<double> c) {
    polynome p;
    p.degre = static_cast<int>(c.size()) - 1;
    std::size_t k = 0;
    for (const double v : c) p.coef[k++] = {v, 0};
    return p;
}

/// Each expected root repeated m times (and its conjugate as often when it is complex).
struct racine_attendue {
    complexe z;
    int m = 1;
};

inline std::vector<complexe> developper(const std::vector<racine_attendue>& groupes) {
    std::vector<complexe> r;
    for (const auto& g : groupes)
        for (int k = 0; k < g.m; ++k) {
            r.push_back(g.z);
            if (g.z.im != 0) r.push_back(c_conjugue(g.z));
        }
    return r;
}

/// Largest relative distance between the found roots (entries 1..n) and the expected ones,
/// matched greedily nearest first; infinity when a root is missing.
inline double ecart_racines(const liste_racines& trouvees, std::vector<complexe> attendues) {
    double pire = 0;
    const int n = static_cast<int>(attendues.size());
    for (int i = 1; i <= n; ++i) {
        const complexe z = trouvees[static_cast<std::size_t>(i)];
        auto meilleur = std::min_element(attendues.begin(), attendues.end(), [&](auto a, auto b) {
            return c_module(c_difference(a, z)) < c_module(c_difference(b, z));
        });
        if (meilleur == attendues.end()) return INFINITY;
        pire = std::max(pire, c_module(c_difference(*meilleur, z)) / std::max(1.0, c_module(z)));
        attendues.erase(meilleur);
    }
    return pire;
}

/// Number of entries among 1..n exactly equal (both parts) to z.
inline int copies(const liste_racines& r, int n, complexe z) {
    int c = 0;
    for (int i = 1; i <= n; ++i)
        if (r[static_cast<std::size_t>(i)] == z) ++c;
    return c;
}

} // namespace varlem::test
