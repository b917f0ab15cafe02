#pragma once
// The stability commands of varlem-calc: the root locus, the Routh table and the Nyquist
// criterion of a function or of its closed loop, each printing JSON on standard output.

#include "commandes.h"

#include <string>
#include <vector>

namespace varlem::calc {

/// Options of `lieu`, `routh` and `nyquist`.
struct options_stabilite {
    /// NUM DEN, or for `routh` a lone polynomial.
    std::vector<std::string> textes;
    char variable = 'p';
    /// A loop option was given: the function is looped as `boucle` does it, with K = kp.
    bool boucle = false;
    double kp = 1.0;
    double ti = 10.0;
    double td = 0.0;
    bool avec_i = false;
    /// Numerator and denominator of the return path; empty for R = 1.
    std::vector<std::string> retour;
    /// `lieu`: the complementary locus (K < 0) too.
    bool complementaire = false;
};

/// `lieu`: asymptotes, break-away points, imaginary-axis crossings, departure and arrival
/// angles, stable gains and the branches of 1 + K·NUM/DEN (of C·T·R at P = 1 in closed loop).
int commande_lieu(const options_stabilite& o);
/// `routh`: the table, its special cases and the root counts of POLY; of NUM DEN's denominator,
/// or in closed loop of the characteristic polynomial at K = kp.
int commande_routh(const options_stabilite& o);
/// `nyquist`: P, N, Z and the verdict for K·G (G = NUM/DEN with K = 1, or C·T·R at P = 1 with
/// K = kp in closed loop).
int commande_nyquist(const options_stabilite& o);

} // namespace varlem::calc
