#include "numeric/frequentiel.h"

#include "numeric/frequentiel_noyau.h"

#include <algorithm>
#include <array>
#include <cmath>

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
                           std::span<point_frequence> sortie) {
    const std::size_t n = std::min(omegas.size(), sortie.size());
    if (n == 0) return;
    const tableaux t(ft);

    double t_re[morceau], t_im[morceau], gain[morceau], arg[morceau], continu[morceau];
    const noyau::sorties_noyau s{t_re, t_im, gain, arg, continu};
    noyau::suite_noyau suite;
    // The phase is the unwrapped arg T plus a constant set at the last point computed exactly.
    double base = 0.0;
    bool suite_valide = false;
    for (std::size_t debut = 0; debut < n; debut += morceau) {
        const std::size_t m = std::min(morceau, n - debut);
        noyau::evaluer(t.vue, omegas.data() + debut, m, suite, s);
        for (std::size_t k = 0; k < m; ++k) {
            point_frequence& p = sortie[debut + k];
            p.omega = omegas[debut + k];
            p.t = {t_re[k], t_im[k]};
            const bool defini = std::isfinite(gain[k]) && std::isfinite(arg[k]);
            p.gain_db = defini ? gain[k] : fdt_gain_db(ft.fonction, p.omega);
            p.phase = arg[k] + base;
            if (!(suite_valide && defini && continu[k] != 0.0)) {
                p.phase = fdt_phase(ft, p.omega);
                base = p.phase - arg[k];
            }
            suite_valide = defini;
        }
    }
}

} // namespace varlem
