#pragma once
// Plot frame, graduation step rule and the world/pixel maps shared by every plot.

namespace varlem {

/// Left margin of the data area in pixels.
inline constexpr int marge_gauche = 15;
/// Right margin of the data area in pixels.
inline constexpr int marge_droite = 15;
/// Top margin of the data area in pixels.
inline constexpr int marge_haut = 10;
/// Bottom margin of the data area in pixels.
inline constexpr int marge_bas = 10;
/// Most graduations an axis ever draws, whatever its range and step.
inline constexpr int max_graduations = 1000;
/// Pixel results of the maps are clamped to ±limite_pixel so they always fit an int.
inline constexpr int limite_pixel = 1'000'000'000;

/// Left bound of the data area of any surface.
constexpr int cadre_gauche() {
    return marge_gauche;
}
/// Right bound of the data area of a surface of width w.
constexpr int cadre_droite(int w) {
    return w - marge_droite;
}
/// Top bound of the data area of any surface.
constexpr int cadre_haut() {
    return marge_haut;
}
/// Bottom bound of the data area of a surface of height h.
constexpr int cadre_bas(int h) {
    return h - marge_bas;
}
/// True when a w × h surface leaves a data area of at least one pixel each way.
constexpr bool cadre_utilisable(int w, int h) {
    return w > marge_gauche + marge_droite && h > marge_haut + marge_bas;
}

/// Round step for [lo, hi]; widens lo and hi in place (to contain zero when inclure_zero).
/// Always returns a finite positive step and leaves finite bounds lo < hi.
double pas_graduation(double& lo, double& hi, bool inclure_zero);

/// 10^x computed as e^(x · ln 10).
double puissance_dix(double x);

/// Pixel row of v: hi at haut, lo at bas.
int y_vers_pixel(int haut, int bas, double v, double lo, double hi);
/// Pixel column of v: lo at gauche, hi at droite.
int x_vers_pixel(int gauche, int droite, double v, double lo, double hi);
/// Pixel column of w > 0 on a log axis spanning decades dlo..dhi between gauche and droite.
int log_vers_pixel(int dlo, int dhi, int gauche, int droite, double w);
/// Value at pixel column px of a log axis spanning decades dlo..dhi.
double pixel_vers_log(int px, int gauche, int droite, int dlo, int dhi);
/// Value at pixel column px of a linear axis lo..hi.
double pixel_vers_x(int px, int gauche, int droite, double lo, double hi);
/// Value at pixel row py of a linear axis lo..hi (hi at the top).
double pixel_vers_y(int py, int haut, int bas, double lo, double hi);

/// Nearest int, halves to even; NaN gives 0 and magnitudes are clamped to limite_pixel.
int arrondi_pixel(double v);

} // namespace varlem
