#include "analysis/pipeline.h"

#include "numeric/analyse_racines.h"
#include "numeric/analyseur.h"

#include <cmath>
#include <string>

namespace varlem {

void analyser_fonction(contexte_calcul& ctx, char lettre_variable, std::string_view texte_num,
                       std::string_view texte_den, fdt_travail& ft, bool& erreur_syntaxe_out,
                       bool& erreur_degre_out, double retard) {
    ctx.erreur_degre = false;
    ctx.variable_p = lettre_variable;
    // The texts are kept even when they are refused, so the user finds them again.
    ft.fonction.texte_num = std::string(texte_num);
    ft.fonction.texte_den = std::string(texte_den);
    ft.fonction.retard = retard > 0 && std::isfinite(retard) ? retard : 0.0;
    ft.fonction.boucle.reset();

    const auto refuse = [&]() {
        if (ctx.erreur_syntaxe) {
            erreur_syntaxe_out = true;
            return true;
        }
        if (ctx.erreur_degre) {
            erreur_degre_out = true;
            return true;
        }
        return false;
    };

    lire_polynome(ctx, ft.fonction.texte_num, ft.fonction.num);
    if (refuse()) return;
    lire_polynome(ctx, ft.fonction.texte_den, ft.fonction.den);
    if (refuse()) return;

    ctx.racines_globales = false;
    analyser_racines(ctx, ft);
}

} // namespace varlem
