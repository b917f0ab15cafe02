#include "analysis/branche_asymptotes.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace varlem {

namespace {

constexpr double degres_par_radian = 180 / std::numbers::pi;
// More turns than any phase of the analysis reaches.
constexpr double tours_max = 1e6;

// Three pulsations within level i of n + 1, away from its breaks: a decade and more beyond the
// outer breaks, at the quarters (in log ω) between two inner ones.
std::array<double, 3> echantillons(const asymptotes_bode& a, std::size_t i) {
    const std::size_t n = a.cassures.size();
    if (n == 0) return {0.1, 1.0, 10.0};
    if (i == 0) {
        const double w = a.cassures.front().omega;
        return {w / 1000, w / 100, w / 10};
    }
    if (i == n) {
        const double w = a.cassures.back().omega;
        return {w * 10, w * 100, w * 1000};
    }
    const double wa = a.cassures[i - 1].omega, wb = a.cassures[i].omega;
    const double quart = std::pow(wb / wa, 0.25);
    return {wa * quart, wa * quart * quart, wa * quart * quart * quart};
}

// The real phase in degrees without the delay's turning.
double phase_rationnelle_deg(const fdt_travail& ft, double w) {
    return (fdt_phase(ft, w) + w * ft.fonction.retard) * degres_par_radian;
}

} // namespace

std::vector<int> tours_par_palier(const fdt_travail& ft, const asymptotes_bode& a) {
    const std::size_t n = a.cassures.size();
    std::vector<int> tours(n + 1, 0);
    if (!a.valide) return tours;
    for (std::size_t i = 0; i <= n; ++i) {
        const double niveau = i == 0 ? a.phase_initiale_deg : a.cassures[i - 1].phase_apres_deg;
        std::optional<int> k;
        bool accord = true;
        for (const double w : echantillons(a, i)) {
            const double ecart = (phase_rationnelle_deg(ft, w) - niveau) / 360;
            // A phase out of reach (an overflow, a root at that very pulsation) decides nothing.
            if (!(std::fabs(ecart) < tours_max)) accord = false;
            if (!accord) break;
            const int ki = static_cast<int>(std::nearbyint(ecart));
            accord = !k || *k == ki;
            k = ki;
        }
        if (accord && k) tours[i] = *k;
    }
    return tours;
}

asymptotes_bode sur_branche_reelle(const fdt_travail& ft, asymptotes_bode a) {
    const std::vector<int> tours = tours_par_palier(ft, a);
    a.phase_initiale_deg += 360.0 * tours[0];
    double avant = a.phase_initiale_deg;
    for (std::size_t i = 0; i < a.cassures.size(); ++i) {
        cassure_bode& c = a.cassures[i];
        c.phase_apres_deg += 360.0 * tours[i + 1];
        c.saut_phase_deg = c.phase_apres_deg - avant;
        avant = c.phase_apres_deg;
    }
    return a;
}

} // namespace varlem
