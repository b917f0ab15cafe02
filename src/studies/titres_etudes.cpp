#include "studies/titres_etudes.h"

namespace varlem {

std::string titre_frequentiel(const etat_etudes& e) {
    return e.boucle_fermee ? "Etude fréquentielle (boucle ouverte)" : "Etude frequentielle";
}

std::string titre_poles_zeros(const systeme& s) {
    if (s.etudes.boucle_fermee)
        return "Poles et zéros de la fonction n°" + std::to_string(s.courante_sauvee) + " bouclée";
    return "Poles et zéros de la fonction n°" + std::to_string(s.fonction_courante);
}

std::string titre_decomposition(const etat_etudes& e) {
    return e.boucle_fermee ? "Décomposition de la fonction du systeme bouclé"
                           : "Décomposition de la fonction courante";
}

std::string legende_bouclage(const etat_etudes& e) {
    return e.boucle_fermee ? "Fdt seule" : "Bouclage";
}

} // namespace varlem
