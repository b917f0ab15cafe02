#pragma once
// The program's own command-line options, answered before any window opens (so also without
// a display): "--help" and "--version".

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// "Varlem " and the version, with its line end.
std::string texte_version();
/// The usage, in French, with its line end.
std::string texte_aide();
/// The text to print and leave with status 0 when the arguments (without the program's name)
/// ask for the help or the version; nothing when the program starts as usual.
std::optional<std::string> reponse_ligne_commande(const std::vector<std::string>& arguments);

} // namespace varlem
