#include "studies/trace_abaque.h"

#include "plot/echelles.h"
#include "plot/traits_tires.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace varlem {

namespace {

constexpr double degres_par_radian = 180 / std::numbers::pi;
// Where along a piece its label is tried, in order of arc length.
constexpr double positions_etiquette[] = {0.5, 0.4, 0.6, 0.3, 0.7, 0.2, 0.8, 0.1, 0.9};
// The labels' order of importance: the contours a design reads first get their label first.
constexpr double ordre_modules[] = {2.3, 0, 3, 6, -3, 1, -1, -6, 12, 0.5, -12, -20};
// Pixels kept clear around every label.
constexpr int ecart_etiquettes = 2;

std::string nombre_court(double v) {
    char t[32];
    std::snprintf(t, sizeof t, "%g", v);
    return t;
}

// The pixel map of the window onto the frame.
struct carte_black {
    fenetre_black f;
    int gauche, droite, haut, bas;
    int x(double phase_deg) const {
        return x_vers_pixel(gauche, droite, phase_deg, f.phase_min_deg, f.phase_max_deg);
    }
    int y(double gain_db) const {
        return y_vers_pixel(haut, bas, gain_db, f.gain_min_db, f.gain_max_db);
    }
};

// The pieces of a contour in pixels, a point repeating the previous pixel left out.
std::vector<polyligne_px> en_pixels(const contour_black& c, const carte_black& k) {
    std::vector<polyligne_px> r;
    for (const auto& m : c.morceaux) {
        polyligne_px l;
        for (const point_black& q : m) {
            const std::pair<int, int> px{k.x(q.phase_deg), k.y(q.gain_db)};
            if (l.empty() || l.back() != px) l.push_back(px);
        }
        if (l.size() >= 2) r.push_back(std::move(l));
    }
    return r;
}

// Candidates for a label of w × h centred on points spread along the polyline.
etiquette_candidate candidats_le_long(const polyligne_px& l, int w, int h) {
    std::vector<double> cumul{0};
    for (std::size_t i = 1; i < l.size(); ++i)
        cumul.push_back(cumul.back() + std::hypot(double(l[i].first - l[i - 1].first),
                                                  double(l[i].second - l[i - 1].second)));
    etiquette_candidate e;
    // A piece shorter than twice its label is left unlabelled.
    if (cumul.back() < 2.0 * w) return e;
    for (const double f : positions_etiquette) {
        const double d = f * cumul.back();
        const std::size_t i = static_cast<std::size_t>(
            std::lower_bound(cumul.begin(), cumul.end(), d) - cumul.begin());
        const auto [x, y] = l[std::min(i, l.size() - 1)];
        e.candidats.push_back({x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h});
    }
    return e;
}

int rang(const contour_black& c) {
    if (c.sorte == sorte_contour::iso_phase) return static_cast<int>(std::size(ordre_modules));
    const auto* p = std::find(std::begin(ordre_modules), std::end(ordre_modules), c.valeur);
    return static_cast<int>(p - std::begin(ordre_modules));
}

struct etiquette {
    std::string texte;
    couleur c = 0;
    etiquette_candidate candidats;
    int rang = 0;
};

// The resonance's label, its candidates around the point, first on the sides the curve of L
// leaves free: below-right and above-left of a rising curve, above-right and below-left of a
// falling one.
etiquette etiquette_resonance(surface& s, const fdt_travail& l, const tangence_black& t,
                              const carte_black& k, couleur c) {
    const int x = k.x(t.phase_deg), y = k.y(t.gain_db);
    const auto pixel = [&](double w) {
        return std::pair{k.x(fdt_phase(l, w) * degres_par_radian), k.y(fdt_gain_db(l.fonction, w))};
    };
    const auto [xa, ya] = pixel(t.omega / 1.05);
    const auto [xb, yb] = pixel(t.omega * 1.05);
    const bool montante = (xb - xa) * (yb - ya) < 0;
    etiquette e{texte_resonance(t.module_db), c, {}};
    const int w = s.largeur_texte(e.texte), h = s.hauteur_texte(e.texte);
    const int g = demi_marque_resonance + 3;
    // Beside the mark, then a line of text further off when the axes or their labels are there.
    for (const int d : {g, g + h, g + 2 * h}) {
        const rectangle_px haut_droite{x + g, y - d - h, x + g + w, y - d};
        const rectangle_px haut_gauche{x - g - w, y - d - h, x - g, y - d};
        const rectangle_px bas_droite{x + g, y + d, x + g + w, y + d + h};
        const rectangle_px bas_gauche{x - g - w, y + d, x - g, y + d + h};
        const std::array<rectangle_px, 4> ordre =
            montante ? std::array{bas_droite, haut_gauche, haut_droite, bas_gauche}
                     : std::array{haut_droite, bas_gauche, bas_droite, haut_gauche};
        for (const rectangle_px& q : ordre) e.candidats.candidats.push_back(q);
    }
    e.candidats.candidats.push_back({x + g, y - h / 2, x + g + w, y - h / 2 + h});
    e.candidats.candidats.push_back({x - g - w, y - h / 2, x - g, y - h / 2 + h});
    return e;
}

// The lines of the diagram's axes with their graduation marks: no label goes over them.
std::vector<rectangle_px> axes_du_diagramme(const etude_frequence& r, const param& p,
                                            const carte_black& k) {
    const double x0 = p.inclure_zero ? 0.0 : r.black_phase_min + r.black_phase_pas;
    const double y0 = p.inclure_zero ? 0.0 : r.black_gain_min + r.black_gain_pas;
    const int x = x_vers_pixel(k.gauche, k.droite, x0, r.black_phase_min, r.black_phase_max);
    const int y = y_vers_pixel(k.haut, k.bas, y0, r.black_gain_min, r.black_gain_max);
    const int marque = p.quadrillage ? 0 : std::max(p.longueur_graduations, 0);
    return {{k.gauche, y - 1, k.droite + 1, y + marque + 2},
            {x - 1, k.haut, x + marque + 2, k.bas + 1}};
}

// The resonance's square on the curve.
void marquer_resonance(surface& s, const tangence_black& t, const carte_black& k, couleur c) {
    const int x = k.x(t.phase_deg), y = k.y(t.gain_db), d = demi_marque_resonance;
    s.couleur_crayon(c);
    s.epaisseur_crayon(1);
    s.style_crayon(style_trait::plein);
    s.rectangle(x - d, y - d, x + d, y + d);
}

// One contour in pixels, and whether it is drawn stronger.
struct trace_contour {
    std::vector<polyligne_px> lignes;
    bool fort = false;
};

// Every contour of the window in pixels; one label per piece long enough, by importance.
std::vector<trace_contour> contours_en_pixels(surface& s, const carte_black& k,
                                              std::vector<etiquette>& etiquettes) {
    std::vector<trace_contour> traces;
    for (const contour_black& contour : contours_abaque(k.f)) {
        trace_contour t{en_pixels(contour, k), contour.sorte == sorte_contour::iso_module &&
                                                   contour.valeur == module_fort_db};
        const std::string texte = texte_contour(contour);
        const int w = s.largeur_texte(texte), h = s.hauteur_texte(texte);
        for (const polyligne_px& l : t.lignes) {
            etiquette e{texte, couleur_etiquettes_abaque, candidats_le_long(l, w, h),
                        rang(contour)};
            if (!e.candidats.candidats.empty()) etiquettes.push_back(std::move(e));
        }
        traces.push_back(std::move(t));
    }
    std::stable_sort(etiquettes.begin(), etiquettes.end(),
                     [](const etiquette& a, const etiquette& b) { return a.rang < b.rang; });
    return traces;
}

} // namespace

