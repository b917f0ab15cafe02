#include "settings/reglages.h"

namespace varlem {

void reinitialiser_reglages(reglages& r) {
    r.graphe = param{};

    const etude_frequence frequence_defaut;
    r.frequence.en_hertz = frequence_defaut.en_hertz;
    r.frequence.en_radians = frequence_defaut.en_radians;

    // The symbol size is kept: it is not among these.
    const reglages_pz pz_defaut;
    r.pz.precision = pz_defaut.precision;
    r.pz.couleur_zeros = pz_defaut.couleur_zeros;
    r.pz.couleur_poles = pz_defaut.couleur_poles;
    r.pz.decomposer_courante = pz_defaut.decomposer_courante;
    r.pz.valeurs_poles = pz_defaut.valeurs_poles;
    r.pz.valeurs_zeros = pz_defaut.valeurs_zeros;

    r.precision_periodique = reglages{}.precision_periodique;

    const etude_temps temps_defaut;
    r.temps.inclure_zero_temps = temps_defaut.inclure_zero_temps;
    r.temps.depart = temps_defaut.depart;
    r.temps.amplitude = temps_defaut.amplitude;
    r.temps.pulsation = temps_defaut.pulsation;
    r.temps.phase_origine = temps_defaut.phase_origine;
    r.temps.pulsation_max = temps_defaut.pulsation_max;
    r.temps.pulsation_min = temps_defaut.pulsation_min;
}

} // namespace varlem
