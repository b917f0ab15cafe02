#pragma once
// Time response of a closed loop with a delay in its direct chain,
// y = G·e^(−τp)·U / (1 + G·R·e^(−τp)), which is no sum of exponentials.
//
// G, R and the input's generator U are taken as one linear system driven by the delayed error
// signal w(t) = u(t − τ) − z(t − τ), z the return path's output. The grid's step divides τ, so
// that the breaks of the signals (their jumps and the jumps of their derivatives, all at the
// multiples of τ) fall on samples: between two samples the system moves by its exact state
// transition, w being the polynomial through eight samples of z already computed on the same
// smooth piece (between two multiples of τ). The response at any time is read the same way, by
// the polynomial through eight samples of its own piece.

#include "numeric/fdt.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// Most steps of the inner grid; a finer grid would be needed for a delay that is tiny beside
/// the time asked.
inline constexpr long pas_max_boucle_retard = 1L << 21;

/// The response of one loop, computed once up to a time and then read at any time before it.
class reponse_boucle_retard {
  public:
    /// Computes the response of b up to t_fin (s).
    reponse_boucle_retard(const boucle_retardee& b, double t_fin);

    /// False when the loop cannot be computed this way: a fraction beyond its denominator's
    /// degree, a zero denominator, no delay, or a grid that would need too many steps.
    bool valide() const { return valide_; }
    /// y(t): 0 before τ, right-continuous at the multiples of τ; NaN beyond t_fin or when the
    /// response is not valid.
    double valeur(double t) const;
    /// The step of the inner grid (a divisor of τ).
    double pas() const { return h_; }
    /// The last time computed.
    double t_fin() const { return t_fin_; }

  private:
    // The value at sample i seen from piece `piece` (the side of a break that belongs to it).
    double noeud(const std::vector<double>& droite, const std::vector<double>& gauche, long i,
                 long piece) const;
    double interpoler(const std::vector<double>& droite, const std::vector<double>& gauche,
                      double t) const;

    bool valide_ = false;
    double tau_ = 0;
    double h_ = 0;
    long m_ = 0;  // steps per τ
    long nb_ = 0; // samples computed: 0..nb_ − 1
    double t_fin_ = 0;
    // Values at the samples (right limits), and the left limits at the multiples of τ.
    std::vector<double> y_, y_gauche_;

    friend class calcul_boucle_retard;
};

/// y at t0 + k·dt for k = 0..n−1 and the largest |y|; nothing (and nothing written) when the
/// loop cannot be computed this way.
std::optional<double> valeurs_boucle_retard(const boucle_retardee& b, double t0, double dt, int n,
                                            double* sortie);

/// "retard remplacé par son approximation de Padé d'ordre N": the mark of every result drawn
/// from a loop's stand-in.
std::string texte_substitut_pade(int ordre);

/// The factor of a delay as the texts write it after a fraction: "e^(-" + τ + letter + ")", τ in
/// the project's number text and left out when it is 1 (e^(-p), e^(-1.5p)); empty for none.
std::string texte_exponentielle_retard(double retard, char lettre);

} // namespace varlem
