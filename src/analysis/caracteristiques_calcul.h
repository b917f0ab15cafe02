#pragma once
// The computations behind the readings. A transfer function is first prepared: its
// polynomials as doubles, the same function with its common factors on the imaginary axis
// divided out, and its poles as the root finder gives them, polished and not rounded. The
// frequency readings come from the positive roots of polynomials in ω² built from N(jω) and
// D(jω); the step response from the exact partial fractions of T(p)/p.

#include "analysis/caracteristiques.h"
#include "numeric/contexte.h"
#include "numeric/fdt.h"

#include <string>

namespace varlem {

/// A root whose real part is within this fraction of its modulus lies on the imaginary axis.
inline constexpr double tolerance_axe_imaginaire = 1e-10;

/// T = N/D ready for the characteristics.
struct fonction_exacte {
    /// The denominator is not zero and every coefficient is finite.
    bool valide = false;
    /// The numerator is the zero polynomial (T = 0).
    bool nulle = false;
    /// N and D: real coefficients by power, leading coefficients non-zero.
    int degre_num = 0;
    int degre_den = 0;
    double num[capacite_polynome + 1] = {};
    double den[capacite_polynome + 1] = {};
    /// The same function with the common factors p^k and p² + ω0² divided out of N and D: its
    /// values on the imaginary axis are those of T, with no 0/0 left.
    int degre_num_r = 0;
    int degre_den_r = 0;
    double num_r[capacite_polynome + 1] = {};
    double den_r[capacite_polynome + 1] = {};
    /// The numerator as typed, for its roots factor by factor.
    std::string texte_num;
    /// The ratio of the leading coefficients is negative.
    bool gain_negatif = false;
    /// The roots of D (copies of a multiple root equal, pairs exactly conjugate).
    int nb_poles = 0;
    complexe poles[capacite_polynome] = {};
    /// Every pole has a real part below 0 (within tolerance_axe_imaginaire).
    bool stable = false;
    /// Some pole lies on the imaginary axis (0 included).
    bool pole_sur_axe = false;
    /// Pure delay τ ≥ 0 of the function (s): its phase loses ωτ.
    double retard = 0;
};

/// Prepares N/D of f (real parts of the coefficients); ctx seeds the root finder.
fonction_exacte preparer_fonction(contexte_calcul& ctx, const fdt& f);

/// The roots of N into z (copies of a multiple root equal); their count.
int zeros_exacts(contexte_calcul& ctx, const fonction_exacte& f, complexe* z);

/// True for a root on the imaginary axis (tolerance_axe_imaginaire).
bool sur_axe_imaginaire(complexe z);

/// T(jω) of the reduced function.
complexe valeur_exacte(const fonction_exacte& f, double w);

/// Gain crossings (positive roots of |N(jω)|² − |D(jω)|² in ω²), phase crossings (positive
/// roots of Im N(jω)·conj D(jω) where the real part is negative) and the margins reported.
marges_stabilite marges_exactes(contexte_calcul& ctx, const fonction_exacte& f);

/// Smallest positive root of 2·|N(jω)|²·D(0)² − |D(jω)|²·N(0)² in ω².
std::optional<double> bande_passante_exacte(contexte_calcul& ctx, const fonction_exacte& f);

/// Largest local maximum of |T(jω)|, among the roots of the derivative of |T(jω)|² in ω².
std::optional<pic_resonance> resonance_exacte(contexte_calcul& ctx, const fonction_exacte& f);

/// φ(ω) − ωτ in degrees, φ on the branch of the zeros z[0..nz) and the poles of f, with the
/// value of arg T(jω) from the polynomials.
double phase_exacte_deg(const fonction_exacte& f, const complexe* z, int nz, double w);

/// The phase crossings of a function with a delay: the solutions of φ(ω) − ωτ = −180°
/// (mod 360°) up to 10 × max(largest gain crossing, largest root modulus, 1/τ), each bracketed
/// on a walk whose steps the phase cannot turn much within, then refined to the last bits.
std::vector<croisement_phase> croisements_phase_retard(const fonction_exacte& f, const complexe* z,
                                                       int nz, const marges_stabilite& m);

/// Phase margin in radians over its pulsation when positive, 0 when not, nothing without a
/// gain crossing: the delay the loop can still take.
std::optional<double> marge_de_retard(const marges_stabilite& m);

/// Grid points beyond which the scan of a response stops: what it has not settled by then
/// (a damping of about 1e-5) is left empty rather than guessed.
inline constexpr long points_indicielle_max = 1L << 21;

/// The step characteristics of f. The response is scanned on a grid whose step follows the
/// fastest pole still of weight, until bounds on the terms show that nothing can change later;
/// every time and peak is then refined on the exact response to the last bits.
reponse_indicielle indicielle_exacte(const fonction_exacte& f);

} // namespace varlem
