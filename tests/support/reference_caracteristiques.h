#pragma once
// The reference readings: transfer functions with their margins, bandwidth, resonance and step
// characteristics computed independently from exact coefficients, read from
// tests/data/caracteristiques.json; the same reading of varlem-calc's output; and their
// comparison within the tolerances of those references.

#include "analysis/caracteristiques.h"
#include "support/json_lu.h"

#include <string>
#include <vector>

namespace varlem::test {

/// One reference case.
struct cas_caracteristiques {
    std::string id;
    char variable = 'p';
    /// The texts as the reference gives them.
    std::string num, den;
    /// The numerator as the parser takes it: a text may not begin with "-", so −4 is "0-4".
    std::string num_saisi;
    caracteristiques attendu;
};

/// Every case of tests/data/caracteristiques.json.
const std::vector<cas_caracteristiques>& cas_caracteristiques_reference();

/// The readings of a JSON object laid out as `varlem-calc caracteristiques` prints them.
caracteristiques caracteristiques_lues(const json_lu& j);

/// What differs between two sets of readings beyond the tolerances (empty when they agree):
/// pulsations and times 1e-6 relative or 1e-9 absolute, angles 1e-5° (phase margins modulo
/// 360), dB 1e-6, other values 1e-6 relative; null against null and lists of equal lengths.
std::vector<std::string> ecarts_caracteristiques(const caracteristiques& obtenu,
                                                 const caracteristiques& attendu);

} // namespace varlem::test
