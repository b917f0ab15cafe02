// Test entry point for the Qt suites: one QApplication for the whole run.
#include "plot/qt/registres_evenements.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs at build time without a display: list before creating Qt objects.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // As the program does, so that the random walk's timings are the program's.
    varlem::liberer_registres_a_chaque_evenement(app);
    return RUN_ALL_TESTS();
}
