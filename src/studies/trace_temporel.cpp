#include "studies/trace_temporel.h"

#include "analysis/periodique.h"
#include "analysis/reponse_temps.h"
#include "document/etudes_systeme.h"
#include "numeric/temporel.h"
#include "plot/axes.h"
#include "plot/echelles.h"
#include "plot/fleche_lecture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace varlem {

namespace {

// Font of the plot's own texts (title and the "t" of the time axis).
constexpr const char* police_textes = "Arial";
constexpr int taille_textes = 9;
constexpr couleur couleur_textes = 0;
constexpr int epaisseur_entree = 2;

const char* titre_exact(entree_temps genre) {
    switch (genre) {
    case entree_temps::impulsion:
        return "Réponse Impulsionnelle";
    case entree_temps::echelon:
        return "Réponse Indicielle";
    case entree_temps::rampe:
        return "Réponse à une Rampe";
    case entree_temps::aucune:
    case entree_temps::sinus:
    case entree_temps::carre:
    case entree_temps::triangle:
        break;
    }
    return "Réponse à une sinusoïde";
}

// Everything one drawing needs, with the world/pixel maps of its frame.
struct trace {
    surface& s;
    const etude_temps& r;
    const systeme& sys;
    const param& p;
    const variante_trace_temporel& v;
    int w;
    int h;
    std::optional<point_lecture_tps> marque;

    trace(surface& s_, const etude_temps& r_, const systeme& sys_, const param& p_,
          const variante_trace_temporel& v_)
        : s(s_), r(r_), sys(sys_), p(p_), v(v_), w(s_.largeur()), h(s_.hauteur()) {}

    int x(double t) const {
        return x_vers_pixel(cadre_gauche(), cadre_droite(w), t, r.t_min, r.t_max);
    }
    int y(double val) const {
        return y_vers_pixel(cadre_haut(), cadre_bas(h), val, r.y_min, r.y_max);
    }
    bool lecture() const { return v.fleche_lecture && sys.lecture.lecture_tps_active; }

    // Values beyond the range run off the frame: 1.5 times the bound it crossed, or half
    // the range beyond it when that bound is on the wrong side of zero.
    double ecreter(double val) const {
        if (val > r.y_max) return r.y_max > 0 ? 1.5 * r.y_max : r.y_max + 0.5 * (r.y_max - r.y_min);
        if (val < r.y_min) return r.y_min < 0 ? 1.5 * r.y_min : r.y_min - 0.5 * (r.y_max - r.y_min);
        return val;
    }

    void cadre() { tracer_axes(s, p, r.t_pas, r.y_pas, r.t_min, r.t_max, r.y_min, r.y_max); }

    // The readout arrow at the point the readout reads.
    void fleche() {
        marque = point_lecture_temporelle(r, sys);
        if (marque) tracer_fleche_lecture(s, x(marque->t), y(marque->y));
    }

    // A polyline through (t0 + i·pas, values[i]); a NaN value breaks it.
    void polyligne(double t0, double pas, const double* valeurs, int n, bool ecreter_tout) {
        bool leve = true;
        for (int i = 0; i < n; ++i) {
            double val = valeurs[i];
            if (std::isnan(val)) {
                leve = true;
                continue;
            }
            if (ecreter_tout && (i > 0 || v.ecreter_premier_point)) val = ecreter(val);
            const int px = x(i == 0 ? t0 : t0 + i * pas);
            const int py = y(val);
            if (leve)
                s.deplacer(px, py);
            else
                s.tracer_vers(px, py);
            leve = false;
        }
    }
};

// Exact responses: impulse, step, ramp and sine, evaluated on the drawing grid.
struct trace_exact : trace {
    using trace::trace;

    entree_temps genre = sys.etudes.etude_temps_choisie;
    grille_temps g = grille_trace(r);
    fdt_travail tampon;
    std::vector<double> valeurs;

    void titres() {
        s.police(police_textes, taille_textes, couleur_textes);
        s.texte(0, 0, titre_exact(genre));
        s.texte(w - 8, h - 14, "t");
    }

