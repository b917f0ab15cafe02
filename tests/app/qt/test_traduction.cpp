// Qt's own dialogs speak French once the French catalogues are installed.
#include "app/qt/traduction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

namespace varlem {
namespace {

// Installs the French catalogues for one test, then restores the application as it was.
class TraductionTest : public ::testing::Test {
  protected:
    void SetUp() override { locale_ = QLocale(); }
    void TearDown() override {
        retirer_traduction_francaise(*QCoreApplication::instance());
        QLocale::setDefault(locale_);
    }

    QLocale locale_;
};

TEST_F(TraductionTest, BoutonsStandardEnFrancais) {
    ASSERT_TRUE(installer_traduction_francaise(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    QDialogButtonBox boutons(QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Cancel);
    EXPECT_EQ(boutons.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')),
              QStringLiteral("Oui"));
    EXPECT_EQ(boutons.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')),
              QStringLiteral("Non"));
    EXPECT_EQ(boutons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Annuler"));
    EXPECT_EQ(QLocale().language(), QLocale::French);
    // The program's own number texts are not the locale's: they keep the decimal point.
    EXPECT_EQ(QString::number(1.5), QStringLiteral("1.5"));
}

TEST_F(TraductionTest, RetraitRendLAnglais) {
    QCoreApplication& app = *QCoreApplication::instance();
    ASSERT_TRUE(installer_traduction_francaise(app));
    const auto une_fois = app.findChildren<QTranslator*>().size();
    // Installing twice does not stack a second set of catalogues.
    ASSERT_TRUE(installer_traduction_francaise(app));
    EXPECT_EQ(app.findChildren<QTranslator*>().size(), une_fois);
    retirer_traduction_francaise(app);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QDialogButtonBox boutons(QDialogButtonBox::No);
    EXPECT_EQ(boutons.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')),
              QStringLiteral("No"));
}

} // namespace
} // namespace varlem
