#pragma once
// Inner loops of the batch frequency response (internal to frequentiel.cpp and its tests).

#include "numeric/frequentiel.h"

#include <cstddef>
#include <cstdint>

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
    double retard = 0.0; ///< τ of the factor e^(−jωτ) applied to every result
};

/// Results of a kernel for n pulsations.
struct sorties_noyau {
    double* t_re; ///< T(jω)
    double* t_im;
    double* gain_db; ///< 10·log10|T|² (−inf when T is zero)
    /// arg T(jω) plus the whole turns counted since the series began, plus `suite_noyau::base`.
    double* argument;
    /// Indices of the points whose argument is not proven continuous with the previous point's
    /// (a point or its predecessor is not finite, or a root lies too near the segment joining
    /// them for the turn between them to be known), in increasing order; room for n entries.
    std::uint32_t* ruptures;
};

/// State carried from one call to the next along a series of pulsations; the caller sets it
/// for the point before the first call's first point.
struct suite_noyau {
    double w_precedent = 0.0; ///< pulsation before this call's first point
    double arg_precedent = 0.0; ///< its argument in (−π, π]; NaN where T was not finite and nonzero
    long tours = 0;             ///< whole turns counted so far
    double base = 0.0;          ///< added to every argument written
};

/// Multiplies T(jω) by e^(−jωτ) and takes ωτ from the arguments, for w[0..n−1] (both kernels
/// end with it when τ > 0).
void appliquer_retard(double retard, const double* w, std::size_t n, double* t_re, double* t_im,
                      double* argument);

/// Which kernel computes the response.
enum class choix_noyau { automatique, portable, avx512 };

/// True when this processor runs the AVX-512 kernel.
bool avx512_disponible();

/// Evaluates the quantities above for w[0..n−1], n at most 2³², updates the series state and
/// returns the number of ruptures written. `automatique` takes the fastest kernel available;
/// `avx512` falls back to the portable kernel where the processor lacks AVX-512.
std::size_t evaluer(choix_noyau choix, const donnees_fonction& f, const double* w, std::size_t n,
                    suite_noyau& suite, const sorties_noyau& s);

/// The portable kernel (vector loops the compiler builds for any processor).
std::size_t evaluer_portable(const donnees_fonction& f, const double* w, std::size_t n,
                             suite_noyau& suite, const sorties_noyau& s);

/// The AVX-512 kernel; call it only when avx512_disponible().
std::size_t evaluer_avx512(const donnees_fonction& f, const double* w, std::size_t n,
                           suite_noyau& suite, const sorties_noyau& s);

} // namespace varlem::noyau

namespace varlem {

/// reponse_frequentielle computed by the given kernel (tests compare the kernels).
void reponse_frequentielle(const fdt_travail& ft, std::span<const double> omegas,
                           const tableaux_frequence& sortie, noyau::choix_noyau choix);

} // namespace varlem
