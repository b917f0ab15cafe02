#include "studies/lecture_temporelle.h"

#include "analysis/caracteristiques.h"
#include "analysis/periodique.h"
#include "analysis/reponse_temps.h"
#include "document/etudes_systeme.h"
#include "numeric/nombres.h"
#include "numeric/temporel.h"
#include "plot/echelles.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// Ratio between the coarse and the fine step, and between the graduation and the coarse step.
constexpr double rapport_detail = 10.0;

// Time of the last periodic sample computed over the interval.
double dernier_echantillon(const etude_temps& r) {
    const int n = nb_echantillons_periodiques(r);
    return r.t_min + (n - 1) * pas_periodique(r);
}

bool plage_valide(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && std::isfinite(hi - lo) && lo < hi;
}

// The exact response of slot k at the cursor, judged against the scale of its curve drawn
// (none when the slot is not shown: the impulse then reads its value on its own).
std::optional<point_lecture_tps> point_exact(const etude_temps& r, const systeme& sys, int k) {
    const entree_temps genre = sys.etudes.etude_temps_choisie;
    if (!slot_valide(k)) return std::nullopt;
    const std::vector<int> montrees = fonctions_temps(sys);
    const bool montre = std::find(montrees.begin(), montrees.end(), k) != montrees.end();
    fdt_travail tampon;
    const fdt_travail* R =
        montre ? reponse_a_evaluer(fonction_du_slot(sys.fonctions, k), genre, r, tampon) : nullptr;
    double echelle = 0;
    std::vector<double> valeurs;
    if (R != nullptr) echelle = valeurs_sur_grille(*R, grille_trace(r), valeurs);
    if (genre == entree_temps::impulsion) R = &fonction_du_slot(sys.fonctions, k);
    if (R == nullptr) return std::nullopt;
    const double t = sys.lecture.t_lecture;
    return point_lecture_tps{t, valeur_temporelle_sure(*R, t, echelle)};
}

// The sample of slot k nearest to the cursor, held to the samples that exist.
std::optional<point_lecture_tps> point_periodique(const etude_temps& r, const systeme& sys, int k) {
    if (!slot_valide(k)) return std::nullopt;
    const signal& e = sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)];
    const int attendus = std::max(nb_echantillons_periodiques(r), 1);
    const int n =
        static_cast<int>(std::min<std::size_t>(e.size(), static_cast<std::size_t>(attendus)));
    if (n < 1) return std::nullopt;
    const double t_lu = std::isnan(sys.lecture.t_lecture) ? r.t_min : sys.lecture.t_lecture;
    double rang = std::nearbyint((attendus - 1) * (t_lu - r.t_min) / (r.t_max - r.t_min));
    if (std::isnan(rang)) rang = 0;
    const int i = static_cast<int>(std::clamp(rang, 0.0, double(n - 1)));
    return point_lecture_tps{std::clamp(t_lu, r.t_min, r.t_min + (n - 1) * pas_periodique(r)),
                             e[static_cast<std::size_t>(i)]};
}

} // namespace

bool plages_temps_tracables(const etude_temps& r) {
    return plage_valide(r.t_min, r.t_max) && plage_valide(r.y_min, r.y_max);
}

std::optional<point_lecture_tps> point_lecture_temporelle(const etude_temps& r,
                                                          const systeme& sys) {
    if (!plages_temps_tracables(r)) return std::nullopt;
    const entree_temps genre = sys.etudes.etude_temps_choisie;
    if (entree_periodique(genre)) return point_periodique(r, sys, sys.slot_etudie());
    if (!sys.etudes.temps_ouverte || !entree_exacte(genre)) return std::nullopt;
    return point_exact(r, sys, sys.slot_etudie());
}

void ouvrir_lecture_tps(lectures& l, const etude_temps& r) {
    l.lecture_tps_active = true;
    l.t_lecture = 0.0;
    l.pas_lecture_tps = r.t_pas / rapport_detail;
    l.lecture_tps_detaillee = false;
}

