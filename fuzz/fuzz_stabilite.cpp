// Fuzz target: any pair of typed texts accepted as a function goes through the Routh table, the
// Nyquist criterion and the root locus without a fault, and every sample of the locus is finite
// or at infinity, never NaN.
#include "analysis/critere_nyquist.h"
#include "analysis/lieu_evans.h"
#include "analysis/pipeline.h"
#include "numeric/routh.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    // The first newline separates the numerator from the denominator.
    const std::size_t coupure = texte.find('\n');
    const std::string_view num = texte.substr(0, coupure);
    const std::string_view den =
        coupure == std::string_view::npos ? "1+p" : texte.substr(coupure + 1);
    varlem::contexte_calcul ctx;
    ctx.graine = 1;
    varlem::fdt_travail ft;
    bool erreur_syntaxe = false, erreur_degre = false;
    varlem::analyser_fonction(ctx, 'p', num, den, ft, erreur_syntaxe, erreur_degre);
    if (erreur_syntaxe || erreur_degre) return 0;
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
