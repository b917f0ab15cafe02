#pragma once
// The drawing area each study window gives its plots for its outer size, and whether a resize
// leaves room enough to draw again.

namespace varlem {

/// A drawing area in pixels; unusable when either side is zero or negative.
struct zone_trace {
    int largeur = 0;
    int hauteur = 0;
    /// Both sides are positive: the plot can be drawn.
    bool utilisable() const { return largeur > 0 && hauteur > 0; }
    friend bool operator==(const zone_trace&, const zone_trace&) = default;
};

/// Smallest side of a plot that a resize still redraws (a side must exceed it).
inline constexpr int cote_min_redessin = 20;

/// The single frequency diagram: (W − 20) × (H − 75).
zone_trace zone_frequentiel(int largeur, int hauteur);
/// Each of the two stacked Bode diagrams: (W − 20) × (round(H / 2) − 40).
zone_trace zone_bode(int largeur, int hauteur);
/// Top of the second Bode diagram: round(H / 2) + 10 (halves round to even).
int haut_bode_phase(int hauteur);
/// The pole-zero map: (W − 70) × (H − 70).
zone_trace zone_poles_zeros(int largeur, int hauteur);
/// The time plot: (W − 30) × (H − 100).
zone_trace zone_temps(int largeur, int hauteur);

/// A resize redraws only when both sides of the area exceed `cote_min_redessin`.
bool assez_grand(const zone_trace& z);

} // namespace varlem
