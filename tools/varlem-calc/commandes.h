#pragma once
// The commands of varlem-calc: each computes with the core and prints JSON on standard output.

#include "numeric/entrees.h"

#include <string>
#include <vector>

namespace varlem::calc {

/// Exit status of a rejected transfer function.
inline constexpr int statut_fonction_refusee = 2;

/// A transfer function as typed on the command line.
struct fonction_saisie {
    std::string num;
    std::string den;
    char variable = 'p';
    /// Pure delay τ (s) of the function, 0 for none.
    double retard = 0.0;
};

/// The loop options of `boucle`, also taken by `temps`.
struct options_boucle_fermee {
    /// A loop option was given: the function is looped.
    bool boucle = false;
    double kp = 1.0;
    double ti = 10.0;
    double td = 0.0;
    bool avec_i = false;
    /// Numerator and denominator of the return path; empty for R = 1.
    std::vector<std::string> retour;
};

/// Options of `frequence`.
struct options_frequence {
    fonction_saisie f;
    std::vector<double> omegas;
};

/// Options of `temps`.
struct options_temps {
    fonction_saisie f;
    entree_temps entree = entree_temps::impulsion;
    std::vector<double> instants;
    double amplitude = 1.0;
    double pulsation = 1.0;
    double phase = 0.0;
    /// The response of the function's closed loop instead of its own.
    options_boucle_fermee boucle;
};

/// `analyse`: texts, polynomials, gain, roots, partial fractions and the decomposition text.
int commande_analyse(const fonction_saisie& f);
/// `frequence` with pulsations: T(jω), gain in dB and phase at each of them.
int commande_frequence(const options_frequence& o);
/// `temps` with instants: the impulse response or the response to a step, ramp or sine.
int commande_temps(const options_temps& o);

} // namespace varlem::calc
