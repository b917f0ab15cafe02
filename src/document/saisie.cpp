#include "document/saisie.h"

#include "analysis/pipeline.h"
#include "document/boucle.h"
#include "document/retards.h"

#include <algorithm>
#include <cstddef>

namespace varlem {

namespace {

std::string texte_compte(int n) {
    return "sur " + std::to_string(n);
}

// The system's own functions are entered, deleted and browsed only while it is edited: with
// the loop closed or a template studied the slots hold built functions.
bool en_edition(const systeme& s) {
    return !s.etudes.boucle_fermee && !s.etudes.mode_filtre;
}

// The target of an "OK": the new slot or the current one.
int slot_cible(const systeme& s, mode_saisie mode) {
    return mode == mode_saisie::nouvelle ? s.nb_fonctions : s.fonction_courante;
}

// The end shared by an entry that leaves the system with functions: commands enabled, the
// current function shown and the studies recomputed from new scales.
resultat_commande terminer_saisie(systeme& s, reglages& r) {
    resultat_commande res;
    res.effectue = true;
    res.activer_parcours = s.nb_fonctions > 0;
    res.activer_commandes = true;
    // The application-wide enabling gives "Nouvelle" back too.
    res.activer_nouvelle = true;
    res.affichage = afficher_courante(s);
    r.graphe.inclure_zero = true;
    res.rafraichir = rafraichir(true, true);
    return res;
}

validation_saisie validation(systeme& s, mode_saisie mode) {
    return {
        [&s, mode](std::string num, std::string den) { return valider_saisie(s, mode, num, den); },
        [&s, mode](std::string num, std::string den, std::string retard) {
            return valider_saisie(s, mode, num, den, retard);
        }};
}

// The delay box of a function typed again: its delay exactly, empty for none.
std::string texte_boite_retard(const fdt& f) {
    return f.retard > 0 ? texte_retard(f.retard) : std::string();
}

} // namespace

affichage_fonction afficher_courante(const systeme& s) {
    // A system of no function (a file of none) shows no function: the slots are left-overs.
    if (s.nb_fonctions < 1) return {"1", texte_compte(s.nb_fonctions), {"1", "1"}, {}};
    const int k = std::clamp(s.fonction_courante, 1, nb_fonctions_max);
    const fdt& f = s.fonctions[static_cast<std::size_t>(k)].fonction;
    return {std::to_string(s.fonction_courante),
            texte_compte(s.nb_fonctions),
            {f.texte_num, f.texte_den},
            texte_facteur_retard(f.retard, s.lettre_variable)};
}

affichage_fonction affichage_vide() {
    return {"1", texte_compte(1), {"1", "1"}, {}};
}

std::string etiquette_fraction(char lettre) {
    return std::string("T(") + lettre + ") =";
}

std::string legende_lettre(char lettre) {
    return lettre == 'p' ? "Variable en s" : "Variable en p";
}

std::string titre_saisie(int n) {
    return "Entrée de la fonction n°" + std::to_string(n);
}

erreurs_saisie valider_saisie(systeme& s, mode_saisie mode, std::string_view num,
                              std::string_view den) {
    // Without a delay typed, a function typed again keeps its own.
    const int k = slot_cible(s, mode);
    const bool garder = mode == mode_saisie::modification && slot_valide(k);
    return valider_saisie(
        s, mode, num, den,
        garder ? texte_retard(s.fonctions[static_cast<std::size_t>(k)].fonction.retard) : "");
}

erreurs_saisie valider_saisie(systeme& s, mode_saisie mode, std::string_view num,
                              std::string_view den, std::string_view texte_retard) {
    erreurs_saisie e;
    const lecture_retard retard = lire_retard(texte_retard);
    const int k = slot_cible(s, mode);
    if (!slot_valide(k)) {
        e.erreur_syntaxe = true;
        return e;
    }
    fdt_travail& slot = s.fonctions[static_cast<std::size_t>(k)];
    // Analysed aside: a refused text never reaches the slot, so an entry abandoned after a
    // refusal leaves the function it started from.
    fdt_travail essai = slot;
    // The context too: a refused text must not leave its syntax flag behind, which would
    // empty the decomposition text of the functions already accepted.
    contexte_calcul ctx = s.calcul;
    analyser_fonction(ctx, s.lettre_variable, num, den, essai, e.erreur_syntaxe, e.erreur_degre,
                      retard.retard);
    e.erreur_retard = retard.erreur_retard;
    if (!e.acceptee()) return e;
    slot = essai;
    s.calcul = ctx;
    if (mode == mode_saisie::nouvelle) s.systeme_saisi = true;
    s.modifie = true;
    return e;
}

resultat_commande nouvelle_fonction(systeme& s, reglages& r, const dialogue_fonction& saisir) {
    if (s.nb_fonctions >= nb_fonctions_max || !en_edition(s)) return {};
    ++s.nb_fonctions;
    s.fonction_courante = s.nb_fonctions;
    ouverture_saisie o;
    o.mode = mode_saisie::nouvelle;
    o.titre = titre_saisie(s.nb_fonctions);
    o.numero = std::to_string(s.nb_fonctions);
    o.compte = texte_compte(s.nb_fonctions);
    o.position_parcours = s.nb_fonctions;
    o.desactiver_nouvelle = true;
    if (!saisir(o, validation(s, o.mode))) {
        --s.nb_fonctions;
        if (!s.systeme_saisi) {
            // No function was ever accepted: the system stays empty, only "Nouvelle" again.
            s.fonction_courante = 1;
            resultat_commande res;
            res.effectue = true;
            res.activer_nouvelle = true;
            return res;
        }
    }
    // A system emptied by a file of no function has no function 0 to make current.
    s.fonction_courante = std::max(s.nb_fonctions, 1);
    return terminer_saisie(s, r);
}

resultat_commande modifier_fonction(systeme& s, reglages& r, const dialogue_fonction& saisir) {
    if (s.nb_fonctions < 1 || !slot_valide(s.fonction_courante) || !en_edition(s)) return {};
    const fdt& f = s.fonctions[static_cast<std::size_t>(s.fonction_courante)].fonction;
    ouverture_saisie o;
    o.mode = mode_saisie::modification;
    o.titre = titre_saisie(s.fonction_courante);
    o.textes = textes_fdt{f.texte_num, f.texte_den};
    o.retard = texte_boite_retard(f);
    o.numero = std::to_string(s.fonction_courante);
    o.compte = texte_compte(s.nb_fonctions);
    saisir(o, validation(s, o.mode));
    s.systeme_saisi = true;
    return terminer_saisie(s, r);
}

resultat_commande supprimer_fonction(systeme& s, int position_parcours) {
    resultat_commande res;
    if (s.nb_fonctions <= 1 || !en_edition(s)) return res;
    --s.nb_fonctions;
    for (int k = s.fonction_courante; k <= s.nb_fonctions; ++k)
        s.fonctions[static_cast<std::size_t>(k)] = s.fonctions[static_cast<std::size_t>(k + 1)];
    int position = position_parcours;
    if (position >= 2) {
        --position;
        // The position may run ahead of the current function, which stays a function.
        s.fonction_courante = std::max(s.fonction_courante - 1, 1);
    }
    s.modifie = true;
    res.effectue = true;
    res.position_parcours = position;
    res.affichage = afficher_courante(s);
    res.rafraichir = rafraichir(true, true);
    return res;
}

resultat_commande parcourir(systeme& s, reglages& r, int position_parcours, bool nouvelle_active,
                            bool vers_le_haut) {
    resultat_commande res;
    // The control moves within its range whatever the function it lands on.
    res.position_parcours =
        std::clamp(position_parcours + (vers_le_haut ? 1 : -1), 1, nb_fonctions_max);
    if (s.etudes.boucle_fermee) {
        const parcours_boucle b = parcourir_boucle(s, r, vers_le_haut);
        res.effectue = b.effectue;
        const fdt& bouclee = s.sauvegarde[static_cast<std::size_t>(
                                              std::clamp(s.courante_sauvee, 1, nb_fonctions_max))]
                                 .fonction;
        res.affichage = affichage_fonction{std::to_string(b.numero), b.compte, b.textes,
                                           texte_facteur_retard(bouclee.retard, s.lettre_variable)};
        res.texte_boucle = b.texte_boucle;
        res.rafraichir = b.rafraichir;
        return res;
    }
    if (vers_le_haut) {
        if (s.fonction_courante < s.nb_fonctions && s.fonction_courante < nb_fonctions_max)
            ++s.fonction_courante;
    } else {
        if (!nouvelle_active) {
            // A slot counted for an entry that never came is given back.
            s.nb_fonctions = std::max(s.nb_fonctions - 1, 0);
            res.activer_nouvelle = true;
        }
        if (s.fonction_courante > 1) --s.fonction_courante;
    }
    res.effectue = true;
    res.affichage = afficher_courante(s);
    res.rafraichir = rafraichir(false, false);
    return res;
}

changement_lettre changer_lettre(systeme& s) {
    changement_lettre res;
    if (s.nb_fonctions > 0) return res;
    s.lettre_variable = s.lettre_variable == 'p' ? 's' : 'p';
    res.effectue = true;
    res.etiquette = etiquette_fraction(s.lettre_variable);
    return res;
}

} // namespace varlem
