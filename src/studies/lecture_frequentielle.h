#pragma once
// The frequency values readout: a pulsation cursor walked along the current function's
// response, the texts the readout shows, and the cursor moved by a click on a diagram.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "document/systeme.h"
#include "settings/rafraichissement.h"
#include "studies/textes_caracteristiques.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// Lowest pulsation the cursor can reach, rad/s.
inline constexpr double w_lecture_min = 1e-30;
/// Largest step of the pulsation cursor, rad/s.
inline constexpr double pas_lecture_frq_max = 1e30;

/// Opens the readout: active, cursor and step at w_min (the left end of the axis).
void ouvrir_lecture_frq(lectures& l, const etude_frequence& r);
/// Moves the cursor one step up (sens > 0) or down; never below w_lecture_min.
void deplacer_lecture_frq(lectures& l, int sens);
/// Doubles the step (held to pas_lecture_frq_max) or halves it.
void changer_pas_lecture_frq(lectures& l, bool plus_rapide);
/// Closes the readout; the refresh that removes the arrow.
rafraichissement fermer_lecture_frq(lectures& l);

/// Text of the response label: by diagram, "Diagramme de Bode" for the stacked view.
std::string texte_reponse_frq(diagramme genre, bool bode_double);
/// "Pour la fonction n°" followed by the number k.
std::string texte_fonction_lecture(int k);
/// Slot the frequency readout follows, the one the diagrams mark: the current one (open loop).
int fonction_lue(const systeme& sys);

/// What the frequency readout reads: the cursor pulsation (rad/s), the gain (dB) and the phase
/// (rad) of the read function there.
struct valeurs_lecture_frq {
    double w = 0.0;
    double gain = 0.0;
    double phase = 0.0;
};
/// The values at the cursor; nothing when the read slot holds no function of the system.
std::optional<valeurs_lecture_frq> valeurs_lecture(const systeme& sys);

/// The three value texts of the readout.
struct textes_lecture_frq {
    std::string w;
    std::string gain;
    std::string phase;
};
/// w, gain (dB) and phase (rad), as texte_nombre writes them.
textes_lecture_frq textes_valeurs_frq(const valeurs_lecture_frq& v);
/// The texts of the cursor; gain and phase empty when no function is read.
textes_lecture_frq textes_valeurs_frq(const systeme& sys);
/// The rows of the "Marges" group: the gain, phase and delay margins of the read function; none
/// when no function is read.
std::vector<ligne_caracteristique> lignes_marges_lecture(const systeme& sys);

/// Pulsation under a click at (px, py) of a w × h picture of diagram `genre`: read on the
/// axis of the gain, phase and module diagrams, the nearest point of the read function's curve
/// on the Black and Nyquist diagrams; nothing outside the frame or without a curve.
std::optional<double> pulsation_cliquee(const etude_frequence& r, const systeme& sys,
                                        diagramme genre, int w, int h, int px, int py);

} // namespace varlem
