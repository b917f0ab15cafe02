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

// The largest delay of the functions shown (a loop's stand-in counts its loop's): their
// responses start that much later.
double retard_max(const banque_fonctions& f, const std::vector<int>& slots) {
    double tau = 0;
    for (const int k : slots) {
        if (!slot_valide(k)) continue;
        const fdt& g = fonction_du_slot(f, k).fonction;
        const double t = g.retard + (g.boucle ? g.boucle->retard : 0.0);
        if (std::isfinite(t)) tau = std::max(tau, t);
    }
    return tau;
}

// A new interval of five periods of the slowest root after the largest delay, starting at 0.
void choisir_intervalle(etude_temps& r, const banque_fonctions& f, const demande_temps& d) {
    r.t_min = 0;
    r.t_max = dix_pi / pulsation_lente(f, d.montrees) + retard_max(f, d.montrees);
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
void inclure_entree(plage& p, const etude_temps& r, entree_temps genre) {
    if (!r.afficher_entree) return;
    const double a = r.amplitude;
    if (genre == entree_temps::sinus && a > p.hi) {
        p.hi = a;
        // A response reaching further down than the sine stays visible.
        p.lo = std::min(p.lo, -a);
    } else if (genre == entree_temps::echelon && p.hi < 1) {
        p.hi = 1.1;
    } else if (genre == entree_temps::rampe && r.t_max > p.hi) {
        p.hi = r.t_max;
    }
    if (p.lo > p.hi) p.lo = p.hi;
}

// Vertical range of the exact responses (impulse, step, ramp, sine) over the current grid.
void balayer_reponses(etude_temps& r, const banque_fonctions& f, const demande_temps& d) {
    const entree_temps genre = d.entree;
    if (!entree_exacte(genre)) return;
    const grille_temps g = grille_balayage(r);
    plage p;
    fdt_travail tampon;
    std::vector<double> valeurs;
    for (const int k : d.montrees) {
        if (!slot_valide(k)) continue;
        const fdt_travail* R = reponse_a_evaluer(fonction_du_slot(f, k), genre, r, tampon);
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

void calculer_echantillons(const etude_temps& r, const banque_fonctions& f, const demande_temps& d,
                           echantillons_periodiques& e, const rapport_progression& progression) {
    echantillonner_entree(r, d.entree, e);
    calculer_reponses_periodiques(r, f, d.periodique, e, progression);
}

// Vertical range of the periodic responses, from their samples (and the input's levels).
void plage_periodique(etude_temps& r, const demande_temps& d, const echantillons_periodiques& e) {
    plage p;
    if (r.afficher_entree) {
        double lo = r.amplitude_min;
        double hi = r.amplitude_max;
        pas_graduation(lo, hi, d.inclure_zero);
        p.inclure(lo);
        p.inclure(hi);
    }
    const auto attendus = static_cast<std::size_t>(std::max(nb_echantillons_periodiques(r), 0));
    for (const int k : d.montrees) {
        if (!slot_valide(k)) continue;
        const signal& s = e.echantillons_reponse[static_cast<std::size_t>(k)];
        const std::size_t n = std::min(attendus, s.size());
        for (std::size_t i = 0; i < n; ++i) p.inclure(s[i]);
    }
    fixer_plage(r, p, d.inclure_zero);
}

void calculer_periodique(etude_temps& r, const banque_fonctions& f, const demande_temps& d,
                         echantillons_periodiques& e, const rapport_progression& progression) {
    r.t_min = 0;
    r.t_max = r.nb_periodes / r.frequence_periodique;
    // Parameters that give no period at all fall back to one second.
    if (!std::isfinite(r.t_max) || !(r.t_max > 0)) r.t_max = 1.0;
    // The stored step is that of the interval before widening; the samples use the widened one.
    r.dt = 2 * (r.t_max - r.t_min) / nb_points_effectif(r);
    r.t_pas = pas_graduation(r.t_min, r.t_max, r.inclure_zero_temps);
    calculer_echantillons(r, f, d, e, progression);
    plage_periodique(r, d, e);
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

void plage_graduee(etude_temps& r, double lo, double hi, bool inclure_zero) {
    plage p;
    p.inclure(lo);
    p.inclure(hi);
    fixer_plage(r, p, inclure_zero);
}

// The sine response's extreme for each template (the gain of the filter at ω, times A).
double crete_sinus(const gabarit_etudie& g, const etude_temps& r) {
    const double a = r.amplitude;
    const double w = r.pulsation;
    if (g.gabarit.ordre == ordre_gabarit::premier) return a;
    switch (g.gabarit.genre) {
    case genre_gabarit::passe_bas:
        return a / resonance(w, g.m_min);
    case genre_gabarit::passe_bande:
        return 2 * g.m_max * w * a / resonance(w, g.m_max);
    case genre_gabarit::passe_haut:
        return a * (2 * g.m_max * w) * (2 * g.m_max * w) / resonance(w, g.m_max);
    case genre_gabarit::rejecteur:
        return a;
    }
    return a;
}

// Ranges of the template responses for the step, the impulse and the ramp.
struct plages_gabarit {
    double e_lo, e_hi, e_pas;
    double i_lo, i_hi, i_pas;
    double r_lo, r_hi;
};

bool plages_du_gabarit(gabarit_filtre gabarit, double t_max, plages_gabarit& g) {
    if (!gabarit_connu(gabarit)) return false;
    if (gabarit.ordre == ordre_gabarit::premier) {
        g = {-0.1, 1, 0.1, -0.1, 1, 0.1, -0.1, t_max};
        return true;
    }
    switch (gabarit.genre) {
    case genre_gabarit::passe_bas:
        g = {0, 2, 0.1, -1, 1, 0.1, -1, t_max};
        return true;
    case genre_gabarit::passe_bande:
        g = {-0.3, 1, 0.1, -0.3, 1, 0.1, 0, 4};
        return true;
    case genre_gabarit::passe_haut:
        g = {-0.3, 2, 0.2, -5, 0.3, 0.5, -0.2, 2};
        return true;
    case genre_gabarit::rejecteur:
        g = {0, 1.2, 0.1, -4, 0.3, 0.5, -1, t_max};
        return true;
    }
    return false;
}

// Templates are not evaluated: their responses are known to stay within fixed ranges.
void calculer_gabarit(etude_temps& r, bool recalculer, const demande_temps& d,
                      const gabarit_etudie& gabarit) {
    if (recalculer || !intervalle_utilisable(r)) {
        r.t_min = 0;
        r.t_max = duree_gabarit;
        r.t_pas = pas_gabarit;
    }
    plages_gabarit g{};
    if (plages_du_gabarit(gabarit.gabarit, r.t_max, g)) {
        switch (d.entree) {
        case entree_temps::echelon:
            plage_fixe(r, g.e_lo, g.e_hi, g.e_pas);
            break;
        case entree_temps::impulsion:
            plage_fixe(r, g.i_lo, g.i_hi, g.i_pas);
            break;
        case entree_temps::rampe:
            plage_graduee(r, g.r_lo, g.r_hi, d.inclure_zero);
            break;
        case entree_temps::sinus: {
            const double c = crete_sinus(gabarit, r);
            plage_graduee(r, -c, c, d.inclure_zero);
            break;
        }
        case entree_temps::aucune:
        case entree_temps::carre:
        case entree_temps::triangle:
            break;
        }
    }
    fixer_pas(r);
}

} // namespace

void changer_intervalle(etude_temps& r, double facteur, const banque_fonctions& f,
                        const demande_temps& d, echantillons_periodiques& e,
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

    if (entree_periodique(d.entree)) {
        r.y_pas = pas_graduation(r.y_min, r.y_max, d.inclure_zero);
        calculer_echantillons(r, f, d, e, progression);
        return;
    }
    if (d.gabarit) return;
    balayer_reponses(r, f, d);
}

double pulsation_lente(const banque_fonctions& f, const std::vector<int>& slots) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = 0;
    // Only non-zero moduli count: a pole at the origin says nothing about how slow the
    // response is, whichever place it takes in the list.
    for (const int k : slots) {
        if (!slot_valide(k)) continue;
        const fdt_travail& ft = fonction_du_slot(f, k);
        inclure_pulsations(ft.termes_poles, ft.fonction.den.degre, lo, hi);
        inclure_pulsations(ft.termes_zeros, ft.fonction.num.degre, lo, hi);
    }
    if (hi == 0) return pulsation_defaut;
    if (hi / lo >= 1e6) lo = hi * 1e-6;
    return lo;
}

void calculer_reponse_temps(etude_temps& r, bool recalculer, const banque_fonctions& f,
                            const demande_temps& d, echantillons_periodiques& e,
                            const rapport_progression& progression) {
    if (entree_periodique(d.entree)) {
        calculer_periodique(r, f, d, e, progression);
        return;
    }
    if (d.gabarit) {
        calculer_gabarit(r, recalculer, d, *d.gabarit);
        return;
    }
    if (recalculer || !intervalle_utilisable(r)) choisir_intervalle(r, f, d);
    fixer_pas(r);
    balayer_reponses(r, f, d);
}

} // namespace varlem
