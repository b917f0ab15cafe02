#include "studies/trace_asymptotes.h"

#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "numeric/nombres.h"
#include "plot/echelles.h"
#include "plot/traits_tires.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace varlem {

namespace {

constexpr double deux_pi = 2 * std::numbers::pi;
constexpr double radians_par_degre = std::numbers::pi / 180;
// Gap in pixels between a label and the line or mark it names.
constexpr int ecart_etiquette = 3;
// The further gap tried next, past an axis's graduation marks.
constexpr int ecart_etiquette_loin = 6;
// Where along a segment its slope's label is tried, in order.
constexpr double positions_pente[] = {0.5, 0.35, 0.65, 0.2, 0.8};

// The frame of a gain or phase diagram with its maps in doubles, so that segments are cut to
// the frame before they are rounded to pixels.
struct cadre_bode {
    double gauche = 0, droite = 0, haut = 0, bas = 0;
    int dlo = 0, dhi = 1;
    bool en_hertz = false;
    double lo = 0, hi = 1, pas = 1;
    double w_debut = 0, w_fin = 0;

    double x(double w) const {
        const double xw = en_hertz ? w / deux_pi : w;
        return gauche + (std::log10(xw) - dlo) * (droite - gauche) / (dhi - dlo);
    }
    double y(double v) const { return haut + (hi - v) * (bas - haut) / (hi - lo); }
    bool valide() const {
        return dhi > dlo && hi > lo && std::isfinite(hi - lo) && w_debut > 0 &&
               std::isfinite(w_fin) && w_fin > w_debut;
    }
};

cadre_bode cadre_de(const surface& s, const etude_frequence& r, diagramme_bode d) {
    cadre_bode c;
    c.gauche = cadre_gauche();
    c.droite = cadre_droite(s.largeur());
    c.haut = cadre_haut();
    c.bas = cadre_bas(s.hauteur());
    c.dlo = r.decade_min;
    c.dhi = r.decade_max;
    c.en_hertz = r.en_hertz;
    c.lo = d == diagramme_bode::gain ? r.gain_min : r.phase_min;
    c.hi = d == diagramme_bode::gain ? r.gain_max : r.phase_max;
    c.pas = d == diagramme_bode::gain ? r.gain_pas : r.phase_pas;
    const double unite = r.en_hertz ? deux_pi : 1.0;
    c.w_debut = puissance_dix(r.decade_min) * unite;
    c.w_fin = puissance_dix(r.decade_max) * unite;
    return c;
}

// A label to place: its text, colour and candidate rectangles (top-left = where it is written).
struct etiquette {
    std::string texte;
    couleur c = 0;
    etiquette_candidate candidats;
};

// Sizes of the label texts, each measured once: the same few slopes recur on every function.
struct tailles_textes {
    std::map<std::string, std::pair<int, int>> connues;
    std::pair<int, int> de(surface& s, const std::string& t) {
        auto [i, nouvelle] = connues.try_emplace(t);
        if (nouvelle) i->second = {s.largeur_texte(t), s.hauteur_texte(t)};
        return i->second;
    }
};

// Segments cut to the frame and drawn with the pen in force (dashed), one polyline while each
// segment starts where the previous one ended, so that the dashes run on across its corners.
class trait_asymptote {
  public:
    trait_asymptote(surface& s, const cadre_bode& c) : s_(s), c_(c) {}

    // The visible part of the segment, drawn; false when none is visible.
    bool segment(double& x1, double& y1, double& x2, double& y2) {
        if (!couper_segment(x1, y1, x2, y2, c_.gauche, c_.haut, c_.droite, c_.bas)) return false;
        const int xa = arrondi_pixel(x1), ya = arrondi_pixel(y1);
        const int xb = arrondi_pixel(x2), yb = arrondi_pixel(y2);
        if (!suite_ || x1 != fin_x_ || y1 != fin_y_) s_.deplacer(xa, ya);
        // Within one pixel: no point added, the pen stands there already.
        if (xb != xa || yb != ya) s_.tracer_vers(xb, yb);
        suite_ = true;
        fin_x_ = x2;
        fin_y_ = y2;
        return true;
    }

