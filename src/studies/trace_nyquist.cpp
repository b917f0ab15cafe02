#include "studies/trace_nyquist.h"

#include "analysis/frequences.h"
#include "document/boucle_stabilite.h"
#include "document/etudes_systeme.h"
#include "plot/echelles.h"
#include "studies/trace_frequentiel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace varlem {

namespace {

constexpr double pi = std::numbers::pi;
// Length in pixels of an arrow's two strokes, and their angle to the curve.
constexpr double longueur_fleche = 9;
constexpr double angle_fleche = 25 * pi / 180;
// Pulsations sampled to place the arrows, and the visible length in pixels per arrow.
constexpr int echantillons_fleches = 600;
constexpr double longueur_par_fleche = 300;
constexpr int fleches_max = 3;
constexpr int demi_croix = 5;

// Another surface seen upside down within the plot frame: y becomes haut + bas − y, so that a
// curve traced at ranges [−im_max, −im_min] lands where its mirror image belongs.
class surface_miroir final : public surface {
  public:
    explicit surface_miroir(surface& s) : s_(s), somme_(cadre_haut() + cadre_bas(s.hauteur())) {}
    int largeur() const override { return s_.largeur(); }
    int hauteur() const override { return s_.hauteur(); }
    void couleur_crayon(couleur c) override { s_.couleur_crayon(c); }
    void epaisseur_crayon(int e) override { s_.epaisseur_crayon(e); }
    void style_crayon(style_trait st) override { s_.style_crayon(st); }
    void deplacer(int x, int y) override { s_.deplacer(x, somme_ - y); }
    void tracer_vers(int x, int y) override { s_.tracer_vers(x, somme_ - y); }
    void rectangle(int x1, int y1, int x2, int y2) override {
        s_.rectangle(x1, somme_ - y1, x2, somme_ - y2);
    }
    void police(const std::string& nom, int taille, couleur c) override {
        s_.police(nom, taille, c);
    }
    void texte(int x, int y, const std::string& t) override { s_.texte(x, somme_ - y, t); }
    int largeur_texte(const std::string& t) override { return s_.largeur_texte(t); }
    int hauteur_texte(const std::string& t) override { return s_.hauteur_texte(t); }

