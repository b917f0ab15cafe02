#include "numeric/frequentiel.h"

#include "numeric/frequentiel_noyau.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace varlem {

namespace {

constexpr std::size_t morceau = 1024;

double retard_de(const fdt& f) {
    return f.retard > 0 ? f.retard : 0.0;
}

// Real coefficients and roots of ft in the layout of the vector loops.
struct tableaux {
    std::array<double, capacite_polynome + 1> num, den;
    std::array<double, 2 * nb_termes_max> re, im;
    noyau::donnees_fonction vue;

    explicit tableaux(const fdt_travail& ft) {
        const fdt& f = ft.fonction;
        const auto degre = [](int d) { return std::clamp(d, 0, capacite_polynome); };
        for (int k = 0; k <= degre(f.num.degre); ++k)
            num[static_cast<std::size_t>(k)] = f.num.coef[static_cast<std::size_t>(k)].re;
        for (int k = 0; k <= degre(f.den.degre); ++k)
            den[static_cast<std::size_t>(k)] = f.den.coef[static_cast<std::size_t>(k)].re;
        std::size_t n = 0;
        for (int i = 0; i < std::min(degre(f.num.degre), nb_termes_max); ++i, ++n) {
            re[n] = ft.termes_zeros[static_cast<std::size_t>(i)].valeur.re;
            im[n] = ft.termes_zeros[static_cast<std::size_t>(i)].valeur.im;
        }
        for (int i = 0; i < std::min(degre(f.den.degre), nb_termes_max); ++i, ++n) {
            re[n] = ft.termes_poles[static_cast<std::size_t>(i)].valeur.re;
            im[n] = ft.termes_poles[static_cast<std::size_t>(i)].valeur.im;
        }
        vue = {num.data(), degre(f.num.degre), den.data(),          degre(f.den.degre),
               re.data(),  im.data(),          static_cast<int>(n), retard_de(f)};
    }
};

// The point k from the exact definitions.
void point_exact(const fdt_travail& ft, double w, const tableaux_frequence& sortie, std::size_t k) {
    const complexe t = fdt_valeur(ft.fonction, w);
    sortie.re[k] = t.re;
    sortie.im[k] = t.im;
    sortie.gain_db[k] = gain_db_de(t);
    sortie.phase[k] = fdt_phase(ft, w, t);
}

// At each rupture the phase is computed exactly, and the points up to the next rupture move by
// the same amount. Returns the amount the last run moved, which the points after this piece take.
double reprendre_ruptures(const fdt_travail& ft, const double* w, std::size_t m,
                          const tableaux_frequence& sortie, const std::uint32_t* ruptures,
                          std::size_t nb) {
    double correction = 0.0;
    for (std::size_t r = 0; r < nb; ++r) {
        const std::size_t j = ruptures[r];
        const std::size_t fin = r + 1 < nb ? ruptures[r + 1] : m;
        const complexe t = fdt_valeur(ft.fonction, w[j]);
        if (!std::isfinite(sortie.gain_db[j])) sortie.gain_db[j] = gain_db_de(t);
        const double exacte = fdt_phase(ft, w[j], t);
        // An undefined argument makes the next point a rupture too: the correction waits for it.
        if (std::isfinite(sortie.phase[j])) correction = exacte - sortie.phase[j];
        sortie.phase[j] = exacte;
        if (correction != 0.0)
            for (std::size_t i = j + 1; i < fin; ++i) sortie.phase[i] += correction;
    }
    return correction;
}

} // namespace

void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           const tableaux_frequence& sortie, noyau::choix_noyau choix) {
    const std::size_t n = omegas.size();
    if (n == 0) return;
    // The first point is exact; the kernel continues from it, its arguments shifted by the
    // whole turns that separate the exact phase from arg T.
    point_exact(ft, omegas[0], sortie, 0);
    complexe t0{sortie.re[0], sortie.im[0]};
    double phase0 = sortie.phase[0];
    // The kernel unwraps the fraction's argument and takes the delay's phase off afterwards.
    if (const double retard = retard_de(ft.fonction); retard > 0) {
        const double theta = omegas[0] * retard;
        const double c = std::cos(theta), s = std::sin(theta);
        t0 = {t0.re * c - t0.im * s, t0.im * c + t0.re * s};
        phase0 += theta;
    }
    const bool defini =
        (t0.re != 0.0 || t0.im != 0.0) && std::isfinite(t0.re) && std::isfinite(t0.im);
    noyau::suite_noyau suite;
    suite.w_precedent = omegas[0];
    suite.arg_precedent = defini ? std::atan2(t0.im, t0.re) : NAN;
    suite.base = defini ? phase0 - suite.arg_precedent : 0.0;
    const tableaux t(ft);
    std::uint32_t ruptures[morceau];
    for (std::size_t debut = 1; debut < n; debut += morceau) {
        const std::size_t m = std::min(morceau, n - debut);
        const tableaux_frequence s{sortie.re + debut, sortie.im + debut, sortie.gain_db + debut,
                                   sortie.phase + debut};
        const std::size_t nb = noyau::evaluer(choix, t.vue, omegas.data() + debut, m, suite,
                                              {s.re, s.im, s.gain_db, s.phase, ruptures});
        suite.base += reprendre_ruptures(ft, omegas.data() + debut, m, s, ruptures, nb);
    }
}

void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           const tableaux_frequence& sortie) {
    reponse_frequentielle(ft, omegas, sortie, noyau::choix_noyau::automatique);
}

void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           std::span<point_frequence> sortie) {
    const std::size_t n = std::min(omegas.size(), sortie.size());
    std::vector<double> valeurs(4 * n);
    const tableaux_frequence t{valeurs.data(), valeurs.data() + n, valeurs.data() + 2 * n,
                               valeurs.data() + 3 * n};
    reponse_frequentielle(ft, omegas.first(n), t);
    for (std::size_t k = 0; k < n; ++k)
        sortie[k] = {omegas[k], {t.re[k], t.im[k]}, t.gain_db[k], t.phase[k]};
}

} // namespace varlem
