// The application as a desktop citizen: the windows the main window owns and where they go,
// what is kept between runs, "Annuler" and "Rétablir" over the system's changes, and the
// recent files.
#include "app/qt/application_varlem.h"

#include "app/commandes_principales.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/memoire_bureau.h"
#include "document/qt/fenetre_systeme.h"
#include "plot/qt/textes_qt.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/qt/fenetre_etude.h"
#include "studies/qt/fenetres_possedees.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>

#include <algorithm>

namespace varlem {

void application_varlem::preparer_bureau() {
    fenetre_principale* p = principale_.get();
    recents_ = lire_fichiers_recents();
    connect(p->actions().recents, &QMenu::aboutToShow, this, &application_varlem::remplir_recents);
    remplir_recents();
    actualiser_edition();
}

void application_varlem::montrer() {
    montrer_principale(*principale_);
}

void application_varlem::placer_fenetre_etude(QWidget& fenetre) {
    const std::vector<rectangle_ecran> ecrans = ecrans_disponibles();
    if (ecrans.empty()) return;
    // The frame the window manager will draw, as it drew it around an owned window already
    // shown (the main window's, maximised, may have no sides).
    const QMargins bords =
        bords_cadre(systeme_->windowHandle() ? static_cast<QWidget&>(*systeme_) : *principale_);
    const std::optional<rectangle_ecran> memoire = cadre_memorise(cle_fenetre(fenetre));
    if (memoire && geometrie_restaurable(*memoire, ecrans) &&
        restaurer_cadre(cle_fenetre(fenetre), fenetre))
        return;
    const QSize t = fenetre.size().grownBy(bords);
    if (&fenetre == systeme_) {
        // Under the main window's tool bar, at its left: the studies have the room beside it.
        if (!principale_->isVisible()) return;
        const QPoint coin = principale_->cadre()->mapToGlobal(QPoint(0, 0));
        const rectangle_ecran cadre{coin.x(), coin.y(), t.width(), t.height()};
        if (geometrie_restaurable(cadre, ecrans)) poser_cadre(fenetre, cadre, bords);
        return;
    }
    bureau b;
    b.ecrans = ecrans;
    for (QWidget* w : fenetres_visibles(*principale_))
        if (w != systeme_ && w != &fenetre && !w->isMinimized())
            b.fenetres.push_back(rectangle_de(w->frameGeometry()));
    if (systeme_->isVisible() && !systeme_->isMinimized())
        b.systeme = rectangle_de(systeme_->frameGeometry());
    poser_cadre(fenetre, placer_fenetre(b, t.width(), t.height()), bords);
}

void application_varlem::memoriser_bureau() {
    memoriser_principale(*principale_);
    for (QWidget* w : fenetres_visibles(*principale_))
        if (w == systeme_ || std::find(etudes_.begin(), etudes_.end(), w) != etudes_.end())
            memoriser_cadre(cle_fenetre(*w), *w);
}

void application_varlem::changer_systeme(const std::function<void()>& changement) {
    historique_.changer(sys_, changement);
    actualiser_edition();
}

void application_varlem::actualiser_edition() {
    const actions_principales& a = principale_->actions();
    a.annuler->setEnabled(historique_.peut_annuler(sys_));
    a.retablir->setEnabled(historique_.peut_retablir(sys_));
}

void application_varlem::annuler() {
    appliquer_historique(historique_.annuler(sys_, reg_));
}

void application_varlem::retablir() {
    appliquer_historique(historique_.retablir(sys_, reg_));
}

void application_varlem::appliquer_historique(const resultat_historique& r) {
    if (r.effectue && r.systeme_vide) {
        // As when the system is emptied, the settings kept.
        activer_etudes(false);
        principale_->actions().ouvrir->setEnabled(true);
        for (fenetre_etude* f : etudes_) {
            f->reinitialiser();
            f->changer_mode();
        }
    }
    // The system window enables the commands and runs the refresh of a file read.
    systeme_->apres_historique(r);
    if (r.effectue && !r.systeme_vide) reglages_->remplir_dialogue();
    actualiser_edition();
}

void application_varlem::ouvrir_recent(const QString& chemin) {
    if (peut_remplacer()) ouvrir_fichier(chemin);
}

void application_varlem::noter_recent(const std::filesystem::path& chemin, erreur_fichier e) {
    if (chemin.empty()) return;
    recents_.noter(chemin, e);
    ecrire_fichiers_recents(recents_);
    remplir_recents();
}

void application_varlem::remplir_recents() {
    QMenu* menu = principale_->actions().recents;
    // An entry may be the one being chosen: it goes once its signal has run.
    for (QAction* a : menu->actions()) {
        menu->removeAction(a);
        a->deleteLater();
    }
    const std::vector<std::filesystem::path>& chemins = recents_.chemins();
    for (std::size_t i = 0; i < chemins.size(); ++i) {
        const QString chemin = QString::fromStdU16String(chemins[i].u16string());
        auto* a = new QAction(texte_qt(libelle_recent(recents_, i)), menu);
        a->setToolTip(chemin);
        a->setStatusTip(chemin);
        connect(a, &QAction::triggered, this, [this, chemin] { ouvrir_recent(chemin); });
        menu->addAction(a);
    }
    activer_recents();
}

void application_varlem::activer_recents() {
    // A recent file is opened as "Ouvrir" opens one: not over a closed loop or a template.
    principale_->actions().recents->setEnabled(!recents_.vide() && commandes_du_mode(sys_).ouvrir);
}

} // namespace varlem
