#pragma once
// Padé approximants of a pure delay, for the places that need a fraction (closed-loop poles and
// zeros, texts, root locus): the lowest order whose phase errs by less than 1° up to ten times
// the gain crossing of the loop, or up to 10/τ without one.

#include "numeric/fdt.h"

namespace varlem {

/// Highest order used: beyond it the approximant's coefficients span more than 1e40.
inline constexpr int ordre_pade_max = 24;
/// Largest phase error allowed over the range (radians): 1°.
inline constexpr double erreur_phase_pade = 3.14159265358979323846 / 180;

/// e^(−τp) ≈ P(−τp)/P(τp), P(x) = Σ (2n − k)!·n! / ((2n)!·k!·(n − k)!)·x^k (texts empty).
fdt approximant_pade(double retard, int ordre);
/// Largest phase error (radians) of the approximant of order n over ωτ in [0, x], by a scan of
/// its continuous phase.
double erreur_phase_approximant(int ordre, double x);
/// The lowest order whose phase errs by less than 1° up to w_lim, at most `ordre_max`.
/// Each order's reach is tabulated: no scan runs while a slider moves.
int ordre_pade(double retard, double w_lim, int ordre_max = ordre_pade_max);
/// 10 × the largest gain crossing of f (the delay leaves the gain alone), or 10/τ without one.
double pulsation_limite_pade(const fdt& f, double retard);

/// A fraction standing for a function with a delay, and the order of its approximant.
struct substitut_pade {
    fdt fonction;
    int ordre = 0;
};

/// f with its delay replaced by the approximant chosen for the range of `boucle_ouverte` (the
/// loop it is part of; f itself alone), keeping `degre_reserve` degrees of capacity free for
/// what the caller multiplies it by. A function without delay comes back as it is, order 0. For a
/// delay far from the second the order is held where τ^n stays within 1e±150, down to 0.
substitut_pade substitut_rationnel(const fdt& f, const fdt& boucle_ouverte, int degre_reserve = 0);
/// The same with f's own gain crossing.
substitut_pade substitut_rationnel(const fdt& f);

} // namespace varlem
