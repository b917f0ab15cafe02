#include "document/systeme.h"

#include <algorithm>

namespace varlem {

std::vector<int> systeme::slots_montres(int seul) const {
    std::vector<int> slots;
    if (etudes.toutes_fonctions) {
        for (int k = 1; k <= std::clamp(nb_fonctions, 0, nb_fonctions_max); ++k) slots.push_back(k);
    } else if (slot_valide(seul)) {
        slots.push_back(seul);
    }
    return slots;
}

void nouveau_systeme(systeme& s, reglages& r) {
    s.nb_fonctions = 0;
    s.systeme_saisi = false;
    s.fonction_courante = 1;
    etat_etudes& e = s.etudes;
    e.mode_filtre = false;
    e.frequence_ouverte = false;
    e.temps_ouverte = false;
    e.decomp_ouverte = false;
    e.poles_zeros_ouverte = false;
    e.bode_double = false;
    e.afficher_non_corrige = false;
    e.etude_freq_choisie = '0';
    reinitialiser_reglages(r, e);
}

} // namespace varlem
