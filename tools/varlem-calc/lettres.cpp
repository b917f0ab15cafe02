#include "lettres.h"

#include <map>

namespace varlem::calc {

entree_temps entree_de_lettre(const std::string& lettre) {
    static const std::map<std::string, entree_temps> entrees = {
        {"I", entree_temps::impulsion}, {"E", entree_temps::echelon},
        {"R", entree_temps::rampe},     {"S", entree_temps::sinus},
        {"C", entree_temps::carre},     {"T", entree_temps::triangle}};
    const auto i = entrees.find(lettre);
    return i == entrees.end() ? entree_temps::aucune : i->second;
}

gabarit_filtre gabarit_de_lettre(const std::string& lettre) {
    constexpr ordre_gabarit premier = ordre_gabarit::premier, second = ordre_gabarit::second;
    static const std::map<std::string, gabarit_filtre> gabarits = {
        {"P", {premier, genre_gabarit::passe_bas}},  {"H", {premier, genre_gabarit::passe_haut}},
        {"B", {second, genre_gabarit::passe_bas}},   {"I", {second, genre_gabarit::passe_haut}},
        {"D", {second, genre_gabarit::passe_bande}}, {"C", {second, genre_gabarit::rejecteur}}};
    const auto i = gabarits.find(lettre);
    return i == gabarits.end() ? gabarit_filtre{} : i->second;
}

depart_periodique depart_de_lettre(const std::string& lettre) {
    if (lettre == "2") return depart_periodique::minimum;
    if (lettre == "3") return depart_periodique::zero;
    return depart_periodique::maximum;
}

etude_a_tracer etude_de_lettre(const std::string& lettre) {
    using vue = etude_a_tracer::vue;
    static const std::map<std::string, diagramme> diagrammes = {{"G", diagramme::gain},
                                                                {"P", diagramme::phase},
                                                                {"M", diagramme::module},
                                                                {"B", diagramme::black},
                                                                {"N", diagramme::nyquist}};
    if (lettre == "D") return {vue::bode, diagramme::phase, entree_temps::aucune};
    if (lettre == "Z") return {vue::poles_zeros, diagramme::aucun, entree_temps::aucune};
    if (const auto i = diagrammes.find(lettre); i != diagrammes.end())
        return {vue::frequentielle, i->second, entree_temps::aucune};
    return {vue::temporelle, diagramme::aucun, entree_de_lettre(lettre)};
}

} // namespace varlem::calc