std::string texte_contour(const contour_black& c) {
    return nombre_court(c.valeur) + (c.sorte == sorte_contour::iso_module ? " dB" : "\u00b0");
}

std::string texte_resonance(double module_db) {
    char t[40];
    std::snprintf(t, sizeof t, "Mr = %.3g dB", module_db);
    return t;
}

const fdt_travail* boucle_ouverte_abaque(const systeme& sys) {
    if (sys.etudes.boucle_fermee) return &sys.fonctions[1];
    if (sys.nb_fonctions < 1 || !slot_valide(sys.fonction_courante) ||
        sys.fonction_courante > sys.nb_fonctions)
        return nullptr;
    return &sys.fonctions[static_cast<std::size_t>(sys.fonction_courante)];
}

fenetre_black fenetre_du_diagramme(const surface& s, const etude_frequence& r) {
    const double u = r.en_radians ? degres_par_radian : 1.0;
    fenetre_black f;
    f.phase_min_deg = r.black_phase_min * u;
    f.phase_max_deg = r.black_phase_max * u;
    f.gain_min_db = r.black_gain_min;
    f.gain_max_db = r.black_gain_max;
    f.largeur_px = std::max(cadre_droite(s.largeur()) - cadre_gauche(), 1);
    f.hauteur_px = std::max(cadre_bas(s.hauteur()) - cadre_haut(), 1);
    return f;
}

