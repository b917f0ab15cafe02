#pragma once
// The study settings shared by every study, their defaults and their reset.

#include "plot/param.h"
#include "settings/etudes.h"

namespace varlem {

/// Study state shared by the windows: which studies are open and what they show.
struct etat_etudes {
    bool toutes_fonctions = true;
    bool frequence_ouverte = false;
    bool temps_ouverte = false;
    bool decomp_ouverte = false;
    bool poles_zeros_ouverte = false;
    bool mode_filtre = false;
    bool bode_double = false;
    bool boucle_fermee = false;
    bool afficher_non_corrige = false;
    /// '0' none, 'G' gain, 'P' phase, 'M' module, 'N' Nyquist, 'B' Black ('D' Bode in the dialog).
    char etude_freq_choisie = '0';
    /// '0' none, 'I' impulse, 'E' step, 'R' ramp, 'S' sine, 'C' square, 'T' triangle.
    char etude_temps_choisie = '0';
};

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

/// Restores the defaults of a new system; keeps `toutes_fonctions`, `afficher_entree`,
/// the symbol size, the clipboard size, `nb_points` and the periodic-input fields.
void reinitialiser_reglages(reglages& r, etat_etudes& e);

} // namespace varlem
