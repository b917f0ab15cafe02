#include "analysis/periodique_retard.h"

#include "numeric/boucle_retard.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// A break of the input: at time t its value jumps by `saut` and its slope by `pente`.
struct rupture {
    double t = 0;
    double saut = 0;
    double pente = 0;
};

// The breaks of u up to t_fin. Within a period the pieces end at the fractions 0, α/2, α and
// 1 − α/2 (those a shape does not use join two pieces of the same line); each piece's line is
// read on two points inside it, away from its ends.
std::vector<rupture> ruptures(const forme_periodique& u, double t_fin) {
    std::vector<rupture> r;
    if (!(u.f > 0)) {
        // A signal held at the start of its period: one step.
        r.push_back({0, u.valeur(0), 0});
        return r;
    }
    const double periode = 1 / u.f;
    std::vector<double> x = {0, u.alpha / 2, u.alpha, 1 - u.alpha / 2, 1};
    std::sort(x.begin(), x.end());
    x.erase(std::unique(x.begin(), x.end()), x.end());
    double valeur_avant = 0, pente_avant = 0;
    for (long k = 0; k * periode <= t_fin; ++k)
        for (std::size_t i = 0; i + 1 < x.size(); ++i) {
            const double a = (k + x[i]) * periode, b = (k + x[i + 1]) * periode;
            if (!(b > a) || a > t_fin) continue;
            const double t1 = a + (b - a) / 3, t2 = a + 2 * (b - a) / 3;
            const double v1 = u.valeur(t1), v2 = u.valeur(t2);
            const double pente = (v2 - v1) / (t2 - t1);
            r.push_back({a, v1 - pente * (t1 - a) - valeur_avant, pente - pente_avant});
            valeur_avant = v1 + pente * (b - t1);
            pente_avant = pente;
        }
    return r;
}

boucle_retardee avec_entree(boucle_retardee b, int puissance) {
    p_nul(b.num_entree);
    p_nul(b.den_entree);
    b.num_entree.coef[0] = {1, 0};
    b.den_entree.degre = puissance;
    b.den_entree.coef[static_cast<std::size_t>(puissance)] = {1, 0};
    return b;
}

} // namespace

bool reponse_periodique_boucle(const boucle_retardee& b, double retard, const forme_periodique& u,
                               double t_min, double pas, int nb, std::vector<double>& sortie) {
    const double t_fin = std::max(0.0, t_min + (nb - 1) * pas - retard);
    if (!std::isfinite(t_fin)) return false;
    // Each sample sums the responses to every break before it: beyond a few thousand breaks
    // (a window of periods far shorter than it, a frequency near the doubles' end) the count
    // alone would take the time and memory, and the stand-in answers.
    if (u.f > 0 && !(t_fin * u.f <= periodes_exactes_max)) return false;
    const reponse_boucle_retard echelon(avec_entree(b, 1), t_fin);
    const reponse_boucle_retard rampe(avec_entree(b, 2), t_fin);
    if (!echelon.valide() || !rampe.valide()) return false;
    const std::vector<rupture> r = ruptures(u, t_fin);
    sortie.assign(static_cast<std::size_t>(std::max(nb, 0)), 0.0);
    for (int j = 0; j < nb; ++j) {
        const double t = t_min + j * pas - retard;
        double y = 0;
        for (const rupture& e : r) {
            if (e.t > t) break;
            if (e.saut != 0) y += e.saut * echelon.valeur(t - e.t);
            if (e.pente != 0) y += e.pente * rampe.valeur(t - e.t);
        }
        sortie[static_cast<std::size_t>(j)] = y;
    }
    return true;
}

} // namespace varlem
