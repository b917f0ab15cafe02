#include "numeric/registres_vectoriels.h"
#include "plot/qt/registres_evenements.h"
#include "plot/qt/surface_qt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>

#include <functional>

namespace varlem {
namespace {

// True when a fill of Qt leaves the upper halves in use where the processor tells it: else
// nothing here can be seen.
bool qt_les_laisse_en_usage() {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    return moities_hautes_en_usage();
}

// Every call of the surface that makes the painter paint hands the registers back free.
TEST(RegistresQtTest, LaSurfaceLesRendLibres) {
    if (!qt_les_laisse_en_usage()) GTEST_SKIP() << "registres jamais vus en usage";
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    surface_qpainter s(&peintre, 300, 200);
    EXPECT_FALSE(moities_hautes_en_usage()) << "après le fond";
    const struct {
        const char* nom;
        std::function<void()> dessiner;
    } cas[] = {
        {"trait fin hors de l'image", [&] { s.ligne(-10, 5, 290, 150); }},
        {"trait épais",
         [&] {
             s.epaisseur_crayon(3);
             s.ligne(10, 20, 250, 20);
             s.epaisseur_crayon(1);
         }},
        {"pointillés",
         [&] {
             s.style_crayon(style_trait::pointille);
             s.ligne(10, 40, 250, 180);
             s.style_crayon(style_trait::plein);
         }},
        {"rectangle", [&] { s.rectangle(20, 20, 200, 150); }},
        {"texte", [&] { s.texte(30, 30, "Gain (dB)"); }},
    };
    for (const auto& k : cas) {
        k.dessiner();
        s.deplacer(0, 0);
        EXPECT_FALSE(moities_hautes_en_usage()) << k.nom;
    }
}

// A handler sees the registers free whatever was painted before its event.
TEST(RegistresQtTest, ChaqueEvenementPartDeRegistresLibres) {
    auto* app = QCoreApplication::instance();
    ASSERT_NE(app, nullptr);
    liberer_registres_a_chaque_evenement(*app);
    struct temoin : QObject {
        bool libres = false;
        bool event(QEvent* e) override {
            libres = !moities_hautes_en_usage();
            return QObject::event(e);
        }
    };
    if (!qt_les_laisse_en_usage()) GTEST_SKIP() << "registres jamais vus en usage";
    temoin t;
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&t, &e);
    EXPECT_TRUE(t.libres);
}

} // namespace
} // namespace varlem
