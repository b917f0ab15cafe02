// The one test translation unit that includes the JSON library.
#include "support/json_lu.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>

namespace varlem::test {

struct json_lu::document {
    nlohmann::json racine;
    bool valide = false;
};

namespace {

const nlohmann::json& nul() {
    static const nlohmann::json n;
    return n;
}

} // namespace

json_lu json_lu::analyser(const std::string& texte) {
    auto doc = std::make_shared<document>();
    doc->racine = nlohmann::json::parse(texte, nullptr, false);
    doc->valide = !doc->racine.is_discarded();
    if (!doc->valide) doc->racine = nullptr;
    json_lu j;
    j.valeur_ = &doc->racine;
    j.doc_ = std::move(doc);
    return j;
}

json_lu json_lu::lire_fichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream contenu;
    contenu << f.rdbuf();
    return analyser(contenu.str());
}

bool json_lu::valide() const {
    return doc_ && doc_->valide;
}

json_lu json_lu::operator[](const std::string& cle) const {
    json_lu r;
    r.doc_ = doc_;
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    r.valeur_ = v && v->is_object() && v->contains(cle) ? &(*v)[cle] : &nul();
    return r;
}

json_lu json_lu::operator[](std::size_t i) const {
    json_lu r;
    r.doc_ = doc_;
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    r.valeur_ = v && v->is_array() && i < v->size() ? &(*v)[i] : &nul();
    return r;
}

std::size_t json_lu::taille() const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    return v && (v->is_array() || v->is_object()) ? v->size() : 0;
}

bool json_lu::est_nul() const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    return !v || v->is_null();
}

bool json_lu::contient(const std::string& cle) const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    return v && v->is_object() && v->contains(cle);
}

double json_lu::nombre() const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    if (v && v->is_number()) return v->get<double>();
    // Texts such as the sine parameters of the reference cases are numbers too.
    if (v && v->is_string()) return std::stod(v->get<std::string>());
    return NAN;
}

bool json_lu::booleen() const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    return v && v->is_boolean() && v->get<bool>();
}

std::string json_lu::chaine() const {
    const auto* v = static_cast<const nlohmann::json*>(valeur_);
    return v && v->is_string() ? v->get<std::string>() : std::string();
}

} // namespace varlem::test
