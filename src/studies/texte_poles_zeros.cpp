#include "studies/texte_poles_zeros.h"

#include "document/etudes_systeme.h"
#include "numeric/decomposition.h"
#include "numeric/nombres.h"
#include "studies/textes_caracteristiques.h"

#include <algorithm>

namespace varlem {

namespace {

constexpr const char* crlf = "\r\n";

void ajouter_racines(std::string& t, const std::array<terme, nb_termes_max>& termes, int n,
                     int precision) {
    for (int k = 0; k < std::min(n, nb_termes_max); ++k) {
        const complexe z = termes[static_cast<std::size_t>(k)].valeur;
        t += crlf;
        t += texte_scientifique(precision, z.re);
        t += " + j . ";
        t += texte_scientifique(precision, z.im);
        t += crlf;
    }
}

} // namespace

std::string texte_poles_zeros(const systeme& sys, const fdt_travail& ft, const reglages_pz& r) {
    std::string t = sys.etudes.boucle_fermee
                        ? "Pour la fonction bouclée n°" + std::to_string(sys.courante_sauvee)
                        : "Pour la fonction n°" + std::to_string(sys.fonction_courante);
    t += crlf;
    t += crlf;
    if (r.decomposer_courante)
        t += texte_decomposition(sys.calcul, ft, r.precision);
    else if (!sys.calcul.erreur_syntaxe)
        // The values below are those of the fraction: what it leaves out is said all the same.
        t += texte_notes_retard(sys.calcul, ft);
    if (r.valeurs_poles) {
        t += "Valeurs des pôles : \r\n";
        ajouter_racines(t, ft.termes_poles, ft.fonction.den.degre, r.precision);
    }
    if (r.valeurs_zeros) {
        t += "Valeurs des zéros : \r\n";
        if (ft.fonction.num.degre == 0) {
            t += crlf;
            t += "Pas de zéros";
            t += crlf;
        }
        ajouter_racines(t, ft.termes_zeros, ft.fonction.num.degre, r.precision);
    }
    return t;
}

std::string texte_fenetre_decomposition(const systeme& sys, const reglages_pz& r) {
    const int k = sys.slot_etudie();
    if (!slot_valide(k)) return {};
    std::string t = texte_poles_zeros(sys, sys.fonctions[static_cast<std::size_t>(k)], r);
    if (!r.caracteristiques) return t;
    if (const std::optional<caracteristiques> c = caracteristiques_systeme(sys)) {
        t += crlf;
        t += section_caracteristiques(*c, sys.etudes.boucle_fermee);
    }
    return t;
}

} // namespace varlem
