#pragma once
// Where a study window goes the first time it opens: free space of the screen beside the system
// window, else a cascade that leaves the system window uncovered when there is room for it; and
// whether a geometry remembered from an earlier run still fits the screens.
// Every rectangle is a window's outer frame in the desktop's pixel coordinates.

#include <vector>

namespace varlem {

/// A rectangle of pixels: left, top, width and height.
struct rectangle_ecran {
    int x = 0;
    int y = 0;
    int largeur = 0;
    int hauteur = 0;

    /// First column right of the rectangle.
    int droite() const { return x + largeur; }
    /// First row below the rectangle.
    int bas() const { return y + hauteur; }
    /// No pixel: a side is zero or negative.
    bool vide() const { return largeur <= 0 || hauteur <= 0; }
    friend bool operator==(const rectangle_ecran&, const rectangle_ecran&) = default;
};

/// The pixels the two rectangles share (empty when they do not meet).
rectangle_ecran intersection(const rectangle_ecran& a, const rectangle_ecran& b);
/// The two rectangles share at least one pixel.
bool se_chevauchent(const rectangle_ecran& a, const rectangle_ecran& b);
/// `dedans` lies wholly within `dehors`.
bool contient(const rectangle_ecran& dehors, const rectangle_ecran& dedans);

/// Pixels left between a placed window and the windows beside it.
inline constexpr int ecart_fenetres = 4;
/// Offset between two windows of a cascade, in each direction.
inline constexpr int pas_cascade = 32;
/// Margin by which a remembered geometry may leave the screens (frames and shadows).
inline constexpr int tolerance_geometrie = 16;

/// What the placement knows of the desktop.
struct bureau {
    /// Available rectangles of the screens, the primary one first.
    std::vector<rectangle_ecran> ecrans;
    /// Frames of the study windows already shown (not the main window behind them).
    std::vector<rectangle_ecran> fenetres;
    /// Frame of the system window; empty when it is hidden.
    rectangle_ecran systeme;
};

/// Frame of a study window opened for the first time, of `largeur` × `hauteur` (reduced to its
/// screen when larger): free space on the system window's screen nearest to the system window,
/// else free space on another screen, else a cascade beside the system window, else a cascade
/// over the whole screen.
rectangle_ecran placer_fenetre(const bureau& b, int largeur, int hauteur);

/// A remembered frame is restored only when it lies on the screens, give or take
/// `tolerance_geometrie`, and is not empty.
bool geometrie_restaurable(const rectangle_ecran& cadre,
                           const std::vector<rectangle_ecran>& ecrans);

} // namespace varlem
