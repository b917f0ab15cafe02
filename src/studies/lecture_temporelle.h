#pragma once
// The time values readout: a time cursor walked along the current function's response, the
// texts the readout shows, and the cursor moved by a click on the plot.

#include "document/rafraichissement.h"
#include "document/systeme.h"
#include "settings/etudes.h"

#include <optional>
#include <string>

namespace varlem {

/// Opens the readout: active, cursor at 0, step a tenth of the time graduation, coarse step.
void ouvrir_lecture_tps(lectures& l, const etude_temps& r);
/// One step later; for the periodic inputs (square, triangle) the cursor stops at the last
/// computed sample.
void avancer_lecture_tps(lectures& l, const etude_temps& r, char genre);
/// One step earlier, unless that falls before t_min.
void reculer_lecture_tps(lectures& l, const etude_temps& r);
/// Fine step (a tenth of the current one) or back to the coarse one.
void basculer_detail_tps(lectures& l);
/// Caption of the step button: "Détaillé" while coarse, "Rapide" while fine.
std::string texte_bouton_detail(const lectures& l);
/// Closes the readout, back to the coarse step; the refresh that removes the arrow.
rafraichissement fermer_lecture_tps(lectures& l);

/// Text of the response label for input `genre`; `precedent` for a letter without input.
std::string texte_reponse_tps(char genre, const std::string& precedent);

/// The two value texts of the readout.
struct textes_lecture_tps {
    std::string t;
    std::string y;
};
/// t (s) and y of the cursor, as texte_nombre writes them; y "non calculable" when the doubles
/// gave no finite number.
textes_lecture_tps textes_valeurs_tps(const lectures& l);

/// Time under a click at column px of a w × h time picture (within the periodic samples for
/// the square and triangle inputs); nothing outside the frame.
std::optional<double> temps_clique(const etude_temps& r, char genre, int w, int h, int px);

} // namespace varlem
