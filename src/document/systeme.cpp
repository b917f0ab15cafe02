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

void choisir_diagramme(etat_etudes& e, diagramme d) {
    e.etude_freq_choisie = d;
    e.bode_double = false;
}

void choisir_vue_bode(etat_etudes& e) {
    e.bode_double = true;
    e.etude_freq_choisie = diagramme::phase;
}

void nouveau_systeme(systeme& s, reglages& r) {
    s.nb_fonctions = 0;
    s.systeme_saisi = false;
    s.modifie = false;
    s.fonction_courante = 1;
    // Every study is closed there too (only "all functions" is kept).
    const bool toutes = s.etudes.toutes_fonctions;
    s.etudes = etat_etudes{};
    s.etudes.toutes_fonctions = toutes;
    reinitialiser_reglages(r);
}

} // namespace varlem
