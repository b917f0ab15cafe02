#pragma once
// What the root-locus window shows, without Qt: the locus of the system's loop, computed once
// per loop and view; its scale, automatic or zoomed; the point a click picked; the drawing with
// the closed-loop poles at the current gain; the pointer's coordinates and the texts of the
// status line and the caption.

#include "analysis/lieu_evans.h"
#include "document/boucle_stabilite.h"
#include "document/systeme.h"
#include "plot/param.h"
#include "plot/surface.h"
#include "studies/trace_lieu.h"
#include "studies/zones_trace.h"

#include <optional>
#include <string>

namespace varlem {

/// The locus window's drawing area for its outer size: (W − 20) × (H − 75).
zone_trace zone_lieu(int largeur, int hauteur);

/// What the user chose in the locus window.
struct etat_lieu {
    /// The view zoomed to; the automatic view when absent.
    std::optional<vue_plan> zoom;
    /// The point of the locus a click picked.
    std::optional<point_lieu> choisi;
};

/// The locus of the system's loop with the loop and the view it was computed for.
struct lieu_systeme {
    boucle_stabilite boucle;
    std::optional<vue_plan> vue;
    lieu_evans lieu;
};

/// The locus of loop b, its steps bounded by the view `vue` (the automatic one when absent).
lieu_systeme calculer_lieu_boucle(const boucle_stabilite& b, const std::optional<vue_plan>& vue);
/// The locus of the system's loop; nothing when the system has no loop to study.
std::optional<lieu_systeme> calculer_lieu_systeme(const systeme& s,
                                                  const std::optional<vue_plan>& vue);
/// The locus l holds the loop b (whatever its gain) for the view `vue`: only the closed-loop
/// poles need drawing again.
bool meme_lieu(const lieu_systeme& l, const boucle_stabilite& b,
               const std::optional<vue_plan>& vue);

/// The scale of a w × h drawing: the zoomed view, or the locus's automatic one.
echelle_lieu echelle_etat_lieu(const lieu_systeme& l, const etat_lieu& e, int largeur, int hauteur);

/// The window's drawing: its title, the locus with the closed-loop poles at the loop's gain and
/// what they are, the point chosen with its gain, and the note of a Padé stand-in.
void tracer_lieu_systeme(surface& s, const lieu_systeme& l, const etat_lieu& e, const param& p);

/// The point of the plane under pixel (x, y) of a w × h drawing at scale e; nothing outside the
/// frame.
std::optional<complexe> point_du_pixel(const echelle_lieu& e, int largeur, int hauteur, int x,
                                       int y);
/// "Re = …   Im = …" for the pointer at (x, y); empty outside the frame.
std::string coordonnees_lieu(const echelle_lieu& e, int largeur, int hauteur, int x, int y);
/// The point of the locus nearest to the click at (x, y); nothing outside the frame or when the
/// locus has no finite point.
std::optional<point_lieu> point_clique(const lieu_systeme& l, const echelle_lieu& e, int largeur,
                                       int hauteur, int x, int y);
/// The keyboard's move along the locus: the sample of the chosen point's branch next towards
/// larger gains (sens > 0) or smaller ones; without a point chosen, the first branch's sample
/// nearest to the gain k. Nothing when no finite sample lies that way.
std::optional<point_lieu> point_suivant(const lieu_evans& l, const std::optional<point_lieu>& p,
                                        int sens, double k);
/// "K = …   pôle … + j …   ζ = …   ωn = …".
std::string texte_point_lieu(const point_lieu& p);

/// The view of the rectangle dragged from (x0, y0) to (x1, y1) over a w × h drawing; nothing for
/// a click or a rectangle flat in either direction.
std::optional<vue_plan> vue_rectangle(const echelle_lieu& e, int largeur, int hauteur, int x0,
                                      int y0, int x1, int y1);
/// Largest bound of a view zoomed out.
inline constexpr double vue_max_lieu = 1e12;
/// The scale's view with each side moved outward by half its range; nothing once a bound would
/// pass ±vue_max_lieu.
std::optional<vue_plan> vue_elargie(const echelle_lieu& e);

/// The branches as CSV: "branche,k,re,im", one row per finite point of each branch (branches
/// numbered from 1).
std::string csv_lieu(const lieu_evans& l);

/// The caption: "Lieu d'Evans de la fonction n°k", "… bouclée" while the loop is closed.
std::string titre_lieu(const systeme& s);
/// "Fixer P" acts: the loop is closed and the point chosen lies on the locus of positive gains,
/// within the bounds a corrector's gain may take.
bool gain_applicable(const systeme& s, const etat_lieu& e);

} // namespace varlem
