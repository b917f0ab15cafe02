#pragma once
// The time values readout: a time cursor walked along the current function's response, the
// texts the readout shows, and the cursor moved by a click on the plot.

#include "analysis/etudes.h"
#include "document/systeme.h"
#include "settings/rafraichissement.h"
#include "studies/textes_caracteristiques.h"

#include <optional>
#include <string>
#include <vector>

namespace varlem {

/// Opens the readout: active, cursor at 0, step a tenth of the time graduation, coarse step.
void ouvrir_lecture_tps(lectures& l, const etude_temps& r);
/// One step later; for the periodic inputs (square, triangle) the cursor stops at the last
/// computed sample.
void avancer_lecture_tps(lectures& l, const etude_temps& r, entree_temps genre);
/// One step earlier, unless that falls before t_min.
void reculer_lecture_tps(lectures& l, const etude_temps& r);
/// Fine step (a tenth of the current one) or back to the coarse one.
void basculer_detail_tps(lectures& l);
/// Caption of the step button: "Détaillé" while coarse, "Rapide" while fine.
std::string texte_bouton_detail(const lectures& l);
/// Closes the readout, back to the coarse step; the refresh that removes the arrow.
rafraichissement fermer_lecture_tps(lectures& l);

/// Text of the response label for input `genre`; `precedent` while no input is chosen.
std::string texte_reponse_tps(entree_temps genre, const std::string& precedent);

/// The point the time readout marks on the plot: the time and the response there (NaN where
/// the doubles cannot give it).
struct point_lecture_tps {
    double t = 0.0;
    double y = 0.0;
};
/// The point of the studied slot's response at the cursor, as the plot marks it: on the exact
/// responses the value judged against the scale of the curve drawn, on the periodic ones the
/// nearest sample computed; nothing when the plot marks none (no input, no response, an
/// unusable range, or the impulse's slot not shown).
std::optional<point_lecture_tps> point_lecture_temporelle(const etude_temps& r, const systeme& sys);
/// Both ranges of r are finite and not empty: the plot can be drawn.
bool plages_temps_tracables(const etude_temps& r);

/// The two value texts of the readout.
struct textes_lecture_tps {
    std::string t;
    std::string y;
};
/// t (s) and y, as texte_nombre writes them; y "non calculable" when the doubles gave no
/// finite number.
textes_lecture_tps textes_valeurs_tps(double t, double y);
/// The texts of the cursor: its time and the value the plot marks (y empty when it marks none).
textes_lecture_tps textes_valeurs_tps(const etude_temps& r, const systeme& sys);
/// The rows of the "Réponse indicielle" group: final value, overshoot, rise time and 5 %
/// settling time of the studied slot while the step response is shown; none otherwise.
std::vector<ligne_caracteristique> lignes_indicielle_lecture(const systeme& sys);

/// Time under a click at column px of a w × h time picture (within the periodic samples for
/// the square and triangle inputs); nothing outside the frame.
std::optional<double> temps_clique(const etude_temps& r, entree_temps genre, int w, int h, int px);

} // namespace varlem