void avancer_lecture_tps(lectures& l, const etude_temps& r, entree_temps genre) {
    l.t_lecture += l.pas_lecture_tps;
    // Beyond the last sample there is nothing to read.
    if (entree_periodique(genre)) {
        const double fin = dernier_echantillon(r);
        if (std::isfinite(fin) && l.t_lecture > fin) l.t_lecture = std::max(fin, r.t_min);
    }
}

void reculer_lecture_tps(lectures& l, const etude_temps& r) {
    if (l.t_lecture - l.pas_lecture_tps >= r.t_min) l.t_lecture -= l.pas_lecture_tps;
}

void basculer_detail_tps(lectures& l) {
    if (l.lecture_tps_detaillee)
        l.pas_lecture_tps *= rapport_detail;
    else
        l.pas_lecture_tps /= rapport_detail;
    l.lecture_tps_detaillee = !l.lecture_tps_detaillee;
}

std::string texte_bouton_detail(const lectures& l) {
    return l.lecture_tps_detaillee ? "Rapide" : "Détaillé";
}

rafraichissement fermer_lecture_tps(lectures& l) {
    l.lecture_tps_active = false;
    if (l.lecture_tps_detaillee) basculer_detail_tps(l);
    return rafraichir(false, false);
}

std::string texte_reponse_tps(entree_temps genre, const std::string& precedent) {
    switch (genre) {
    case entree_temps::echelon:
        return "Réponse indicielle";
    case entree_temps::impulsion:
        return "Réponse impulsionnelle";
    case entree_temps::rampe:
        return "Réponse à une rampe";
    case entree_temps::sinus:
        return "Réponse à une sinusoïde";
    // Keeping the previous text would name another input's response.
    case entree_temps::carre:
        return "Réponse à un signal carré";
    case entree_temps::triangle:
        return "Réponse à un signal triangle";
    case entree_temps::aucune:
        break;
    }
    return precedent;
}

textes_lecture_tps textes_valeurs_tps(double t, double y) {
    // Where the doubles cannot give the response (terms of 1E60 that cancel), it has no number.
    return {texte_nombre(t), std::isfinite(y) ? texte_nombre(y) : "non calculable"};
}

textes_lecture_tps textes_valeurs_tps(const etude_temps& r, const systeme& sys) {
    if (const std::optional<point_lecture_tps> p = point_lecture_temporelle(r, sys))
        return textes_valeurs_tps(sys.lecture.t_lecture, p->y);
    return {texte_nombre(sys.lecture.t_lecture), {}};
}

std::vector<ligne_caracteristique> lignes_indicielle_lecture(const systeme& sys) {
    const int k = sys.slot_etudie();
    if (sys.etudes.etude_temps_choisie != entree_temps::echelon || !slot_valide(k)) return {};
    const reponse_indicielle r = calculer_indicielle(fonction_du_slot(sys.fonctions, k).fonction);
    return {ligne_valeur_finale(r), ligne_depassement(r), ligne_temps_montee(r),
            ligne_temps_reponse_5(r)};
}

std::optional<double> temps_clique(const etude_temps& r, entree_temps genre, int w, int h, int px) {
    if (!cadre_utilisable(w, h)) return std::nullopt;
    if (px < cadre_gauche() || px > cadre_droite(w)) return std::nullopt;
    if (!std::isfinite(r.t_min) || !std::isfinite(r.t_max) || !(r.t_min < r.t_max))
        return std::nullopt;
    double t = pixel_vers_x(px, cadre_gauche(), cadre_droite(w), r.t_min, r.t_max);
    if (entree_periodique(genre)) {
        const double fin = dernier_echantillon(r);
        t = std::clamp(t, r.t_min, std::isfinite(fin) ? std::max(fin, r.t_min) : r.t_min);
    }
    if (!std::isfinite(t)) return std::nullopt;
    return t;
}

} // namespace varlem
