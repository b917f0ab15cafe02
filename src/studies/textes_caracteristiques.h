#pragma once
// The texts that show the readings of a function: the lines of the readout windows and of the
// system window (a caption and its value), and the "Caractéristiques" section that ends the
// text of the decomposition window. Numbers are written by texte_nombre.

#include "analysis/caracteristiques.h"

#include <string>

namespace varlem {

/// One reading as a window shows it: its caption and its value.
struct ligne_caracteristique {
    std::string libelle;
    std::string valeur;
};

/// "Marge de gain": "6.0206 dB à 1.7321 rad/s", or "infinie" without phase crossing.
ligne_caracteristique ligne_marge_gain(const marges_stabilite& m);
/// "Marge de phase": "63.8424° à 1.065 rad/s", or "aucune" without gain crossing.
ligne_caracteristique ligne_marge_phase(const marges_stabilite& m);
/// "Marge de retard": "0.4636 s", the delay the loop takes before it loses its phase margin
/// ("0 s" when it has none left), or "aucune" without gain crossing.
ligne_caracteristique ligne_marge_retard(const marges_stabilite& m);
/// "Bande passante": "2.1 rad/s", or "aucune".
ligne_caracteristique ligne_bande_passante(const caracteristiques& c);
/// "Résonance": "-1.707 dB à 1.5275 rad/s", or "aucune".
ligne_caracteristique ligne_resonance(const caracteristiques& c);
/// "Valeur finale": the final value, or "sans objet" for an unstable function.
ligne_caracteristique ligne_valeur_finale(const reponse_indicielle& r);
/// "Dépassement": "7.513 %", or "sans objet".
ligne_caracteristique ligne_depassement(const reponse_indicielle& r);
/// "Temps de montée": "3.8434 s", or "sans objet".
ligne_caracteristique ligne_temps_montee(const reponse_indicielle& r);
/// "Pic": "2.6878 à 8.0839 s", the final value with "(non atteint)" when only approached, or
/// "sans objet".
ligne_caracteristique ligne_pic(const reponse_indicielle& r);
/// "Temps de réponse à 5 %": "17.2091 s", or "sans objet".
ligne_caracteristique ligne_temps_reponse_5(const reponse_indicielle& r);
/// "Temps de réponse à 2 %": "27.9801 s", or "sans objet".
ligne_caracteristique ligne_temps_reponse_2(const reponse_indicielle& r);

/// "Boucle fermée stable" or "Boucle fermée instable" (the system window shows the latter in
/// red).
std::string texte_stabilite_boucle(const reponse_indicielle& r);
/// "Fonction stable" or "Fonction instable", for a function studied alone.
std::string texte_stabilite_fonction(const reponse_indicielle& r);
/// "caption : value".
std::string texte_ligne(const ligne_caracteristique& l);

/// The section "Caractéristiques": its heading, an empty line, then one line per reading (the
/// two margins, bandwidth, resonance, stability, and the step characteristics when stable),
/// every line ended by CR LF. `boucle_fermee` words the stability line for the closed loop.
std::string section_caracteristiques(const caracteristiques& c, bool boucle_fermee);

} // namespace varlem
