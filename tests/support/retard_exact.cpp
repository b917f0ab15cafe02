#include "support/retard_exact.h"

#include <cmath>

namespace varlem::test {

double echelon_boucle_retard(double K, double tau, double t) {
    double y = 0, signe = 1, puissance = K;
    for (int k = 1; k * tau <= t; ++k) {
        const double x = t - k * tau;
        double terme = std::exp(-x), somme = 0;
        for (int j = 0; j < k; ++j) {
            somme += terme;
            terme *= x / (j + 1);
        }
        y += signe * puissance * (1 - somme);
        signe = -signe;
        puissance *= K;
    }
    return y;
}

} // namespace varlem::test
