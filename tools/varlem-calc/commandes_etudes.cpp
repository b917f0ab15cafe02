#include "commandes_etudes.h"
#include "commandes_document.h"
#include "format.h"

#include "analysis/frequences.h"
#include "analysis/periodique.h"
#include "analysis/reponse_temps.h"
#include "analysis/temps.h"
#include "document/etudes_systeme.h"

#include <cstdio>

namespace varlem::calc {

bool construire_systeme(const std::vector<fonction_saisie>& fonctions, systeme& sys) {
    const int n = static_cast<int>(std::min<std::size_t>(fonctions.size(), nb_fonctions_max));
    for (int k = 1; k <= n; ++k) {
        const fonction_saisie& f = fonctions[static_cast<std::size_t>(k - 1)];
        sys.lettre_variable = f.variable;
        if (!analyser_ou_refuser(f, sys.calcul, sys.fonctions[static_cast<std::size_t>(k)],
                                 "Fonction " + std::to_string(k) + " : "))
            return false;
    }
    sys.nb_fonctions = n;
    sys.fonction_courante = 1;
    sys.systeme_saisi = n > 0;
    return true;
}

int boucler_systeme(systeme& sys, reglages& reg, const options_boucle_fermee& b) {
    if (!b.boucle) return 0;
    return boucler(sys, reg, b.retour, b.kp, b.ti, b.td, b.avec_i);
}

void appliquer_unites(const options_unites& u, reglages& reg) {
    if (u.hertz) reg.frequence.en_hertz = true;
    if (u.rad) reg.frequence.en_hertz = false;
    if (u.degres) reg.frequence.en_radians = false;
}

void appliquer_entree(const options_entree& e, reglages& reg) {
    etude_temps& t = reg.temps;
    t.amplitude = e.amplitude;
    t.pulsation = e.pulsation;
    t.phase_origine = e.phase;
    t.frequence_periodique = e.frequence;
    t.nb_periodes = e.periodes;
    t.amplitude_max = e.max;
    t.amplitude_min = e.min;
    t.rapport_cyclique = e.rapport;
    t.depart = e.depart;
    reg.precision_periodique = e.precision;
}

int commande_etude_frequence(const options_etude_frequence& o) {
    systeme sys;
    reglages reg;
    if (!construire_systeme({o.f}, sys)) return statut_fonction_refusee;
    appliquer_unites(o.unites, reg);
    etude_frequence& r = reg.frequence;
    preparer_frequences(r, true, sys);
    json j = json::nouvel_objet();
    j["en_hertz"] = r.en_hertz;
    j["en_radians"] = r.en_radians;
    j["decade_min"] = r.decade_min;
    j["decade_max"] = r.decade_max;
    const std::pair<const char*, double> champs[] = {{"black_phase_min", r.black_phase_min},
                                                     {"black_phase_max", r.black_phase_max},
                                                     {"black_phase_pas", r.black_phase_pas},
                                                     {"black_gain_min", r.black_gain_min},
                                                     {"black_gain_max", r.black_gain_max},
                                                     {"black_gain_pas", r.black_gain_pas},
                                                     {"f_min", r.f_min},
                                                     {"f_max", r.f_max},
                                                     {"f_pas", r.f_pas},
                                                     {"w_min", r.w_min},
                                                     {"w_max", r.w_max},
                                                     {"wl_min", r.wl_min},
                                                     {"wl_max", r.wl_max},
                                                     {"gain_pas", r.gain_pas},
                                                     {"re_pas", r.re_pas},
                                                     {"im_pas", r.im_pas},
                                                     {"phase_pas", r.phase_pas},
                                                     {"module_pas", r.module_pas},
                                                     {"wl_pas", r.wl_pas},
                                                     {"im_min", r.im_min},
                                                     {"im_max", r.im_max},
                                                     {"re_min", r.re_min},
                                                     {"re_max", r.re_max},
                                                     {"phase_min", r.phase_min},
                                                     {"phase_max", r.phase_max},
                                                     {"module_min", r.module_min},
                                                     {"module_max", r.module_max},
                                                     {"gain_min", r.gain_min},
                                                     {"gain_max", r.gain_max}};
    for (const auto& [nom, valeur] : champs) j[nom] = valeur;
    imprimer(j);
    return 0;
}

namespace {

// The samples the time plot joins: the periodic arrays, or the exact response on the plot's grid.
json points_temps(const etude_temps& r, const systeme& sys, entree_temps genre) {
    json points = json::nouveau_tableau();
    const int k = sys.slot_etudie();
    const auto ajouter = [&points](double t, double y) {
        json e = json::nouvel_objet();
        e["t"] = t;
        e["y"] = y;
        points.ajouter(e);
    };
    if (entree_periodique(genre)) {
        const double pas = pas_periodique(r);
        const signal& y = sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)];
        for (std::size_t i = 0; i < y.size(); ++i)
            ajouter(r.t_min + static_cast<double>(i) * pas, y[i]);
        return points;
    }
    fdt_travail tampon;
    const fdt_travail* R =
        reponse_a_evaluer(sys.fonctions[static_cast<std::size_t>(k)], genre, r, tampon);
    if (!R) return points;
    const grille_temps g = grille_trace(r);
    std::vector<double> y;
    valeurs_sur_grille(*R, g, y);
    for (int i = 0; i < g.nombre; ++i) ajouter(g.t0 + i * g.pas, y[static_cast<std::size_t>(i)]);
    return points;
}

} // namespace

int commande_etude_temps(const options_etude_temps& o) {
    systeme sys;
    reglages reg;
    if (!construire_systeme({o.f}, sys)) return statut_fonction_refusee;
    if (const int statut = boucler_systeme(sys, reg, o.boucle); statut != 0) return statut;
    appliquer_entree(o.e, reg);
    sys.etudes.temps_ouverte = true;
    sys.etudes.toutes_fonctions = false;
    sys.etudes.etude_temps_choisie = o.entree;
    etude_temps& r = reg.temps;
    r.nb_points = o.points;
    calculer_reponse_temps(r, true, sys, reg);
    json j = json::nouvel_objet();
    const std::pair<const char*, double> champs[] = {
        {"t_min", r.t_min}, {"t_max", r.t_max}, {"t_pas", r.t_pas}, {"dt", r.dt},
        {"y_min", r.y_min}, {"y_max", r.y_max}, {"y_pas", r.y_pas}};
    for (const auto& [nom, valeur] : champs) j[nom] = valeur;
    j["points"] = points_temps(r, sys, o.entree);
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
