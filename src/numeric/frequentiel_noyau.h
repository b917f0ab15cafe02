#pragma once
// Vectorised inner loops of the batch frequency response (internal to frequentiel.cpp).

#include <cstddef>

namespace varlem::noyau {

/// Real coefficients and roots of one function, laid out for the vector loops.
struct donnees_fonction {
    const double* num = nullptr; ///< num[0..degre_num], by power
    int degre_num = 0;
    const double* den = nullptr;
    int degre_den = 0;
    const double* racines_re = nullptr; ///< zeros and poles together
    const double* racines_im = nullptr;
    int nb_racines = 0;
};

/// Results of the vector pass for n pulsations.
struct sorties_noyau {
    double* t_re;     ///< T(jω)
    double* t_im;
    double* gain_db;  ///< 10·log10|T|² (−inf when T is zero)
    /// arg T(jω) plus the whole turns counted since the series began (continuous where the
    /// points are `continu`).
    double* argument;
    /// 1 when this point and the previous one have finite values and the phase cannot turn by
    /// π/2 between them (every root is far enough from the segment joining them), else 0.
    double* continu;
};

/// State carried from one call to the next along a series of pulsations.
struct suite_noyau {
    double w_precedent = 0.0;   ///< pulsation before this call's first point
    double arg_precedent = 0.0; ///< its argument in (−π, π]
    long tours = 0;             ///< whole turns counted so far
    bool debut = true;          ///< the series starts with this call
};

/// Evaluates every quantity above for the n pulsations w[0..n−1] and updates the series state.
void evaluer(const donnees_fonction& f, const double* w, std::size_t n, suite_noyau& suite,
             const sorties_noyau& s);

} // namespace varlem::noyau
