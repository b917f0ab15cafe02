#include "app/qt/application_varlem.h"

#include "app/commandes_principales.h"
#include "app/qt/boite_a_propos.h"
#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "document/etudes_systeme.h"
#include "document/fichier_fdt.h"
#include "document/qt/dialogue_saisie.h"
#include "document/qt/fenetre_systeme.h"
#include "plot/qt/textes_qt.h"
#include "settings/qt/dialogue_reglages.h"
#include "studies/qt/fenetre_attente.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QAction>
#include <QFileInfo>

#include <filesystem>

namespace varlem {

namespace {

const choix_fichier choix_ouverture{QStringLiteral("Ouvrir"),
                                    QStringLiteral("fichiers *.fdt (*.fdt)")};
const choix_fichier choix_enregistrement{QStringLiteral("Enregistrer"),
                                         QStringLiteral("*.fdt (*.fdt)")};

std::filesystem::path chemin_local(const QString& chemin) {
    return std::filesystem::path(chemin.toStdU16String());
}

} // namespace

application_varlem::application_varlem(plateforme& plat)
    : sys_(), reg_(), plat_(plat), ctx_{sys_, reg_, plat_, *this},
      principale_(std::make_unique<fenetre_principale>()) {
    // Every window is created once, in this order, and lives as long as the main window.
    fenetre_principale* p = principale_.get();
    a_propos_ = new boite_a_propos(p);
    frequentielle_ = new fenetre_frequentielle(ctx_, p);
    reglages_ = new dialogue_reglages(ctx_, p);
    poles_zeros_ = new fenetre_poles_zeros(ctx_, p);
    temporelle_ = new fenetre_temporelle(ctx_, p);
    decomposition_ = new fenetre_decomposition(ctx_, p);
    lieu_evans_ = new fenetre_lieu_evans(ctx_, p);
    stabilite_ = new fenetre_stabilite(ctx_, p);
    systeme_ = new fenetre_systeme(ctx_, p);
    inscrire_etudes();
    vider_systeme();
    saisie_ = new dialogue_saisie(p);
    systeme_->relier_dialogue(*saisie_);
    aide_ = new fenetre_aide(p);
    attente_ = new fenetre_attente(p);
    connecter_commandes();
    preparer_bureau();
}

void application_varlem::inscrire_etudes() {
    struct inscription {
        fenetre_etude* fenetre;
        int rang_barre;
        int rang_menu;
    };
    // The study windows, in the order the refresh reaches them, with the places of their
    // commands in the main window's tool bar and "&Etude" menu.
    const inscription liste[] = {
        {frequentielle_, 1, 0}, {poles_zeros_, 2, 3}, {decomposition_, 3, 2},
        {temporelle_, 0, 1},    {lieu_evans_, 4, 4},  {stabilite_, 5, 5},
    };
    std::vector<QAction*> barre(std::size(liste)), menu(std::size(liste));
    for (const inscription& i : liste) {
        etudes_.push_back(i.fenetre);
        barre[static_cast<std::size_t>(i.rang_barre)] = i.fenetre->commande();
        menu[static_cast<std::size_t>(i.rang_menu)] = i.fenetre->commande();
    }
    principale_->placer_etudes(barre, menu);
}

application_varlem::~application_varlem() = default;

void application_varlem::connecter_commandes() {
    const actions_principales& a = principale_->actions();
    const auto relier = [this](QAction* action, auto commande) {
        connect(action, &QAction::triggered, this, commande);
    };
    relier(a.entree, [this] { entree(); });
    relier(a.ouvrir, [this] { ouvrir(); });
    relier(a.menu_ouvrir, [this] { ouvrir(); });
    relier(a.enregistrer, [this] { enregistrer(); });
    relier(a.menu_enregistrer, [this] { enregistrer(); });
    relier(a.parametres, [this] { ouvrir_reglages(); });
    relier(a.syntaxe, [this] { aide_->montrer_syntaxe(); });
    relier(a.correcteur, [this] { aide_->montrer_correcteur(); });
    relier(a.a_propos, [this] { a_propos_->montrer(); });
    relier(a.annuler, [this] { annuler(); });
    relier(a.retablir, [this] { retablir(); });
    principale_->peut_fermer = [this] {
        if (!peut_quitter()) return false;
        memoriser_bureau();
        return true;
    };
    principale_->fichier_depose = [this](const QString& chemin) { ouvrir_fichier_depose(chemin); };
}

void application_varlem::rafraichir_etudes(bool reprendre_echelles, bool recalculer) {
    if (recalculer) preparer_frequences(reg_.frequence, reprendre_echelles, sys_);
    for (fenetre_etude* f : etudes_)
        if (f->ouverte()) f->rafraichir(reprendre_echelles, recalculer);
}

void application_varlem::calculer_avec_attente(
    const std::function<void(const rapport_progression&)>& calcul) {
    attente_->executer(calcul);
}

void application_varlem::changer_mode() {
    const actions_principales& a = principale_->actions();
    const etat_commandes c = commandes_du_mode(sys_);
    a.ouvrir->setEnabled(c.ouvrir);
    a.enregistrer->setEnabled(c.enregistrer);
    a.parametres->setEnabled(c.parametres);
    activer_recents();
    for (fenetre_etude* f : etudes_) {
        if (c.activer_etudes) f->activer(true);
        f->changer_mode();
    }
    actualiser_edition();
}

std::optional<int> application_varlem::largeur_fenetre_temps() const {
    if (!temporelle_->isVisible() || temporelle_->isMinimized()) return std::nullopt;
    return temporelle_->taille_exterieure().width();
}

void application_varlem::montrer_gain_lieu(const reglage_gain_lieu& r) {
    systeme_->montrer_gain_lieu(r);
}

void application_varlem::activer_etudes(bool actif) {
    const actions_principales& a = principale_->actions();
    for (QAction* action : {a.enregistrer, a.parametres}) action->setEnabled(actif);
    for (fenetre_etude* f : etudes_) f->activer(actif);
}

void application_varlem::activer_commandes() {
    activer_etudes(true);
    systeme_->activer_commandes();
}

void application_varlem::vider_systeme() {
    nouveau_systeme(sys_, reg_);
    systeme_->reinitialiser();
    activer_etudes(false);
    principale_->actions().ouvrir->setEnabled(true);
    for (fenetre_etude* f : etudes_) {
        f->reinitialiser();
        // The loop is open again: the windows study the system's functions.
        f->changer_mode();
    }
}

void application_varlem::ouvrir_fichier(const QString& chemin) {
    const resultat_fichier res =
        historique_.changer(sys_, [&] { return lire_systeme(sys_, reg_, chemin_local(chemin)); });
    noter_recent(chemin_local(chemin), res.erreur);
    if (!res.reussi()) {
        plat_.erreur(principale_.get(), texte_qt(res.message()));
        return;
    }
    historique_.marquer_enregistre(sys_);
    systeme_->systeme_lu();
    activer_commandes();
    principale_->actions().ouvrir->setEnabled(true);
    reglages_->remplir_dialogue();
    for (fenetre_etude* f : etudes_) f->changer_mode();
    actualiser_edition();
    executer(res.rafraichir);
    // The system is read, but without something the file held (its delays): the user is told
    // in a box, over the windows that already show what was read.
    if (!res.avertissement.empty()) plat_.erreur(principale_.get(), texte_qt(res.avertissement));
}

void application_varlem::ouvrir_fichier_depose(const QString& chemin) {
    if (peut_remplacer()) ouvrir_fichier(chemin);
}

void application_varlem::ouvrir() {
    if (!peut_remplacer()) return;
    const std::optional<QString> chemin =
        plat_.fichier_a_ouvrir(principale_.get(), choix_ouverture);
    if (chemin) ouvrir_fichier(*chemin);
}

bool application_varlem::enregistrer() {
    const std::optional<QString> chemin =
        plat_.fichier_a_enregistrer(principale_.get(), choix_enregistrement);
    if (!chemin) return false;
    const resultat_fichier res = ecrire_systeme(sys_, chemin_local(*chemin));
    if (!res.reussi()) {
        plat_.erreur(principale_.get(), texte_qt(res.message()));
        return false;
    }
    noter_recent(res.chemin, res.erreur);
    sys_.modifie = false;
    historique_.marquer_enregistre(sys_);
    return true;
}

bool application_varlem::demander_enregistrement() {
    switch (plat_.question(principale_.get(),
                           QStringLiteral("Voulez-vous enregistrer le système actuel ?"))) {
    case reponse::oui:
        // A save that was cancelled or failed keeps the system: nothing is lost unasked.
        return enregistrer();
    case reponse::non:
        return true;
    case reponse::annuler:
        break;
    }
    return false;
}

void application_varlem::entree() {
    placer_fenetre_etude(*systeme_);
    systeme_->showNormal();
    systeme_->raise();
    systeme_->activateWindow();
    if (sys_.systeme_saisi && !sys_.etudes.mode_filtre && !demander_enregistrement()) return;
    historique_.changer(sys_, [this] { vider_systeme(); });
    actualiser_edition();
}

bool application_varlem::peut_remplacer() {
    // The functions typed since the last save are not lost without a question.
    if (!sys_.modifie || sys_.etudes.mode_filtre) return true;
    return demander_enregistrement();
}

bool application_varlem::peut_quitter() {
    return peut_remplacer();
}

void application_varlem::ouvrir_reglages() {
    reglages_->remplir_dialogue();
    reglages_->montrer();
    principale_->showMaximized();
}

} // namespace varlem
