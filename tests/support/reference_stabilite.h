#pragma once
// The stability references of tests/data/stabilite.json (computed from the factors of each
// function, independently of this project): Routh root counts, root-locus special points and
// Nyquist counts; the special points of a locus read back from varlem-calc's output, and their
// comparison within the references' tolerances.

#include "analysis/lieu_evans.h"
#include "numeric/routh.h"
#include "support/json_lu.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem::test {

/// A Routh case: the polynomial as typed and its root counts.
struct cas_routh_reference {
    std::string id, poly;
    comptes_racines attendu;
};

/// The special points of a locus as the references give them.
struct points_lieu {
    std::optional<asymptotes_lieu> asymptotes;
    std::vector<point_separation> separations;
    std::vector<croisement_axe> croisements;
    /// k_max is +∞ where the JSON holds null.
    std::vector<intervalle_gains> gains_stables;
};

/// A locus case: the texts, the expanded coefficients (index = power) and the points.
struct cas_lieu_reference {
    std::string id, num, den;
    std::vector<double> num_coef, den_coef;
    points_lieu attendu;
};

/// A Nyquist case: the texts, the gain and the counts.
struct cas_nyquist_reference {
    std::string id, num, den;
    double kp = 1;
    int P = 0, N = 0, Z = 0;
    bool stable = false;
};

/// The cases of each kind.
const std::vector<cas_routh_reference>& cas_routh_references();
const std::vector<cas_lieu_reference>& cas_lieu_references();
const std::vector<cas_nyquist_reference>& cas_nyquist_references();

/// The special points of a JSON object laid out as `varlem-calc lieu` prints it.
points_lieu points_lieu_lus(const json_lu& j);
/// The special points of a computed locus.
points_lieu points_de(const lieu_evans& l);

/// What differs beyond the tolerances (points 1e-6 relative or 1e-9 absolute, equal list
/// lengths); empty when they agree.
std::vector<std::string> ecarts_points_lieu(const points_lieu& obtenu, const points_lieu& attendu);

} // namespace varlem::test
