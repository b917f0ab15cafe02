#pragma once
// Where a study goes on a printed page: its caption across the top, then its drawing scaled by
// one factor on both axes to the largest size the rest of the page holds, centred across it.

namespace varlem {

/// A rectangle of a page in the printer's units: left, top, width and height.
struct cadre_page {
    double x = 0;
    double y = 0;
    double largeur = 0;
    double hauteur = 0;
    friend bool operator==(const cadre_page&, const cadre_page&) = default;
};

/// The caption's and the drawing's places on the page, and the drawing's scale (printer units
/// per pixel of the drawing).
struct mise_en_page {
    cadre_page titre;
    cadre_page trace;
    /// Zero when nothing can be drawn (an empty drawing, or no room left under the caption).
    double echelle = 0;
};

/// The page of a drawing of `largeur` × `hauteur` pixels printed in `page` (the printable
/// area) under a caption one line of `hauteur_titre` high, half a line above the drawing.
mise_en_page mettre_en_page(const cadre_page& page, int largeur, int hauteur, double hauteur_titre);

} // namespace varlem
