#pragma once
// A study-window test bench: two typed functions, their frequency ranges prepared, the
// scripted desktop and a recording refresh, as the application hands them to the windows.

#include "app/qt/outils_fenetres.h"
#include "app/qt/plateforme_scriptee.h"
#include "document/etudes_systeme.h"
#include "document/outils_document.h"
#include "studies/qt/image_trace.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace varlem::test {

/// Fixture: 1/((1+p)(1+0.5p)) and (1+p)/(1+3p+p²), the first one current.
class banc_etudes : public ::testing::Test {
  protected:
    void SetUp() override {
        sys = systeme_tape({{"1", "(1+p)(1+0.5p)"}, {"1+p", "1+3p+p^2"}});
        ctx = std::make_unique<contexte_fenetres>(contexte_fenetres{*sys, reg, plat, pilote});
        preparer_frequences(reg.frequence, true, *sys);
    }

    /// The rang-th picture of a window.
    static image_trace* image(QWidget* w, int rang = 0) {
        const auto images = w->findChildren<image_trace*>();
        return rang < images.size() ? images[rang] : nullptr;
    }
    /// The size of the rang-th picture's drawing, in logical pixels.
    static QSize image_de(QWidget* w, int rang = 0) {
        const image_trace* i = image(w, rang);
        return i ? i->image().deviceIndependentSize().toSize() : QSize();
    }

    std::unique_ptr<systeme> sys;
    reglages reg;
    plateforme_scriptee plat;
    pilote_enregistre pilote;
    std::unique_ptr<contexte_fenetres> ctx;
};

/// Moves the mouse, no button held, to p over w, through the window system as a real pointer.
inline void survoler(QWidget* w, QPoint p) {
    QTest::mouseMove(w->window()->windowHandle(), w->mapTo(w->window(), p));
}

/// A number shown by a label ("." decimal separator, as the readouts write it).
inline double nombre_de(const QWidget* w, const QString& nom) {
    const QLabel* l = controle<QLabel>(const_cast<QWidget*>(w), nom);
    if (!l) {
        ADD_FAILURE() << "no label " << nom.toStdString();
        return 0.0;
    }
    bool lu = false;
    const double v = l->text().trimmed().toDouble(&lu);
    if (!lu) ADD_FAILURE() << "label " << nom.toStdString() << " shows " << l->text().toStdString();
    return v;
}

} // namespace varlem::test
