#include "analysis/echelle_poles_zeros.h"

#include "plot/echelles.h"

#include <algorithm>

namespace varlem {

namespace {

struct bornes {
    double xmin, xmax, ymin, ymax;
};

bornes bornes_racines(const fdt_travail& ft) {
    const int nb_poles = std::min(ft.fonction.den.degre, nb_termes_max);
    const int nb_zeros = std::min(ft.fonction.num.degre, nb_termes_max);
    // Without poles the bounds start from the first zero, or from the origin.
    complexe depart{};
    if (nb_poles > 0)
        depart = ft.termes_poles[0].valeur;
    else if (nb_zeros > 0)
        depart = ft.termes_zeros[0].valeur;
    bornes b{depart.re, depart.re, depart.im, depart.im};
    const auto elargir = [&b](complexe z) {
        b.xmin = std::min(b.xmin, z.re);
        b.xmax = std::max(b.xmax, z.re);
        b.ymin = std::min(b.ymin, z.im);
        b.ymax = std::max(b.ymax, z.im);
    };
    for (int k = 0; k < nb_poles; ++k) elargir(ft.termes_poles[static_cast<std::size_t>(k)].valeur);
    for (int k = 0; k < nb_zeros; ++k) elargir(ft.termes_zeros[static_cast<std::size_t>(k)].valeur);
    return b;
}

void ecarter(double& lo, double& hi) {
    if (lo == 0 && hi == 0) lo = -1;
    if (lo == hi) hi = hi > 0 ? hi * 1.1 : hi * 0.9;
    lo *= 1.1;
    hi *= 1.1;
}

void graduer(reglages_pz& r) {
    r.pas_re = pas_graduation(r.re_min, r.re_max, true);
    r.pas_im = pas_graduation(r.im_min, r.im_max, true);
}

} // namespace

void echelle_auto_pz(const fdt_travail& ft, reglages_pz& r) {
    bornes b = bornes_racines(ft);
    ecarter(b.xmin, b.xmax);
    ecarter(b.ymin, b.ymax);
    r.re_min = b.xmin;
    r.re_max = b.xmax;
    r.im_min = b.ymin;
    r.im_max = b.ymax;
    graduer(r);
}

void echelle_auto_pz_toutes(const banque_fonctions& f, int nb_fonctions, reglages_pz& r) {
    const int n = std::clamp(nb_fonctions, 1, nb_fonctions_max);
    echelle_auto_pz(f[1], r);
    for (int k = 2; k <= n; ++k) {
        reglages_pz s = r;
        echelle_auto_pz(fonction_du_slot(f, k), s);
        r.re_min = std::min(r.re_min, s.re_min);
        r.im_min = std::min(r.im_min, s.im_min);
        r.re_max = std::max(r.re_max, s.re_max);
        r.im_max = std::max(r.im_max, s.im_max);
    }
    graduer(r);
}

} // namespace varlem
