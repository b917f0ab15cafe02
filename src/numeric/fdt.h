#pragma once
// Transfer functions: as typed and parsed (`fdt`), and analysed (`fdt_travail`).

#include "numeric/polynome.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace varlem {

struct boucle_retardee;

/// Number of root entries and of partial-fraction terms a function can hold.
inline constexpr int nb_termes_max = capacite_polynome;

/// Transfer function as typed: the two texts and the two parsed polynomials.
struct fdt {
    polynome num;
    polynome den;
    std::string texte_num;
    std::string texte_den;
    /// Pure delay τ ≥ 0 in seconds: the function is num/den · e^(−τp); 0 for none.
    double retard = 0.0;
    /// Set when num/den only stands for a closed loop with a delay (its Padé stand-in): the
    /// exact loop its time values come from.
    std::shared_ptr<const boucle_retardee> boucle;
};

/// The response G·e^(−τp)·U / (1 + G·R·e^(−τp)) of a closed loop with a delay in its direct
/// chain: G, R and U as fractions without delay.
struct boucle_retardee {
    polynome num_directe, den_directe;
    polynome num_retour, den_retour;
    double retard = 0.0;
    /// Transform of the input the response is taken for (1 over 1: the impulse response).
    polynome num_entree, den_entree;
    /// Order of the Padé approximant of e^(−τp) in the stand-in.
    int ordre_pade = 0;
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

/// f · g (texts of the result empty); the delays add, and a closed-loop stand-in keeps its loop
/// with the other factor taken into its input.
fdt f_produit(const fdt& f, const fdt& g);
/// Derivative of num/den: (num′·den − num·den′) / den².
fdt f_derivee(const fdt& f);
/// n! as a double (exact up to 22!); 1 for n ≤ 0.
double factorielle(int n);

/// T(jω) = num(jω) / den(jω) · e^(−jωτ).
complexe fdt_valeur(const fdt& f, double w);
/// Real part of T(jω).
double fdt_re(const fdt& f, double w);
/// Imaginary part of T(jω).
double fdt_im(const fdt& f, double w);
/// 20·log10|T(jω)|, or exactly −10000 when T(jω) is zero; finite also where num(jω) or den(jω)
/// leave the doubles and T(jω) cannot be formed.
double fdt_gain_db(const fdt& f, double w);
/// Phase in radians, not folded: the branch of Σ arg(jω − zᵢ) − Σ arg(jω − pᵢ) − ωτ (minus π
/// for a negative gain) nearest to that sum, with the value of arg T(jω) from the polynomials.
double fdt_phase(const fdt_travail& ft, double w);
/// fdt_gain_db from t = fdt_valeur(ft.fonction, w) already computed (and finite).
double gain_db_de(complexe t);
/// fdt_phase with t = fdt_valeur(ft.fonction, w) already computed.
double fdt_phase(const fdt_travail& ft, double w, complexe t);

} // namespace varlem
