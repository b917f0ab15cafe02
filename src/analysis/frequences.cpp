#include "analysis/frequences.h"

#include "numeric/frequentiel.h"
#include "plot/echelles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace varlem {

namespace {

constexpr double deux_pi = 2 * std::numbers::pi;
constexpr double degres_par_radian = 180 / std::numbers::pi;
// Gain in dB given to a zero modulus, as for a single point.
constexpr double gain_nul_db = -10000.0;
// The sweep spans at most 2 · decade_limite decades at a ratio of 1.1: about 14 500 points.
constexpr int max_points_balayage = 20'000;

double module_fini(complexe c) {
    const double m = c_module(c);
    return std::isfinite(m) ? m : 0.0;
}

// Root moduli of the scanned functions, then the fall-backs for missing roots and for a range
// too wide to study. Both bounds start at the first pole term of function 1, even when it is
// a pole at the origin: a zero start then stays the lower bound until the ratio rule below.
void bornes_racines(const banque_fonctions& f, const std::vector<int>& etudiees, double& lo,
                    double& hi) {
    lo = hi = module_fini(f[1].termes_poles[0].valeur);
    const auto prendre = [&](const terme& t) {
        const double m = module_fini(t.valeur);
        if (m == 0) return;
        lo = std::min(lo, m);
        hi = std::max(hi, m);
    };
    for (const int k : etudiees) {
        const fdt_travail& ft = fonction_du_slot(f, k);
        for (int i = 0; i < nb_poles(ft); ++i)
            prendre(ft.termes_poles[static_cast<std::size_t>(i)]);
        for (int i = 0; i < nb_zeros(ft); ++i)
            prendre(ft.termes_zeros[static_cast<std::size_t>(i)]);
    }
    if (lo == 0 && hi == 0) {
        lo = 0.1;
        hi = 10;
    }
    if (lo != 0 && hi / lo >= 1e6) lo = hi * 1e-6;
    if (lo == 0 && hi != 0) lo = hi / 100;
}

int decade_de(double w, bool en_hertz, int decalage) {
    const double l = std::nearbyint(std::log10(en_hertz ? w / deux_pi : w)) + decalage;
    if (std::isnan(l)) return 0;
    return static_cast<int>(std::clamp(l, double(-decade_limite), double(decade_limite)));
}

double pulsation_de_decade(int decade, bool en_hertz) {
    const double v = puissance_dix(decade);
    return en_hertz ? v * deux_pi : v;
}

// A delay whose 1/τ is not above the range turns the phase by ωτ: the range goes on until that
// turn reaches at least 2π, beyond the phase of the fraction alone.
void etendre_aux_retards(etude_frequence& r, const banque_fonctions& f,
                         const std::vector<int>& etudiees) {
    const double w_max = pulsation_de_decade(r.decade_max, r.en_hertz);
    double besoin = 0;
    for (const int k : etudiees) {
        if (!slot_valide(k)) continue;
        const double tau = fonction_du_slot(f, k).fonction.retard;
        if (tau > 0 && std::isfinite(tau) && 1 / tau <= w_max)
            besoin = std::max(besoin, deux_pi / tau);
    }
    if (besoin > w_max && std::isfinite(besoin))
        r.decade_max = std::max(r.decade_max, decade_de(besoin, r.en_hertz, +1));
}

// Pulsations w_min · 1.1^k below w_max, then w_max itself.
std::vector<double> pulsations_balayage(double w_min, double w_max) {
    std::vector<double> w{w_min};
    double x = w_min;
    for (int n = 0; n < max_points_balayage; ++n) {
        x *= raison_balayage;
        if (!(x < w_max)) break;
        w.push_back(x);
    }
    w.push_back(w_max);
    return w;
}

// Extremes of the finite values seen; empty until the first one.
struct extremes {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();

