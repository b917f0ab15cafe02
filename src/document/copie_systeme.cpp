#include "document/copie_systeme.h"

#include <algorithm>

namespace varlem {

namespace {

void ajouter_fonction(std::string& t, const fdt& f) {
    t += f.texte_num;
    t += "\r\n_____________________\r\n";
    t += f.texte_den;
    t += "\r\n\r\n";
}

} // namespace

std::string copier_systeme(const systeme& s) {
    std::string t = "Fonctions de transfert composant le système en cours\r\n";
    if (s.etudes.boucle_fermee) {
        // Slot 3's texts are the closed-loop polynomials written out.
        ajouter_fonction(t, s.fonctions[3].fonction);
        return t;
    }
    for (int k = 1; k <= std::min(s.nb_fonctions, nb_fonctions_max); ++k)
        ajouter_fonction(t, s.fonctions[static_cast<std::size_t>(k)].fonction);
    return t;
}

} // namespace varlem
