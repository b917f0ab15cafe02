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

// Nine responses to a fast sine across a window of 4000 × 3000 pixels: a point per pixel
// column, each swinging over most of the height every 20 columns; pens 1 to 5 pixels wide.
void BM_sinus_rapide_grande_image(benchmark::State& etat) {
    constexpr int w = 4000, h = 3000;
    QImage image(w, h, QImage::Format_RGB32);
    for (auto _ : etat) {
        image.fill(Qt::white);
        QPainter peintre(&image);
        surface_qpainter s(&peintre, w, h);
        param p;
        for (int f = 1; f <= 9; ++f) {
            s.epaisseur_crayon(static_cast<int>(etat.range(0)));
            s.couleur_crayon(p.couleurs[(f - 1) % 8 + 1]);
            for (int x = 0; x < w; ++x) {
                const int y = static_cast<int>(h / 2 + (h / 3) * std::sin(x * 0.314 + f));
                if (x == 0)
                    s.deplacer(x, y);
                else
                    s.tracer_vers(x, y);
            }
        }
        s.vider();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_sinus_rapide_grande_image)
    ->Name("trace/sinus_rapide_9_courbes_4000x3000")
    ->Arg(1)
    ->Arg(2)
    ->Arg(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varlem
#endif
