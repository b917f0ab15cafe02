#pragma once
// Thin curves written straight into a screen bitmap. The painter spends over ten nanoseconds on
// each pixel of a steep one-pixel line (one span, one fill call per pixel): the responses to a
// fast sine in a large window cross the height thousands of times and took a quarter of a
// second to draw. Written here, their pixels cost one store each.

class QPainter;
class QPen;
class QPolygon;

namespace varlem {

/// Draws `points` as a polyline with the one-pixel solid `crayon` into the bitmap `peintre`
/// paints on, lighting the very pixels the painter would: when the bitmap is an RGB32 or ARGB32
/// image at one device pixel per unit, with no transform, clip, antialiasing or blending, the
/// colour is opaque and every point lies in the image. False: nothing was drawn, and the
/// painter must draw it.
bool tracer_polyligne_directe(QPainter& peintre, const QPolygon& points, const QPen& crayon);

} // namespace varlem
