#include "analysis/abaque_black.h"

#include "analysis/caracteristiques_calcul.h"
#include "analysis/polynomes_jw.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace varlem {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double degres = 180 / pi;
// First uniform samples of a contour's parameter, before refinement.
constexpr int echantillons_initiaux = 48;
// Refinement stops where the curve is within half a pixel of its chord…
constexpr double ecart_corde_px = 0.5;
// … and the chord is no longer than this.
constexpr double corde_max_px = 40;
constexpr int profondeur_max = 20;
// Most samples of one turn of a contour: a window zoomed far in on a contour (millions of pixels
// a degree) would otherwise refine 48·2^20 times over, for a line no wider than a pixel.
constexpr std::size_t echantillons_max = 1 << 16;
// A piece's end is placed on the window's edge to this fraction of a pixel, in at most this
// many evaluations.
constexpr double precision_bord_px = 1e-9;
constexpr int iterations_bord = 60;
// Most turns of phase a window repeats a contour in.
constexpr int tours_max = 40;
// Turn numbers beyond which the doubles no longer tell turn k from turn k + 1.
constexpr double tour_lointain = 1e12;
// Iso-phase lines end where what is left of them to (−180°, 0 dB), about 57°/ρ across and
// 8.7 dB/ρ up, is this fraction of a pixel.
constexpr double reste_px = 0.1;
constexpr double decade_rho_max = 12;
// Seed of the root searches of the resonance, which must give the same point at every drawing.
constexpr std::uint64_t graine_resonance = 1;

// One contour as a function of one parameter t in [debut, fin]: the closed-loop value
// F = ρ·e^(jψ) with ψ varying (iso-module, ρ = M) or log10 ρ varying (iso-phase, ψ fixed).
struct parametrage {
    sorte_contour sorte = sorte_contour::iso_module;
    double m = 1;   // |F| (iso-module)
    double psi = 0; // arg F in radians (iso-phase)
    double debut = 0, fin = 0;
    // Phase extent of the contour in its own turn, degrees.
    double phase_basse = 0, phase_haute = 0;
};

// |1 − F|² = (1 − ρ)² + 4ρ·sin²(ψ/2), without cancellation near F = 1.
double ecart_un_carre(double rho, double psi) {
    const double s = std::sin(psi / 2);
    return (1 - rho) * (1 - rho) + 4 * rho * s * s;
}

point_black evaluer(const parametrage& p, double t) {
    double phase = 0, gain = 0;
    if (p.sorte == sorte_contour::iso_module) {
        const double psi = t, m = p.m;
        if (m < 1)
            phase = psi - std::atan2(-m * std::sin(psi), 1 - m * std::cos(psi));
        else if (m > 1)
            phase = -pi - std::atan2(std::sin(psi), m - std::cos(psi));
        else
            phase = psi / 2 - 1.5 * pi;
        gain = 20 * std::log10(m) - 10 * std::log10(ecart_un_carre(m, psi));
    } else {
        const double rho = std::pow(10.0, t), psi = p.psi;
        phase = psi - std::atan2(-rho * std::sin(psi), 1 - rho * std::cos(psi));
        if (psi > 0) phase -= 2 * pi;
        gain = 20 * t - 10 * std::log10(ecart_un_carre(rho, psi));
    }
    return {phase * degres, gain};
}

parametrage parametrage_module(double module_db, const fenetre_black& f) {
    parametrage p;
    p.m = std::pow(10.0, module_db / 20);
    if (module_db == 0) p.m = 1;
    p.debut = -pi;
    p.fin = pi;
    if (p.m < 1) {
        p.phase_basse = -180;
        p.phase_haute = 180;
    } else if (p.m > 1) {
        const double a = std::asin(1 / p.m) * degres;
        p.phase_basse = -180 - a;
        p.phase_haute = -180 + a;
    } else {
        // The 0 dB line rises to infinity at both ends: it is followed up to 20 dB above the
        // window, where 2·sin(ψ/2) = 10^(−gain/20).
        const double haut = std::max(f.gain_max_db, 0.0) + 20;
        const double psi = 2 * std::asin(std::pow(10.0, -haut / 20) / 2);
        p.debut = psi;
        p.fin = 2 * pi - psi;
        p.phase_basse = -270;
        p.phase_haute = -90;
    }
    return p;
}

