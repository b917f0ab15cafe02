#pragma once
// Reader of typed numerator and denominator texts: polynomials or products of bracketed ones.

#include "numeric/contexte.h"
#include "numeric/polynome.h"

#include <string_view>

namespace varlem {

/// Highest degree of a typed polynomial or of one of its terms.
inline constexpr int degre_max_saisie = 15;

/// One term read from a text: its degree and its coefficient.
struct monome {
    int degre = 0;
    double coefficient = 0.0;
};

/// Reads a whole text into `sortie`; clears ctx.erreur_syntaxe on entry and sets it or
/// ctx.erreur_degre on rejected input. `sortie` is left untouched when the text holds a foreign
/// character, a factor that does not begin with "(" or text after the last factor.
void lire_polynome(contexte_calcul& ctx, std::string_view texte, polynome& sortie);
/// Reads a sum of terms without brackets.
polynome lire_somme(contexte_calcul& ctx, std::string_view texte);
/// Reads one term (a text without "+").
monome lire_terme(contexte_calcul& ctx, std::string_view texte);

} // namespace varlem
