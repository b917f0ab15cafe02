#pragma once
// Number texts: the short renderings shown everywhere, and the readers of decimal texts.

#include <string>
#include <string_view>

namespace varlem {

/// Scientific rendering of width w ≥ 10: sign or blank, d.ddd, "E", sign, four exponent digits.
std::string rendu_scientifique(double x, int largeur);
/// Fixed rendering with 4 decimals, right-aligned in a field of 11 characters.
std::string rendu_fixe(double x);
/// Value of a decimal text (leading blanks, sign, digits, ".", exponent); 0 when none starts it.
/// A text that starts like a number and then holds other characters reads as its valid prefix.
double lire_nombre(std::string_view texte);
/// Strict reader of a whole decimal text (the parser's reader): false when it does not read.
/// A lone "." reads 0; an "E" without digits, an empty text or an overflow does not read.
bool lire_decimal(std::string_view texte, double& valeur);
/// 3 significant digits, stripped of needless characters: 1500 gives " 1.5E3".
std::string texte_court(double x);
/// n + 1 significant digits, stripped: texte_scientifique(4, 1234.5) gives " 1.2345E3".
std::string texte_scientifique(int n, double x);
/// General formatter: fixed form between 0.01 and 400 (".5", "123.4568"), short form otherwise.
std::string texte_nombre(double x);
/// x rounded to n + 1 significant digits.
double arrondir(int n, double x);

} // namespace varlem