    void prendre(double v) {
        if (!std::isfinite(v)) return;
        min = std::min(min, v);
        max = std::max(max, v);
    }
    bool vide() const { return min > max; }
    double bas() const { return vide() ? 0.0 : min; }
    double haut() const { return vide() ? 0.0 : max; }
};

struct balayage {
    extremes re, im, module, phase;
};

balayage balayer(const banque_fonctions& f, const std::vector<int>& etudiees, double w_min,
                 double w_max) {
    balayage b;
    const std::vector<double> w = pulsations_balayage(w_min, w_max);
    std::vector<point_frequence> points(w.size());
    for (const int k : etudiees) {
        reponse_frequentielle(fonction_du_slot(f, k), w, points);
        for (const point_frequence& p : points) {
            // A value on a pole has no place in a range.
            if (!std::isfinite(p.t.re) || !std::isfinite(p.t.im)) continue;
            b.re.prendre(p.t.re);
            b.im.prendre(p.t.im);
            // The Nyquist diagram also draws the mirrored branch of negative pulsations.
            b.im.prendre(-p.t.im);
            b.module.prendre(c_module(p.t));
            b.phase.prendre(p.phase);
        }
    }
    return b;
}

double gain_de_module(double m) {
    return m > 0 ? 20 * std::log10(m) : gain_nul_db;
}

// A range that is a single zero value gets a default height before graduation.
double graduer(double& lo, double& hi, double haut_par_defaut) {
    if (lo == 0 && hi == 0) hi = haut_par_defaut;
    return pas_graduation(lo, hi, true);
}

void graduer_valeurs(etude_frequence& r, const balayage& b) {
    r.gain_min = b.module.vide() ? 0.0 : gain_de_module(b.module.min);
    r.gain_max = b.module.vide() ? 0.0 : gain_de_module(b.module.max);
    r.gain_pas = graduer(r.gain_min, r.gain_max, 3);

    r.phase_min = b.phase.bas();
    r.phase_max = b.phase.haut();
    if (r.phase_min == 0 && r.phase_max == 0) r.phase_max = 0.5;
    if (!r.en_radians) {
        r.phase_min *= degres_par_radian;
        r.phase_max *= degres_par_radian;
    }
    r.phase_pas = pas_graduation(r.phase_min, r.phase_max, true);

    r.module_min = b.module.bas();
    r.module_max = b.module.haut();
    r.module_pas = graduer(r.module_min, r.module_max, 1);
    r.im_min = b.im.bas();
    r.im_max = b.im.haut();
    r.im_pas = graduer(r.im_min, r.im_max, 1);
    r.re_min = b.re.bas();
    r.re_max = b.re.haut();
    r.re_pas = graduer(r.re_min, r.re_max, 1);
}

void graduer_pulsations(etude_frequence& r) {
    r.wl_min = r.w_min;
    r.wl_max = r.w_max;
    r.wl_pas = pas_graduation(r.wl_min, r.wl_max, true);
    if (!(r.wl_min > 0)) r.wl_min = 0;
    r.f_min = r.w_min / deux_pi;
    r.f_max = r.w_max / deux_pi;
    r.f_pas = pas_graduation(r.f_min, r.f_max, true);
    if (!(r.f_min > 0)) r.f_min = 0;
}

} // namespace

void preparer_frequences(etude_frequence& r, bool automatique, const banque_fonctions& f,
                         const std::vector<int>& etudiees) {
    if (automatique) {
        double lo = 0, hi = 0;
        bornes_racines(f, etudiees, lo, hi);
        r.decade_min = decade_de(lo, r.en_hertz, -1);
        r.decade_max = decade_de(hi, r.en_hertz, +1);
        etendre_aux_retards(r, f, etudiees);
    } else {
        // Decades stored by the window may have been pushed anywhere: keep doubles finite.
        r.decade_min = std::clamp(r.decade_min, -decade_limite, decade_limite);
        r.decade_max = std::clamp(r.decade_max, -decade_limite, decade_limite);
    }
    r.w_min = pulsation_de_decade(r.decade_min, r.en_hertz);
    r.w_max = pulsation_de_decade(r.decade_max, r.en_hertz);

    graduer_valeurs(r, balayer(f, etudiees, r.w_min, r.w_max));
    graduer_pulsations(r);

    r.black_phase_min = r.phase_min;
    r.black_phase_max = r.phase_max;
    r.black_phase_pas = r.phase_pas;
    r.black_gain_min = r.gain_min;
    r.black_gain_max = r.gain_max;
    r.black_gain_pas = r.gain_pas;
}