parametrage parametrage_phase(double phase_deg, const fenetre_black& f) {
    parametrage p;
    p.sorte = sorte_contour::iso_phase;
    p.psi = phase_deg / degres;
    // Below ρ = 0.1, |1 − F| ≥ 0.9 and the gain is under 20·log10 ρ + 1 dB: a decade more than
    // the window's bottom is out of sight.
    p.debut = std::min(f.gain_min_db, 0.0) / 20 - 1.1;
    const double sx = f.largeur_px / (f.phase_max_deg - f.phase_min_deg);
    const double sy = f.hauteur_px / (f.gain_max_db - f.gain_min_db);
    const double rho = std::max({degres * sx, 20 / std::log(10.0) * sy, 10.0}) / reste_px;
    p.fin = std::min(std::log10(rho), decade_rho_max);
    p.phase_basse = phase_deg < 0 ? -180 : phase_deg - 360;
    p.phase_haute = phase_deg < 0 ? phase_deg : -180;
    return p;
}

struct echantillon {
    double t;
    point_black p;
};

// One turn of a contour sampled once, finely where some turn of it is in sight, then cut to
// the window in each turn of phase the window shows.
class decoupeur {
  public:
    decoupeur(const parametrage& p, const fenetre_black& f, double k_min, double k_max)
        : p_(p), f_(f), sx_(f.largeur_px / (f.phase_max_deg - f.phase_min_deg)),
          sy_(f.hauteur_px / (f.gain_max_db - f.gain_min_db)),
          // The turns k_min..k_max of the window, brought back onto the contour's own turn.
          phase_min_(f.phase_min_deg - 360 * k_max), phase_max_(f.phase_max_deg - 360 * k_min) {}

    void echantillonner();
    // Appends the pieces of the turn shifted by `decalage` degrees that lie within the window.
    void couper(double decalage, std::vector<std::vector<point_black>>& morceaux) const;

  private:
    // Bit k set: beyond side k of the window (of every turn of it, for the phase).
    int cotes(const point_black& q) const {
        return (q.phase_deg < phase_min_) | (q.phase_deg > phase_max_) << 1 |
               (q.gain_db < f_.gain_min_db) << 2 | (q.gain_db > f_.gain_max_db) << 3;
    }
    // How far within the window a point of the shifted turn lies, in pixels (negative out).
    double marge(const point_black& q, double decalage) const {
        const double phase = q.phase_deg + decalage;
        return std::min(std::min(phase - f_.phase_min_deg, f_.phase_max_deg - phase) * sx_,
                        std::min(q.gain_db - f_.gain_min_db, f_.gain_max_db - q.gain_db) * sy_);
    }
    void raffiner(const echantillon& a, const echantillon& b, int profondeur);
    point_black bord(echantillon dedans, echantillon dehors, double decalage) const;

    const parametrage& p_;
    const fenetre_black& f_;
    double sx_, sy_;
    double phase_min_, phase_max_;
    std::vector<echantillon> points_;
};

// Appends the samples after a up to b included.
void decoupeur::raffiner(const echantillon& a, const echantillon& b, int profondeur) {
    const double tm = (a.t + b.t) / 2;
    const echantillon m{tm, evaluer(p_, tm)};
    bool fini = profondeur >= profondeur_max || points_.size() >= echantillons_max ||
                (cotes(a.p) & cotes(m.p) & cotes(b.p)) != 0;
    if (!fini) {
        const double dx = (b.p.phase_deg - a.p.phase_deg) * sx_;
        const double dy = (b.p.gain_db - a.p.gain_db) * sy_;
        const double mx = (m.p.phase_deg - a.p.phase_deg) * sx_;
        const double my = (m.p.gain_db - a.p.gain_db) * sy_;
        const double corde = std::hypot(dx, dy);
        const double ecart = corde > 0 ? std::fabs(dx * my - dy * mx) / corde : std::hypot(mx, my);
        fini = corde <= corde_max_px && ecart <= ecart_corde_px;
    }
    if (fini) {
        points_.push_back(b);
        return;
    }
    raffiner(a, m, profondeur + 1);
    raffiner(m, b, profondeur + 1);
}

