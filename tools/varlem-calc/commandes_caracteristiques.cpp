#include "commandes_document.h"
#include "format.h"

#include "document/etudes_systeme.h"

#include <memory>

namespace varlem::calc {

namespace {

json nombre(const std::optional<double>& x) {
    return x ? json(*x) : json();
}

json json_marges(const marges_stabilite& m) {
    json gain = json::nouveau_tableau();
    for (const croisement_gain& c : m.croisements_gain) {
        json e = json::nouvel_objet();
        e["omega"] = c.omega;
        e["phase_deg"] = c.phase_deg;
        e["marge_phase_deg"] = c.marge_phase_deg;
        gain.ajouter(e);
    }
    json phase = json::nouveau_tableau();
    for (const croisement_phase& c : m.croisements_phase) {
        json e = json::nouvel_objet();
        e["omega"] = c.omega;
        e["gain_db"] = c.gain_db;
        e["marge_gain_db"] = c.marge_gain_db;
        e["marge_gain"] = c.marge_gain;
        phase.ajouter(e);
    }
    json j = json::nouvel_objet();
    j["croisements_gain"] = gain;
    j["croisements_phase"] = phase;
    j["marge_gain_db"] = nombre(m.marge_gain_db);
    j["omega_marge_gain"] = nombre(m.omega_marge_gain);
    j["marge_phase_deg"] = nombre(m.marge_phase_deg);
    j["omega_marge_phase"] = nombre(m.omega_marge_phase);
    j["marge_retard"] = nombre(m.marge_retard);
    return j;
}

json json_indicielle(const reponse_indicielle& r) {
    json j = json::nouvel_objet();
    j["stable"] = r.stable;
    if (!r.stable) return j;
    j["valeur_finale"] = nombre(r.valeur_finale);
    j["temps_montee"] = nombre(r.temps_montee);
    j["pic"] = nombre(r.pic);
    j["temps_pic"] = nombre(r.temps_pic);
    j["depassement_pct"] = nombre(r.depassement_pct);
    j["temps_reponse_5"] = nombre(r.temps_reponse_5);
    j["temps_reponse_2"] = nombre(r.temps_reponse_2);
    return j;
}

} // namespace

json json_caracteristiques(const caracteristiques& c) {
    json j = json::nouvel_objet();
    j["marges"] = json_marges(c.marges);
    j["bande_passante"] = nombre(c.bande_passante);
    json resonance;
    if (c.resonance) {
        resonance = json::nouvel_objet();
        resonance["omega"] = c.resonance->omega;
        resonance["gain_db"] = c.resonance->gain_db;
    }
    j["resonance"] = resonance;
    j["indicielle"] = json_indicielle(c.indicielle);
    return j;
}

int commande_caracteristiques(const options_caracteristiques& o) {
    auto s = std::make_unique<systeme>();
    s->lettre_variable = o.f.variable;
    if (!analyser_ou_refuser(o.f, s->calcul, s->fonctions[1])) return statut_fonction_refusee;
    s->nb_fonctions = 1;
    s->systeme_saisi = true;
    if (o.boucle) {
        reglages r;
        if (const int statut = boucler(*s, r, o.retour, o.kp, o.ti, o.td, o.avec_i); statut != 0)
            return statut;
    }
    const std::optional<caracteristiques> c = caracteristiques_systeme(*s);
    imprimer(json_caracteristiques(c.value_or(caracteristiques{})));
    return 0;
}

} // namespace varlem::calc
