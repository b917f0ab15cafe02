#pragma once
// Entry and browsing of the system's functions: "Nouvelle", "Modifier", the "OK" of the entry
// dialog, "Supprimer", the browse arrows and the variable letter, with what the system window
// shows and enables after each of them.

#include "document/systeme.h"
#include "document/textes_construits.h"
#include "settings/rafraichissement.h"
#include "settings/reglages.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace varlem {

/// The two flags the analysis of typed texts raises.
struct erreurs_saisie {
    bool erreur_syntaxe = false;
    bool erreur_degre = false;
    /// The typed delay is refused (negative or unreadable).
    bool erreur_retard = false;
    /// No flag is set: the texts are accepted.
    bool acceptee() const { return !erreur_syntaxe && !erreur_degre && !erreur_retard; }
};

/// Checks the texts of one "OK" of an entry dialog: the numerator, the denominator and, when
/// the entry takes one, the typed delay. An entry without a delay (the return path) is checked
/// by a function of the two texts; one with a delay by a function of the three, with the
/// two-text check standing for "no delay typed" (a modified function keeps its own).
class validation_saisie {
  public:
    /// The check of the two texts.
    using sans_retard = std::function<erreurs_saisie(std::string num, std::string den)>;
    /// The check of the two texts and the typed delay.
    using avec_retard =
        std::function<erreurs_saisie(std::string num, std::string den, std::string retard)>;

    /// No check: "OK" accepts whatever is typed.
    validation_saisie() = default;
    /// No check.
    validation_saisie(std::nullptr_t) {}
    /// An entry without a delay, checked by f(num, den).
    template <typename F>
    requires std::is_invocable_r_v<erreurs_saisie, F&, std::string, std::string>
    validation_saisie(F f) : sans_retard_(std::move(f)) {}
    /// An entry with a delay: `sans` checks the texts alone, `avec` the texts and the delay.
    validation_saisie(sans_retard sans, avec_retard avec)
        : sans_retard_(std::move(sans)), avec_retard_(std::move(avec)) {}

    /// The entry takes a delay (the dialog shows its box).
    bool prend_retard() const { return static_cast<bool>(avec_retard_); }
    /// There is a check.
    explicit operator bool() const { return static_cast<bool>(sans_retard_); }
    /// Checks the two texts, no delay typed.
    erreurs_saisie operator()(std::string num, std::string den) const {
        return sans_retard_(std::move(num), std::move(den));
    }
    /// Checks the texts and the typed delay (ignored by an entry that takes none).
    erreurs_saisie operator()(std::string num, std::string den, std::string retard) const {
        if (!avec_retard_) return sans_retard_(std::move(num), std::move(den));
        return avec_retard_(std::move(num), std::move(den), std::move(retard));
    }

  private:
    sans_retard sans_retard_;
    avec_retard avec_retard_;
};

/// What the entry dialog is opened for.
enum class mode_saisie { nouvelle, modification };

/// What the system window shows of its functions: the number label, the count label, the
/// texts of the fraction and the delay after it.
struct affichage_fonction {
    std::string numero;
    std::string compte;
    textes_fdt textes;
    /// The delay written after the fraction ("e^(-1.5p)"); empty for none.
    std::string facteur_retard;
};

/// The number of the current function, "sur " + count and the current slot's texts.
affichage_fonction afficher_courante(const systeme& s);
/// What the window shows while the system is empty: "1", "sur 1" and "1" over "1".
affichage_fonction affichage_vide();
/// The label left of the fraction: "T(" + letter + ") =".
std::string etiquette_fraction(char lettre);
/// Caption of the variable-letter button: "Variable en s" for 'p', "Variable en p" otherwise.
std::string legende_lettre(char lettre);
/// Caption of the entry dialog for function n: "Entrée de la fonction n°" + n.
std::string titre_saisie(int n);

/// How the entry dialog is opened, and what the system window shows while it is open.
struct ouverture_saisie {
    mode_saisie mode = mode_saisie::nouvelle;
    /// Caption of the dialog.
    std::string titre;
    /// Texts put into the dialog's boxes (modification); nothing: the texts last typed stay.
    std::optional<textes_fdt> textes;
    /// Text put into the delay box (modification): the function's delay, empty for none.
    std::optional<std::string> retard;
    /// Number and count labels while the dialog is open.
    std::string numero;
    std::string compte;
    /// Position of the browse control while the dialog is open; nothing: it stays.
    std::optional<int> position_parcours;
    /// "Nouvelle" is disabled while the dialog is open.
    bool desactiver_nouvelle = false;
};

/// Runs the entry dialog as opened, checking each "OK" with the validation; true when a
/// function was accepted, false when the entry was abandoned with "Annuler".
using dialogue_fonction = std::function<bool(const ouverture_saisie&, const validation_saisie&)>;

/// What the system window does after one of its commands.
struct resultat_commande {
    /// The command did something (false: a ninth "Nouvelle", the last function deleted...).
    bool effectue = false;
    /// "Nouvelle" is enabled again.
    bool activer_nouvelle = false;
    /// The browse control is enabled.
    bool activer_parcours = false;
    /// The application-wide enabling of the commands runs.
    bool activer_commandes = false;
    /// Number, count and texts to show; nothing: the window keeps what it shows.
    std::optional<affichage_fonction> affichage;
    /// New position of the browse control; nothing: it stays.
    std::optional<int> position_parcours;
    /// Closed-loop text (browsing with the loop closed).
    std::string texte_boucle;
    rafraichissement rafraichir;
};

/// The "OK" of the entry dialog: analyses the texts aside and, when they are accepted, stores
/// them into the new slot (`nb_fonctions`) or the current one; a refusal leaves the system as
/// it was. A new function has no delay, a modified one keeps its own.
erreurs_saisie valider_saisie(systeme& s, mode_saisie mode, std::string_view num,
                              std::string_view den);
/// The same with the typed delay of the function (empty or 0: none), refused on its own flag.
erreurs_saisie valider_saisie(systeme& s, mode_saisie mode, std::string_view num,
                              std::string_view den, std::string_view retard);

/// "Nouvelle": one more function typed in the dialog; nothing with 8 functions already, with
/// the loop closed or a template studied. Abandoning the very first function leaves the system
/// empty with only "Nouvelle" enabled.
resultat_commande nouvelle_fonction(systeme& s, reglages& r, const dialogue_fonction& saisir);
/// "Modifier": the current function typed again; abandoning it keeps the function as it was.
/// The commands are enabled and the studies recomputed whatever the outcome.
resultat_commande modifier_fonction(systeme& s, reglages& r, const dialogue_fonction& saisir);
/// "Supprimer": the current function removed and the following ones moved down; nothing when
/// one function is left. The browse position comes down with it when it is 2 or more.
resultat_commande supprimer_fonction(systeme& s, int position_parcours);
/// A browse arrow: the next (vers_le_haut) or previous function, within the count; the browse
/// position moves within 1..8 on its own. With "Nouvelle" disabled the count first drops by
/// one. With the loop closed it chooses the looped function instead.
resultat_commande parcourir(systeme& s, reglages& r, int position_parcours, bool nouvelle_active,
                            bool vers_le_haut);

/// Result of the variable-letter button.
struct changement_lettre {
    /// False while the system holds functions: the letter is chosen while it is empty.
    bool effectue = false;
    /// The label left of the fraction with the new letter.
    std::string etiquette;
};

/// The variable-letter button: 'p' becomes 's', any other letter 'p'.
changement_lettre changer_lettre(systeme& s);

} // namespace varlem
