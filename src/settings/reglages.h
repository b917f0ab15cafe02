#pragma once
// The study settings shared by every study, their defaults and their reset.

#include "analysis/etudes.h"
#include "plot/param.h"

namespace varlem {

/// Every setting store of the application, owned once and passed by reference.
struct reglages {
    param graphe;
    etude_temps temps;
    etude_frequence frequence;
    reglages_pz pz;
    /// Size in pixels of a plot copied to the clipboard.
    int largeur_copie = 567;
    int hauteur_copie = 416;
    /// Precision of the periodic computations, 1 (fast) to 11 (precise).
    int precision_periodique = 5;
};

/// Centimetres per pixel of the clipboard size.
inline constexpr double cm_par_pixel = 0.02644;

/// Restores the defaults of a new system; keeps `afficher_entree`, the symbol size, the
/// clipboard size, `nb_points` and the periodic-input fields.
void reinitialiser_reglages(reglages& r);

} // namespace varlem
