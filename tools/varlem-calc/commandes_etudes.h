#pragma once
// Commands that prepare and draw studies: the frequency and time studies as JSON, and plots.

#include "commandes.h"
#include "lettres.h"

#include "document/systeme.h"
#include "settings/reglages.h"

#include <string>
#include <vector>

namespace varlem::calc {

/// Unit choices of the frequency study.
struct options_unites {
    bool hertz = false;
    bool rad = false;
    bool degres = false;
};

/// Periodic-input and sine parameters of the time study.
struct options_entree {
    double amplitude = 1.0, pulsation = 1.0, phase = 0.0;
    double frequence = 1.0, periodes = 3.0, max = 1.0, min = 0.0, rapport = 0.5;
    depart_periodique depart = depart_periodique::maximum;
    int precision = 5;
};

/// Options of `frequence` without pulsations.
struct options_etude_frequence {
    fonction_saisie f;
    options_unites unites;
};

/// Options of `temps` without instants.
struct options_etude_temps {
    fonction_saisie f;
    entree_temps entree = entree_temps::impulsion;
    int points = 200;
    options_entree e;
    /// The study of the function's closed loop instead of its own.
    options_boucle_fermee boucle;
};

/// Options of `tracer`.
struct options_tracer {
    etude_a_tracer etude;
    std::vector<fonction_saisie> fonctions;
    int courante = 0; ///< 0: every function; k: function k only
    int largeur = 800, hauteur = 600;
    options_unites unites;
    options_entree e;
    std::string sortie;
    /// A system file read instead of (or before) the typed functions.
    std::string fichier_systeme;
    char variable = 'p';
    /// The current function closed in a loop with this corrector and return path.
    bool boucle = false;
    double kp = 1.0, ti = 10.0, td = 0.0;
    bool avec_i = false;
    std::vector<std::string> retour;
};

/// The system and settings the studies read: the typed functions in slots 1..n, or nothing
/// and the refusal printed (JSON, message) when one is rejected.
bool construire_systeme(const std::vector<fonction_saisie>& fonctions, systeme& sys);
/// Closes the loop of slot 1 when `b` asks for it (as `boucle` does); 0, or the exit status
/// after a French message on standard error.
int boucler_systeme(systeme& sys, reglages& reg, const options_boucle_fermee& b);
/// Applies the unit choices to the settings.
void appliquer_unites(const options_unites& u, reglages& reg);
/// Applies the input parameters to the time study's settings.
void appliquer_entree(const options_entree& e, reglages& reg);

/// `frequence` without pulsations: the prepared study, one key per field.
int commande_etude_frequence(const options_etude_frequence& o);
/// `temps` without instants: interval, ranges and the samples the plot joins.
int commande_etude_temps(const options_etude_temps& o);
/// `tracer`: the plot of a study into a PNG, SVG or PDF file.
int commande_tracer(const options_tracer& o);

} // namespace varlem::calc
