// Varlem: study of linear time-invariant systems given by their transfer functions.
#include "app/ligne_commande.h"
#include "app/qt/application_varlem.h"
#include "app/qt/icone.h"
#include "app/qt/plateforme_qt.h"
#include "app/qt/traduction.h"
#include "plot/qt/registres_evenements.h"

#include <QApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // "--help" and "--version" answer before any window, so also without a display.
    if (const auto reponse =
            varlem::reponse_ligne_commande({argv + std::min(argc, 1), argv + argc})) {
        std::fputs(reponse->c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    varlem::liberer_registres_a_chaque_evenement(application);
    // The desktop keeps the windows' places and the recent files under these names.
    QApplication::setOrganizationName(QStringLiteral("Varlem"));
    QApplication::setApplicationName(QStringLiteral("Varlem"));
    QApplication::setWindowIcon(varlem::icone_programme());
    varlem::installer_traduction_francaise(application);

    varlem::plateforme_qt plateforme;
    const auto varlem_app = std::make_unique<varlem::application_varlem>(plateforme);
    varlem_app->montrer();
    // "varlem FILE.fdt" opens that system; a refused file leaves the system empty.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) varlem_app->ouvrir_fichier(arguments.at(1));
    return QApplication::exec();
}