  private:
    surface& s_;
    int somme_;
};

struct point_px {
    double x = 0, y = 0;
    bool defini = false;
};

// The curve of ft at pulsations spread evenly in log ω over the study's range, in pixels, or its
// mirror image.
std::vector<point_px> echantillons(const fdt_travail& ft, const etude_frequence& r, int w, int h,
                                   bool miroir) {
    std::vector<point_px> v;
    if (!(r.w_min > 0) || !(r.w_max > r.w_min) || !std::isfinite(r.w_max)) return v;
    const double a = std::log(r.w_min), b = std::log(r.w_max);
    v.reserve(echantillons_fleches);
    for (int i = 0; i < echantillons_fleches; ++i) {
        const double om = std::exp(a + (b - a) * i / (echantillons_fleches - 1));
        const point_frq p = point_frequentiel(ft, r, diagramme::nyquist, om, cadre_bas(h),
                                              cadre_haut(), cadre_droite(w), cadre_gauche());
        const int y =
            miroir ? y_vers_pixel(cadre_haut(), cadre_bas(h), -p.valeur_v, r.im_min, r.im_max)
                   : p.py;
        v.push_back({double(p.px), double(y), p.defini});
    }
    return v;
}

void fleche(surface& s, double x, double y, double angle) {
    for (const double cote : {-angle_fleche, angle_fleche})
        s.ligne(arrondi_pixel(x), arrondi_pixel(y),
                arrondi_pixel(x - longueur_fleche * std::cos(angle + cote)),
                arrondi_pixel(y - longueur_fleche * std::sin(angle + cote)));
}

// Arrows spread along the visible length of the sampled curve, pointing the way ω increases
// (the reverse of the samples' order on the mirrored branch).
void tracer_fleches(surface& s, const std::vector<point_px>& v, bool inverse) {
    const int w = s.largeur(), h = s.hauteur();
    const auto dedans = [&](const point_px& p) {
        return p.defini && p.x >= cadre_gauche() && p.x <= cadre_droite(w) && p.y >= cadre_haut() &&
               p.y <= cadre_bas(h);
    };
    // A step across a third of the frame is a jump past a pole, not a stretch of curve.
    const double saut = std::hypot(double(w), double(h)) / 3;
    struct morceau {
        point_px a, b;
        double l;
    };
    std::vector<morceau> m;
    double total = 0;
    for (std::size_t j = 0; j + 1 < v.size(); ++j) {
        if (!dedans(v[j]) || !dedans(v[j + 1])) continue;
        const double l = std::hypot(v[j + 1].x - v[j].x, v[j + 1].y - v[j].y);
        if (l == 0 || l > saut) continue;
        m.push_back({v[j], v[j + 1], l});
        total += l;
    }
    if (total < 4 * longueur_fleche) return;
    const int n = std::clamp(int(total / longueur_par_fleche), 1, fleches_max);
    double parcouru = 0;
    int suivante = 0;
    for (const morceau& c : m) {
        const double cible = total * (suivante + 0.5) / n;
        if (parcouru + c.l >= cible) {
            const double t = (cible - parcouru) / c.l;
            const double angle = std::atan2(c.b.y - c.a.y, c.b.x - c.a.x) + (inverse ? pi : 0);
            fleche(s, c.a.x + t * (c.b.x - c.a.x), c.a.y + t * (c.b.y - c.a.y), angle);
            if (++suivante == n) return;
        }
        parcouru += c.l;
    }
}

void tracer_point_critique(surface& s, const etude_frequence& r, const param& p) {
    if (!(r.re_min <= -1 && r.re_max >= -1 && r.im_min <= 0 && r.im_max >= 0)) return;
    const int x = x_vers_pixel(cadre_gauche(), cadre_droite(s.largeur()), -1, r.re_min, r.re_max);
    const int y = y_vers_pixel(cadre_haut(), cadre_bas(s.hauteur()), 0, r.im_min, r.im_max);
    s.couleur_crayon(couleur_point_critique);
    s.epaisseur_crayon(2);
    s.style_crayon(style_trait::plein);
    s.ligne(x - demi_croix, y, x + demi_croix, y);
    s.ligne(x, y - demi_croix, x, y + demi_croix);
    s.epaisseur_crayon(1);
    s.police(p.police, p.taille_police, couleur_point_critique);
    // Above the axis, where no graduation is written.
    s.texte(x - demi_croix - s.largeur_texte("-1") - 1, y - 2 - s.hauteur_texte("-1"), "-1");
}

void ecrire_verdict(surface& s, const systeme& sys) {
    const std::optional<boucle_stabilite> b = boucle_stabilite_systeme(sys);
    if (!b) return;
    std::string t = verdict_court_nyquist(verdict_boucle(*b, b->etudiee.k));
    // Several curves shown: the verdict names the one it is about.
    if (fonctions_etudiees(sys).size() > 1)
        t = "Fonction n°" + std::to_string(sys.fonction_courante) + " : " + t;
    s.police(police_textes_frq, taille_textes_frq, couleur_textes_frq);
    s.texte(std::max(0, cadre_droite(s.largeur()) - s.largeur_texte(t)), 0, t);
}

} // namespace

std::string verdict_court_nyquist(const verdict_nyquist& v) {
    if (!v.valide) return "Pas de fonction à étudier.";
    if (!v.N || !v.Z) return "Le lieu passe par -1 : la boucle fermée n'est pas stable.";
    return "P = " + std::to_string(v.P) + ", N = " + std::to_string(*v.N) +
           " donc Z = " + std::to_string(*v.Z) + " : la boucle fermée est " +
           (v.stable ? "stable." : "instable.");
}

void tracer_extras_nyquist(surface& s, const etude_frequence& r, const param& p, const systeme& sys,
                           diagramme genre, bool avec_verdict) {
    if (genre != diagramme::nyquist || !cadre_utilisable(s.largeur(), s.hauteur())) return;
    etude_frequence inverse = r;
    inverse.im_min = -r.im_max;
    inverse.im_max = -r.im_min;
    surface_miroir miroir(s);
    for (const int k : fonctions_etudiees(sys)) {
        const fdt_travail& ft = fonction_du_slot(sys.fonctions, k);
        s.couleur_crayon(p.couleurs[static_cast<std::size_t>(k)]);
        s.epaisseur_crayon(1);
        s.style_crayon(style_trait::tirete);
        tracer_courbe_frq(miroir, ft, diagramme::nyquist, inverse);
        s.style_crayon(style_trait::plein);
        tracer_fleches(s, echantillons(ft, r, s.largeur(), s.hauteur(), false), false);
        tracer_fleches(s, echantillons(ft, r, s.largeur(), s.hauteur(), true), true);
    }
    tracer_point_critique(s, r, p);
    if (avec_verdict) ecrire_verdict(s, sys);
}

} // namespace varlem
