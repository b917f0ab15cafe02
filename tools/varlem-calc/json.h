#pragma once
// A small JSON value for the companion's output: objects keep their insertion order and
// numbers are written with 17 significant digits.

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace varlem::calc {

/// One JSON value: null, boolean, number, string, array or object.
class json {
  public:
    using tableau = std::vector<json>;
    using objet = std::vector<std::pair<std::string, json>>;

    /// null.
    json() = default;
    /// A boolean.
    json(bool b) : v_(b) {}
    /// A number (non-finite numbers are written as null).
    json(double x) : v_(x) {}
    /// An integer, written without exponent.
    json(int n) : v_(static_cast<double>(n)) {}
    /// A string.
    json(const char* s) : v_(std::string(s)) {}
    /// A string.
    json(std::string s) : v_(std::move(s)) {}

    /// An empty array.
    static json nouveau_tableau();
    /// An empty object.
    static json nouvel_objet();

    /// Appends to an array.
    json& ajouter(json valeur);
    /// Sets a key of an object (appended in order).
    json& operator[](const std::string& cle);

    /// The text of the value, compact, on one line.
    std::string texte() const;

  private:
    using tableau_ptr = std::shared_ptr<tableau>;
    using objet_ptr = std::shared_ptr<objet>;
    std::variant<std::monostate, bool, double, std::string, tableau_ptr, objet_ptr> v_;
    void ecrire(std::string& sortie) const;
};

/// The array of one object per element of `v`, whose keys `remplir(element, objet)` sets.
template <class Suite, class Remplir> json tableau_objets(const Suite& v, Remplir remplir) {
    json t = json::nouveau_tableau();
    for (const auto& x : v) {
        json e = json::nouvel_objet();
        remplir(x, e);
        t.ajouter(std::move(e));
    }
    return t;
}

} // namespace varlem::calc
