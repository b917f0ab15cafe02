#pragma once
// The time study's plot: frame, title, input signal, response curves and readout arrow, drawn
// on any surface (screen image, vector copy, test recording).

#include "document/systeme.h"
#include "plot/surface.h"
#include "settings/reglages.h"
#include "studies/lecture_temporelle.h"

#include <optional>

namespace varlem {

/// What differs between the drawings of the time study.
struct variante_trace_temporel {
    /// Marks the readout point with the red arrow while the readout is open.
    bool fleche_lecture = true;
    /// Clips the first point of each exact response like all the others.
    bool ecreter_premier_point = true;
};

/// What a drawing of the time study drew.
struct rendu_temporel {
    /// The frame and the curves were drawn.
    bool dessine = false;
    /// The point the readout arrow marks, when it was drawn.
    std::optional<point_lecture_tps> fleche;
};

/// Draws the time study on s at s's size. Draws nothing on an unusable size or range, or for
/// an exact kind while the time window is closed.
rendu_temporel dessiner_temporel(surface& s, const etude_temps& r, const systeme& sys,
                                 const reglages& reg, const variante_trace_temporel& v);

/// Full drawing of the time study.
rendu_temporel tracer_temporel(surface& s, const etude_temps& r, const systeme& sys,
                               const reglages& reg);

/// The drawing for a copy: no readout arrow, and the first point of a curve is not clipped.
void copier_temporel(surface& s, const etude_temps& r, const systeme& sys, const reglages& reg);

} // namespace varlem
