#pragma once
// The one system the program holds: its functions, the closed loop, the template study and
// the state every study reads.

#include "analysis/diagrammes.h"
#include "analysis/fonctions.h"
#include "numeric/contexte.h"
#include "numeric/entrees.h"
#include "settings/reglages.h"

#include <array>
#include <vector>

namespace varlem {

/// Most doublings or halvings of the time interval in a row.
inline constexpr int echelle_temps_max = 10;

/// Study state shared by the windows: which studies are open and what they show.
struct etat_etudes {
    bool toutes_fonctions = true;
    bool frequence_ouverte = false;
    bool temps_ouverte = false;
    bool decomp_ouverte = false;
    bool poles_zeros_ouverte = false;
    bool mode_filtre = false;
    /// Gain and phase stacked as a Bode view (the diagram then stays the phase).
    bool bode_double = false;
    bool boucle_fermee = false;
    bool afficher_non_corrige = false;
    /// The frequency diagram chosen.
    diagramme etude_freq_choisie = diagramme::aucun;
    /// The input of the time study chosen.
    entree_temps etude_temps_choisie = entree_temps::aucune;
    /// Doublings (positive) or halvings (negative) of the time interval since an exact input
    /// was chosen, within ±echelle_temps_max.
    int echelle_temps = 0;
};

/// Readout state: the pulsation and time the readout windows point at.
struct lectures {
    bool lecture_frq_active = false;
    double w_lecture = 1.0;
    bool lecture_tps_active = false;
    double t_lecture = 0.0;
    /// Steps of the two cursors (rad/s and s).
    double pas_lecture_frq = 1.0;
    double pas_lecture_tps = 0.1;
    /// The time cursor moves by the fine step (its button then reads "Rapide").
    bool lecture_tps_detaillee = false;
};

/// The system document.
struct systeme {
    /// Working slots 1..8; while the loop is closed: 1 C·T·R, 2 C·T, 3 closed loop, 4 uncorrected.
    banque_fonctions fonctions;
    int nb_fonctions = 0;
    int fonction_courante = 1;

    /// The user's functions while the loop is closed.
    banque_fonctions sauvegarde;
    int nb_sauve = 0;
    /// The looped function (a slot of `sauvegarde`).
    int courante_sauvee = 1;
    fdt_travail retour;
    fdt_travail correcteur;
    fdt_travail chaine_directe;

    /// Letter of the Laplace variable, 'p' or 's'.
    char lettre_variable = 'p';
    /// A system exists (a function was accepted, a file read or a template built).
    bool systeme_saisi = false;
    /// The user's functions changed since the system was last saved, read or emptied.
    bool modifie = false;
    /// Study flags and letters.
    etat_etudes etudes;

    /// Template under study.
    gabarit_filtre gabarit;
    /// Corrector values and slider ranges.
    double kp = 1.0, kp_min = 0.1, kp_max = 20.1;
    double ti = 10.0, ti_min = 0.01, ti_max = 10.0;
    double td = 0.0, td_min = 0.0, td_max = 1.0;
    /// The corrector has an integral action ("Avec I").
    bool avec_i = false;
    /// Template parameter and slider ranges.
    double w0 = 0.1, w0_min = 0.1, w0_max = 10.0;
    double m = 0.707, m_min = 0.01, m_max = 2.0;

    /// Readouts and periodic samples the plots write and read.
    lectures lecture;
    echantillons_periodiques periodique;

    /// Flags and random generator of the numeric core.
    contexte_calcul calcul;

    /// The slot the time, pole-zero and decomposition studies show: 3 in closed loop.
    int slot_etudie() const { return etudes.boucle_fermee ? 3 : fonction_courante; }
    /// Slots a study draws: 1..nb_fonctions with toutes_fonctions, else `seul` alone.
    std::vector<int> slots_montres(int seul) const;
};

/// A single diagram chosen in the frequency window (the Bode view is left).
void choisir_diagramme(etat_etudes& e, diagramme d);
/// Gain and phase stacked as the Bode view; the diagram is then the phase, its lower half.
void choisir_vue_bode(etat_etudes& e);

/// Empties the system (count 0, current 1, study flags cleared) and resets the settings;
/// slot contents, the saved bank, the letter and the corrector and template values stay.
void nouveau_systeme(systeme& s, reglages& r);

} // namespace varlem