void decoupeur::echantillonner() {
    echantillon a{p_.debut, evaluer(p_, p_.debut)};
    points_.push_back(a);
    for (int i = 1; i <= echantillons_initiaux; ++i) {
        const double t = p_.debut + (p_.fin - p_.debut) * i / echantillons_initiaux;
        const echantillon b{t, evaluer(p_, t)};
        raffiner(a, b, 0);
        a = b;
    }
}

// The point of the contour on the window's edge between a sample inside and one outside, by
// false position (Illinois): the end kept inside, within 1e-9 pixel of the edge.
point_black decoupeur::bord(echantillon dedans, echantillon dehors, double decalage) const {
    double fa = marge(dedans.p, decalage), fb = marge(dehors.p, decalage);
    int garde = 0;
    for (int i = 0; i < iterations_bord && fa > precision_bord_px; ++i) {
        double t = (dedans.t * fb - dehors.t * fa) / (fb - fa);
        if (!(t > std::min(dedans.t, dehors.t) && t < std::max(dedans.t, dehors.t)))
            t = (dedans.t + dehors.t) / 2;
        if (t == dedans.t || t == dehors.t) break;
        const echantillon m{t, evaluer(p_, t)};
        const double fm = marge(m.p, decalage);
        if (fm >= 0) {
            dedans = m;
            fa = fm;
            if (garde == 1) fb /= 2;
            garde = 1;
        } else {
            dehors = m;
            fb = fm;
            if (garde == -1) fa /= 2;
            garde = -1;
        }
    }
    point_black q = dedans.p;
    q.phase_deg += decalage;
    return q;
}

void decoupeur::couper(double decalage, std::vector<std::vector<point_black>>& morceaux) const {
    std::vector<point_black>* courant = nullptr;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const echantillon& e = points_[i];
        const bool in = marge(e.p, decalage) >= 0;
        if (in && !courant) {
            morceaux.emplace_back();
            courant = &morceaux.back();
            if (i > 0) courant->push_back(bord(e, points_[i - 1], decalage));
        }
        if (in) {
            courant->push_back({e.p.phase_deg + decalage, e.p.gain_db});
        } else if (courant) {
            courant->push_back(bord(points_[i - 1], e, decalage));
            courant = nullptr;
        }
    }
}

bool proches(const point_black& a, const point_black& b) {
    return std::fabs(a.phase_deg - b.phase_deg) <= 1e-9 && std::fabs(a.gain_db - b.gain_db) <= 1e-9;
}

contour_black contour(const parametrage& p, double valeur, const fenetre_black& f) {
    contour_black c;
    c.sorte = p.sorte;
    c.valeur = valeur;
    if (!(f.phase_min_deg < f.phase_max_deg) || !(f.gain_min_db < f.gain_max_db) ||
        !std::isfinite(f.phase_max_deg - f.phase_min_deg) ||
        !std::isfinite(f.gain_max_db - f.gain_min_db) || f.largeur_px <= 0 || f.hauteur_px <= 0)
        return c;
    const double k_min = std::ceil((f.phase_min_deg - p.phase_haute) / 360);
    const double k_max =
        std::min(std::floor((f.phase_max_deg - p.phase_basse) / 360), k_min + tours_max - 1);
    // Turns so far out that k + 1 is k in the doubles (a window a zoom out took to ±1e33°):
    // nothing to draw there, whose contours would be thinner than a pixel anyway.
    if (k_max < k_min || !(std::fabs(k_min) < tour_lointain && std::fabs(k_max) < tour_lointain))
        return c;
    decoupeur d(p, f, k_min, k_max);
    d.echantillonner();
    const int tours = static_cast<int>(k_max - k_min) + 1;
    for (int i = 0; i < tours; ++i) {
        const double k = k_min + i;
        std::vector<std::vector<point_black>> morceaux;
        d.couper(360 * k, morceaux);
        for (auto& m : morceaux) {
            if (m.size() < 2) continue;
            // Turns of an open line meet end to end: one piece across them.
            if (!c.morceaux.empty() && proches(c.morceaux.back().back(), m.front()))
                c.morceaux.back().insert(c.morceaux.back().end(), m.begin() + 1, m.end());
            else
                c.morceaux.push_back(std::move(m));
        }
    }
    return c;
}

} // namespace

