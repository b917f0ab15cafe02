#pragma once
// The settings edits that read or change the system's studies: the functions shown, the units
// of the frequency study, the sine input and what the time study computes again.

#include "document/systeme.h"
#include "settings/edition_reglages.h"

#include <string>
#include <string_view>

namespace varlem {

/// "Fonction courante " or "Toutes les fonctions" chosen.
effet_reglage choisir_toutes_fonctions(etat_etudes& e, bool toutes);
/// Hertz or rad/s: the frequency range derived again from the roots, then a plain refresh.
effet_reglage choisir_hertz(etude_frequence& r, bool en_hertz, const systeme& s);
/// Radians or degrees: the frequency range derived again from the roots, then a plain refresh.
effet_reglage choisir_radians(etude_frequence& r, bool en_radians, const systeme& s);
/// Name of the frequency study shown ("Non choisie", "Gain", ..., "Bode" while gain and phase
/// are stacked).
std::string texte_etude_frequence(const etat_etudes& e);

/// Sine amplitude typed: 0 < v < 1e10, then the time responses again.
effet_reglage saisir_amplitude(etude_temps& r, const etat_etudes& e, std::string_view texte);
/// Sine pulsation typed: 0 < v < 1e10; the slider follows when the value is within its ends.
effet_reglage saisir_pulsation(etude_temps& r, const etat_etudes& e, std::string_view texte);
/// Sine phase at the origin typed: |v| < 1e10, then the time responses again.
effet_reglage saisir_phase_origine(etude_temps& r, const etat_etudes& e, std::string_view texte);
/// The pulsation slider moved: the pulsation between its ends, the sine response again.
effet_reglage deplacer_curseur_pulsation(etude_temps& r, const etat_etudes& e, int position);

/// "Afficher rép syst non corr qd bouclage": a refresh only while the loop is closed.
effet_reglage cocher_non_corrige(etat_etudes& e, bool coche);
/// "OK": the periodic responses again when their precision changed while one is shown.
effet_reglage valider_reglages(reglages& reg, const etat_etudes& e);

} // namespace varlem
