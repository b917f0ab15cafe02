#include "studies/qt/fenetre_attente.h"

#include <QApplication>
#include <QProgressBar>

namespace varlem {

namespace {

// Repainting more often than this would slow the computation for nothing the eye can see.
constexpr qint64 intervalle_affichage_ms = 40;

} // namespace

fenetre_attente::fenetre_attente(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      jauge_(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("Patientez SVP"));
    setAccessibleName(windowTitle());
    setFixedSize(346, 68);
    jauge_->setGeometry(24, 24, 297, 25);
    jauge_->setRange(0, 100);
    jauge_->setValue(0);
    jauge_->setAccessibleName(QStringLiteral("Avancement du calcul"));
    QPalette couleurs = jauge_->palette();
    couleurs.setColor(QPalette::Highlight, QColor(0x00, 0xFF, 0x00));
    jauge_->setPalette(couleurs);
}

int fenetre_attente::progression() const {
    return jauge_->value();
}

void fenetre_attente::executer(const std::function<void(const rapport_progression&)>& calcul) {
    jauge_->setValue(0);
    chrono_.start();
    dernier_affichage_ms_ = -intervalle_affichage_ms;
    calcul([this](int pourcentage) { avancer(pourcentage); });
    hide();
}

void fenetre_attente::avancer(int pourcentage) {
    const qint64 ecoule = chrono_.elapsed();
    if (ecoule < delai_ms_ || ecoule - dernier_affichage_ms_ < intervalle_affichage_ms) return;
    dernier_affichage_ms_ = ecoule;
    jauge_->setValue(std::clamp(pourcentage, 0, 100));
    if (!isVisible()) {
        show();
        raise();
    }
    // The computation runs on this thread: let the windows repaint, but take no command.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace varlem