point_frq point_frequentiel(const fdt_travail& ft, const etude_frequence& r, diagramme genre,
                            double w, int bas, int haut, int droite, int gauche) {
    point_frq p;
    if (!diagramme_trace(genre)) return p;
    const description_diagramme& d = description(genre);
    const double xw = r.en_hertz ? w / deux_pi : w;
    // One evaluation of T(jω) serves the gain, the phase and the locus.
    const complexe t = fdt_valeur(ft.fonction, w);
    const auto valeur = [&](grandeur g) {
        switch (g) {
        case grandeur::pulsation:
            return xw;
        case grandeur::gain_db:
            return gain_db_de(t);
        case grandeur::phase: {
            const double a = fdt_phase(ft, w, t);
            return r.en_radians ? a : a * degres_par_radian;
        }
        case grandeur::reel:
            return t.re;
        case grandeur::imaginaire:
            return t.im;
        case grandeur::module:
            return c_module(t);
        }
        return 0.0;
    };
    p.valeur_h = valeur(d.horizontale);
    p.valeur_v = valeur(d.verticale);
    if (d.logarithmique) {
        p.px = log_vers_pixel(r.decade_min, r.decade_max, gauche, droite, p.valeur_h);
    } else {
        const plage_etude h = plage_horizontale(d, r);
        p.px = x_vers_pixel(gauche, droite, p.valeur_h, r.*h.min, r.*h.max);
    }
    p.py = y_vers_pixel(haut, bas, p.valeur_v, r.*d.plage_v.min, r.*d.plage_v.max);
    // A decade axis has no place for a pulsation of zero.
    p.defini = (!d.logarithmique || p.valeur_h > 0) && std::isfinite(p.valeur_h) &&
               std::isfinite(p.valeur_v);
    return p;
}

namespace {

// The adaptive walk along one curve; counts its evaluations so that it always ends.
class traceur_frq {
  public:
    traceur_frq(surface& s, const fdt_travail& ft, diagramme genre, const etude_frequence& r)
        : s_(s), ft_(ft), genre_(genre), r_(r), droite_(cadre_droite(s.largeur())),
          bas_(cadre_bas(s.hauteur())),
          // Leaving past the right edge is followed a little further, into the margin.
          droite_relachee_(s.largeur() + marge_droite) {}

    void tracer(double w, double fin, double pas);

  private:
    point_frq evaluer(double w) {
        ++evaluations_;
        return point_frequentiel(ft_, r_, genre_, w, bas_, cadre_haut(), droite_, cadre_gauche());
    }
    bool dehors(const point_frq& p, int droite) const {
        return !p.defini || p.px > droite || p.px < cadre_gauche() || p.py < cadre_haut() ||
               p.py > bas_;
    }
    bool epuise() const { return evaluations_ >= max_evaluations_courbe; }
    bool affiner(double w, double& w2, double& pas, point_frq& p, const point_frq& p0, double fin);
    void sauter_dehors(double& w, double& pas, point_frq& p, double fin);

