#include "studies/lecture_temporelle.h"

#include "analysis/periodique.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"

#include <algorithm>
#include <cmath>

namespace varlem {

namespace {

// Ratio between the coarse and the fine step, and between the graduation and the coarse step.
constexpr double rapport_detail = 10.0;

bool periodique(char genre) {
    return genre == 'C' || genre == 'T';
}

// Time of the last periodic sample computed over the interval.
double dernier_echantillon(const etude_temps& r) {
    const int n = nb_echantillons_periodiques(r);
    return r.t_min + (n - 1) * pas_periodique(r);
}

} // namespace

void ouvrir_lecture_tps(lectures& l, const etude_temps& r) {
    l.lecture_tps_active = true;
    l.t_lecture = 0.0;
    l.pas_lecture_tps = r.t_pas / rapport_detail;
    l.lecture_tps_detaillee = false;
}

void avancer_lecture_tps(lectures& l, const etude_temps& r, char genre) {
    l.t_lecture += l.pas_lecture_tps;
    // Beyond the last sample there is nothing to read.
    if (periodique(genre)) {
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

std::string texte_reponse_tps(char genre, const std::string& precedent) {
    switch (genre) {
    case 'E':
        return "Réponse indicielle";
    case 'I':
        return "Réponse impulsionnelle";
    case 'R':
        return "Réponse à une rampe";
    case 'S':
        return "Réponse à une sinusoïde";
    // Keeping the previous text would name another input's response.
    case 'C':
        return "Réponse à un signal carré";
    case 'T':
        return "Réponse à un signal triangle";
    default:
        return precedent;
    }
}

textes_lecture_tps textes_valeurs_tps(const lectures& l) {
    // Where the doubles cannot give the response (terms of 1E60 that cancel), it has no number.
    return {texte_nombre(l.t_lecture),
            std::isfinite(l.y_lecture) ? texte_nombre(l.y_lecture) : "non calculable"};
}

std::optional<double> temps_clique(const etude_temps& r, char genre, int w, int h, int px) {
    if (!cadre_utilisable(w, h)) return std::nullopt;
    if (px < cadre_gauche() || px > cadre_droite(w)) return std::nullopt;
    if (!std::isfinite(r.t_min) || !std::isfinite(r.t_max) || !(r.t_min < r.t_max))
        return std::nullopt;
    double t = pixel_vers_x(px, cadre_gauche(), cadre_droite(w), r.t_min, r.t_max);
    if (periodique(genre)) {
        const double fin = dernier_echantillon(r);
        t = std::clamp(t, r.t_min, std::isfinite(fin) ? std::max(fin, r.t_min) : r.t_min);
    }
    if (!std::isfinite(t)) return std::nullopt;
    return t;
}

} // namespace varlem
