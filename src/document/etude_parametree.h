#pragma once
// The parameter study: one template studied while a slider moves its parameter, with scales
// computed once for the parameter's two ends so that the axes stay still.

#include "analysis/diagrammes.h"
#include "analysis/periodique.h"
#include "document/gabarits.h"
#include "document/systeme.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <optional>
#include <string>

namespace varlem {

/// Number of time points when the time window is not visible.
inline constexpr int nb_points_defaut = 200;
/// Time points of a time window this many pixels wide: one every two pixels inside its margins
/// (at least 2).
int nb_points_fenetre(int largeur_fenetre);

/// "Parametres" pressed: true when the save question must be asked first (a system exists and
/// no template is studied yet).
bool demander_avant_parametres(const systeme& s);

/// Result of a template choice: what the system window shows.
struct choix_gabarit {
    /// False for an unknown letter or while the loop is closed.
    bool effectue = false;
    /// Texts of the fraction boxes.
    textes_gabarit textes;
    /// The number and count labels: the template is function 1 of 1.
    std::string numero;
    std::string compte;
    /// The slider: bottom position, tick spacing, position to set. Setting a position that
    /// differs from the slider's runs its handler (`deplacer_curseur_p`), as any move does.
    int curseur_max = 0;
    int graduation = 0;
    int position = 0;
    std::string etiquette_haut;
    std::string etiquette_valeur;
    std::string etiquette_bas;
    rafraichissement rafraichir;
};

/// Turns the system into the study of a template: both extreme functions scale the frequency
/// study, the time responses and a common pole-zero map, then slot 1 holds the template at its
/// start value and the count is 1. `largeur_fenetre_temps` is the time window's outer width
/// when that window is visible.
choix_gabarit choisir_gabarit(systeme& s, reglages& r, gabarit_filtre gabarit,
                              std::optional<int> largeur_fenetre_temps,
                              const rapport_progression& progression = {});

/// The P slider of the system window moved: the corrector's gain with the loop closed, the
/// template's parameter in the template study, nothing otherwise.
reglage_curseur deplacer_curseur_p(systeme& s, int position);

} // namespace varlem
