#pragma once
// Frequency study: the pulsation range and the value ranges of the five diagrams, one point
// of any diagram, and the adaptive tracing of one curve.

#include "analysis/diagrammes.h"
#include "analysis/etudes.h"
#include "analysis/fonctions.h"
#include "numeric/fdt.h"
#include "plot/surface.h"

#include <vector>

namespace varlem {

/// Decade exponents are kept within ±decade_limite so every pulsation stays a finite double.
inline constexpr int decade_limite = 300;
/// Most step divisions while refining one segment before the curve is abandoned there.
inline constexpr int max_divisions_pas = 99;
/// Most step doublings in a row (enough to cross the whole range of doubles).
inline constexpr int max_doublements_pas = 2200;
/// Linear steps over an invisible start before the step starts doubling.
inline constexpr int max_pas_lineaires_depart = 4096;
/// Most evaluations of one curve: a net, far above what any drawable curve needs.
inline constexpr int max_evaluations_courbe = 1'000'000;
/// Largest pixel distance between two consecutive points of a curve inside the frame.
inline constexpr double ecart_max_pixels = 5.0;
/// Smallest pixel distance sought between two consecutive points.
inline constexpr double ecart_min_pixels = 1.0;
/// Ratio between two pulsations of the range sweep.
inline constexpr double raison_balayage = 1.1;

/// Recomputes the pulsation range (from the root moduli of the slots `etudiees` of the bank
/// when automatique, else from the stored decades) and every value range and step of the five
/// diagrams. Both root bounds start at the first pole term of slot 1.
void preparer_frequences(etude_frequence& r, bool automatique, const banque_fonctions& f,
                         const std::vector<int>& etudiees);

/// One point of a diagram: its world values and its pixel.
struct point_frq {
    /// Horizontal world value (pulsation or frequency, phase, or real part).
    double valeur_h = 0.0;
    /// Vertical world value (gain, phase, imaginary part or modulus).
    double valeur_v = 0.0;
    /// Pixel column.
    int px = 0;
    /// Pixel row.
    int py = 0;
    /// Both world values are finite (false exactly on a pole, for instance).
    bool defini = false;
};

/// The point of diagram `genre` at pulsation w (rad/s) within the given pixel bounds.
point_frq point_frequentiel(const fdt_travail& ft, const etude_frequence& r, diagramme genre,
                            double w, int bas, int haut, int droite, int gauche);

/// Traces the curve of ft on diagram `genre` over the surface's frame, with the pen in force,
/// keeping consecutive points 1 to 5 pixels apart inside the frame.
void tracer_courbe_frq(surface& s, const fdt_travail& ft, diagramme genre,
                       const etude_frequence& r);

} // namespace varlem
