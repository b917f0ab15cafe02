#pragma once
// Delays of the system's functions as the user types them and as the system file keeps them.
//
// A system file of today's format holds no delay. A system with delays is written the same way,
// followed by a trailer that the readers before it never look at (they stop after the last
// function): the line "[retards]" and one line per function with its delay in seconds, "0" for
// none, written so that it reads back exactly. Lines after the trailer are left for later
// sections. A system without delay is written without the trailer, byte for byte as before.

#include <string>
#include <string_view>
#include <vector>

namespace varlem {

/// The first line of the delays' trailer.
inline constexpr std::string_view marque_retards = "[retards]";
/// Longest line of the trailer (line end excluded); a delay needs at most 24 characters.
inline constexpr std::size_t longueur_max_ligne_retard = 64;

/// A typed delay: its value (0 for none) and whether the text was refused.
struct lecture_retard {
    double retard = 0.0;
    /// The text is not a number, or a negative or infinite one: the delay is refused.
    bool erreur_retard = false;
};

/// Reads a typed delay: blanks around it are ignored, "," reads as "."; an empty text or 0 is
/// no delay; a negative, infinite or unreadable text is refused.
lecture_retard lire_retard(std::string_view texte);
/// The text of a delay that reads back exactly (the shortest digits, "0" for none).
std::string texte_retard(double retard);

/// The delay as the windows write it after a fraction: "e^(-" + τ + letter + ")", τ in the
/// project's number text (e^(-1.5p)); empty for no delay.
std::string texte_facteur_retard(double retard, char lettre);

/// The trailer for the delays of functions 1..n (CR LF line ends); empty when none has a delay.
std::string bloc_retards(const std::vector<double>& retards);

/// What the part of a file after its functions says of their delays.
struct lecture_bloc_retards {
    /// One delay per function; empty when the file holds no trailer or a refused one.
    std::vector<double> retards;
    /// Why a trailer was refused (empty otherwise): the functions are then read without delay.
    std::string avertissement;
};

/// Reads the trailer of a system of n functions from `reste`, the content after its last
/// function line. Nothing there, or lines that do not begin with the trailer's mark: no delay
/// and no warning (a file of today's format).
lecture_bloc_retards lire_bloc_retards(std::string_view reste, int n);

} // namespace varlem
