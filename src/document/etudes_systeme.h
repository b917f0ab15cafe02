#pragma once
// What the studies compute from the system: the functions each study shows, and the frequency
// study, the time study and the readings of those functions.

#include "analysis/caracteristiques.h"
#include "analysis/frequences.h"
#include "analysis/temps.h"
#include "document/systeme.h"
#include "settings/reglages.h"

#include <optional>
#include <vector>

namespace varlem {

/// The slots the frequency study scans: 1..nb_fonctions with toutes_fonctions, else the
/// current one (none when the system is empty).
std::vector<int> fonctions_etudiees(const systeme& s);
/// Slots whose responses the time study shows: 1..nb_fonctions with toutes_fonctions, else
/// the studied slot (3 in closed loop, else the current function).
std::vector<int> fonctions_temps(const systeme& s);

/// Recomputes the frequency study of the functions the system shows (see the analysis's
/// `preparer_frequences`).
void preparer_frequences(etude_frequence& r, bool automatique, const systeme& s);

/// What the time study computes for the system: the chosen input, the slots shown, the
/// periodic computation (every function, or the studied one and the uncorrected loop) and the
/// template studied in filter mode.
demande_temps demande_temps_systeme(const systeme& s, const reglages& reg);
/// Pulsation that sets a new interval for the functions the time study shows.
double pulsation_lente(const systeme& s);
/// The time study of the system's chosen input, its periodic samples kept in the system.
void calculer_reponse_temps(etude_temps& r, bool recalculer, systeme& s, const reglages& reg,
                            const rapport_progression& progression = {});
/// Doubles t_max, then recomputes dt, the steps and the responses (the range for exact kinds).
void doubler_intervalle(etude_temps& r, systeme& s, const reglages& reg,
                        const rapport_progression& progression = {});
/// Halves t_max, then recomputes dt, the steps and the responses (the range for exact kinds).
void diviser_intervalle(etude_temps& r, systeme& s, const reglages& reg,
                        const rapport_progression& progression = {});
/// An input chosen in the time window; an exact input starts the count of doublings again (a
/// periodic one keeps it).
void choisir_entree_temps(etat_etudes& e, entree_temps entree);
/// "Temps × 2" (sens > 0) or "Temps ÷ 2": the interval doubled or halved and the responses
/// again, within ±echelle_temps_max in a row; false when nothing changed (no input chosen, or
/// the bound reached).
bool changer_echelle_temps(etude_temps& r, systeme& s, const reglages& reg, int sens,
                           const rapport_progression& progression = {});
/// Fills the periodic response arrays of the functions concerned (all, or slot 3 in closed
/// loop, or the current one; slot 4 too for the uncorrected loop).
void calculer_reponses_periodiques(const etude_temps& r, systeme& s, const reglages& reg,
                                   const rapport_progression& progression = {});

/// The readings the windows show for the system: in closed loop the margins of slot 1 (C·T·R)
/// and the rest of slot 3; otherwise those of the current function; nothing without functions.
std::optional<caracteristiques> caracteristiques_systeme(const systeme& s);

} // namespace varlem
