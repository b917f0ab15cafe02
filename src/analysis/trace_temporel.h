#pragma once
// The time study's plot: frame, title, input signal, response curves and readout arrow, drawn
// on any surface (screen image, vector copy, test recording).

#include "document/systeme.h"
#include "plot/surface.h"
#include "settings/reglages.h"

#include <optional>

namespace varlem {

/// What differs between the drawings of the time study.
struct variante_trace_temporel {
    /// Marks the readout point with the red arrow while the readout is open.
    bool fleche_lecture = true;
    /// Clips the first point of each exact response like all the others.
    bool ecreter_premier_point = true;
};

/// Draws the time study on s at s's size; returns the response value at the readout time when
/// the arrow was drawn. Draws nothing on an unusable size or range, or for an exact kind while
/// the time window is closed.
std::optional<double> dessiner_temporel(surface& s, const etude_temps& r, const systeme& sys,
                                        const reglages& reg, const variante_trace_temporel& v);

/// Full drawing of the time study; writes the readout value into sys.lecture.y_lecture.
void tracer_temporel(surface& s, const etude_temps& r, systeme& sys, const reglages& reg);

/// The drawing for a copy: no readout arrow, and the first point of a curve is not clipped.
void copier_temporel(surface& s, const etude_temps& r, const systeme& sys, const reglages& reg);

} // namespace varlem
