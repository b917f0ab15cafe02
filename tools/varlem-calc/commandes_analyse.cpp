#include "commandes.h"
#include "commandes_etudes.h"
#include "format.h"

#include "analysis/reponse_temps.h"
#include "numeric/analyse_racines.h"
#include "numeric/frequentiel.h"
#include "numeric/temporel.h"

#include <cstdio>
#include <memory>

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
    // The function in slot 1, or its closed loop in slot 3, as the time study takes them.
    auto sys = std::make_unique<systeme>();
    sys->lettre_variable = o.f.variable;
    if (!analyser_ou_refuser(o.f, sys->calcul, sys->fonctions[1])) return statut_fonction_refusee;
    sys->nb_fonctions = 1;
    sys->systeme_saisi = true;
    reglages reg;
    if (const int statut = boucler_systeme(*sys, reg, o.boucle); statut != 0) return statut;
    const fdt_travail& ft = sys->fonctions[static_cast<std::size_t>(sys->slot_etudie())];
    // The response to an input is computed as the time study does it.
    etude_temps r;
    r.amplitude = o.amplitude;
    r.pulsation = o.pulsation;
    r.phase_origine = o.phase;
    fdt_travail produit;
    const fdt_travail* reponse = reponse_a_evaluer(ft, o.entree, r, produit);
    if (reponse == nullptr) return statut_fonction_refusee; // a product beyond the capacity
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
