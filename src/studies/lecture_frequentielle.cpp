#include "studies/lecture_frequentielle.h"

#include "analysis/caracteristiques.h"
#include "analysis/frequences.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace varlem {

namespace {

constexpr double deux_pi = 2 * std::numbers::pi;
// Points of the sweep along which a click on the Black or Nyquist diagram is looked for, then
// points of the finer sweep between the two neighbours of the nearest one.
constexpr int points_recherche = 4000;
constexpr int points_affinage = 200;

// The data area of a w × h picture.
struct cadre {
    int gauche, droite, haut, bas;

    bool contient(int px, int py) const {
        return px >= gauche && px <= droite && py >= haut && py <= bas;
    }
};

cadre cadre_de(int w, int h) {
    return {cadre_gauche(), cadre_droite(w), cadre_haut(), cadre_bas(h)};
}

// The pulsation of the nearest point found, its squared pixel distance and its rank.
struct plus_proche {
    double w = 0.0;
    double distance2 = std::numeric_limits<double>::infinity();
    int rang = -1;
};

// Nearest visible point of the curve of ft to (px, py) over n ≥ 2 pulsations geometrically
// spaced from w_debut to w_fin.
plus_proche chercher(const fdt_travail& ft, const etude_frequence& r, diagramme genre,
                     const cadre& c, int px, int py, double w_debut, double w_fin, int n) {
    plus_proche meilleur;
    const double l_debut = std::log(w_debut);
    const double l_pas = (std::log(w_fin) - l_debut) / (n - 1);
    for (int i = 0; i < n; ++i) {
        // Both ends exactly, whatever the rounding of the logarithms.
        const double w = i == 0 ? w_debut : i == n - 1 ? w_fin : std::exp(l_debut + i * l_pas);
        const point_frq p = point_frequentiel(ft, r, genre, w, c.bas, c.haut, c.droite, c.gauche);
        // Only what the diagram shows can be clicked.
        if (!p.defini || !c.contient(p.px, p.py)) continue;
        const double dx = double(p.px) - px;
        const double dy = double(p.py) - py;
        const double d2 = dx * dx + dy * dy;
        if (d2 < meilleur.distance2) meilleur = {w, d2, i};
    }
    return meilleur;
}

std::optional<double> point_de_courbe(const etude_frequence& r, const systeme& sys, diagramme genre,
                                      const cadre& c, int px, int py) {
    const int k = fonction_lue(sys);
    if (!slot_valide(k)) return std::nullopt;
    const double w_min = r.w_min, w_max = r.w_max;
    if (!(w_min > 0) || !(w_max > w_min) || !std::isfinite(w_max)) return std::nullopt;
    const fdt_travail& ft = sys.fonctions[static_cast<std::size_t>(k)];
    const plus_proche grossier = chercher(ft, r, genre, c, px, py, w_min, w_max, points_recherche);
    if (grossier.rang < 0) return std::nullopt;
    // A curve that moves fast between two sweep points is looked at again more closely.
    const double raison = std::pow(w_max / w_min, 1.0 / (points_recherche - 1));
    const double debut = grossier.rang == 0 ? w_min : grossier.w / raison;
    const double fin = grossier.rang == points_recherche - 1 ? w_max : grossier.w * raison;
    const plus_proche affine = chercher(ft, r, genre, c, px, py, debut, fin, points_affinage);
    return affine.distance2 < grossier.distance2 ? affine.w : grossier.w;
}

std::optional<double> pulsation_positive(double w) {
    if (!std::isfinite(w)) return std::nullopt;
    // The cursor never stands at or below its floor.
    return w > w_lecture_min ? w : w_lecture_min;
}

} // namespace

void ouvrir_lecture_frq(lectures& l, const etude_frequence& r) {
    l.lecture_frq_active = true;
    const double depart =
        std::isfinite(r.w_min) && r.w_min > w_lecture_min ? r.w_min : w_lecture_min;
    l.w_lecture = depart;
    l.pas_lecture_frq = depart;
}

