// Fuzz target: any pair of typed texts accepted as a function goes through the Routh table, the
// Nyquist criterion and the root locus without a fault, and every sample of the locus is finite
// or at infinity, never NaN.
#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "numeric/routh.h"
#include "texte_fuzz.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    varlem::fdt_travail ft;
    if (!varlem::fuzz::analyser_entree(donnees, taille, ft)) return 0;
    const varlem::polynome& n = ft.fonction.num;
    const varlem::polynome& d = ft.fonction.den;
    varlem::table_routh(d);
    varlem::critere_nyquist(n, d, 2.5);
    // The locus of a large loop takes long; the fuzzer looks at the small ones.
    if (std::max(n.degre, d.degre) > 6) return 0;
    const varlem::lieu_evans l = varlem::calculer_lieu(n, d);
    for (const varlem::complexe& z : l.branches.points)
        if (std::isnan(z.re) || std::isnan(z.im)) std::abort();
    return 0;
}
