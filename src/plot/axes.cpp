#include "plot/axes.h"

#include "numeric/nombres.h"
#include "plot/echelles.h"

#include <cmath>

namespace varlem {

namespace {

// Label font and a solid pen in the axes colour.
void preparer(surface& s, const param& p) {
    s.police(p.police, p.taille_police, p.couleur_axes);
    s.epaisseur_crayon(1);
    s.style_crayon(style_trait::plein);
    s.couleur_crayon(p.couleur_axes);
}

// A grid line in light grey, then the pen goes back to the solid axes colour.
void ligne_grille(surface& s, const param& p, int x1, int y1, int x2, int y2) {
    s.couleur_crayon(couleur_grille);
    s.style_crayon(p.pointilles ? style_trait::pointille : style_trait::plein);
    s.ligne(x1, y1, x2, y2);
    s.couleur_crayon(p.couleur_axes);
    s.style_crayon(style_trait::plein);
}

int moitie(int n) {
    return arrondi_pixel(n / 2.0);
}

// Graduations are drawn only over a real range with a step that moves the value, and never
// more than max_graduations of them (a huge count would be an unreadable smear anyway).
bool graduations_possibles(double pas, double lo, double hi) {
    if (!std::isfinite(pas) || !(pas > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
    if (!(lo < hi)) return false;
    const double nombre = (hi - lo) / pas;
    return std::isfinite(nombre) && nombre < max_graduations;
}

// Residues of repeated stepping (1.4e-17 where 0 is meant) are labelled 0.
std::string texte_graduation(double v, double pas) {
    return texte_nombre(std::abs(v) < pas / 100 ? 0.0 : v);
}

// Calls graduer(v, etiquette) for v = depart, depart + pas, … while v stays on the near side of
// fin (pas may be negative), every other graduation labelled, the first one not.
template <typename Graduer>
void parcourir_graduations(double depart, double fin, double pas, Graduer graduer) {
    bool etiquette = false;
    double v = depart;
    for (int n = 0; (pas > 0 ? v <= fin : v >= fin) && n <= max_graduations; ++n) {
        graduer(v, etiquette);
        const double suivant = v + pas;
        if (suivant == v) break; // far from zero a small step cannot move the value
        v = suivant;
        etiquette = !etiquette;
    }
}

} // namespace

void tracer_axe_vertical(surface& s, const param& p, int x, double pas, double lo, double hi) {
    const int w = s.largeur();
    const int h = s.hauteur();
    if (!cadre_utilisable(w, h)) return;
    preparer(s, p);
    if (graduations_possibles(pas, lo, hi)) {
        const int decalage_x = moitie(s.largeur_texte("W"));
        const int decalage_y = moitie(s.hauteur_texte("1"));
        parcourir_graduations(hi, lo, -pas, [&](double v, bool etiquette) {
            const int y = y_vers_pixel(cadre_haut(), cadre_bas(h), v, lo, hi);
            if (p.quadrillage)
                ligne_grille(s, p, cadre_gauche(), y, cadre_droite(w), y);
            else
                s.ligne(x, y, x + p.longueur_graduations, y);
            if (etiquette) s.texte(x + decalage_x, y - decalage_y, texte_graduation(v, pas));
        });
    }
    s.ligne(x, cadre_haut(), x, cadre_bas(h));
}

void tracer_axe_horizontal(surface& s, const param& p, int y, double pas, double lo, double hi) {
    const int w = s.largeur();
    const int h = s.hauteur();
    if (!cadre_utilisable(w, h)) return;
    preparer(s, p);
    if (graduations_possibles(pas, lo, hi)) {
        const int decalage_y = moitie(s.hauteur_texte("1"));
        parcourir_graduations(lo, hi, pas, [&](double v, bool etiquette) {
            const int x = x_vers_pixel(cadre_gauche(), cadre_droite(w), v, lo, hi);
            if (p.quadrillage)
                ligne_grille(s, p, x, cadre_haut(), x, cadre_bas(h));
            else
                s.ligne(x, y, x, y + p.longueur_graduations);
            if (etiquette) s.texte(x, y + decalage_y, texte_graduation(v, pas));
        });
    }
    s.ligne(cadre_gauche(), y, cadre_droite(w), y);
}

void tracer_axe_log(surface& s, const param& p, int y, int dlo, int dhi) {
    const int w = s.largeur();
    const int h = s.hauteur();
    if (!cadre_utilisable(w, h) || dhi <= dlo) return;
    preparer(s, p);
    const long long gauche = cadre_gauche();
    const long long droite = cadre_droite(w);
    const double decades = double(dhi) - double(dlo);
    // Graduations sit at a whole-pixel decade spacing; below one pixel they cannot advance.
    const long long ppd = arrondi_pixel(double(droite - gauche) / decades);
    if (ppd < 1) return;
    const long long lignes_par_m = (droite - gauche + ppd - 1) / ppd;
    // Sub-decade lines go first when the count is too high, then the decade lines.
    const int m_max = 9 * lignes_par_m <= max_graduations ? 9
                      : lignes_par_m <= max_graduations   ? 1
                                                          : 0;
    for (int m = 1; m <= m_max; ++m) {
        for (long long x = arrondi_pixel(std::log10(m) * double(ppd)) + gauche; x < droite;
             x += ppd) {
            const int xi = static_cast<int>(x);
            if (p.quadrillage)
                ligne_grille(s, p, xi, cadre_haut(), xi, cadre_bas(h));
            else
                s.ligne(xi, y, xi, y + p.longueur_graduations);
        }
    }
    if (decades + 1 > max_graduations) return;
    for (long long k = 0; k <= dhi - static_cast<long long>(dlo); ++k) {
        const double valeur = puissance_dix(double(dlo + k));
        if (!std::isfinite(valeur)) continue;
        const long long x = k * ppd + gauche + 2;
        s.texte(static_cast<int>(x), y + 5, texte_nombre(valeur));
    }
}

void tracer_axes(surface& s, const param& p, double pas_x, double pas_y, double xlo, double xhi,
                 double ylo, double yhi) {
    const int w = s.largeur();
    const int h = s.hauteur();
    if (!cadre_utilisable(w, h)) return;
    // Through the origin, or one graduation inside the lower and left bounds.
    const double x0 = p.inclure_zero ? 0.0 : xlo + pas_x;
    const double y0 = p.inclure_zero ? 0.0 : ylo + pas_y;
    const int x = x_vers_pixel(cadre_gauche(), cadre_droite(w), x0, xlo, xhi);
    const int y = y_vers_pixel(cadre_haut(), cadre_bas(h), y0, ylo, yhi);
    tracer_axe_horizontal(s, p, y, pas_x, xlo, xhi);
    tracer_axe_vertical(s, p, x, pas_y, ylo, yhi);
    // Again, so that the axis lies over the grid lines of the vertical axis.
    s.couleur_crayon(p.couleur_axes);
    s.style_crayon(style_trait::plein);
    s.ligne(cadre_gauche(), y, cadre_droite(w), y);
}

void tracer_axes_log(surface& s, const param& p, int dlo, int dhi, double pas_y, double ylo,
                     double yhi) {
    const int w = s.largeur();
    const int h = s.hauteur();
    if (!cadre_utilisable(w, h)) return;
    const double y0 = p.inclure_zero ? 0.0 : ylo + pas_y;
    const int y = y_vers_pixel(cadre_haut(), cadre_bas(h), y0, ylo, yhi);
    tracer_axe_vertical(s, p, cadre_gauche(), pas_y, ylo, yhi);
    tracer_axe_log(s, p, y, dlo, dhi);
    s.couleur_crayon(p.couleur_axes);
    s.style_crayon(style_trait::plein);
    s.ligne(cadre_gauche(), cadre_haut(), cadre_gauche(), cadre_bas(h));
    s.ligne(cadre_gauche(), y, cadre_droite(w), y);
}

} // namespace varlem
