#include "document/copie_systeme.h"

#include "document/retards.h"
#include "numeric/boucle_retard.h"

#include <algorithm>

namespace varlem {

namespace {

void ajouter_fonction(std::string& t, const fdt& f, char lettre) {
    t += f.texte_num;
    t += "\r\n_____________________\r\n";
    t += f.texte_den;
    // The delay follows the fraction; a loop's stand-in says what it replaces.
    if (f.retard > 0) t += "\r\n" + texte_facteur_retard(f.retard, lettre);
    if (f.boucle) t += "\r\n" + texte_substitut_pade(f.boucle->ordre_pade);
    t += "\r\n\r\n";
}

} // namespace

std::string copier_systeme(const systeme& s) {
    std::string t = "Fonctions de transfert composant le système en cours\r\n";
    if (s.etudes.boucle_fermee) {
        // Slot 3's texts are the closed-loop polynomials written out.
        ajouter_fonction(t, s.fonctions[3].fonction, s.lettre_variable);
        return t;
    }
    for (int k = 1; k <= std::min(s.nb_fonctions, nb_fonctions_max); ++k)
        ajouter_fonction(t, s.fonctions[static_cast<std::size_t>(k)].fonction, s.lettre_variable);
    return t;
}

} // namespace varlem
