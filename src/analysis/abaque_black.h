#pragma once
// The Black-Nichols chart: the contours of the closed loop F = L/(1 + L) (unity feedback) in the
// Black plane of L (phase in degrees across, gain in dB up), in closed form, cut to a window and
// repeated in every turn of phase it shows; the closed-loop resonance where the curve of L
// touches its highest iso-module contour; the closed-loop value at one pulsation.

#include "numeric/fdt.h"

#include <optional>
#include <vector>

namespace varlem {

/// A window of the Black plane and the size in pixels it is drawn at (the contours are sampled
/// finely enough for that size).
struct fenetre_black {
    /// Left bound: phase of L, degrees.
    double phase_min_deg = -360;
    /// Right bound: phase of L, degrees.
    double phase_max_deg = 0;
    /// Bottom bound: gain of L, dB.
    double gain_min_db = -60;
    /// Top bound: gain of L, dB.
    double gain_max_db = 60;
    /// Width of the window in pixels.
    int largeur_px = 1000;
    /// Height of the window in pixels.
    int hauteur_px = 1000;
};

/// What a contour holds constant.
enum class sorte_contour {
    /// |F| in dB.
    iso_module,
    /// arg F in degrees, in (−180°, 180°).
    iso_phase,
};

/// A point of the Black plane.
struct point_black {
    /// Phase of L, degrees.
    double phase_deg = 0;
    /// Gain of L, dB.
    double gain_db = 0;
};

/// One contour cut to a window.
struct contour_black {
    /// What the contour holds constant.
    sorte_contour sorte = sorte_contour::iso_module;
    /// |F| in dB, or arg F in degrees.
    double valeur = 0;
    /// The visible pieces, one polyline each, every point on the contour and within the window
    /// (a piece ending on the window's edge ends exactly there).
    std::vector<std::vector<point_black>> morceaux;
};

/// The iso-module values of the chart, dB: −20, −12, −6, −3, −1, 0, 0.5, 1, 2.3, 3, 6, 12.
const std::vector<double>& modules_abaque_db();
/// The iso-phase values, degrees: −1 … −150 and their mirror images 1 … 150.
const std::vector<double>& phases_abaque_deg();

/// The contour |F| = module_db within the window.
contour_black contour_iso_module(double module_db, const fenetre_black& f);
/// The contour arg F = phase_deg (in (−180°, 180°), not 0) within the window.
contour_black contour_iso_phase(double phase_deg, const fenetre_black& f);
/// Every contour of the chart within the window, iso-module lines first.
std::vector<contour_black> contours_abaque(const fenetre_black& f);

/// F = L/(1 + L) at one pulsation.
struct valeur_boucle_fermee {
    /// 20·log10|F| (−10000 where F = 0, +∞ on a closed-loop pole).
    double module_db = 0;
    /// arg F in (−180°, 180°].
    double phase_deg = 0;
};

/// F(jω) from the polynomials of L = N/D, as N/(N + D); from L(jω) itself when L carries a
/// delay or stands for a delayed loop.
valeur_boucle_fermee boucle_fermee_en(const fdt& l, double w);

/// Where the curve of L touches the highest iso-module contour: the closed-loop resonance.
struct tangence_black {
    /// Pulsation, rad/s.
    double omega = 0;
    /// Phase of L there, degrees, on the branch of fdt_phase (the curve's own).
    double phase_deg = 0;
    /// Gain of L there, dB.
    double gain_db = 0;
    /// |F| there, dB: the contour touched.
    double module_db = 0;
};

/// The largest local maximum of |F(jω)|, from the roots of the derivative of |F|² in ω²; none
/// when |F| has no peak above its values at 0 and ∞, or F has a pole on the imaginary axis.
std::optional<tangence_black> resonance_boucle_fermee(const fdt_travail& l);

} // namespace varlem
