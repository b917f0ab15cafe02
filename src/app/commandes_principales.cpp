#include "app/commandes_principales.h"

namespace varlem {

etat_commandes commandes_du_mode(const systeme& s) {
    const etat_etudes& e = s.etudes;
    const bool libre = !e.boucle_fermee && !e.mode_filtre;
    etat_commandes c;
    c.ouvrir = libre;
    c.enregistrer = libre && s.systeme_saisi;
    // The settings can be changed whatever is studied: some only matter in closed loop.
    c.parametres = s.systeme_saisi;
    c.activer_etudes = e.mode_filtre && s.systeme_saisi;
    return c;
}

} // namespace varlem
