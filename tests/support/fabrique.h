#pragma once
// Builds analysed functions directly from known roots, independently of the parser and the
// root finder, so that tests compare against exact references.

#include "numeric/fdt.h"

#include <vector>

namespace varlem::test {

/// dominant · Π (p − rᵢ) with real coefficients (complex roots must come in pairs).
polynome polynome_depuis_racines(const std::vector<complexe>& racines, double dominant = 1.0);

/// gain · Π (p − zᵢ) / Π (p − pᵢ) with its root entries filled (no partial fractions).
fdt_travail fonction_depuis_racines(double gain, const std::vector<complexe>& zeros,
                                    const std::vector<complexe>& poles);

} // namespace varlem::test
