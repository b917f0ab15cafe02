#pragma once
// The drawing of a root locus: graduated axes and the imaginary axis, asymptotes dashed from
// their centre, the branches in colour with an arrow of increasing K each, the open-loop poles
// "×" and zeros "o", the special points marked with their gain, and the closed-loop poles at
// the current gain.

#include "analysis/lieu_evans.h"
#include "plot/param.h"
#include "plot/surface.h"

#include <array>
#include <optional>

namespace varlem {

/// Bounds and graduation steps of a locus drawing.
struct echelle_lieu {
    double re_min = -1, re_max = 1, im_min = -1, im_max = 1;
    double pas_re = 0.1, pas_im = 0.1;
};

/// Colours and sizes of a locus drawing.
struct style_lieu {
    couleur poles = 0x0000FF;
    couleur zeros = 0xFF0000;
    couleur asymptotes = 0x808080;
    couleur points = 0x000000;
    couleur boucle_fermee = 0xFF00FF;
    /// Branch b is drawn in branches[b % 8].
    std::array<couleur, 8> branches = {0xC00000, 0x0080FF, 0x00A000, 0x0000C0,
                                       0x800080, 0x808000, 0x004080, 0xFF8000};
    /// Half-size in pixels of the poles' crosses and the zeros' circles.
    int symbole = 5;
};

/// The automatic scale for a drawing of w × h pixels: the locus's view with equal units on both
/// axes (widening the narrower range about its middle), graduated.
echelle_lieu echelle_auto_lieu(const lieu_evans& l, int largeur, int hauteur);
/// The scale of the view v for a drawing of w × h pixels, with equal units on both axes in the
/// same way, graduated.
echelle_lieu echelle_vue_lieu(const vue_plan& v, int largeur, int hauteur);

/// Draws the locus l on s at the scale e; the closed-loop poles at gain k when given. The
/// complementary branches, when computed, are drawn dotted without arrows. Draws nothing when
/// the surface or the scale leaves no area.
void tracer_lieu(surface& s, const lieu_evans& l, const echelle_lieu& e, const param& p,
                 const style_lieu& st = {}, std::optional<double> k = std::nullopt);

} // namespace varlem
