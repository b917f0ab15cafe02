#pragma once
// Fast convolution of a periodic input with the impulse response of an analysed function.
//
// The sub-step times of one sample form the uniform grid τ = m·h, m = 1..M + 1, so each
// partial-fraction term c·τ^k/k!·e^(p·τ) contributes c·h^k/k!·Σ a_m·m^k·z^m with z = e^(p·h):
// a polynomial in z, summed by Horner's scheme from its highest power. Horner never raises z to
// a power on its own, so a decaying term cannot underflow to a wrong zero and rounding cannot
// drift; the results equal the plain sum of impulse-response values within rounding.

#include "analysis/signal_periodique.h"
#include "numeric/fdt.h"

#include <cstdint>
#include <vector>

namespace varlem {

/// One term c·τ^puissance/puissance!·e^(p·τ) of an impulse response (a conjugate pair folded).
struct terme_noyau {
    double p_re = 0.0;
    double p_im = 0.0;
    double c_re = 0.0;
    double c_im = 0.0;
    int puissance = 0;
    double inv_factorielle = 1.0;
    /// Index of the table of m^puissance in the kernel, −1 for puissance 0.
    int table = -1;
};

/// The impulse response of a function as the terms the fast convolution sums.
struct noyau_convolution {
    std::vector<terme_noyau> termes;
    /// m^k for m = 0..m_max, one table per power k ≠ 0 that a term uses.
    std::vector<std::vector<double>> tables;
};

/// The non-zero partial-fraction terms of R; conjugate poles of equal order are folded into one
/// term. Power tables cover m ≤ m_max (larger m are computed on the fly).
noyau_convolution preparer_noyau(const fdt_travail& R, std::int64_t m_max);

/// h·Σ u(e·h)·g(t − e·h) over e = 0..M with h = t/(M + 1), for t > 0 finite and M ≥ 0;
/// `tampon` receives the input on the sub-step grid.
double integrale_convolution(const noyau_convolution& n, const forme_periodique& u, std::int64_t M,
                             double t, std::vector<double>& tampon);

/// The value of `reponse_convolution` computed through the kernel.
double reponse_convolution_rapide(const noyau_convolution& n, int j, double t, double D,
                                  const forme_periodique& u, int precision,
                                  std::vector<double>& tampon);

} // namespace varlem
