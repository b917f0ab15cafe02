// Fuzz target: any pair of typed texts goes through the whole analysis without a fault.
#include "analysis/pipeline.h"

#include <cstddef>
#include <cstdint>
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
    return 0;
}
