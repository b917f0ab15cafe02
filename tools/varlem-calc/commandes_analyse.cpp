#include "commandes.h"
#include "format.h"

#include "numeric/analyse_racines.h"
#include "numeric/frequentiel.h"
#include "numeric/temporel.h"

#include <cstdio>

namespace varlem::calc {


int commande_analyse(const fonction_saisie& f) {
    contexte_calcul ctx;
    fdt_travail ft;
    if (!analyser_ou_refuser(f, ctx, ft)) return statut_fonction_refusee;
    imprimer(json_analyse(ctx, ft, false, false));
    return 0;
}

int commande_frequence(const options_frequence& o) {
    contexte_calcul ctx;
    fdt_travail ft;
    if (!analyser_ou_refuser(o.f, ctx, ft)) return statut_fonction_refusee;
    std::vector<point_frequence> r(o.omegas.size());
    reponse_frequentielle(ft, o.omegas, r);
    json points = json::nouveau_tableau();
    for (const point_frequence& p : r) {
        json e = json::nouvel_objet();
        e["omega"] = p.omega;
        e["re"] = p.t.re;
        e["im"] = p.t.im;
        e["gain_db"] = p.gain_db;
        e["phase"] = p.phase;
        points.ajouter(e);
    }
    json j = json::nouvel_objet();
    j["points"] = points;
    imprimer(j);
    return 0;
}

int commande_temps(const options_temps& o) {
    contexte_calcul ctx;
    fdt_travail ft;
    if (!analyser_ou_refuser(o.f, ctx, ft)) return statut_fonction_refusee;
    // The response to an input is the impulse response of T times the input's transform,
    // analysed from T's own roots and the input's poles.
    fdt_travail produit;
    const fdt_travail* reponse = &ft;
    if (o.entree != 'I') {
        fdt entree;
        transformee_entree(o.entree, entree, o.amplitude, o.phase, o.pulsation);
        produit.fonction = f_produit(ft.fonction, entree);
        analyser_produit_entree(produit, ft, o.entree, entree);
        reponse = &produit;
    }
    json points = json::nouveau_tableau();
    for (double t : o.instants) {
        json e = json::nouvel_objet();
        e["t"] = t;
        e["y"] = valeur_temporelle(*reponse, t);
        points.ajouter(e);
    }
    json j = json::nouvel_objet();
    j["points"] = points;
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
