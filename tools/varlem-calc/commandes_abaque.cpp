#include "commandes_cours.h"
#include "format.h"

#include "analysis/abaque_black.h"

namespace varlem::calc {

int commande_abaque(const options_abaque& o) {
    fenetre_black f;
    f.phase_min_deg = -360;
    f.phase_max_deg = 0;
    f.gain_min_db = o.gain_min_db;
    f.gain_max_db = o.gain_max_db;
    // Sampled as for a large picture: a third of a pixel of 2000 across the window.
    f.largeur_px = 2000;
    f.hauteur_px = 2000;
    const contour_black c =
        o.module_db ? contour_iso_module(*o.module_db, f) : contour_iso_phase(*o.phase_deg, f);
    json points = json::nouveau_tableau();
    for (const auto& morceau : c.morceaux)
        for (const point_black& q : morceau) {
            json e = json::nouvel_objet();
            e["phase_deg"] = q.phase_deg;
            e["gain_db"] = q.gain_db;
            points.ajouter(e);
        }
    json j = json::nouvel_objet();
    j["points"] = points;
    imprimer(j);
    return 0;
}

} // namespace varlem::calc
