#pragma once
// The exact step response of a delayed first-order loop, summed interval by interval: the
// reference the delayed closed loop is checked against.

namespace varlem::test {

/// The step response at t of K·e^(−τp)/(1 + p) closed through R = 1:
/// Σ (−1)^(k+1)·K^k·E_k(t − kτ), E_k the step response of 1/(1 + p)^k, over k·τ ≤ t.
double echelon_boucle_retard(double K, double tau, double t);

} // namespace varlem::test
