#include "document/etudes_systeme.h"

#include <algorithm>

namespace varlem {

namespace {

/// Slots computed: 1..nb_fonctions for all functions, else the studied slot, then slot 4
/// when the uncorrected loop is shown too.
std::vector<int> slots_periodiques(const systeme& s) {
    std::vector<int> slots;
    if (s.etudes.toutes_fonctions) {
        const int nb = std::clamp(s.nb_fonctions, 0, nb_fonctions_max);
        for (int i = 1; i <= nb; ++i) slots.push_back(i);
        return slots;
    }
    const int k = s.slot_etudie();
    if (slot_valide(k)) slots.push_back(k);
    if (s.etudes.afficher_non_corrige && s.etudes.boucle_fermee) slots.push_back(4);
    return slots;
}

demande_periodique demande_periodique_systeme(const systeme& s, const reglages& reg) {
    demande_periodique d;
    d.genre = s.etudes.etude_temps_choisie;
    d.concernes = slots_periodiques(s);
    d.precision = reg.precision_periodique;
    d.toutes = s.etudes.toutes_fonctions;
    d.non_corrige = s.etudes.afficher_non_corrige;
    d.nb_fonctions = s.nb_fonctions;
    return d;
}

} // namespace

std::vector<int> fonctions_etudiees(const systeme& s) {
    return s.slots_montres(s.fonction_courante);
}

std::vector<int> fonctions_temps(const systeme& s) {
    return s.slots_montres(s.slot_etudie());
}

void preparer_frequences(etude_frequence& r, bool automatique, const systeme& s) {
    preparer_frequences(r, automatique, s.fonctions, fonctions_etudiees(s));
}

demande_temps demande_temps_systeme(const systeme& s, const reglages& reg) {
    demande_temps d;
    d.entree = s.etudes.etude_temps_choisie;
    d.montrees = fonctions_temps(s);
    d.periodique = demande_periodique_systeme(s, reg);
    if (s.etudes.mode_filtre) d.gabarit = gabarit_etudie{s.gabarit, s.m_min, s.m_max};
    d.inclure_zero = reg.graphe.inclure_zero;
    return d;
}

double pulsation_lente(const systeme& s) {
    return pulsation_lente(s.fonctions, fonctions_temps(s));
}

void calculer_reponse_temps(etude_temps& r, bool recalculer, systeme& s, const reglages& reg,
                            const rapport_progression& progression) {
    calculer_reponse_temps(r, recalculer, s.fonctions, demande_temps_systeme(s, reg), s.periodique,
                           progression);
}

void doubler_intervalle(etude_temps& r, systeme& s, const reglages& reg,
                        const rapport_progression& progression) {
    changer_intervalle(r, 2.0, s.fonctions, demande_temps_systeme(s, reg), s.periodique,
                       progression);
}

void diviser_intervalle(etude_temps& r, systeme& s, const reglages& reg,
                        const rapport_progression& progression) {
    changer_intervalle(r, 0.5, s.fonctions, demande_temps_systeme(s, reg), s.periodique,
                       progression);
}

void calculer_reponses_periodiques(const etude_temps& r, systeme& s, const reglages& reg,
                                   const rapport_progression& progression) {
    calculer_reponses_periodiques(r, s.fonctions, demande_periodique_systeme(s, reg), s.periodique,
                                  progression);
}

void choisir_entree_temps(etat_etudes& e, entree_temps entree) {
    if (entree_exacte(entree)) e.echelle_temps = 0;
    e.etude_temps_choisie = entree;
}

bool changer_echelle_temps(etude_temps& r, systeme& s, const reglages& reg, int sens,
                           const rapport_progression& progression) {
    etat_etudes& e = s.etudes;
    if (e.etude_temps_choisie == entree_temps::aucune) return false;
    if (sens < 0 && e.echelle_temps > -echelle_temps_max) {
        --e.echelle_temps;
        diviser_intervalle(r, s, reg, progression);
        return true;
    }
    if (sens > 0 && e.echelle_temps < echelle_temps_max) {
        ++e.echelle_temps;
        doubler_intervalle(r, s, reg, progression);
        return true;
    }
    return false;
}

std::optional<caracteristiques> caracteristiques_systeme(const systeme& s) {
    if (s.etudes.boucle_fermee)
        return caracteristiques_boucle(s.fonctions[1].fonction, s.fonctions[3].fonction);
    if (s.nb_fonctions < 1 || !slot_valide(s.fonction_courante) ||
        s.fonction_courante > s.nb_fonctions)
        return std::nullopt;
    return calculer_caracteristiques(fonction_du_slot(s.fonctions, s.fonction_courante).fonction);
}

} // namespace varlem
