#pragma once
// System files (".fdt"): the count of functions on the first line, then the numerator and the
// denominator of each function, one text a line, CR LF line ends. Reading commits nothing
// until every function has been read and analysed; writing replaces the target only once the
// whole file is written.

#include "document/retards.h"
#include "document/systeme.h"
#include "document/textes_construits.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varlem {

/// Caption of the file error messages.
inline constexpr const char* titre_message_fichier = "Varlem";
/// Longest line accepted in a system file (line end excluded).
inline constexpr std::size_t longueur_max_ligne = 100'000;
/// Most bytes read from a file: room for the count and 16 texts of the longest length, then for
/// the delays' trailer.
inline constexpr std::size_t taille_max_lue =
    (2 * nb_fonctions_max + 1) * (longueur_max_ligne + 2) +
    (nb_fonctions_max + 1) * (longueur_max_ligne_retard + 2);

/// What went wrong with a system file.
enum class erreur_fichier {
    aucune,
    introuvable,
    nom_incorrect,
    trop_de_fichiers,
    acces_refuse,
    fin_de_fichier,
    disque_plein,
    saisie_numerique,
    /// Another error of the system, its code in `detail`.
    autre,
    /// A count above 8 or below 0.
    nombre_fonctions,
    /// Line `detail` is longer than `longueur_max_ligne`.
    ligne_trop_longue,
    /// Function `detail` does not parse.
    fonction_syntaxe,
    /// Function `detail` exceeds the degree or the coefficient range.
    fonction_capacite,
    /// Function `detail` holds a line end or is too long to be written as one line.
    texte_non_enregistrable,
};

/// The French message of an error (ending with a full stop), for a box captioned "Varlem".
std::string message_fichier(erreur_fichier e, int detail);
/// The error matching a code of the system's `errno`.
erreur_fichier erreur_systeme(int code);

/// Result of reading or writing a system file.
struct resultat_fichier {
    erreur_fichier erreur = erreur_fichier::aucune;
    /// The system's error code, the line or the function the error is about.
    int detail = 0;
    /// The file read or written.
    std::filesystem::path chemin;
    rafraichissement rafraichir;
    /// A read that succeeded but left something aside (a refused delays' trailer): why.
    std::string avertissement;

    /// True when the command succeeded.
    bool reussi() const { return erreur == erreur_fichier::aucune; }
    /// The message to show when it failed.
    std::string message() const { return message_fichier(erreur, detail); }
};

/// The name a system is saved under: a name ending in ".fdt" is kept, any other final
/// extension of the file name is replaced by ".fdt" and a name without one gets ".fdt"; the
/// folders are left alone. Nothing when the path names no file.
std::optional<std::filesystem::path> nom_enregistrement(const std::filesystem::path& choisi);

/// The file's content for the system: the user's functions, also while the loop is closed.
std::string contenu_fichier(const systeme& s);
/// Writes the system under `nom_enregistrement(choisi)` through a temporary file of the same
/// folder that then replaces the target.
resultat_fichier ecrire_systeme(const systeme& s, const std::filesystem::path& choisi);

/// The texts of a file's content, not analysed yet.
struct textes_lus {
    erreur_fichier erreur = erreur_fichier::aucune;
    int detail = 0;
    std::vector<textes_fdt> fonctions;
    /// Offset of what follows the last function's line (the delays' trailer, if any).
    std::size_t fin_fonctions = 0;
};

/// Splits a file's content into its count and texts (LF or CR LF line ends).
textes_lus decouper_fichier(std::string_view contenu);
/// Reads a system from a file's content: on success the functions replace the system's (loop
/// and template study left), with their delays when the file has a valid trailer of them (a
/// refused trailer leaves them without and says why in `avertissement`), the frequency study
/// is prepared and the refresh recomputes; on any error nothing changes.
resultat_fichier lire_systeme_texte(systeme& s, reglages& r, std::string_view contenu);
/// Reads a system from a file, as `lire_systeme_texte`.
resultat_fichier lire_systeme(systeme& s, reglages& r, const std::filesystem::path& chemin);

} // namespace varlem
