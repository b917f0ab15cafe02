#pragma once
// The system the study benchmarks share: 8 functions of degree 15, numerator 1+0.5p over ten
// typed factors whose coefficients are multiplied by 1 + 0.1k for function k = 0..7.

#include "document/etudes_systeme.h"
#include "document/systeme.h"

#include <memory>
#include <string>

namespace varlem::banc {

/// The denominator of function k: the ten factors, coefficients multiplied by 1 + 0.1k.
std::string denominateur_degre15(int k);

/// A system of the 8 functions, all shown; nullptr when one is refused.
std::unique_ptr<systeme> systeme_8_fonctions();

} // namespace varlem::banc
