// Drawing speed of a frame and its curves on the screen bitmap.
#ifdef VARLEM_AVEC_QT
#include "plot/axes.h"
#include "plot/echelles.h"
#include "plot/qt/surface_qt.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>

namespace varlem {
namespace {

// A gain diagram: log frame over 7 decades with its grid, 8 curves of 1000 segments each.
void diagramme_gain(surface& s) {
    param p;
    p.quadrillage = true;
    tracer_axes_log(s, p, -3, 4, 10, -120, 20);
    const int w = s.largeur(), h = s.hauteur();
    for (int f = 1; f <= 8; ++f) {
        s.epaisseur_crayon(1);
        s.couleur_crayon(p.couleurs[f]);
        for (int i = 0; i <= 1000; ++i) {
            const double lw = -3 + 7.0 * i / 1000;
            const double g = -10 * f * std::log10(1 + std::pow(10.0, 2 * lw)) + f;
            const int x = log_vers_pixel(-3, 4, cadre_gauche(), cadre_droite(w), std::pow(10, lw));
            const int y = y_vers_pixel(cadre_haut(), cadre_bas(h), g, -120, 20);
            if (i == 0)
                s.deplacer(x, y);
            else
                s.tracer_vers(x, y);
        }
    }
}

void BM_trace_image(benchmark::State& etat) {
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : etat) {
        image.fill(Qt::white);
        QPainter peintre(&image);
        surface_qpainter s(&peintre, 1200, 800);
        diagramme_gain(s);
        s.vider();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_trace_image)->Name("trace/gain_8_courbes_image")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
#endif
