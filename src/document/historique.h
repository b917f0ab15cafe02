#pragma once
// "Annuler" and "Rétablir" over the changes of the system: a function added, modified or
// deleted, the variable letter, a file read, the system emptied. Each step keeps the texts of
// the system before a change; going back analyses them again through the usual road.

#include "document/saisie.h"
#include "document/systeme.h"
#include "document/textes_construits.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace varlem {

/// The user's system as texts: its functions in order, the current one, the letter.
struct instantane_systeme {
    std::vector<textes_fdt> fonctions;
    /// Each function's delay τ in seconds (0 for none), in the order of `fonctions`.
    std::vector<double> retards;
    int fonction_courante = 1;
    char lettre_variable = 'p';
    bool systeme_saisi = false;
};

/// Same functions (texts, delays and count) and letter: what a change must alter to be one.
bool memes_textes(const instantane_systeme& a, const instantane_systeme& b);

/// The user's system as it stands: the saved bank while the loop is closed; nothing while a
/// template is studied, which is no system of the user's.
std::optional<instantane_systeme> instantane(const systeme& s);

/// Most steps kept on each side; the oldest are forgotten first.
inline constexpr std::size_t nb_etapes_max = 100;

/// What the windows do after "Annuler" or "Rétablir".
struct resultat_historique {
    /// Something was undone or redone.
    bool effectue = false;
    /// The system is back to no function: the windows show it empty, only "Nouvelle" enabled,
    /// as after emptying, every study closed (the settings and the studies' choices are left
    /// as they are).
    bool systeme_vide = false;
    /// What the system window shows and enables, and the refresh to run (that of a file read).
    resultat_commande commande;
    /// The label left of the fraction and the caption of the letter button.
    std::string etiquette_fraction;
    std::string legende_lettre;
};

/// The two stacks of steps, and the texts of the system last saved or read.
class historique {
  public:
    /// After an operation: the system as it was before becomes a step to undo when the
    /// operation changed its texts (an abandoned entry or a refused file leave none); the
    /// steps to redo are forgotten. Nothing when `avant` is none (a template was studied).
    void noter(const std::optional<instantane_systeme>& avant, const systeme& apres);
    /// Runs `operation` and notes the change it made; returns what it returns.
    template <class Operation> auto changer(systeme& s, Operation&& operation) {
        const std::optional<instantane_systeme> avant = instantane(s);
        if constexpr (std::is_void_v<decltype(operation())>) {
            operation();
            noter(avant, s);
        } else {
            auto resultat = operation();
            noter(avant, s);
            return resultat;
        }
    }
    /// The system was saved or read: undoing or redoing back to these texts leaves nothing to
    /// save.
    void marquer_enregistre(const systeme& s);
    /// Forgets every step.
    void vider();

    /// "Annuler" is available: a step to undo, the loop open and no template studied.
    bool peut_annuler(const systeme& s) const;
    /// "Rétablir" is available: a step to redo, the loop open and no template studied.
    bool peut_retablir(const systeme& s) const;
    /// Goes back one step: the texts analysed again, the studies recomputed as after a file
    /// read, `modifie` set unless the texts are those last saved or read.
    resultat_historique annuler(systeme& s, reglages& r);
    /// Goes forward again one step undone.
    resultat_historique retablir(systeme& s, reglages& r);

    /// Number of steps to undo and to redo.
    std::size_t nb_annulables() const { return annuler_.size(); }
    std::size_t nb_retablissables() const { return retablir_.size(); }
    /// The systems the steps give back: to undo, the next one last; to redo, likewise.
    const std::vector<instantane_systeme>& etapes_a_annuler() const { return annuler_; }
    const std::vector<instantane_systeme>& etapes_a_retablir() const { return retablir_; }

  private:
    resultat_historique deplacer(std::vector<instantane_systeme>& depuis,
                                 std::vector<instantane_systeme>& vers, systeme& s, reglages& r);

    std::vector<instantane_systeme> annuler_;
    std::vector<instantane_systeme> retablir_;
    instantane_systeme enregistres_;
};

/// Closes every study (the flags of the opened studies), leaving what each had chosen.
void fermer_etudes(etat_etudes& e);

/// Puts the snapshot's texts back into the system through the analysis of each function; false,
/// leaving the system as it was, when one of them is refused.
bool restaurer(systeme& s, reglages& r, const instantane_systeme& i);

} // namespace varlem
