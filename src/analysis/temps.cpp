#include "analysis/temps.h"

#include "analysis/reponse_temps.h"
#include "plot/echelles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varlem {

namespace {

// Responses that overflow are held inside this bound so the scales stay finite.
constexpr double borne_reponse = 1e50;
// Five periods of the reference pulsation: 5 · 2π / ω.
constexpr double dix_pi = 31.41592653589793;
// Pulsation used when no root is non-zero.
constexpr double pulsation_defaut = 0.1;
// Template responses are shown over this fixed interval, graduated every 10 s.
constexpr double duree_gabarit = 40.0;
constexpr double pas_gabarit = 10.0;

// Extremes of the values seen; NaN values carry no information and are skipped.
struct plage {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    void inclure(double v) {
        if (std::isnan(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool vide() const { return lo > hi; }
};

void inclure_pulsations(const std::array<terme, nb_termes_max>& termes, int degre, double& lo,
                        double& hi) {
    const int n = std::clamp(degre, 0, nb_termes_max);
    for (int i = 0; i < n; ++i) {
        const double m = c_module(termes[static_cast<std::size_t>(i)].valeur);
        if (!(m > 0) || !std::isfinite(m)) continue;
        lo = std::min(lo, m);
        hi = std::max(hi, m);
    }
}

bool intervalle_utilisable(const etude_temps& r) {
    const double etendue = r.t_max - r.t_min;
    return std::isfinite(r.t_min) && std::isfinite(etendue) && etendue > 0;
}

void fixer_pas(etude_temps& r) {
    r.dt = (r.t_max - r.t_min) / nb_points_effectif(r);
}

// The largest delay of the functions concerned (a loop's stand-in counts its loop's): their
// responses start that much later.
double retard_max(const systeme& sys) {
    double tau = 0;
    for (const int k : fonctions_temps(sys)) {
        const fdt& f = sys.fonctions[static_cast<std::size_t>(k)].fonction;
        const double t = f.retard + (f.boucle ? f.boucle->retard : 0.0);
        if (std::isfinite(t)) tau = std::max(tau, t);
    }
    return tau;
}

// A new interval of five periods of the slowest root after the largest delay, starting at 0.
void choisir_intervalle(etude_temps& r, const systeme& sys) {
    r.t_min = 0;
    r.t_max = dix_pi / pulsation_lente(sys) + retard_max(sys);
    if (!std::isfinite(r.t_max) || !(r.t_max > 0)) r.t_max = dix_pi / pulsation_defaut;
    r.t_pas = pas_graduation(r.t_min, r.t_max, r.inclure_zero_temps);
    // The graduation may round the start below zero.
    if (r.t_min < 0) r.t_min = 0;
}

// The vertical range from the values seen, held within ±1e50, then graduated.
void fixer_plage(etude_temps& r, plage p, bool inclure_zero) {
    if (p.vide()) p.lo = p.hi = 0;
    r.y_min = std::clamp(p.lo, -borne_reponse, borne_reponse);
    r.y_max = std::clamp(p.hi, -borne_reponse, borne_reponse);
    r.y_pas = pas_graduation(r.y_min, r.y_max, inclure_zero);
}

// The input drawn beside the responses must fit in the range too.
void inclure_entree(plage& p, const etude_temps& r, char genre) {
    if (!r.afficher_entree) return;
    const double a = r.amplitude;
    if (genre == 'S' && a > p.hi) {
        p.hi = a;
        // A response reaching further down than the sine stays visible.
        p.lo = std::min(p.lo, -a);
    } else if (genre == 'E' && p.hi < 1) {
        p.hi = 1.1;
    } else if (genre == 'R' && r.t_max > p.hi) {
        p.hi = r.t_max;
    }
    if (p.lo > p.hi) p.lo = p.hi;
}

// Vertical range of the exact responses (impulse, step, ramp, sine) over the current grid.
void balayer_reponses(etude_temps& r, const systeme& sys) {
    const char genre = sys.etudes.etude_temps_choisie;
    if (!genre_exact(genre)) return;
    const grille_temps g = grille_balayage(r);
    plage p;
    fdt_travail tampon;
    std::vector<double> valeurs;
    for (const int k : fonctions_temps(sys)) {
        const fdt_travail* R =
            reponse_a_evaluer(sys.fonctions[static_cast<std::size_t>(k)], genre, r, tampon);
        if (R == nullptr) continue;
        valeurs_sur_grille(*R, g, valeurs);
        for (const double v : valeurs) p.inclure(v);
    }
    if (p.vide()) p.lo = p.hi = 0;
    p.lo = std::clamp(p.lo, -borne_reponse, borne_reponse);
    p.hi = std::clamp(p.hi, -borne_reponse, borne_reponse);
    inclure_entree(p, r, genre);
    fixer_plage(r, p, r.inclure_zero_temps);
}

void calculer_echantillons(const etude_temps& r, systeme& sys, const reglages& reg,
                           const rapport_progression& progression) {
    echantillonner_entree(r, sys.etudes.etude_temps_choisie, sys.periodique);
    calculer_reponses_periodiques(r, sys, reg, progression);
}

// Vertical range of the periodic responses, from their samples (and the input's levels).
void plage_periodique(etude_temps& r, const systeme& sys, const reglages& reg) {
    plage p;
    if (r.afficher_entree) {
        double lo = r.amplitude_min;
        double hi = r.amplitude_max;
        pas_graduation(lo, hi, reg.graphe.inclure_zero);
        p.inclure(lo);
        p.inclure(hi);
    }
    const auto attendus = static_cast<std::size_t>(std::max(nb_echantillons_periodiques(r), 0));
    for (const int k : fonctions_temps(sys)) {
        const signal& s = sys.periodique.echantillons_reponse[static_cast<std::size_t>(k)];
        const std::size_t n = std::min(attendus, s.size());
        for (std::size_t i = 0; i < n; ++i) p.inclure(s[i]);
    }
    fixer_plage(r, p, reg.graphe.inclure_zero);
}

void calculer_periodique(etude_temps& r, systeme& sys, const reglages& reg,
                         const rapport_progression& progression) {
    r.t_min = 0;
    r.t_max = r.nb_periodes / r.frequence_periodique;
    // Parameters that give no period at all fall back to one second.
    if (!std::isfinite(r.t_max) || !(r.t_max > 0)) r.t_max = 1.0;
    // The stored step is that of the interval before widening; the samples use the widened one.
    r.dt = 2 * (r.t_max - r.t_min) / nb_points_effectif(r);
    r.t_pas = pas_graduation(r.t_min, r.t_max, r.inclure_zero_temps);
    calculer_echantillons(r, sys, reg, progression);
    plage_periodique(r, sys, reg);
}

double resonance(double w, double m) {
    const double a = 1 - w * w;
    return std::sqrt(a * a + 4 * (m * w) * (m * w));
}

void plage_fixe(etude_temps& r, double lo, double hi, double pas) {
    r.y_min = lo;
    r.y_max = hi;
    r.y_pas = pas;
}

void plage_graduee(etude_temps& r, double lo, double hi, const reglages& reg) {
    plage p;
    p.inclure(lo);
    p.inclure(hi);
    fixer_plage(r, p, reg.graphe.inclure_zero);
}

// The sine response's extreme for each template (the gain of the filter at ω, times A).
double crete_sinus(const systeme& sys, const etude_temps& r) {
    const double a = r.amplitude;
    const double w = r.pulsation;
    switch (sys.gabarit) {
    case 'B':
        return a / resonance(w, sys.m_min);
    case 'D':
        return 2 * sys.m_max * w * a / resonance(w, sys.m_max);
    case 'I':
        return a * (2 * sys.m_max * w) * (2 * sys.m_max * w) / resonance(w, sys.m_max);
    default:
        return a;
    }
}

// Ranges of the template responses for the step, the impulse and the ramp.
struct plages_gabarit {
    double e_lo, e_hi, e_pas;
    double i_lo, i_hi, i_pas;
    double r_lo, r_hi;
};

bool plages_du_gabarit(char gabarit, double t_max, plages_gabarit& g) {
    switch (gabarit) {
    case 'P':
    case 'H':
        g = {-0.1, 1, 0.1, -0.1, 1, 0.1, -0.1, t_max};
        return true;
    case 'B':
        g = {0, 2, 0.1, -1, 1, 0.1, -1, t_max};
        return true;
    case 'D':
        g = {-0.3, 1, 0.1, -0.3, 1, 0.1, 0, 4};
        return true;
    case 'I':
        g = {-0.3, 2, 0.2, -5, 0.3, 0.5, -0.2, 2};
        return true;
    case 'C':
        g = {0, 1.2, 0.1, -4, 0.3, 0.5, -1, t_max};
        return true;
    default:
        return false;
    }
}

// Templates are not evaluated: their responses are known to stay within fixed ranges.
void calculer_gabarit(etude_temps& r, bool recalculer, const systeme& sys, const reglages& reg) {
    if (recalculer || !intervalle_utilisable(r)) {
        r.t_min = 0;
        r.t_max = duree_gabarit;
        r.t_pas = pas_gabarit;
    }
    plages_gabarit g{};
    if (plages_du_gabarit(sys.gabarit, r.t_max, g)) {
        switch (sys.etudes.etude_temps_choisie) {
        case 'E':
            plage_fixe(r, g.e_lo, g.e_hi, g.e_pas);
            break;
        case 'I':
            plage_fixe(r, g.i_lo, g.i_hi, g.i_pas);
            break;
        case 'R':
            plage_graduee(r, g.r_lo, g.r_hi, reg);
            break;
        case 'S': {
            const double c = crete_sinus(sys, r);
            plage_graduee(r, -c, c, reg);
            break;
        }
        default:
            break;
        }
    }
    fixer_pas(r);
}

void changer_intervalle(etude_temps& r, double facteur, systeme& sys, const reglages& reg,
                        const rapport_progression& progression) {
    const double nouveau = r.t_max * facteur;
    const double pas = (nouveau - r.t_min) / nb_points_effectif(r);
    // An interval that would overflow, vanish or leave no step is kept as it was.
    if (std::isfinite(nouveau) && nouveau > r.t_min && std::isfinite(pas) && pas > 0)
        r.t_max = nouveau;
    fixer_pas(r);
    r.t_pas = pas_graduation(r.t_min, r.t_max, r.inclure_zero_temps);
    r.t_min = 0;
    if (!(std::isfinite(r.dt) && r.dt > 0)) fixer_pas(r);

    const char genre = sys.etudes.etude_temps_choisie;
    if (genre_periodique(genre)) {
        r.y_pas = pas_graduation(r.y_min, r.y_max, reg.graphe.inclure_zero);
        calculer_echantillons(r, sys, reg, progression);
        return;
    }
    if (sys.etudes.mode_filtre) return;
    balayer_reponses(r, sys);
}

} // namespace

double pulsation_lente(const systeme& sys) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = 0;
    // Only non-zero moduli count: a pole at the origin says nothing about how slow the
    // response is, whichever place it takes in the list.
    for (const int k : fonctions_temps(sys)) {
        const fdt_travail& f = sys.fonctions[static_cast<std::size_t>(k)];
        inclure_pulsations(f.termes_poles, f.fonction.den.degre, lo, hi);
        inclure_pulsations(f.termes_zeros, f.fonction.num.degre, lo, hi);
    }
    if (hi == 0) return pulsation_defaut;
    if (hi / lo >= 1e6) lo = hi * 1e-6;
    return lo;
}

void calculer_reponse_temps(etude_temps& r, bool recalculer, systeme& sys, const reglages& reg,
                            const rapport_progression& progression) {
    if (genre_periodique(sys.etudes.etude_temps_choisie)) {
        calculer_periodique(r, sys, reg, progression);
        return;
    }
    if (sys.etudes.mode_filtre) {
        calculer_gabarit(r, recalculer, sys, reg);
        return;
    }
    if (recalculer || !intervalle_utilisable(r)) choisir_intervalle(r, sys);
    fixer_pas(r);
    balayer_reponses(r, sys);
}

void doubler_intervalle(etude_temps& r, systeme& sys, const reglages& reg,
                        const rapport_progression& progression) {
    changer_intervalle(r, 2.0, sys, reg, progression);
}

void diviser_intervalle(etude_temps& r, systeme& sys, const reglages& reg,
                        const rapport_progression& progression) {
    changer_intervalle(r, 0.5, sys, reg, progression);
}

} // namespace varlem
