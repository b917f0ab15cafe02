#include "studies/trace_lieu.h"

#include "numeric/nombres.h"
#include "plot/axes.h"
#include "plot/echelles.h"
#include "plot/traits_tires.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace varlem {

namespace {

constexpr double pi = std::numbers::pi;
// Length in pixels of an arrow's two strokes, and their angle to the branch.
constexpr double longueur_fleche = 9;
constexpr double angle_fleche = 25 * pi / 180;
constexpr int cote_point = 3;

// World to pixels for one drawing.
struct repere {
    int w, h;
    echelle_lieu e;

    double x(double re) const {
        return cadre_gauche() +
               (re - e.re_min) * (cadre_droite(w) - cadre_gauche()) / (e.re_max - e.re_min);
    }
    double y(double im) const {
        return cadre_haut() +
               (e.im_max - im) * (cadre_bas(h) - cadre_haut()) / (e.im_max - e.im_min);
    }
    int px(double re) const {
        return x_vers_pixel(cadre_gauche(), cadre_droite(w), re, e.re_min, e.re_max);
    }
    int py(double im) const {
        return y_vers_pixel(cadre_haut(), cadre_bas(h), im, e.im_min, e.im_max);
    }
    bool dedans(complexe z) const {
        return z.re >= e.re_min && z.re <= e.re_max && z.im >= e.im_min && z.im <= e.im_max;
    }
};

// The part of the segment a–b inside the scale's rectangle (Liang and Barsky); false when none.
bool couper(const echelle_lieu& e, complexe& a, complexe& b) {
    double t0, t1;
    const double dx = b.re - a.re, dy = b.im - a.im;
    if (!intervalle_dans(a.re, a.im, dx, dy, e.re_min, e.im_min, e.re_max, e.im_max, t0, t1))
        return false;
    const complexe debut{a.re + t0 * dx, a.im + t0 * dy};
    b = {a.re + t1 * dx, a.im + t1 * dy};
    a = debut;
    return true;
}

// One branch as a polyline clipped to the frame; an arrow halfway along its visible length.
void tracer_branche(surface& s, const repere& r, const branches_lieu& br, int b, bool fleche) {
    struct morceau {
        double x1, y1, x2, y2;
    };
    std::vector<morceau> morceaux;
    // Where a branch creeps (near a meeting, or a root passing through infinity) thousands of
    // samples can fall within a pixel: a sample less than half a pixel from the last one kept
    // is passed over, so that the drawing's cost follows the pixels it covers.
    const double demi_x = 0.5 * (r.e.re_max - r.e.re_min) / (cadre_droite(r.w) - cadre_gauche());
    const double demi_y = 0.5 * (r.e.im_max - r.e.im_min) / (cadre_bas(r.h) - cadre_haut());
    const std::size_t n = br.k.size();
    complexe garde = n > 0 ? br.point(b, 0) : complexe{};
    for (std::size_t j = 1; j < n; ++j) {
        complexe c = br.point(b, int(j));
        if (j + 1 < n && c_fini(c) && c_fini(garde) && std::fabs(c.re - garde.re) < demi_x &&
            std::fabs(c.im - garde.im) < demi_y)
            continue;
        complexe a = garde;
        garde = c;
        if (!c_fini(a) || !c_fini(c) || !couper(r.e, a, c)) continue;
        morceaux.push_back({r.x(a.re), r.y(a.im), r.x(c.re), r.y(c.im)});
    }
    double total = 0;
    bool ouvert = false;
    int fx = 0, fy = 0;
    for (const morceau& m : morceaux) {
        const int x1 = arrondi_pixel(m.x1), y1 = arrondi_pixel(m.y1);
        const int x2 = arrondi_pixel(m.x2), y2 = arrondi_pixel(m.y2);
        total += std::hypot(m.x2 - m.x1, m.y2 - m.y1);
        const bool suite = ouvert && x1 == fx && y1 == fy;
        // A stroke that stays on the pen's pixel draws nothing.
        if (suite && x2 == fx && y2 == fy) continue;
        if (!suite) s.deplacer(x1, y1);
        fx = x2;
        fy = y2;
        s.tracer_vers(fx, fy);
        ouvert = true;
    }
    // A branch that barely moves (a pole on a zero) gets no arrow.
    if (!fleche || total < 2 * longueur_fleche) return;
    double parcouru = 0;
    for (const morceau& m : morceaux) {
        const double l = std::hypot(m.x2 - m.x1, m.y2 - m.y1);
        if (parcouru + l < total / 2 || l == 0) {
            parcouru += l;
            continue;
        }
        const double t = (total / 2 - parcouru) / l;
        const double x = m.x1 + t * (m.x2 - m.x1), y = m.y1 + t * (m.y2 - m.y1);
        const double a = std::atan2(m.y2 - m.y1, m.x2 - m.x1);
        for (const double cote : {-angle_fleche, angle_fleche})
            s.ligne(arrondi_pixel(x), arrondi_pixel(y),
                    arrondi_pixel(x - longueur_fleche * std::cos(a + cote)),
                    arrondi_pixel(y - longueur_fleche * std::sin(a + cote)));
        return;
    }
}

void tracer_asymptotes(surface& s, const repere& r, const lieu_evans& l, const style_lieu& st) {
    if (!l.asymptotes) return;
    s.couleur_crayon(st.asymptotes);
    s.style_crayon(style_trait::pointille);
    const double portee = 4 * (r.e.re_max - r.e.re_min + r.e.im_max - r.e.im_min);
    for (const double angle : l.asymptotes->angles_deg) {
        complexe a{l.asymptotes->centre, 0};
        complexe b{a.re + portee * std::cos(angle * pi / 180), portee * std::sin(angle * pi / 180)};
        if (couper(r.e, a, b)) s.ligne(r.px(a.re), r.py(a.im), r.px(b.re), r.py(b.im));
    }
    s.style_crayon(style_trait::plein);
}

void tracer_racines(surface& s, const repere& r, const lieu_evans& l, const style_lieu& st) {
    const int a = st.symbole;
    s.couleur_crayon(st.poles);
    for (const complexe& z : l.poles) {
        if (!r.dedans(z)) continue;
        const int x = r.px(z.re), y = r.py(z.im);
        s.ligne(x - a, y - a, x + a, y + a);
        s.ligne(x - a, y + a, x + a, y - a);
    }
    s.couleur_crayon(st.zeros);
    for (const complexe& z : l.zeros) {
        if (!r.dedans(z)) continue;
        const int x = r.px(z.re), y = r.py(z.im);
        s.deplacer(x + a, y);
        for (int i = 1; i <= 12; ++i)
            s.tracer_vers(arrondi_pixel(x + a * std::cos(i * pi / 6)),
                          arrondi_pixel(y - a * std::sin(i * pi / 6)));
    }
}

// A special point: a small square and, when given, its gain beside it.
void marquer(surface& s, const repere& r, complexe z, const std::string& etiquette) {
    if (!r.dedans(z)) return;
    const int x = r.px(z.re), y = r.py(z.im);
    s.rectangle(x - cote_point, y - cote_point, x + cote_point, y + cote_point);
    if (!etiquette.empty()) s.texte(x + 2 * cote_point, y + cote_point, etiquette);
}

std::string etiquette_gain(double k) {
    std::string t = texte_nombre(k);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return "K = " + t;
}

void tracer_points(surface& s, const repere& r, const lieu_evans& l, const param& p,
                   const style_lieu& st) {
    s.couleur_crayon(st.points);
    s.police(p.police, p.taille_police, st.points);
    for (const auto* sep : {&l.separations, &l.separations_complementaires})
        for (const point_separation& q : *sep)
            marquer(s, r, q.s, q.s.im >= 0 ? etiquette_gain(q.k) : "");
    for (const auto* cr : {&l.croisements, &l.croisements_complementaires})
        for (const croisement_axe& c : *cr) {
            marquer(s, r, {0, c.omega}, etiquette_gain(c.k));
            if (c.omega > 0) marquer(s, r, {0, -c.omega}, "");
        }
}

} // namespace