    surface& s_;
    const fdt_travail& ft_;
    diagramme genre_;
    const etude_frequence& r_;
    int droite_;
    int bas_;
    int droite_relachee_;
    int evaluations_ = 0;
};

double distance(const point_frq& a, const point_frq& b) {
    const double dx = double(a.px) - b.px;
    const double dy = double(a.py) - b.py;
    return std::sqrt(dx * dx + dy * dy);
}

// Brings the next point within 5 pixels of the previous one by dividing the step, then
// spreads points closer than a pixel by doubling it. False when the curve cannot go on.
bool traceur_frq::affiner(double w, double& w2, double& pas, point_frq& p, const point_frq& p0,
                          double fin) {
    double d = distance(p, p0);
    for (int n = 0; d > ecart_max_pixels; ++n) {
        if (n == max_divisions_pas || epuise()) return false;
        pas /= 10;
        w2 = w + pas;
        // A jump that survives the finest step doubles can hold is a discontinuity.
        if (!(w2 > w)) return false;
        p = evaluer(w2);
        d = distance(p, p0);
    }
    for (int n = 0; d < ecart_min_pixels && w2 < fin && pas > 0; ++n) {
        if (n == max_doublements_pas || epuise()) break;
        const double pas_avant = pas;
        const double w2_avant = w2;
        const point_frq p_avant = p;
        pas *= 2;
        w2 = w + pas;
        p = evaluer(w2);
        d = distance(p, p0);
        // A doubling that jumps over a sharp feature keeps the last close point instead,
        // unless that point no longer moves the pulsation.
        if (d > ecart_max_pixels && w2_avant > w) {
            pas = pas_avant;
            w2 = w2_avant;
            p = p_avant;
            break;
        }
    }
    return true;
}

// Invisible stretch: the step doubles at each point until the curve comes back (the right
// bound relaxed) or the range ends; on coming back the walk steps back to the last outside
// point and the pen moves there, so the next segment enters the frame from it.
void traceur_frq::sauter_dehors(double& w, double& pas, point_frq& p, double fin) {
    int n = 0;
    do {
        pas *= 2;
        w += pas;
        p = evaluer(w);
        ++n;
    } while (dehors(p, droite_relachee_) && w < fin && n < max_doublements_pas && !epuise());
    if (dehors(p, droite_relachee_) || !std::isfinite(w)) return;
    w -= pas;
    p = evaluer(w);
    s_.deplacer(p.px, p.py);
}

void traceur_frq::tracer(double w, double fin, double pas) {
    point_frq p = evaluer(w);
    // A start outside the frame is passed at the initial step, which doubles once a long
    // invisible stretch has cost enough evaluations.
    for (int n = 0; dehors(p, droite_) && w <= fin && !epuise(); ++n) {
        if (n >= max_pas_lineaires_depart) pas *= 2;
        w += pas;
        p = evaluer(w);
    }
    s_.deplacer(p.px, p.py);
    bool dedans = !dehors(p, droite_);
    while (w <= fin && !epuise()) {
        const point_frq p0 = p;
        double w2 = w + pas;
        p = evaluer(w2);
        if (dedans && !affiner(w, w2, pas, p, p0, fin)) return;
        // A step lost below the spacing of doubles cannot carry the curve any further.
        if (!(w2 > w)) return;
        w = w2;
        s_.tracer_vers(p.px, p.py);
        if (dehors(p, droite_)) sauter_dehors(w, pas, p, fin);
        // Whatever the last point tested was decides whether the next step is refined.
        dedans = !dehors(p, droite_);
    }
}

} // namespace

void tracer_courbe_frq(surface& s, const fdt_travail& ft, diagramme genre,
                       const etude_frequence& r) {
    if (!diagramme_trace(genre) || !cadre_utilisable(s.largeur(), s.hauteur())) return;
    const bool logarithmique = diagramme_logarithmique(genre);
    const double debut = logarithmique ? pulsation_de_decade(r.decade_min, r.en_hertz) : r.w_min;
    const double fin = logarithmique ? pulsation_de_decade(r.decade_max, r.en_hertz) : r.w_max;
    // The first step is one unit of the lowest decade, in rad/s whatever the display unit.
    const double pas = puissance_dix(r.decade_min);
    if (!(debut > 0) || !std::isfinite(debut) || !std::isfinite(fin)) return;
    if (!(pas > 0) || !std::isfinite(pas)) return;
    traceur_frq(s, ft, genre, r).tracer(debut, fin, pas);
}

} // namespace varlem
