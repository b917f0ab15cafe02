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

bool intervalle_dans(double x1, double y1, double dx, double dy, double gauche, double haut,
                     double droite, double bas, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
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
    return true;
}

void tracer_polyligne_trouee(surface& s, const polyligne_px& l,
                             const std::vector<rectangle_px>& trous) {
    // The pen stands at the start of the current segment: its drawing goes on from there.
    bool au_debut = false;
    std::vector<std::pair<double, double>> caches;
    for (std::size_t i = 0; i + 1 < l.size(); ++i) {
        const double x1 = l[i].first, y1 = l[i].second;
        const double dx = l[i + 1].first - x1, dy = l[i + 1].second - y1;
        caches.clear();
        for (const rectangle_px& r : trous) {
            double t0, t1;
            if (intervalle_dans(x1, y1, dx, dy, r.gauche, r.haut, r.droite, r.bas, t0, t1))
                caches.emplace_back(t0, t1);
        }
        std::sort(caches.begin(), caches.end());
        bool a_la_fin = false;
        const auto tracer = [&](double a, double b) {
            if (!(b > a)) return;
            if (!(au_debut && a == 0))
                s.deplacer(arrondi_pixel(x1 + a * dx), arrondi_pixel(y1 + a * dy));
            s.tracer_vers(arrondi_pixel(x1 + b * dx), arrondi_pixel(y1 + b * dy));
            a_la_fin = b == 1;
        };
        double debut = 0;
        for (const auto& [t0, t1] : caches) {
            tracer(debut, t0);
            debut = std::max(debut, t1);
        }
        tracer(debut, 1);
        au_debut = a_la_fin;
    }
}

bool couper_segment(double& x1, double& y1, double& x2, double& y2, double gauche, double haut,
                    double droite, double bas) {
    double t0, t1;
    const double dx = x2 - x1, dy = y2 - y1;
    if (!intervalle_dans(x1, y1, dx, dy, gauche, haut, droite, bas, t0, t1)) return false;
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

} // namespace varlem