const std::vector<double>& modules_abaque_db() {
    static const std::vector<double> m = {-20, -12, -6, -3, -1, 0, 0.5, 1, 2.3, 3, 6, 12};
    return m;
}

const std::vector<double>& phases_abaque_deg() {
    static const std::vector<double> p = {-1,  -5,  -10, -20, -30, -45, -60, -90, -120, -150,
                                          150, 120, 90,  60,  45,  30,  20,  10,  5,    1};
    return p;
}

contour_black contour_iso_module(double module_db, const fenetre_black& f) {
    const parametrage p = parametrage_module(module_db, f);
    // |F| must be a positive number of the doubles (not 0 nor ∞ once out of dB).
    if (!(p.m > 0) || !std::isfinite(p.m) || !std::isfinite(1 / p.m))
        return {sorte_contour::iso_module, module_db, {}};
    return contour(p, module_db, f);
}

contour_black contour_iso_phase(double phase_deg, const fenetre_black& f) {
    if (!(phase_deg > -180 && phase_deg < 180) || phase_deg == 0)
        return {sorte_contour::iso_phase, phase_deg, {}};
    return contour(parametrage_phase(phase_deg, f), phase_deg, f);
}

std::vector<contour_black> contours_abaque(const fenetre_black& f) {
    std::vector<contour_black> c;
    for (const double m : modules_abaque_db()) c.push_back(contour_iso_module(m, f));
    for (const double p : phases_abaque_deg()) c.push_back(contour_iso_phase(p, f));
    return c;
}

namespace {

// F as the chart reads it: module in dB (∞ when F left the doubles), phase in (−180°, 180°].
valeur_boucle_fermee valeur_de(complexe f) {
    valeur_boucle_fermee v;
    if (!c_fini(f)) {
        v.module_db = HUGE_VAL;
        return v;
    }
    v.module_db = gain_db_de(f);
    v.phase_deg = std::atan2(f.im, f.re) * degres;
    if (v.phase_deg == -180) v.phase_deg = 180;
    return v;
}

} // namespace

valeur_boucle_fermee boucle_fermee_en(const fdt& l, double w) {
    // A delay, which the polynomials leave out, or a loop's stand-in: from T(jω) itself.
    if (l.retard != 0 || l.boucle) {
        const complexe t = fdt_valeur(l, w);
        return valeur_de(c_quotient(t, c_somme({1, 0}, t)));
    }
    const complexe jw{0, w};
    const complexe n = p_valeur(l.num, jw), d = p_valeur(l.den, jw);
    complexe f = quotient_sur(n, c_somme(n, d));
    if (!c_fini(f)) {
        // N(jω) or D(jω) left the doubles: F = 1 / (1 + 1/L) from L itself.
        const complexe t = fdt_valeur(l, w);
        f = quotient_sur({1, 0}, c_somme({1, 0}, quotient_sur({1, 0}, t)));
    }
    return valeur_de(f);
}

std::optional<tangence_black> resonance_boucle_fermee(const fdt_travail& l) {
    fdt boucle;
    boucle.num = l.fonction.num;
    boucle.den = p_somme(l.fonction.num, l.fonction.den);
    contexte_calcul ctx;
    ctx.graine = graine_resonance;
    const fonction_exacte f = preparer_fonction(ctx, boucle);
    const std::optional<pic_resonance> pic = resonance_exacte(ctx, f);
    if (!pic) return std::nullopt;
    tangence_black t;
    t.omega = pic->omega;
    t.module_db = pic->gain_db;
    t.gain_db = fdt_gain_db(l.fonction, t.omega);
    t.phase_deg = fdt_phase(l, t.omega) * degres;
    return t;
}

} // namespace varlem
