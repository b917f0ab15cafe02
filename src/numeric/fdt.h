#pragma once
// Transfer functions: as typed and parsed (`fdt`), and analysed (`fdt_travail`).

#include "numeric/polynome.h"

#include <algorithm>
#include <array>
#include <string>

namespace varlem {

/// Number of root entries and of partial-fraction terms a function can hold.
inline constexpr int nb_termes_max = capacite_polynome;

/// Transfer function as typed: the two texts and the two parsed polynomials.
struct fdt {
    polynome num;
    polynome den;
    std::string texte_num;
    std::string texte_den;
};

/// One root entry; for poles also a partial-fraction term coef / (p − valeur)^ordre.
struct terme {
    complexe valeur;
    int ordre = 0;
    complexe coef;
};

/// Root list: roots from entry 1 in the order found; entry 0 and unused entries stay zero.
using liste_racines = std::array<complexe, capacite_polynome + 1>;

/// Analysed transfer function, filled by the analysis pipeline and read by every study.
struct fdt_travail {
    fdt fonction;
    liste_racines zeros{};
    liste_racines poles{};
    double gain = 0.0;
    std::array<terme, nb_termes_max> termes_poles{};
    std::array<terme, nb_termes_max> termes_zeros{};
};

/// Number of entries of termes_poles in use (the denominator's degree, within the capacity).
inline int nb_poles(const fdt_travail& ft) {
    return std::clamp(ft.fonction.den.degre, 0, nb_termes_max);
}
/// Number of entries of termes_zeros in use.
inline int nb_zeros(const fdt_travail& ft) {
    return std::clamp(ft.fonction.num.degre, 0, nb_termes_max);
}

/// f · g (texts of the result empty).
fdt f_produit(const fdt& f, const fdt& g);
/// Derivative of num/den: (num′·den − num·den′) / den².
fdt f_derivee(const fdt& f);
/// n! as a double (exact up to 22!); 1 for n ≤ 0.
double factorielle(int n);

/// T(jω) = num(jω) / den(jω).
complexe fdt_valeur(const fdt& f, double w);
/// Real part of T(jω).
double fdt_re(const fdt& f, double w);
/// Imaginary part of T(jω).
double fdt_im(const fdt& f, double w);
/// 20·log10|T(jω)|, or exactly −10000 when T(jω) is zero; finite also where num(jω) or den(jω)
/// leave the doubles and T(jω) cannot be formed.
double fdt_gain_db(const fdt& f, double w);
/// Phase in radians, not folded: the branch of Σ arg(jω − zᵢ) − Σ arg(jω − pᵢ) (minus π for a
/// negative gain) nearest to that sum, with the value of arg T(jω) from the polynomials.
double fdt_phase(const fdt_travail& ft, double w);
/// fdt_gain_db from t = fdt_valeur(ft.fonction, w) already computed (and finite).
double gain_db_de(complexe t);
/// fdt_phase with t = fdt_valeur(ft.fonction, w) already computed.
double fdt_phase(const fdt_travail& ft, double w, complexe t);

} // namespace varlem
