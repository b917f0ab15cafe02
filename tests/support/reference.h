#pragma once
// The reference cases: transfer functions with exact results computed independently at 60 digits.

#include "numeric/complexe.h"

#include "numeric/entrees.h"

#include <map>
#include <string>
#include <vector>

namespace varlem::test {

/// A group of equal poles.
struct groupe_reference {
    complexe pole;
    int multiplicite = 1;
};

/// A partial-fraction term coef / (p − pole)^ordre.
struct terme_reference {
    complexe pole;
    int ordre = 1;
    complexe coef;
};

/// One point of the frequency response.
struct frequence_reference {
    double omega, re, im, gain_db, phase;
};

/// One reference case.
struct cas_reference {
    std::string id;
    char variable = 'p';
    std::string num_text, den_text;
    std::vector<double> num, den;
    double gain = 0;
    std::vector<complexe> zeros;
    std::vector<groupe_reference> poles_groupes;
    std::vector<terme_reference> termes;
    bool a_terme_direct = false;
    double terme_direct = 0;
    std::vector<frequence_reference> frequence;
    std::vector<double> t;
    /// Responses by input: impulse, step, ramp, sine.
    std::map<entree_temps, std::vector<double>> temps;
    bool a_sinus = false;
    double sinus_amplitude = 0, sinus_pulsation = 0, sinus_phase = 0;

    /// Highest multiplicity of a pole.
    int multiplicite_max() const;
};

/// Every case of tests/data/cas_reference.json.
const std::vector<cas_reference>& cas_references();

} // namespace varlem::test