  private:
    surface& s_;
    const cadre_bode& c_;
    bool suite_ = false;
    double fin_x_ = 0, fin_y_ = 0;
};

// Candidates for a label of size w × h beside the segment, off the line's side: above-right
// or below-left of a falling line, above-left or below-right of a rising one.
etiquette_candidate candidats_pente(double x1, double y1, double x2, double y2, int w, int h) {
    etiquette_candidate e;
    const double pente = x2 != x1 ? (y2 - y1) / (x2 - x1) : 0;
    // Close to the line first, then a little further off (clear of an axis it runs along).
    for (const int g : {ecart_etiquette, ecart_etiquette + ecart_etiquette_loin})
        for (const double f : positions_pente) {
            const int x = arrondi_pixel(x1 + f * (x2 - x1));
            const int y = arrondi_pixel(y1 + f * (y2 - y1));
            if (std::fabs(pente) < 1e-9) {
                e.candidats.push_back({x - w / 2, y - g - h, x - w / 2 + w, y - g});
                e.candidats.push_back({x - w / 2, y + g, x - w / 2 + w, y + g + h});
            } else if (pente > 0) {
                e.candidats.push_back({x + g, y - g - h, x + g + w, y - g});
                e.candidats.push_back({x - g - w, y + g, x - g, y + g + h});
            } else {
                e.candidats.push_back({x - g - w, y - g - h, x - g, y - g});
                e.candidats.push_back({x + g, y + g, x + g + w, y + g + h});
            }
        }
    return e;
}

void tracer_gain(surface& s, const cadre_bode& c, const asymptotes_couleur& f,
                 const reglages_asymptotes& o, tailles_textes& tailles,
                 std::vector<etiquette>& etiquettes) {
    const asymptotes_bode& a = f.asymptotes;
    std::vector<double> noeuds{c.w_debut};
    std::vector<int> pentes{a.pente_initiale};
    for (const cassure_bode& k : a.cassures) {
        if (k.omega <= c.w_debut) pentes.back() = k.pente;
        if (k.omega > c.w_debut && k.omega < c.w_fin) {
            noeuds.push_back(k.omega);
            pentes.push_back(k.pente);
        }
    }
    noeuds.push_back(c.w_fin);
    trait_asymptote trait(s, c);
    for (std::size_t i = 0; i + 1 < noeuds.size(); ++i) {
        double x1 = c.x(noeuds[i]), y1 = c.y(gain_asymptotique_db(a, noeuds[i]));
        double x2 = c.x(noeuds[i + 1]), y2 = c.y(gain_asymptotique_db(a, noeuds[i + 1]));
        if (!trait.segment(x1, y1, x2, y2)) continue;
        if (!f.etiquetee || std::hypot(x2 - x1, y2 - y1) < segment_min_etiquete) continue;
        etiquette e{texte_pente(pentes[i], o.pente), f.c, {}};
        const auto [w, h] = tailles.de(s, e.texte);
        e.candidats = candidats_pente(x1, y1, x2, y2, w, h);
        etiquettes.push_back(std::move(e));
    }
}

void tracer_phase(surface& s, const cadre_bode& c, const etude_frequence& r,
                  const asymptotes_bode& a, convention_phase convention) {
    const auto y = [&](double w) {
        const double deg = phase_asymptotique_deg(a, w, convention);
        return c.y(r.en_radians ? deg * radians_par_degre : deg);
    };
    // Steps: a level up to each break, then the jump; ramps: straight between the knots.
    std::vector<std::pair<double, double>> points{{c.x(c.w_debut), y(c.w_debut)}};
    for (const double w : noeuds_phase(a, convention)) {
        if (!(w > c.w_debut && w < c.w_fin)) continue;
        if (convention == convention_phase::paliers)
            points.emplace_back(c.x(w), points.back().second);
        points.emplace_back(c.x(w), y(w));
    }
    points.emplace_back(c.x(c.w_fin), y(c.w_fin));
    trait_asymptote trait(s, c);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        double x1 = points[i].first, y1 = points[i].second;
        double x2 = points[i + 1].first, y2 = points[i + 1].second;
        trait.segment(x1, y1, x2, y2);
    }
}

// The row of the frame's horizontal axis: zero, or one graduation above the bottom.
int axe_horizontal(const cadre_bode& c, const param& p) {
    const double valeur = p.inclure_zero ? 0.0 : c.lo + c.pas;
    return std::clamp(arrondi_pixel(c.y(valeur)), arrondi_pixel(c.haut), arrondi_pixel(c.bas));
}

