#pragma once
// The six filter templates: first-order low-pass and high-pass with the pulsation w0 as
// parameter; second-order low-pass, high-pass, band-pass and band-reject with the damping m
// (pulsation 1 rad/s). Their texts, parameter ranges, slider mapping and labels.

#include "document/systeme.h"
#include "settings/rafraichissement.h"

#include <optional>
#include <string>

namespace varlem {

/// True for the first-order templates, whose parameter is w0.
bool premier_ordre(gabarit_filtre gabarit);

/// The texts shown in the system window and the texts analysed, for one parameter value.
struct textes_gabarit {
    std::string num_affiche;
    std::string den_affiche;
    std::string num;
    std::string den;
};

/// Texts of a template at the value w0 (first order) or m (second order); the analysed texts
/// hold the exact values (they read back as the same doubles).
textes_gabarit textes_du_gabarit(gabarit_filtre gabarit, double valeur, char lettre);

/// Parameter range and slider of a template.
struct plage_gabarit {
    double min = 0;
    double max = 0;
    /// Bottom position of the slider (its top is 0).
    int curseur_max = 0;
    int graduation = 0;
    int position_depart = 0;
};

/// Lower and upper ends of the parameter, slider range, ticks and start position.
plage_gabarit plage_du_gabarit(gabarit_filtre gabarit);
/// Writes the template's parameter ends into the system (`w0_min`/`w0_max` or `m_min`/`m_max`).
void fixer_plage_gabarit(systeme& s, gabarit_filtre gabarit);
/// The parameter at a slider position for the system's template and ends: the divisors are
/// the constants 99 and 200, not the slider's range.
double parametre_de_position(const systeme& s, int position);

/// "w0max= 10 rad/s" or "m max= 2".
std::string etiquette_haut_gabarit(const systeme& s);
/// "w0min= .1 rad/s" or "m min= .01".
std::string etiquette_bas_gabarit(const systeme& s);
/// "w0= … rad/s" or "m= …" for a value of the system's template.
std::string etiquette_valeur_gabarit(const systeme& s, double valeur);

/// Analyses the template at the value into slot 1 or 2; its texts, or nothing when the slot or
/// the template is unknown or the value gives a text the parser refuses (the slot then
/// unchanged).
std::optional<textes_gabarit> construire_gabarit(systeme& s, gabarit_filtre gabarit, int slot,
                                                 double valeur);

/// The template slider moved (loop open, template studied): new parameter, slot 1 rebuilt,
/// value label; the studies are redrawn without new scales.
reglage_curseur deplacer_curseur_gabarit(systeme& s, int position);

} // namespace varlem