echelle_lieu echelle_auto_lieu(const lieu_evans& l, int largeur, int hauteur) {
    return echelle_vue_lieu(l.vue, largeur, hauteur);
}

echelle_lieu echelle_vue_lieu(const vue_plan& v, int largeur, int hauteur) {
    echelle_lieu e{v.re_min, v.re_max, v.im_min, v.im_max, 1, 1};
    const double w = cadre_droite(largeur) - cadre_gauche();
    const double h = cadre_bas(hauteur) - cadre_haut();
    if (w > 0 && h > 0) {
        // Equal units on both axes, so that angles are drawn true.
        const double unite = std::max((e.re_max - e.re_min) / w, (e.im_max - e.im_min) / h);
        const double cx = (e.re_min + e.re_max) / 2, cy = (e.im_min + e.im_max) / 2;
        e.re_min = cx - unite * w / 2;
        e.re_max = cx + unite * w / 2;
        e.im_min = cy - unite * h / 2;
        e.im_max = cy + unite * h / 2;
    }
    e.pas_re = pas_graduation(e.re_min, e.re_max, true);
    e.pas_im = pas_graduation(e.im_min, e.im_max, true);
    return e;
}

void tracer_lieu(surface& s, const lieu_evans& l, const echelle_lieu& e, const param& p,
                 const style_lieu& st, std::optional<double> k) {
    const int w = s.largeur(), h = s.hauteur();
    if (!cadre_utilisable(w, h) || !(e.re_max > e.re_min) || !(e.im_max > e.im_min)) return;
    tracer_axes(s, p, e.pas_re, e.pas_im, e.re_min, e.re_max, e.im_min, e.im_max);
    const repere r{w, h, e};
    // The imaginary axis, whatever the settings make of the frame's vertical axis.
    if (e.re_min <= 0 && e.re_max >= 0) {
        s.couleur_crayon(p.couleur_axes);
        s.ligne(r.px(0), cadre_haut(), r.px(0), cadre_bas(h));
    }
    tracer_asymptotes(s, r, l, st);
    s.epaisseur_crayon(1);
    for (int b = 0; b < l.branches.nb; ++b) {
        s.couleur_crayon(st.branches[std::size_t(b) % st.branches.size()]);
        tracer_branche(s, r, l.branches, b, true);
    }
    s.style_crayon(style_trait::pointille);
    for (int b = 0; b < l.branches_complementaires.nb && !l.branches_complementaires.k.empty();
         ++b) {
        s.couleur_crayon(st.branches[std::size_t(b) % st.branches.size()]);
        tracer_branche(s, r, l.branches_complementaires, b, false);
    }
    s.style_crayon(style_trait::plein);
    tracer_racines(s, r, l, st);
    tracer_points(s, r, l, p, st);
    if (k && l.valide) {
        s.couleur_crayon(st.boucle_fermee);
        s.epaisseur_crayon(2);
        for (const complexe& z : poles_boucle_fermee(l, *k)) marquer(s, r, z, "");
        s.epaisseur_crayon(1);
    }
}

} // namespace varlem
