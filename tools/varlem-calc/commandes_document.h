#pragma once
// The document commands of varlem-calc: the closed loop with its corrector, the filter
// templates and the system files, each printing JSON on standard output.

#include "commandes.h"
#include "document/systeme.h"
#include "settings/reglages.h"

#include <string>
#include <vector>

namespace varlem::calc {

/// Exit status of a system file that cannot be read.
inline constexpr int statut_fichier_refuse = 3;

/// Options of `boucle`.
struct options_boucle {
    fonction_saisie f;
    double kp = 1.0;
    double ti = 10.0;
    double td = 0.0;
    bool avec_i = false;
    /// Numerator and denominator of the return path; empty for R = 1.
    std::vector<std::string> retour;
};

/// Closes the loop of s, with the return path `retour` (numerator, denominator; empty for
/// R = 1) and the corrector; 0, or the exit status after a French message on standard error.
int boucler(systeme& s, reglages& r, const std::vector<std::string>& retour, double kp, double ti,
            double td, bool avec_i);

/// Options of `gabarit`.
struct options_gabarit {
    /// The template.
    gabarit_filtre gabarit;
    /// w0 for the first order, m for the second.
    double valeur = 1.0;
    char variable = 'p';
};

/// Options of `systeme`.
struct options_systeme {
    std::string fichier;
    char variable = 'p';
};

/// Options of `caracteristiques`.
struct options_caracteristiques {
    fonction_saisie f;
    /// A loop option was given: the function is looped as `boucle` does it.
    bool boucle = false;
    double kp = 1.0;
    double ti = 10.0;
    double td = 0.0;
    bool avec_i = false;
    /// Numerator and denominator of the return path; empty for R = 1.
    std::vector<std::string> retour;
};

/// `caracteristiques`: margins, bandwidth, resonance and step characteristics of the function,
/// or in closed loop the margins of C·T·R and the rest of the closed loop.
int commande_caracteristiques(const options_caracteristiques& o);
/// `boucle`: the corrector's texts, slots 1 to 3 of the closed loop (C·T·R, C·T, closed loop)
/// analysed, and the closed-loop text.
int commande_boucle(const options_boucle& o);
/// `gabarit`: the shown and analysed texts of a template and the analysis of the latter.
int commande_gabarit(const options_gabarit& o);
/// `systeme`: the functions of a system file, texts and analysis; the French message on
/// standard error and status 3 when the file is refused.
int commande_systeme(const options_systeme& o);

} // namespace varlem::calc
