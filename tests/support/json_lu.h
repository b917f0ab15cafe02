#pragma once
// Read access to a JSON document for the tests (the JSON library stays in one translation unit).

#include <cstddef>
#include <memory>
#include <string>

namespace varlem::test {

/// A value of a parsed JSON document; missing keys and indices give a null value.
class json_lu {
  public:
    /// Parses a text; an unreadable text gives a null value and `valide()` false.
    static json_lu analyser(const std::string& texte);
    /// Reads and parses a file.
    static json_lu lire_fichier(const std::string& chemin);

    /// The text parsed.
    bool valide() const;
    /// Member of an object.
    json_lu operator[](const std::string& cle) const;
    /// Element of an array.
    json_lu operator[](std::size_t i) const;
    /// Number of elements of an array or members of an object.
    std::size_t taille() const;
    /// The value is null or missing.
    bool est_nul() const;
    /// The object has this key.
    bool contient(const std::string& cle) const;
    /// A number (NaN when not a number).
    double nombre() const;
    /// A boolean (false when not a boolean).
    bool booleen() const;
    /// A string (empty when not a string).
    std::string chaine() const;

  private:
    struct document;
    std::shared_ptr<const document> doc_;
    const void* valeur_ = nullptr;
};

} // namespace varlem::test
