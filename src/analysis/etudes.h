#pragma once
// Records of the frequency study, the time study and the pole-zero study.

#include "analysis/options_cours.h"
#include "plot/surface.h"

namespace varlem {

/// Where a periodic input starts its period: at its maximum, its minimum or zero.
enum class depart_periodique { maximum, minimum, zero };

/// Frequency study: units, pulsation range and the ranges and steps of the five diagrams.
struct etude_frequence {
    bool en_hertz = true;
    bool en_radians = true;
    int decade_min = -1;
    int decade_max = 1;
    double black_phase_min = 0, black_phase_max = 0, black_phase_pas = 0;
    double black_gain_min = 0, black_gain_max = 0, black_gain_pas = 0;
    double f_min = 0, f_max = 0, f_pas = 0;
    double w_min = 0, w_max = 0;
    double wl_min = 0, wl_max = 0;
    double gain_pas = 0, re_pas = 0, im_pas = 0, phase_pas = 0, module_pas = 0, wl_pas = 0;
    double im_min = 0, im_max = 0, re_min = 0, re_max = 0;
    double phase_min = 0, phase_max = 0;
    double module_min = 0, module_max = 0;
    double gain_min = 0, gain_max = 0;
    /// The gain and phase diagrams mark the margins' crossings.
    bool afficher_marges = false;
    /// The asymptotes and the Black-Nichols chart drawn over the curves.
    options_cours cours;
    friend bool operator==(const etude_frequence&, const etude_frequence&) = default;
};

/// Time study: interval, ranges, steps, and the sine and periodic input parameters.
struct etude_temps {
    bool inclure_zero_temps = true;
    bool afficher_entree = true;
    bool precision_modifiee = false;
    int nb_points = 200;
    depart_periodique depart = depart_periodique::maximum;
    double t_min = 0, t_max = 0;
    double y_min = 0, y_max = 0;
    double t_pas = 0, y_pas = 0;
    double dt = 0;
    double amplitude = 1.0, pulsation = 1.0, phase_origine = 0.0;
    double pulsation_max = 10.0, pulsation_min = 1.0;
    double frequence_periodique = 1.0;
    double amplitude_max = 1.0, amplitude_min = 0.0;
    double nb_periodes = 3.0;
    double rapport_cyclique = 0.5;
};

/// Pole-zero map and decomposition settings, with the map's scale.
struct reglages_pz {
    int precision = 3;
    int taille_symboles = 10;
    couleur couleur_zeros = 0;
    couleur couleur_poles = 0;
    bool decomposer_courante = true;
    bool valeurs_poles = true;
    bool valeurs_zeros = true;
    /// The decomposition text ends with the margins and step-response characteristics.
    bool caracteristiques = true;
    double pas_re = 0, pas_im = 0;
    double re_min = 0, re_max = 0, im_min = 0, im_max = 0;
};

} // namespace varlem
