#include "commandes_cours.h"
#include "format.h"

#include "analysis/asymptotes_bode.h"

namespace varlem::calc {

int commande_asymptotes(const fonction_saisie& f) {
    contexte_calcul ctx;
    fdt_travail ft;
    if (!analyser_ou_refuser(f, ctx, ft)) return statut_fonction_refusee;
    const asymptotes_bode a = calculer_asymptotes(ft);
    json cassures_gain = json::nouveau_tableau();
    json cassures_phase = json::nouveau_tableau();
    for (const cassure_bode& c : a.cassures) {
        json g = json::nouvel_objet();
        g["omega"] = c.omega;
        g["pente_db_dec"] = 20 * c.pente;
        cassures_gain.ajouter(g);
        json p = json::nouvel_objet();
        p["omega"] = c.omega;
        p["phase_apres_deg"] = c.phase_apres_deg;
        cassures_phase.ajouter(p);
    }
    json gain = json::nouvel_objet();
    gain["pente_initiale_db_dec"] = 20 * a.pente_initiale;
    gain["gain_db_omega_1"] = a.valide ? json(a.gain_db_omega_1) : json();
    gain["cassures"] = cassures_gain;
    json phase = json::nouvel_objet();
    phase["initiale_deg"] = a.phase_initiale_deg;
    phase["cassures"] = cassures_phase;
    json j = json::nouvel_objet();
    j["gain"] = gain;
    j["phase"] = phase;
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
