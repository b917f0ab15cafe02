// Test entry point for the Qt suites: one QApplication for the whole run.
#include "plot/qt/registres_evenements.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Every test starts from a desktop that remembers nothing of an earlier one.
class memoire_videe : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { QSettings().clear(); }
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs at build time without a display: list before creating Qt objects.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // What the program keeps between runs goes to a folder of the test run's own, never to the
    // user's settings.
    QTemporaryDir reglages_du_bureau;
    if (!reglages_du_bureau.isValid()) return 1;
    setenv("XDG_CONFIG_HOME", reglages_du_bureau.path().toLocal8Bit().constData(), 1);
    for (const QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(f, QSettings::UserScope, reglages_du_bureau.path());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varlem essais"));
    QApplication::setApplicationName(QStringLiteral("Varlem essais"));
    ::testing::UnitTest::GetInstance()->listeners().Append(new memoire_videe);
    // As the program does, so that the random walk's timings are the program's.
    varlem::liberer_registres_a_chaque_evenement(app);
    return RUN_ALL_TESTS();
}
