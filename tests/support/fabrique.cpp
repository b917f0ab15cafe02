#include "support/fabrique.h"

namespace varlem::test {

polynome polynome_depuis_racines(const std::vector<complexe>& racines, double dominant) {
    polynome p = p_constante(dominant);
    for (const complexe& r : racines) {
        polynome facteur;
        facteur.degre = 1;
        facteur.coef[0] = {-r.re, -r.im};
        facteur.coef[1] = {1.0, 0.0};
        p = p_produit(p, facteur);
    }
    // Pairs of conjugate roots leave rounding residues in the imaginary parts.
    for (int k = 0; k <= p.degre; ++k) p.coef[static_cast<std::size_t>(k)].im = 0.0;
    return p;
}

fdt_travail fonction_depuis_racines(double gain, const std::vector<complexe>& zeros,
                                    const std::vector<complexe>& poles) {
    fdt_travail ft;
    ft.fonction.num = polynome_depuis_racines(zeros);
    for (auto& c : ft.fonction.num.coef) c.re *= gain;
    ft.fonction.den = polynome_depuis_racines(poles);
    ft.gain = gain;
    for (std::size_t i = 0; i < zeros.size(); ++i) {
        ft.zeros[i + 1] = zeros[i];
        ft.termes_zeros[i].valeur = zeros[i];
    }
    for (std::size_t i = 0; i < poles.size(); ++i) {
        ft.poles[i + 1] = poles[i];
        ft.termes_poles[i].valeur = poles[i];
    }
    return ft;
}

} // namespace varlem::test
