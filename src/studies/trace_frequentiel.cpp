#include "studies/trace_frequentiel.h"

#include "analysis/caracteristiques.h"
#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "numeric/nombres.h"
#include "plot/axes.h"
#include "plot/echelles.h"
#include "plot/fleche_lecture.h"
#include "plot/surface_relevee.h"
#include "studies/lecture_frequentielle.h"
#include "studies/trace_cours.h"
#include "studies/trace_nyquist.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <string>

namespace varlem {

namespace {

void police_textes(surface& s) {
    s.police(police_textes_frq, taille_textes_frq, couleur_textes_frq);
}

void tracer_cadre(surface& s, const etude_frequence& r, const param& p, diagramme genre) {
    const description_diagramme& d = description(genre);
    const plage_etude v = d.plage_v;
    if (d.logarithmique) {
        tracer_axes_log(s, p, r.decade_min, r.decade_max, r.*v.pas, r.*v.min, r.*v.max);
        return;
    }
    const plage_etude h = plage_horizontale(d, r);
    tracer_axes(s, p, r.*h.pas, r.*v.pas, r.*h.min, r.*h.max, r.*v.min, r.*v.max);
}

// Frame with its title and unit texts, which the diagram writes before or after its frame.
void tracer_cadre_et_textes(surface& s, const etude_frequence& r, const param& p, diagramme genre) {
    const description_diagramme& d = description(genre);
    if (d.textes_avant) d.textes_avant(s, r, p);
    tracer_cadre(s, r, p, genre);
    // The frame leaves its own label font behind.
    police_textes(s);
    if (d.textes_apres) d.textes_apres(s, r, p);
}

void tracer_courbe_couleur(surface& s, const fdt_travail& ft, diagramme genre,
                           const etude_frequence& r, couleur c, memoire_courbes* memoire) {
    s.couleur_crayon(c);
    s.epaisseur_crayon(1);
    s.style_crayon(style_trait::plein);
    if (memoire)
        memoire->tracer(s, ft, genre, r);
    else
        tracer_courbe_frq(s, ft, genre, r);
}

// The reported crossings of the read function's margins on the gain and phase diagrams: a
// dotted vertical line at each, the margin written beside it.
void tracer_marges(surface& s, const etude_frequence& r, const systeme& sys, diagramme genre) {
    if (!r.afficher_marges || !diagramme_logarithmique(genre) ||
        !slot_valide(sys.fonction_courante))
        return;
    const marges_stabilite m =
        calculer_marges(sys.fonctions[static_cast<std::size_t>(sys.fonction_courante)].fonction);
    const int gauche = cadre_gauche(), droite = cadre_droite(s.largeur());
    const auto marquer = [&](std::optional<double> w, const std::string& texte, int rang) {
        if (!w) return;
        const double valeur = r.en_hertz ? *w / (2 * std::numbers::pi) : *w;
        const int x = log_vers_pixel(r.decade_min, r.decade_max, gauche, droite, valeur);
        if (x < gauche || x > droite) return;
        s.couleur_crayon(couleur_marges);
        s.epaisseur_crayon(1);
        s.style_crayon(style_trait::pointille);
        s.deplacer(x, cadre_haut());
        s.tracer_vers(x, cadre_bas(s.hauteur()));
        s.style_crayon(style_trait::plein);
        police_textes(s);
        // Near the right edge the text goes left of its line.
        const int largeur = s.largeur_texte(texte);
        const int tx = x + 4 + largeur <= droite ? x + 4 : x - 4 - largeur;
        s.texte(tx, cadre_haut() + 2 + rang * (taille_textes_frq + 6), texte);
    };
    if (m.marge_gain_db)
        marquer(m.omega_marge_gain, "MG = " + texte_nombre(*m.marge_gain_db) + " dB", 0);
    if (m.marge_phase_deg)
        marquer(m.omega_marge_phase, "MP = " + texte_nombre(*m.marge_phase_deg) + "°", 1);
}

// The readout arrow on the read function's curve, where the point is defined.
std::optional<std::pair<int, int>> tracer_lecture(surface& s, const etude_frequence& r,
                                                  const systeme& sys, diagramme genre) {
    const std::optional<valeurs_lecture_frq> v = valeurs_lecture(sys);
    if (!v) return std::nullopt;
    const fdt_travail& ft = fonction_du_slot(sys.fonctions, fonction_lue(sys));
    const point_frq pt = point_frequentiel(ft, r, genre, v->w, cadre_bas(s.hauteur()), cadre_haut(),
                                           cadre_droite(s.largeur()), cadre_gauche());
    if (!pt.defini) return std::nullopt;
    tracer_fleche_lecture(s, pt.px, pt.py);
    return std::pair{pt.px, pt.py};
}

} // namespace

rendu_frequentiel dessiner_frequentiel(surface& cible, const etude_frequence& r, const param& p,
                                       const systeme& sys, diagramme genre,
                                       const options_frequentiel& o) {
    if (!sys.etudes.frequence_ouverte || !diagramme_trace(genre)) return {};
    if (!cadre_utilisable(cible.largeur(), cible.hauteur())) return {};
    // The course's labels are placed clear of the texts and curves, its chart drawn under them.
    surface_relevee releve(cible);
    if (abaque_trace(r, genre)) releve.differer();
    surface& s = cours_trace(r, genre) ? static_cast<surface&>(releve) : cible;

    if (o.textes)
        tracer_cadre_et_textes(s, r, p, genre);
    else
        tracer_cadre(s, r, p, genre);

    releve.noter_traits();
    for (const int k : fonctions_etudiees(sys))
        tracer_courbe_couleur(s, fonction_du_slot(sys.fonctions, k), genre, r,
                              p.couleurs[static_cast<std::size_t>(k)], o.memoire);
    tracer_extras_nyquist(s, r, p, sys, genre, o.textes);

    tracer_marges(s, r, sys, genre);
    tracer_cours(cible, r, p, sys, genre, releve);

    rendu_frequentiel rendu;
    rendu.dessine = true;
    if (o.fleche && sys.lecture.lecture_frq_active) rendu.fleche = tracer_lecture(s, r, sys, genre);

    const etat_etudes& e = sys.etudes;
    if (o.non_corrige && e.boucle_fermee && e.afficher_non_corrige &&
        slot_valide(sys.courante_sauvee))
        tracer_courbe_couleur(s, fonction_du_slot(sys.sauvegarde, sys.courante_sauvee), genre, r,
                              p.couleurs[indice_couleur_non_corrige], o.memoire);
    return rendu;
}

rendu_frequentiel tracer_frequentiel(surface& s, const etude_frequence& r, const param& p,
                                     const systeme& sys, diagramme genre,
                                     memoire_courbes* memoire) {
    options_frequentiel o;
    o.memoire = memoire;
    return dessiner_frequentiel(s, r, p, sys, genre, o);
}

rendu_frequentiel tracer_frequentiel(surface& s, const etude_frequence& r, const param& p,
                                     const systeme& sys, memoire_courbes* memoire) {
    return tracer_frequentiel(s, r, p, sys, sys.etudes.etude_freq_choisie, memoire);
}

void tracer_frequentiel_nu(surface& s, const etude_frequence& r, const param& p,
                           const systeme& sys) {
    dessiner_frequentiel(s, r, p, sys, sys.etudes.etude_freq_choisie, {false, false, false});
}

void copier_frequentiel(surface& s, const etude_frequence& r, const param& p, const systeme& sys) {
    dessiner_frequentiel(s, r, p, sys, sys.etudes.etude_freq_choisie, {false, false, true});
}

} // namespace varlem