void deplacer_lecture_frq(lectures& l, int sens) {
    if (sens > 0) {
        l.w_lecture += l.pas_lecture_frq;
    } else {
        l.w_lecture -= l.pas_lecture_frq;
        if (!(l.w_lecture > w_lecture_min)) l.w_lecture = w_lecture_min;
    }
}

void changer_pas_lecture_frq(lectures& l, bool plus_rapide) {
    if (plus_rapide) {
        l.pas_lecture_frq *= 2;
        if (l.pas_lecture_frq > pas_lecture_frq_max) l.pas_lecture_frq = pas_lecture_frq_max;
    } else {
        // A step halved down to zero would leave the cursor stuck for good.
        const double moitie = l.pas_lecture_frq / 2;
        if (moitie > 0) l.pas_lecture_frq = moitie;
    }
}

rafraichissement fermer_lecture_frq(lectures& l) {
    l.lecture_frq_active = false;
    return rafraichir(false, false);
}

std::string texte_reponse_frq(diagramme genre, bool bode_double) {
    if (bode_double) return "Diagramme de Bode";
    if (!diagramme_trace(genre)) return "Réponse en cours";
    return description(genre).nom_lecture;
}

std::string texte_fonction_lecture(int k) {
    return "Pour la fonction n°" + std::to_string(k);
}

int fonction_lue(const systeme& sys) {
    // The frequency diagrams mark the current slot, which is the open loop while it is closed.
    return sys.fonction_courante;
}

std::optional<valeurs_lecture_frq> valeurs_lecture(const systeme& sys) {
    const int k = fonction_lue(sys);
    // Only a function of the system is read: the slots of an empty one are left-overs.
    if (!slot_valide(k) || k > sys.nb_fonctions) return std::nullopt;
    const fdt_travail& ft = fonction_du_slot(sys.fonctions, k);
    const double w = sys.lecture.w_lecture;
    const complexe t = fdt_valeur(ft.fonction, w);
    return valeurs_lecture_frq{w, fdt_gain_db(ft.fonction, w), fdt_phase(ft, w, t)};
}

textes_lecture_frq textes_valeurs_frq(const valeurs_lecture_frq& v) {
    return {texte_nombre(v.w), texte_nombre(v.gain), texte_nombre(v.phase)};
}

textes_lecture_frq textes_valeurs_frq(const systeme& sys) {
    if (const std::optional<valeurs_lecture_frq> v = valeurs_lecture(sys))
        return textes_valeurs_frq(*v);
    return {texte_nombre(sys.lecture.w_lecture), {}, {}};
}

std::vector<ligne_caracteristique> lignes_marges_lecture(const systeme& sys) {
    const int k = fonction_lue(sys);
    if (!slot_valide(k)) return {};
    const marges_stabilite m = calculer_marges(fonction_du_slot(sys.fonctions, k).fonction);
    return {ligne_marge_gain(m), ligne_marge_phase(m), ligne_marge_retard(m)};
}

std::optional<double> pulsation_cliquee(const etude_frequence& r, const systeme& sys,
                                        diagramme genre, int w, int h, int px, int py) {
    if (!cadre_utilisable(w, h)) return std::nullopt;
    const cadre c = cadre_de(w, h);
    if (!c.contient(px, py)) return std::nullopt;
    if (!diagramme_trace(genre)) return std::nullopt;
    const description_diagramme& d = description(genre);
    // A diagram plotting the pulsation is read on its axis, the others on the curve.
    if (d.horizontale != grandeur::pulsation) return point_de_courbe(r, sys, genre, c, px, py);
    double x = 0;
    if (d.logarithmique) {
        // The decades graduate f when in hertz, ω otherwise.
        x = pixel_vers_log(px, c.gauche, c.droite, r.decade_min, r.decade_max);
    } else {
        const plage_etude axe = plage_horizontale(d, r);
        x = pixel_vers_x(px, c.gauche, c.droite, r.*axe.min, r.*axe.max);
    }
    return pulsation_positive(r.en_hertz ? x * deux_pi : x);
}

} // namespace varlem
