#include "document/etude_parametree.h"

#include "analysis/echelle_poles_zeros.h"
#include "document/boucle.h"
#include "document/etudes_systeme.h"

#include <algorithm>
#include <cmath>

namespace varlem {

int nb_points_fenetre(int largeur_fenetre) {
    // A window narrower than its margins still gets a couple of points.
    return std::max(2, static_cast<int>(std::trunc((largeur_fenetre - 40) / 2.0)));
}

namespace {

// Scales for both extreme functions (slots 1 and 2) at once, so that they hold whatever the
// slider's value.
void preparer_etudes_extremes(systeme& s, reglages& r, std::optional<int> largeur_fenetre_temps,
                              const rapport_progression& progression) {
    r.temps.nb_points =
        largeur_fenetre_temps ? nb_points_fenetre(*largeur_fenetre_temps) : nb_points_defaut;
    calculer_reponse_temps(r.temps, true, s, r, progression);
    preparer_frequences(r.frequence, true, s);
    echelle_auto_pz_toutes(s.fonctions, s.nb_fonctions, r.pz);
}

} // namespace

bool demander_avant_parametres(const systeme& s) {
    return s.systeme_saisi && !s.etudes.mode_filtre;
}

choix_gabarit choisir_gabarit(systeme& s, reglages& r, gabarit_filtre gabarit,
                              std::optional<int> largeur_fenetre_temps,
                              const rapport_progression& progression) {
    choix_gabarit res;
    if (!gabarit_connu(gabarit) || s.etudes.boucle_fermee) return res;
    s.gabarit = gabarit;
    s.etudes.mode_filtre = true;
    r.frequence.en_hertz = false;
    s.etudes.toutes_fonctions = true;

    fixer_plage_gabarit(s, gabarit);
    const plage_gabarit plage = plage_du_gabarit(gabarit);
    s.nb_fonctions = 2;
    construire_gabarit(s, gabarit, 2, plage.max);
    const std::optional<textes_gabarit> textes = construire_gabarit(s, gabarit, 1, plage.min);
    preparer_etudes_extremes(s, r, largeur_fenetre_temps, progression);

    s.systeme_saisi = true;
    s.fonction_courante = 1;
    s.nb_fonctions = 1;

    double valeur = plage.min;
    if (premier_ordre(gabarit)) {
        s.w0 = s.w0_min;
    } else {
        // The slider then goes to 130, which gives 0.71 unless it already stood there.
        s.m = valeur = 0.707;
        construire_gabarit(s, gabarit, 1, s.m);
    }
    res.effectue = true;
    if (textes) res.textes = *textes;
    res.numero = "1";
    res.compte = "sur 1";
    res.curseur_max = plage.curseur_max;
    res.graduation = plage.graduation;
    res.position = plage.position_depart;
    res.etiquette_haut = etiquette_haut_gabarit(s);
    res.etiquette_valeur = etiquette_valeur_gabarit(s, valeur);
    res.etiquette_bas = etiquette_bas_gabarit(s);
    res.rafraichir = rafraichir(false, false);
    return res;
}

reglage_curseur deplacer_curseur_p(systeme& s, int position) {
    if (s.etudes.boucle_fermee)
        return deplacer_curseur_correcteur(s, curseur_correcteur::p, position);
    return deplacer_curseur_gabarit(s, position);
}

} // namespace varlem
