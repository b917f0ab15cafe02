#pragma once
// Polynomials in the Laplace variable with a fixed capacity of 50 (51 coefficients).

#include "numeric/complexe.h"

#include <array>
#include <string>

namespace varlem {

/// Highest degree a polynomial can hold.
inline constexpr int capacite_polynome = 50;

/// Polynomial: coef[k] multiplies p^k; every coefficient above `degre` is zero.
struct polynome {
    int degre = 0;
    std::array<complexe, capacite_polynome + 1> coef{};
    friend bool operator==(const polynome&, const polynome&) = default;
};

/// Resets p to the zero polynomial of degree 0.
void p_nul(polynome& p);
/// Σ coef[k]·z^k evaluated by a running power (not Horner's scheme).
complexe p_valeur(const polynome& p, complexe z);
/// a + b, of degree max(a.degre, b.degre); cancelled leading terms keep the degree.
polynome p_somme(const polynome& a, const polynome& b);
/// a − b, of degree max(a.degre, b.degre).
polynome p_difference(const polynome& a, const polynome& b);
/// Derivative of a; the zero polynomial of degree 0 for a constant.
polynome p_derivee(const polynome& a);
/// True when a·b would exceed the capacity of 50.
bool p_produit_deborde(const polynome& a, const polynome& b);
/// a · b. A product above the capacity keeps only its terms up to degree 50
/// (callers check `p_produit_deborde` first); nothing is written out of bounds.
polynome p_produit(const polynome& a, const polynome& b);
/// r := r·f, cut at the capacity like p_produit, in place.
void p_multiplier(polynome& r, const polynome& f);
/// The constant polynomial c.
polynome p_constante(double c);
/// Text c0*p^0+c1*p^1+…+cn*p^n with the general number formatter and the given letter.
std::string polynome_texte(const polynome& p, char lettre);

} // namespace varlem
