#pragma once
// The closed loop of one function of the system with a PID corrector C(p) in the direct chain
// and a return path R(p): the corrector's texts, the loop functions, the three sliders with
// their labels, the return path, and closing, browsing and opening the loop.
//
// While the loop is closed the slots hold: 1 C·T·R, 2 C·T, 3 the closed loop C·T / (1 + C·T·R),
// 4 the loop without corrector T / (1 + T·R); the system's own functions wait in `sauvegarde`.

#include "document/systeme.h"
#include "document/textes_construits.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <optional>
#include <string>
#include <string_view>

namespace varlem {

/// Bottom positions of the sliders (position 0, at the top, gives the largest value).
inline constexpr int curseur_p_max = 200;
/// Bottom position of the ti slider.
inline constexpr int curseur_ti_max = 100;
/// Bottom position of the td slider.
inline constexpr int curseur_td_max = 100;
/// Bounds of a typed slider maximum: beyond them the corrector's coefficients leave the range
/// the parser accepts (1e-30 to 1e30).
inline constexpr double maximum_correcteur_min = 1e-6;
/// Upper bound of a typed slider maximum.
inline constexpr double maximum_correcteur_max = 1e9;

/// The three sliders of the corrector.
enum class curseur_correcteur { p, ti, td };

/// One slider as a window shows it: position, bottom position, tick spacing and its labels.
struct etat_curseur {
    int position = 0;
    int maximum = 0;
    int graduation = 0;
    std::string haut;
    std::string valeur;
    std::string bas;
};

/// The three sliders and the "Avec I" box as the corrector's initialisation leaves them.
struct curseurs_correcteur {
    etat_curseur p;
    etat_curseur ti;
    etat_curseur td;
    bool avec_i = false;
};

/// Texts of C(p) = k (1 + 1/(ti p) + td p) with the integral action, k (1 + td p) without;
/// numbers read back exactly and zero terms are left out.
textes_fdt textes_correcteur(double kp, double ti, double td, bool avec_i, char lettre);

/// Start values and ranges of the corrector ("Avec I" unchecked), with the sliders' positions
/// and labels.
curseurs_correcteur initialiser_correcteur(systeme& s);
/// Analyses the corrector's texts into `correcteur`; on a refusal the corrector stays as it was.
bool construire_correcteur(systeme& s);
/// `chaine_directe` ← C·T of the looped function, its roots, and slot 2 ← `chaine_directe`.
bool construire_chaine_directe(systeme& s);
/// Slot 1 ← C·T·R and its roots.
bool construire_boucle_ouverte(systeme& s);
/// Slot 3 ← C·T / (1 + C·T·R) and its roots.
bool construire_boucle_fermee(systeme& s);
/// Slot 4 ← T / (1 + T·R), the loop of the looped function without corrector, and its roots.
bool construire_boucle_sans_correcteur(systeme& s);
/// "Fonction de transfert du système en boucle fermée:", then slot 3's numerator, "sur" and
/// its denominator, one per line (CR LF).
std::string texte_boucle_fermee(const systeme& s);

/// Result of closing the loop.
struct fermeture_boucle {
    /// False when the loop was already closed, the system is empty or a template is studied.
    bool effectue = false;
    curseurs_correcteur curseurs;
    std::string texte_boucle;
    rafraichissement rafraichir;
};

/// Closes the loop on the current function with R = 1 and the start corrector; prepares the
/// frequency study of the open loop and the pole-zero scale of the closed loop.
fermeture_boucle fermer_boucle(systeme& s, reglages& r);
/// Gives the system back: slots, count and the looped function as current.
rafraichissement ouvrir_boucle(systeme& s);

/// Result of browsing with the loop closed: what the system window shows.
struct parcours_boucle {
    bool effectue = false;
    /// Number of the looped function and the count label ("sur " + count).
    int numero = 1;
    std::string compte;
    /// The looped function's own texts.
    textes_fdt textes;
    std::string texte_boucle;
    rafraichissement rafraichir;
};

/// Loops the next (vers_le_haut) or previous function of the system with the same corrector.
parcours_boucle parcourir_boucle(systeme& s, reglages& r, bool vers_le_haut);

/// Result of typing a return path.
struct saisie_retour {
    bool erreur_syntaxe = false;
    bool erreur_degre = false;
    /// The texts of the return path in force (the boxes of the loop diagram).
    textes_fdt textes;
    std::string texte_boucle;
    rafraichissement rafraichir;
};

/// Analyses a return path; when it is accepted, rebuilds the loop with it. A refused path
/// changes nothing (the dialog stays open with the flags).
saisie_retour entrer_retour(systeme& s, std::string_view num, std::string_view den);

/// The value a slider gives at a position (clamped to the slider's range).
double valeur_curseur(const systeme& s, curseur_correcteur c, int position);
/// A slider moved: new value, rebuilt loop, value label; nothing while the loop is open (and,
/// for ti, while "Avec I" is unchecked).
reglage_curseur deplacer_curseur_correcteur(systeme& s, curseur_correcteur c, int position);
/// "Avec I" checked or unchecked: the loop is rebuilt with or without the integral action.
reglage_curseur basculer_avec_i(systeme& s, bool coche);
/// Sets the corrector's values and rebuilds the loop at once (no sliders involved).
bool regler_correcteur(systeme& s, double kp, double ti, double td, bool avec_i);

/// The input box a click on a slider's top label opens.
struct demande_maximum {
    std::string titre;
    std::string invite;
    std::string defaut;
};

/// Caption, prompt and default text of the maximum input box of a slider.
demande_maximum question_maximum(const systeme& s, curseur_correcteur c);
/// The typed maximum ("," or "." as decimal separator) when accepted (P: above the current
/// maximum; ti, td: positive): the new top label; nothing when it is ignored. Nothing is
/// rebuilt until the next slider move.
std::optional<std::string> saisir_maximum(systeme& s, curseur_correcteur c, std::string_view texte);

} // namespace varlem
