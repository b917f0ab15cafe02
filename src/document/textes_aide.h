#pragma once
// The two fixed help texts of the help menu and their window captions.

#include <string>

namespace varlem {

/// Caption of the help window showing the syntax text.
inline constexpr const char* titre_aide_syntaxe = "Syntaxe à utiliser";
/// Caption of the help window showing the corrector text.
inline constexpr const char* titre_aide_correcteur = "Fonction de transfert du correcteur:";

/// The syntax help: 18 lines separated by CR LF, the last one without a line end.
std::string texte_aide_syntaxe();
/// The corrector help: 4 lines, each ended by CR LF.
std::string texte_aide_correcteur();

} // namespace varlem