    void entree() {
        if (genre == entree_temps::impulsion || !r.afficher_entree) return;
        s.couleur_crayon(p.couleur_entree);
        s.epaisseur_crayon(epaisseur_entree);
        if (genre == entree_temps::echelon) {
            s.ligne(x(0), y(1), x(r.t_max), y(1));
        } else if (genre == entree_temps::rampe) {
            s.ligne(x(0), y(0), x(r.t_max), y(r.t_max));
        } else {
            s.deplacer(x(0), y(0));
            for (int k = 0; k < g.nombre; ++k) {
                const double t = g.t0 + k * g.pas;
                s.tracer_vers(x(t), y(r.amplitude * std::sin(r.pulsation * t + r.phase_origine)));
            }
        }
        s.epaisseur_crayon(1);
    }

    // The response of one slot in its colour; false when there is none.
    bool courbe(int k) {
        if (!slot_valide(k)) return false;
        const fdt_travail* R =
            reponse_a_evaluer(fonction_du_slot(sys.fonctions, k), genre, r, tampon);
        if (R == nullptr) return false;
        valeurs_sur_grille(*R, g, valeurs);
        s.couleur_crayon(p.couleurs[static_cast<std::size_t>(k)]);
        polyligne(g.t0, g.pas, valeurs.data(), g.nombre, true);
        return true;
    }

    void courbes() {
        const int k = sys.slot_etudie();
        const bool toutes = sys.etudes.toutes_fonctions;
        const bool impulsion = genre == entree_temps::impulsion;
        // The arrow is drawn right after slot k's curve; the impulse's after every curve.
        for (const int i : fonctions_temps(sys))
            if (courbe(i) && i == k && !impulsion && lecture()) fleche();
        if (sys.etudes.boucle_fermee && sys.etudes.afficher_non_corrige && (impulsion || !toutes))
            courbe(4);
        if (impulsion && lecture()) fleche();
    }

    void dessiner() {
        cadre();
        titres();
        entree();
        courbes();
    }
};

// Periodic responses: the samples computed beforehand, joined without clipping.
struct trace_periodique : trace {
    using trace::trace;

    int attendus = std::max(nb_echantillons_periodiques(r), 1);
    double delta = pas_periodique(r);

    int nombre(const signal& e) const {
        return static_cast<int>(
            std::min<std::size_t>(e.size(), static_cast<std::size_t>(attendus)));
    }

    void echantillons(const signal& e) { polyligne(r.t_min, delta, e.data(), nombre(e), false); }

    void courbe(int k) {
        if (!slot_valide(k)) return;
        s.couleur_crayon(p.couleurs[static_cast<std::size_t>(k)]);
        echantillons(sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)]);
    }

    void dessiner() {
        // Written before any font is chosen: it uses the surface's own font.
        s.texte(0, 0, "Réponse à un signal périodique");
        cadre();
        if (r.afficher_entree) {
            s.couleur_crayon(p.couleur_entree);
            s.epaisseur_crayon(epaisseur_entree);
            echantillons(sys.periodique.echantillons_entree);
            s.epaisseur_crayon(1);
        }
        for (const int i : fonctions_temps(sys)) courbe(i);
        // Slot 4 is drawn only where the periodic computation filled it (not with every function
        // shown): otherwise its samples would be those of an earlier computation.
        if (sys.etudes.boucle_fermee && sys.etudes.afficher_non_corrige &&
            !sys.etudes.toutes_fonctions)
            courbe(4);
        if (lecture()) fleche();
    }
};

} // namespace

rendu_temporel dessiner_temporel(surface& s, const etude_temps& r, const systeme& sys,
                                 const reglages& reg, const variante_trace_temporel& v) {
    if (!cadre_utilisable(s.largeur(), s.hauteur()) || !plages_temps_tracables(r)) return {};
    const entree_temps genre = sys.etudes.etude_temps_choisie;
    if (entree_periodique(genre)) {
        trace_periodique t(s, r, sys, reg.graphe, v);
        t.dessiner();
        return {true, t.marque};
    }
    if (!sys.etudes.temps_ouverte || !entree_exacte(genre)) return {};
    trace_exact t(s, r, sys, reg.graphe, v);
    t.dessiner();
    return {true, t.marque};
}

rendu_temporel tracer_temporel(surface& s, const etude_temps& r, const systeme& sys,
                               const reglages& reg) {
    return dessiner_temporel(s, r, sys, reg, variante_trace_temporel{});
}

void copier_temporel(surface& s, const etude_temps& r, const systeme& sys, const reglages& reg) {
    dessiner_temporel(s, r, sys, reg, variante_trace_temporel{false, false});
}

} // namespace varlem
