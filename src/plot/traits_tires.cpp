#include "plot/traits_tires.h"

#include "plot/echelles.h"

#include <algorithm>
#include <cmath>

namespace varlem {

void trace_tirets::deplacer(double x, double y) {
    x_ = x;
    y_ = y;
    phase_ = 0;
}

void trace_tirets::tracer_vers(double x, double y) {
    const double dx = x - x_, dy = y - y_;
    const double longueur = std::hypot(dx, dy);
    const double periode = tiret_ + blanc_;
    if (!(longueur > 0) || !std::isfinite(longueur) || !(periode > 0)) {
        x_ = x;
        y_ = y;
        return;
    }
    // The pattern is cut where the segment meets a dash's start or end.
    double parcouru = 0;
    while (parcouru < longueur) {
        const bool dans_tiret = phase_ < tiret_;
        const double reste = dans_tiret ? tiret_ - phase_ : periode - phase_;
        const double pas = std::min(reste, longueur - parcouru);
        if (dans_tiret) {
            const double a = parcouru / longueur, b = (parcouru + pas) / longueur;
            const int xa = arrondi_pixel(x_ + a * dx), ya = arrondi_pixel(y_ + a * dy);
            const int xb = arrondi_pixel(x_ + b * dx), yb = arrondi_pixel(y_ + b * dy);
            if (xa != xb || ya != yb) s_.ligne(xa, ya, xb, yb);
        }
        parcouru += pas;
        phase_ += pas;
        if (phase_ >= periode) phase_ -= periode;
    }
    x_ = x;
    y_ = y;
}

bool couper_segment(double& x1, double& y1, double& x2, double& y2, double gauche, double haut,
                    double droite, double bas) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    // Each side: p·t ≤ q keeps the point within.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - gauche, droite - x1, y1 - haut, bas - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

} // namespace varlem
