#include "studies/qt/fenetre_etude.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

namespace varlem {

fenetre_etude::fenetre_etude(contexte_fenetres& ctx, const QString& titre, QSize taille,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), barre_(new QToolBar(this)),
      disposition_(new QVBoxLayout(this)) {
    setWindowTitle(titre);
    resize(taille);
    barre_->setAccessibleName(titre);
    barre_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    disposition_->setContentsMargins(0, 0, 0, 0);
    disposition_->setSpacing(0);
    disposition_->addWidget(barre_);
    setWindowState(Qt::WindowMinimized);
}

void fenetre_etude::reinitialiser() {
    setWindowState(windowState() | Qt::WindowMinimized);
    cacher_contenu();
    setEnabled(false);
}

void fenetre_etude::montrer() {
    setEnabled(true);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QSize fenetre_etude::taille_exterieure() const { return frameGeometry().size(); }

QAction* fenetre_etude::ajouter_commande(const QString& texte, const QString& infobulle,
                                         std::function<void()> action) {
    QAction* a = barre_->addAction(texte);
    a->setToolTip(infobulle);
    a->setStatusTip(infobulle);
    connect(a, &QAction::triggered, this, [action = std::move(action)] { action(); });
    // Reachable with Tab and pressed with Space, like any button.
    if (QWidget* b = barre_->widgetForAction(a)) b->setFocusPolicy(Qt::TabFocus);
    return a;
}

void fenetre_etude::ajouter_separateur() { barre_->addSeparator(); }

} // namespace varlem