std::optional<tangence_black> tracer_abaque(surface& s, const etude_frequence& r, const param& p,
                                            const fdt_travail* boucle_ouverte, couleur c,
                                            std::vector<rectangle_px> occupes) {
    if (!cadre_utilisable(s.largeur(), s.hauteur())) return std::nullopt;
    const carte_black k{fenetre_du_diagramme(s, r), cadre_gauche(), cadre_droite(s.largeur()),
                        cadre_haut(), cadre_bas(s.hauteur())};
    // The label font first: the candidates are measured in it.
    s.police(p.police, p.taille_police, couleur_etiquettes_abaque);
    std::vector<etiquette> etiquettes;
    const std::vector<trace_contour> traces = contours_en_pixels(s, k, etiquettes);

    std::optional<tangence_black> t;
    if (boucle_ouverte) t = resonance_boucle_fermee(*boucle_ouverte);
    const bool marquee = t && std::isfinite(t->gain_db) && t->phase_deg >= k.f.phase_min_deg &&
                         t->phase_deg <= k.f.phase_max_deg && t->gain_db >= k.f.gain_min_db &&
                         t->gain_db <= k.f.gain_max_db;
    if (marquee)
        etiquettes.insert(etiquettes.begin(), etiquette_resonance(s, *boucle_ouverte, *t, k, c));

    std::vector<etiquette_candidate> candidats;
    for (const etiquette& e : etiquettes) candidats.push_back(e.candidats);
    for (const rectangle_px& a : axes_du_diagramme(r, p, k)) occupes.push_back(a);
    const std::size_t deja = occupes.size();
    const rectangle_px zone{k.gauche, k.haut, k.droite, k.bas};
    const std::vector<int> choix = placer_etiquettes(candidats, occupes, zone, ecart_etiquettes);
    // The contours break under the labels, which are read without a line through them.
    const std::vector<rectangle_px> trous(occupes.begin() + static_cast<std::ptrdiff_t>(deja),
                                          occupes.end());
    s.style_crayon(style_trait::plein);
    for (const trace_contour& tc : traces) {
        s.couleur_crayon(tc.fort ? couleur_abaque_forte : couleur_abaque);
        s.epaisseur_crayon(tc.fort ? epaisseur_abaque_forte : 1);
        for (const polyligne_px& l : tc.lignes) tracer_polyligne_trouee(s, l, trous);
    }
    s.epaisseur_crayon(1);
    if (marquee) marquer_resonance(s, *t, k, c);
    for (std::size_t i = 0; i < etiquettes.size(); ++i) {
        if (choix[i] < 0) continue;
        const rectangle_px& q =
            etiquettes[i].candidats.candidats[static_cast<std::size_t>(choix[i])];
        s.police(p.police, p.taille_police, etiquettes[i].c);
        s.texte(q.gauche, q.haut, etiquettes[i].texte);
    }
    return t;
}

} // namespace varlem
