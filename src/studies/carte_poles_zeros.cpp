#include "studies/carte_poles_zeros.h"

#include "analysis/echelle_poles_zeros.h"
#include "numeric/boucle_retard.h"
#include "plot/axes.h"
#include "plot/echelles.h"

#include <algorithm>

namespace varlem {

void tracer_poles_zeros(surface& s, const fdt_travail& ft, const reglages_pz& r, const param& p) {
    const int w = s.largeur(), h = s.hauteur();
    if (!cadre_utilisable(w, h) || !(r.re_max > r.re_min) || !(r.im_max > r.im_min)) return;
    tracer_axes(s, p, r.pas_re, r.pas_im, r.re_min, r.re_max, r.im_min, r.im_max);
    if (ft.fonction.boucle) {
        // The roots shown are the stand-in's: the map says so in its lower left corner.
        const std::string note = texte_substitut_pade(ft.fonction.boucle->ordre_pade);
        s.police(p.police, p.taille_police, p.couleur_axes);
        s.texte(cadre_gauche() + 4, cadre_bas(h) - s.hauteur_texte(note) - 2, note);
    }

    const auto position = [&](complexe z, int& x, int& y) {
        x = x_vers_pixel(cadre_gauche(), cadre_droite(w), z.re, r.re_min, r.re_max);
        y = y_vers_pixel(cadre_haut(), cadre_bas(h), z.im, r.im_min, r.im_max);
    };
    int x = 0, y = 0;
    s.police("Arial", r.taille_symboles, r.couleur_poles);
    for (int k = 0; k < std::min(ft.fonction.den.degre, nb_termes_max); ++k) {
        position(ft.termes_poles[static_cast<std::size_t>(k)].valeur, x, y);
        s.texte(x, y - 5, "*");
    }
    // Zeros come after the poles, so a zero lying on a pole stays visible.
    s.police("Arial", r.taille_symboles, r.couleur_zeros);
    for (int k = 0; k < std::min(ft.fonction.num.degre, nb_termes_max); ++k) {
        position(ft.termes_zeros[static_cast<std::size_t>(k)].valeur, x, y);
        s.texte(x - 3, y - 8, "o");
    }
}

const fdt_travail& fonction_carte(const systeme& s) {
    return fonction_du_slot(s.fonctions, s.slot_etudie());
}

void suivre_echelle_pz(const systeme& s, reglages_pz& pz) {
    if (!s.etudes.boucle_fermee && !s.etudes.mode_filtre) echelle_auto_pz(fonction_carte(s), pz);
}

} // namespace varlem
