#include "numeric/frequentiel.h"

#include "numeric/frequentiel_noyau.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace varlem {

namespace {

constexpr std::size_t morceau = 256;

// Real coefficients and roots of ft in the layout of the vector loops.
struct tableaux {
    std::array<double, capacite_polynome + 1> num{}, den{};
    std::array<double, 2 * nb_termes_max> re{}, im{};
    noyau::donnees_fonction vue;

    explicit tableaux(const fdt_travail& ft) {
        const fdt& f = ft.fonction;
        const auto degre = [](int d) { return std::clamp(d, 0, capacite_polynome); };
        for (int k = 0; k <= degre(f.num.degre); ++k) num[static_cast<std::size_t>(k)] = f.num.coef[static_cast<std::size_t>(k)].re;
        for (int k = 0; k <= degre(f.den.degre); ++k) den[static_cast<std::size_t>(k)] = f.den.coef[static_cast<std::size_t>(k)].re;
        std::size_t n = 0;
        for (int i = 0; i < std::min(degre(f.num.degre), nb_termes_max); ++i, ++n) {
            re[n] = ft.termes_zeros[static_cast<std::size_t>(i)].valeur.re;
            im[n] = ft.termes_zeros[static_cast<std::size_t>(i)].valeur.im;
        }
        for (int i = 0; i < std::min(degre(f.den.degre), nb_termes_max); ++i, ++n) {
            re[n] = ft.termes_poles[static_cast<std::size_t>(i)].valeur.re;
            im[n] = ft.termes_poles[static_cast<std::size_t>(i)].valeur.im;
        }
        vue = {num.data(), degre(f.num.degre), den.data(), degre(f.den.degre),
               re.data(),  im.data(),          static_cast<int>(n)};
    }
};

} // namespace

void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           const tableaux_frequence& sortie) {
    const std::size_t n = omegas.size();
    if (n == 0) return;
    const tableaux t(ft);
    double continu[morceau];
    noyau::suite_noyau suite;
    // The phase is the unwrapped arg T plus a constant set at the last point computed exactly.
    double base = 0.0;
    for (std::size_t debut = 0; debut < n; debut += morceau) {
        const std::size_t m = std::min(morceau, n - debut);
        const noyau::sorties_noyau s{sortie.re + debut, sortie.im + debut, sortie.gain_db + debut,
                                     sortie.phase + debut, continu};
        noyau::evaluer(t.vue, omegas.data() + debut, m, suite, s);
        if (debut == 0) continu[0] = 0.0;
        double* phase = sortie.phase + debut;
        for (std::size_t k = 0; k < m;) {
            std::size_t j = k;
            while (j < m && continu[j] != 0.0) ++j;
            for (std::size_t i = k; i < j; ++i) phase[i] += base;
            if (j == m) break;
            // The first point, and any point after an undefined one or near a root, is exact.
            const double w = omegas[debut + j];
            double& gain = sortie.gain_db[debut + j];
            if (!std::isfinite(gain)) gain = fdt_gain_db(ft.fonction, w);
            const double exacte = fdt_phase(ft, w);
            base = exacte - phase[j];
            phase[j] = exacte;
            k = j + 1;
        }
    }
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
