#pragma once
// Reader of typed numerator and denominator texts: polynomials or products of bracketed ones.

#include "numeric/contexte.h"
#include "numeric/polynome.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varlem {

/// Highest degree of a typed polynomial or of one of its terms.
inline constexpr int degre_max_saisie = 15;

/// One term read from a text: its degree and its coefficient.
struct monome {
    int degre = 0;
    double coefficient = 0.0;
};

/// How the sum and term readers behave.
struct options_lecture {
    /// Lighter readers of the factor-by-factor pole search: no "," or "e" replacement, no test
    /// of the "E", no magnitude or degree test, the sum stops at its first faulty term and
    /// trims its leading zeros.
    bool variante_facteurs = false;
};

/// Reads a whole text into `sortie`; clears ctx.erreur_syntaxe on entry and sets it or
/// ctx.erreur_degre on rejected input. `sortie` is left untouched when the text holds a foreign
/// character, a factor that does not begin with "(" or text after the last factor.
void lire_polynome(contexte_calcul& ctx, std::string_view texte, polynome& sortie);
/// The text as the readers take it, into t: spaces deleted, "," and "e" replaced; false when a
/// character is not part of the grammar.
bool preparer_texte(std::string_view texte, char lettre, std::string& t);
/// Reads a sum of terms without brackets.
polynome lire_somme(contexte_calcul& ctx, std::string_view texte);
/// Reads one term (a text without "+").
monome lire_terme(contexte_calcul& ctx, std::string_view texte);

/// Reads a sum of terms with the chosen reader behaviour; a term whose degree exceeds the
/// capacity is never placed (main readers: already flagged by `erreur_degre`; factor variant:
/// `erreur_syntaxe`, the reading stops).
polynome lire_somme(contexte_calcul& ctx, std::string_view texte, options_lecture options);
/// Reads one term with the chosen reader behaviour; a degree too large for an int reads as the
/// largest int.
monome lire_terme(contexte_calcul& ctx, std::string_view texte, options_lecture options);

/// How a walk over a product of bracketed factors ended.
enum class issue_produit {
    complet,   ///< every factor was visited and no text remains
    rejete,    ///< a factor does not begin with "(" or text remains after the last factor
    interrompu ///< the visitor asked to stop
};

/// Walks the factors of a product text "(a)(b)*(c)…": each factor is the text between a "(" and
/// the first ")" after it, one "*" may follow a ")". `sur_facteur` (std::string_view) → bool
/// receives each factor in turn and returns false to stop the walk.
template <class Visiteur>
issue_produit parcourir_produit(std::string_view texte, Visiteur&& sur_facteur) {
    std::size_t i = 0;
    for (;;) {
        const std::size_t fermante = texte.find(')', i);
        if (fermante == std::string_view::npos)
            return i == texte.size() ? issue_produit::complet : issue_produit::rejete;
        if (texte[i] != '(') return issue_produit::rejete;
        if (!sur_facteur(texte.substr(i + 1, fermante - i - 1))) return issue_produit::interrompu;
        i = fermante + 1;
        if (i < texte.size() && texte[i] == '*') ++i;
    }
}

} // namespace varlem
