#include "numeric/poles_facteurs.h"

#include "numeric/analyseur.h"
#include "numeric/racines.h"

#include <string>

namespace varlem {

bool poles_par_facteurs(contexte_calcul& ctx, std::string_view texte_den, liste_racines& poles) {
    ctx.erreur_syntaxe = false;
    std::string t;
    if (!preparer_texte(texte_den, ctx.variable_p, t)) {
        ctx.erreur_syntaxe = true;
        return false;
    }

    liste_racines trouvees{};
    int nb = 0;
    // Each factor is solved on its own, so a typed product is never expanded and the roots
    // come in the order the factors were typed.
    const auto resoudre_facteur = [&](std::string_view facteur) {
        const polynome f = lire_somme(ctx, facteur, options_lecture{.variante_facteurs = true});
        if (ctx.erreur_syntaxe) return false;
        if (nb + f.degre > capacite_polynome) {
            // More roots than a list can hold: the text cannot be a valid denominator.
            ctx.erreur_syntaxe = true;
            return false;
        }
        if (f.degre == 0) return true;
        const liste_racines r = racines(ctx, f);
        for (int k = 1; k <= f.degre; ++k)
            trouvees[static_cast<std::size_t>(nb + k)] = r[static_cast<std::size_t>(k)];
        nb += f.degre;
        return true;
    };

    if (t.empty() || t.front() != '(') {
        if (!resoudre_facteur(t)) return false;
    } else if (parcourir_produit(t, resoudre_facteur) != issue_produit::complet) {
        ctx.erreur_syntaxe = true;
        return false;
    }
    poles = trouvees;
    return true;
}

} // namespace varlem
