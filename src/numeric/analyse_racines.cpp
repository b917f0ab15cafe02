#include "numeric/analyse_racines.h"

#include "numeric/decomposition.h"
#include "numeric/poles_facteurs.h"
#include "numeric/racines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace varlem {

namespace {

int degre_borne(const polynome& p) {
    return std::clamp(p.degre, 0, capacite_polynome);
}

// Rounds to 5 significant digits exactly as writing the value with texte_scientifique (4, x)
// and reading it back would, without building any text on the heap. A value that is not
// finite reads back as 0, as its text does.
double arrondi_5_chiffres(double x) {
    if (!std::isfinite(x)) return 0.0;
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(x),
                                   std::chars_format::scientific, 4);
    double v = 0.0;
    std::from_chars(tampon, fin.ptr, v, std::chars_format::scientific);
    return x < 0 ? -v : v;
}

// Entries of the analysed record that follow from the root lists: the root values of the
// terms, then the multiplicities and the partial fractions.
void remplir_termes(fdt_travail& ft) {
    const int nz = degre_borne(ft.fonction.num);
    const int np = degre_borne(ft.fonction.den);
    ft.termes_poles = {};
    ft.termes_zeros = {};
    for (int k = 1; k <= np; ++k)
        ft.termes_poles[static_cast<std::size_t>(k - 1)].valeur =
            ft.poles[static_cast<std::size_t>(k)];
    for (int k = 1; k <= nz; ++k)
        ft.termes_zeros[static_cast<std::size_t>(k - 1)].valeur =
            ft.zeros[static_cast<std::size_t>(k)];
    decomposer(ft); // also sets each term's order
}

double gain_de(const fdt& f) {
    return f.num.coef[static_cast<std::size_t>(degre_borne(f.num))].re /
           f.den.coef[static_cast<std::size_t>(degre_borne(f.den))].re;
}

// Appends r to a root list already holding n roots, within its 50 entries.
void ajouter(liste_racines& l, int& n, complexe r) {
    if (n >= capacite_polynome) return;
    l[static_cast<std::size_t>(++n)] = r;
}

} // namespace

complexe nettoyer_pole(complexe z) {
    if (z.im != 0 && std::fabs(z.re / z.im) < 1e-5) z.re = 0;
    if (z.re != 0 && std::fabs(z.im / z.re) < 1e-5) z.im = 0;
    return {arrondi_5_chiffres(z.re), arrondi_5_chiffres(z.im)};
}

void analyser_racines(contexte_calcul& ctx, fdt_travail& ft) {
    const fdt& f = ft.fonction;
    ft.zeros = racines(ctx, f.num);
    if (ctx.racines_globales) {
        ft.poles = racines(ctx, f.den);
    } else {
        // The parser accepted this text, so reading it factor by factor cannot fail; should it
        // all the same, the expanded denominator still gives the poles.
        const bool erreur_avant = ctx.erreur_syntaxe;
        liste_racines poles{};
        if (poles_par_facteurs(ctx, f.texte_den, poles)) {
            ft.poles = poles;
        } else {
            ctx.erreur_syntaxe = erreur_avant;
            ft.poles = racines(ctx, f.den);
        }
    }
    ft.gain = gain_de(f);
    // Only the rounding makes the copies of a multiple pole found in different factors equal;
    // small poles are kept as they are (a pole of 1/(1 + 1000p) is −0.001, not 0).
    const int np = degre_borne(f.den);
    for (int k = 1; k <= np; ++k) {
        auto& p = ft.poles[static_cast<std::size_t>(k)];
        p = nettoyer_pole(p);
    }
    remplir_termes(ft);
}

void analyser_produit_entree(fdt_travail& ft, const fdt_travail& ft_T, entree_temps genre,
                             const fdt& entree) {
    const liste_racines& zeros_T = ft_T.zeros;
    const liste_racines& poles_T = ft_T.poles;
    const int nz_T = degre_borne(ft_T.fonction.num);
    const int np_T = degre_borne(ft_T.fonction.den);

    liste_racines zeros{};
    liste_racines poles{};
    int nz = 0;
    int np = 0;
    for (int k = 1; k <= nz_T; ++k) ajouter(zeros, nz, zeros_T[static_cast<std::size_t>(k)]);
    for (int k = 1; k <= np_T; ++k) ajouter(poles, np, poles_T[static_cast<std::size_t>(k)]);

    if (genre == entree_temps::sinus && entree.num.coef[1].re != 0)
        ajouter(zeros, nz, {-entree.num.coef[0].re / entree.num.coef[1].re, 0.0});
    if (genre == entree_temps::echelon) ajouter(poles, np, {});
    if (genre == entree_temps::rampe) {
        ajouter(poles, np, {});
        ajouter(poles, np, {});
    }
    if (genre == entree_temps::sinus) {
        const double w = std::sqrt(entree.den.coef[0].re);
        ajouter(poles, np, {0.0, -w});
        ajouter(poles, np, {0.0, w});
    }
    ft.zeros = zeros;
    ft.poles = poles;
    ft.gain = gain_de(ft.fonction);
    remplir_termes(ft);
}

} // namespace varlem
