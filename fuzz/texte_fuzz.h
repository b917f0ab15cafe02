#pragma once
// What the fuzz targets of typed functions share: one input read as a numerator and a
// denominator, analysed as the entry dialog analyses them.

#include "analysis/pipeline.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varlem::fuzz {

/// The input up to its first newline is the numerator, the rest the denominator ("1+p" when
/// there is no newline); `ft` receives their analysis. False when the texts are refused.
inline bool analyser_entree(const std::uint8_t* donnees, std::size_t taille, fdt_travail& ft) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const std::size_t coupure = texte.find('\n');
    const std::string_view num = texte.substr(0, coupure);
    const std::string_view den =
        coupure == std::string_view::npos ? "1+p" : texte.substr(coupure + 1);
    contexte_calcul ctx;
    ctx.graine = 1;
    bool erreur_syntaxe = false, erreur_degre = false;
    analyser_fonction(ctx, 'p', num, den, ft, erreur_syntaxe, erreur_degre);
    return !erreur_syntaxe && !erreur_degre;
}

} // namespace varlem::fuzz
