#pragma once
// The systems last read or written, most recent first, as the "Fichiers récents" menu lists
// them; stored between runs as a list of strings.

#include "document/fichier_fdt.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace varlem {

/// Most systems the list holds.
inline constexpr std::size_t nb_fichiers_recents_max = 8;

/// The form a path is compared and kept in: absolute, without "." or ".." steps.
std::filesystem::path chemin_normalise(const std::filesystem::path& chemin);

/// The systems last read or written, most recent first, each file once.
class fichiers_recents {
  public:
    /// The list read back from its stored strings: empty or repeated entries dropped, the
    /// first eight kept.
    static fichiers_recents depuis_textes(const std::vector<std::string>& textes);
    /// The strings to store, most recent first.
    std::vector<std::string> en_textes() const;

    /// A system read or written: first in the list, its earlier entry removed, the ninth
    /// dropped.
    void ajouter(const std::filesystem::path& chemin);
    /// A file found gone: out of the list; false when it was not there.
    bool retirer(const std::filesystem::path& chemin);
    /// After reading or writing `chemin`: a success puts it first, a file not found leaves the
    /// list, any other error keeps the list as it was.
    void noter(const std::filesystem::path& chemin, erreur_fichier resultat);

    /// The files, most recent first.
    const std::vector<std::filesystem::path>& chemins() const { return chemins_; }
    /// The list is empty (the menu item is then disabled).
    bool vide() const { return chemins_.empty(); }

  private:
    std::vector<std::filesystem::path> chemins_;
};

/// Text of menu entry `index` (from 0): "&1 name.fdt"; a name two entries share is followed by
/// its folder, "&2 name.fdt (folder)", so that the two can be told apart.
std::string libelle_recent(const fichiers_recents& liste, std::size_t index);

} // namespace varlem
