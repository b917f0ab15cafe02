#include "document/reglages_systeme.h"

#include "document/etudes_systeme.h"
#include "numeric/nombres.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// The time responses computed again and drawn; only an opened time study shows them.
effet_reglage recalcul_temporel(const etat_etudes& e, std::string etiquette) {
    effet_reglage r;
    r.accepte = true;
    r.etiquette = std::move(etiquette);
    r.recalcul_temps = e.temps_ouverte;
    if (e.temps_ouverte) r.rafraichir = rafraichir(false, false);
    return r;
}

} // namespace

effet_reglage choisir_toutes_fonctions(etat_etudes& e, bool toutes) {
    e.toutes_fonctions = toutes;
    return rafraichi();
}

effet_reglage choisir_hertz(etude_frequence& r, bool en_hertz, const systeme& s) {
    r.en_hertz = en_hertz;
    preparer_frequences(r, true, s);
    return rafraichi();
}

effet_reglage choisir_radians(etude_frequence& r, bool en_radians, const systeme& s) {
    r.en_radians = en_radians;
    preparer_frequences(r, true, s);
    return rafraichi();
}

std::string texte_etude_frequence(const etat_etudes& e) {
    // The stacked Bode view keeps the phase as its diagram.
    if (e.bode_double) return "Bode";
    if (!diagramme_trace(e.etude_freq_choisie)) return "Non choisie";
    return description(e.etude_freq_choisie).nom_reglages;
}

effet_reglage saisir_amplitude(etude_temps& r, const etat_etudes& e, std::string_view texte) {
    const double v = lire_nombre(texte);
    if (!strictement_positive(v)) return {};
    r.amplitude = v;
    return recalcul_temporel(e, texte_amplitude(v));
}

effet_reglage saisir_pulsation(etude_temps& r, const etat_etudes& e, std::string_view texte) {
    const double v = lire_nombre(texte);
    if (!strictement_positive(v)) return {};
    r.pulsation = v;
    effet_reglage effet = recalcul_temporel(e, texte_pulsation_choisie(v));
    if (r.pulsation_min <= v && v <= r.pulsation_max)
        effet.position_curseur = position_pulsation(r);
    return effet;
}

effet_reglage saisir_phase_origine(etude_temps& r, const etat_etudes& e, std::string_view texte) {
    const double v = lire_nombre(texte);
    if (!(std::abs(v) < valeur_saisie_max)) return {};
    r.phase_origine = v;
    return recalcul_temporel(e, texte_phase_origine(v));
}

effet_reglage deplacer_curseur_pulsation(etude_temps& r, const etat_etudes& e, int position) {
    position = std::clamp(position, 0, position_curseur_max);
    r.pulsation = r.pulsation_min + (r.pulsation_max - r.pulsation_min) *
                                        (position_curseur_max - position) / position_curseur_max;
    const std::string etiquette = texte_pulsation_choisie(r.pulsation);
    if (e.etude_temps_choisie == entree_temps::sinus) return recalcul_temporel(e, etiquette);
    effet_reglage effet;
    effet.accepte = true;
    effet.etiquette = etiquette;
    return effet;
}

effet_reglage cocher_non_corrige(etat_etudes& e, bool coche) {
    e.afficher_non_corrige = coche;
    effet_reglage effet;
    effet.accepte = true;
    if (e.boucle_fermee) effet.rafraichir = rafraichir(false, false);
    return effet;
}

effet_reglage valider_reglages(reglages& reg, const etat_etudes& e) {
    const bool periodique = entree_periodique(e.etude_temps_choisie);
    effet_reglage effet;
    effet.accepte = true;
    if (e.temps_ouverte && periodique && reg.temps.precision_modifiee)
        effet = recalcul_temporel(e, {});
    reg.temps.precision_modifiee = false;
    return effet;
}

} // namespace varlem
