#pragma once
// The rules of the settings dialog: one operation per control, which checks the value, stores
// it and says what the dialog must do next (label text, error box, refresh of the studies).

#include "numeric/entrees.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <optional>
#include <string>
#include <string_view>

namespace varlem {

/// What an edit did and what the dialog must do after it.
struct effet_reglage {
    /// The setting took the new value (false: refused or cancelled, nothing stored).
    bool accepte = false;
    /// New text of the control's label (empty: the label keeps its text).
    std::string etiquette;
    /// Text of the error box to show (empty: none).
    std::string erreur;
    /// Slider position the pulsation now stands at (none: the slider stays).
    std::optional<int> position_curseur;
    /// The time responses are computed again over a new interval before the refresh.
    bool recalcul_temps = false;
    /// The refresh of the studies to run.
    rafraichissement rafraichir;
};

/// An accepted edit followed by the refresh `r`.
effet_reglage rafraichi(rafraichissement r = rafraichir(false, false));
/// Largest magnitude the sine and slider prompts accept.
inline constexpr double valeur_saisie_max = 1e10;
/// 0 < v < valeur_saisie_max.
bool strictement_positive(double v);

/// Positions of the pulsation slider: 0 (top, the maximum) to 18 (bottom, the minimum).
inline constexpr int position_curseur_max = 18;
/// Bounds of the periodic-computation precision.
inline constexpr int precision_periodique_min = 1;
inline constexpr int precision_periodique_max = 11;
/// Bounds of the pole and zero symbol size.
inline constexpr int taille_symboles_min = 1;
inline constexpr int taille_symboles_max = 20;
/// Bounds of the tick length, in pixels.
inline constexpr int longueur_graduations_min = 1;
inline constexpr int longueur_graduations_max = 30;
/// Decomposition precisions offered by the list, from its first entry.
inline constexpr int precision_affichage_min = 3;
inline constexpr int precision_affichage_max = 6;

/// A font of the axis labels: its family and its size in points.
struct police_graduations {
    std::string nom;
    int taille = 0;
};

// Graph tab.

/// A colour chosen (none: the chooser was cancelled and the colour stays); plain refresh.
effet_reglage changer_couleur(couleur& reglage, std::optional<couleur> choisie);
/// Tick length typed: an integer text, stored within 1..30; refresh whenever it is an integer.
effet_reglage saisir_longueur_graduations(param& p, std::string_view texte);
/// Caption of the tick-length label: "Longueur graduations:  3".
std::string texte_longueur_graduations(int longueur);
/// "Inclure zero": recomputation when checked, plain refresh when unchecked.
effet_reglage cocher_inclure_zero(param& p, bool coche);
/// "Plein" or "Pointillés" chosen for the grid.
effet_reglage choisir_quadrillage_plein(param& p, bool plein);
/// A font chosen (none, an empty name or a size below 1: the font stays); plain refresh.
effet_reglage changer_police(param& p, const std::optional<police_graduations>& choisie);

/// Any box whose setting is its state and whose change asks for a plain refresh.
effet_reglage cocher(bool& reglage, bool coche);

// Frequency tab.

// Time tab.

/// Text of the time study shown ("Etude en cours:Rep indicielle", ...); empty while no input
/// is chosen (the label keeps its text).
std::string texte_etude_temps(entree_temps etude);
/// Lower end of the pulsation slider typed: 0 < v < 1e10; nothing is recomputed.
effet_reglage saisir_pulsation_min(etude_temps& r, std::string_view texte);
/// Upper end of the pulsation slider typed: 0 < v < 1e10; nothing is recomputed.
effet_reglage saisir_pulsation_max(etude_temps& r, std::string_view texte);
/// Where the slider shows the stored pulsation, held to 0..18 (0 when the ends meet).
int position_pulsation(const etude_temps& r);
/// "w = 1rad/s", "wmin = 1rad/s", "wmax = 10rad/s": the pulsation texts shown on opening.
std::string texte_pulsation(double w);
std::string texte_pulsation_min(double w);
std::string texte_pulsation_max(double w);
/// Texts the sine labels take after an edit.
std::string texte_amplitude(double a);
std::string texte_pulsation_choisie(double w);
std::string texte_phase_origine(double phi);
/// Periodic precision arrows: stored (held to 1..11) and marked changed; nothing recomputed yet.
effet_reglage regler_precision_periodique(reglages& reg, int position);

// Pole-zero and decomposition tabs.

/// Symbol size typed: its integer part, stored within 1..20; plain refresh.
effet_reglage saisir_taille_symboles(reglages_pz& pz, std::string_view texte);
/// Precision list: entry `rang` (0 for "3") stored as 3..6; plain refresh.
effet_reglage choisir_precision(reglages_pz& pz, int rang);
/// Entry of the precision list showing the stored precision.
int rang_precision(const reglages_pz& pz);

// Size tab.

/// "15 cm": a clipboard size in pixels shown in centimetres to three digits.
std::string texte_taille_copie(int pixels);
/// The same number without its unit, the default of the size prompts.
std::string texte_centimetres(int pixels);
/// Clipboard width typed in centimetres: more than 50 pixels and below 30 cm; the label is
/// rewritten whatever the outcome; nothing is refreshed.
effet_reglage saisir_largeur_copie(reglages& reg, std::string_view texte);
/// Clipboard height typed in centimetres, with the width's rule.
effet_reglage saisir_hauteur_copie(reglages& reg, std::string_view texte);

} // namespace varlem
