#include "studies/qt/fenetre_etude.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QStatusTipEvent>
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

QSize fenetre_etude::taille_exterieure() const {
    QSize t = frameGeometry().size();
    // The status line is added below what the drawing areas are measured against.
    if (etat_) t.rheight() -= etat_->sizeHint().height();
    return t;
}

void fenetre_etude::ajouter_ligne_etat() {
    etat_ = new QStatusBar(this);
    etat_->setAccessibleName(QStringLiteral("Ligne d'état"));
    etat_->setSizeGripEnabled(false);
    disposition_->addWidget(etat_);
}

bool fenetre_etude::event(QEvent* e) {
    // A plain window has no status line of its own to show the hints of its commands.
    if (e->type() == QEvent::StatusTip && etat_) {
        etat_->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QWidget::event(e);
}

namespace {

const choix_fichier choix_export{
    QStringLiteral("Exporter"),
    QStringLiteral("Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf);;"
                   "Valeurs CSV (*.csv)")};

bool ecrire_texte(const QString& chemin, const std::string& texte) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const auto n = static_cast<qint64>(texte.size());
    return f.write(texte.data(), n) == n && f.flush();
}

} // namespace

void fenetre_etude::exporter(const dessin& trace, const std::function<std::string()>& valeurs) {
    const std::optional<QString> chemin = ctx_.plat.fichier_a_enregistrer(this, choix_export);
    if (!chemin) return;
    const QString extension = QFileInfo(*chemin).suffix().toLower();
    if (extension == QLatin1String("csv")) {
        if (!ecrire_texte(*chemin, valeurs()))
            ctx_.plat.erreur(this,
                             QStringLiteral("Impossible d'écrire le fichier %1").arg(*chemin));
        return;
    }
    switch (enregistrer_dessin(*chemin, ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, trace)) {
    case resultat_export::reussi:
        return;
    case resultat_export::extension_inconnue:
        ctx_.plat.erreur(this, QStringLiteral("Format inconnu : le nom du fichier doit finir par "
                                              ".png, .svg, .pdf ou .csv"));
        return;
    case resultat_export::taille_invalide:
        ctx_.plat.erreur(this, QStringLiteral("La taille de copie des courbes est invalide"));
        return;
    case resultat_export::erreur_ecriture:
        ctx_.plat.erreur(this, QStringLiteral("Impossible d'écrire le fichier %1").arg(*chemin));
        return;
    }
}

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

void fenetre_etude::ajouter_separateur() {
    barre_->addSeparator();
}

} // namespace varlem
