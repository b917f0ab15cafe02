#pragma once
// The loop the stability studies look at, 1 + K·G(p) = 0 with G = N/D, as the system defines
// it: while the loop is closed, G is the open loop C·T·R built with the corrector at P = 1 (its
// P factored out) and K is the current P; otherwise G is the current function with unity
// feedback and K = 1.

#include "document/systeme.h"

#include <optional>

namespace varlem {

/// G = num/den and the current gain K.
struct boucle_etudiee {
    polynome num, den;
    double k = 1;
    /// G is the closed loop's C·T·R at P = 1 (the loop is closed).
    bool boucle_fermee = false;
};

/// The loop of the system; nothing when the system holds no function or when C·T·R would
/// exceed the capacity of a polynomial.
std::optional<boucle_etudiee> boucle_etudiee_systeme(const systeme& s);

/// The polynomial whose Routh table the studies show: D + K·N, the closed loop's
/// characteristic polynomial, while the loop is closed; the current function's denominator
/// otherwise.
polynome polynome_routh(const boucle_etudiee& b);

} // namespace varlem