// A solid mark across the horizontal axis at each break in sight; its pulsation (in the axis
// unit) to be written beside it when `etiquettes` is given.
void marquer_cassures(surface& s, const cadre_bode& c, const param& p, const asymptotes_couleur& f,
                      tailles_textes& tailles, std::vector<etiquette>* etiquettes) {
    const int y_axe = axe_horizontal(c, p);
    s.style_crayon(style_trait::plein);
    for (const cassure_bode& k : f.asymptotes.cassures) {
        if (!(k.omega >= c.w_debut && k.omega <= c.w_fin)) continue;
        const int x = arrondi_pixel(c.x(k.omega));
        s.ligne(x, y_axe - demi_marque_cassure, x, y_axe + demi_marque_cassure);
        if (!etiquettes) continue;
        etiquette e{texte_nombre(c.en_hertz ? k.omega / deux_pi : k.omega), f.c, {}};
        const auto [w, h] = tailles.de(s, e.texte);
        const int bas = y_axe + demi_marque_cassure + 1, haut = y_axe - demi_marque_cassure - 1;
        e.candidats.candidats = {
            {x - w / 2, bas, x - w / 2 + w, bas + h}, {x - w / 2, haut - h, x - w / 2 + w, haut},
            {x + 2, bas, x + 2 + w, bas + h},         {x - 2 - w, bas, x - 2, bas + h},
            {x + 2, haut - h, x + 2 + w, haut},       {x - 2 - w, haut - h, x - 2, haut}};
        etiquettes->push_back(std::move(e));
    }
}

} // namespace

std::string texte_pente(int n, ecriture_pente e) {
    // The minus sign of typeset slopes (U+2212), a plus for rising ones.
    const std::string signe = n < 0 ? "\u2212" : n > 0 ? "+" : "";
    if (e == ecriture_pente::entiere) return "pente " + signe + std::to_string(std::abs(n));
    return signe + std::to_string(20 * std::abs(n)) + " dB/d\u00e9c";
}

std::vector<asymptotes_couleur> asymptotes_etudiees(const systeme& sys, const param& p) {
    std::vector<asymptotes_couleur> a;
    for (const int k : fonctions_etudiees(sys))
        a.push_back({calculer_asymptotes(sys.fonctions[static_cast<std::size_t>(k)]),
                     p.couleurs[static_cast<std::size_t>(k)]});
    return a;
}

void tracer_asymptotes(surface& s, const etude_frequence& r, const param& p, diagramme_bode d,
                       const std::vector<asymptotes_couleur>& fonctions,
                       const reglages_asymptotes& o, std::vector<rectangle_px> occupes) {
    if (!cadre_utilisable(s.largeur(), s.hauteur()) || fonctions.empty()) return;
    const cadre_bode c = cadre_de(s, r, d);
    if (!c.valide()) return;
    // The label font first: the candidates are measured in it.
    s.police(p.police, p.taille_police, p.couleur_axes);
    std::vector<etiquette> pentes, cassures;
    tailles_textes tailles;
    for (const asymptotes_couleur& f : fonctions) {
        if (!f.asymptotes.valide) continue;
        s.couleur_crayon(f.c);
        s.epaisseur_crayon(1);
        s.style_crayon(style_trait::tirete);
        if (d == diagramme_bode::gain)
            tracer_gain(s, c, f, o, tailles, pentes);
        else
            tracer_phase(s, c, r, f.asymptotes, o.convention);
        marquer_cassures(s, c, p, f, tailles,
                         o.valeurs_cassures && f.etiquetee ? &cassures : nullptr);
    }
    std::vector<etiquette> toutes = std::move(pentes);
    for (etiquette& e : cassures) toutes.push_back(std::move(e));
    std::vector<etiquette_candidate> candidats;
    for (const etiquette& e : toutes) candidats.push_back(e.candidats);
    const rectangle_px zone{cadre_gauche(), cadre_haut(), cadre_droite(s.largeur()),
                            cadre_bas(s.hauteur())};
    // The axes' lines and graduation marks: no label goes over them.
    const int marque = p.quadrillage ? 0 : std::max(p.longueur_graduations, 0);
    const int y = axe_horizontal(c, p);
    occupes.push_back({zone.gauche, y - demi_marque_cassure - 1, zone.droite + 1,
                       y + std::max(marque, demi_marque_cassure) + 2});
    occupes.push_back({zone.gauche - 1, zone.haut, zone.gauche + marque + 2, zone.bas + 1});
    const std::vector<int> choix = placer_etiquettes(candidats, occupes, zone);
    for (std::size_t i = 0; i < toutes.size(); ++i) {
        if (choix[i] < 0) continue;
        const rectangle_px& q = toutes[i].candidats.candidats[static_cast<std::size_t>(choix[i])];
        s.police(p.police, p.taille_police, toutes[i].c);
        s.texte(q.gauche, q.haut, toutes[i].texte);
    }
}

} // namespace varlem
