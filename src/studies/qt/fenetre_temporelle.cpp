#include "studies/qt/fenetre_temporelle.h"

#include "document/etude_parametree.h"
#include "document/etudes_systeme.h"
#include "studies/coordonnees_trace.h"
#include "studies/export_csv.h"
#include "studies/lecture_temporelle.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/dialogue_periodique.h"
#include "studies/qt/image_trace.h"
#include "studies/trace_temporel.h"
#include "studies/zones_trace.h"

#include <QStatusBar>
#include <QVBoxLayout>

namespace varlem {

namespace {

constexpr int echelle_temps_max = 10;

} // namespace

fenetre_temporelle::fenetre_temporelle(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Etude temporelle"), QSize(900, 620), parent),
      image_(new image_trace(QStringLiteral("Réponse temporelle"), this)),
      periodique_(new dialogue_periodique(ctx, this)), lecture_(new dialogue_lecture_temporelle(
                                                           ctx, [this] { redessiner(); }, this)) {
    ajouter_commande(QStringLiteral("Impulsion"), QStringLiteral("Réponse impulsionnelle"),
                     [this] { choisir(entree_temps::impulsion); });
    ajouter_commande(QStringLiteral("Échelon"), QStringLiteral("Réponse indicielle"),
                     [this] { choisir(entree_temps::echelon); });
    ajouter_commande(QStringLiteral("Rampe"), QStringLiteral("Réponse à une rampe"),
                     [this] { choisir(entree_temps::rampe); });
    ajouter_commande(QStringLiteral("Sinusoïde"), QStringLiteral("Réponse à une sinusoïde"),
                     [this] { choisir(entree_temps::sinus); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Carré"), QStringLiteral("Réponse à un signal carré"), [this] {
        choisir_periodique(entree_temps::carre, QStringLiteral("Entrée parametres signal carré"));
    });
    ajouter_commande(QStringLiteral("Triangle"), QStringLiteral("Réponse à un signal triangle"),
                     [this] {
                         choisir_periodique(entree_temps::triangle,
                                            QStringLiteral("Entrée parametres signal triangle"));
                     });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Copier"), QStringLiteral("Copier en métafile"),
                     [this] { au_clic_copier(); });
    ajouter_commande(QStringLiteral("Exporter…"),
                     QStringLiteral("Enregistrer le tracé (PNG, SVG, PDF) ou ses valeurs (CSV)"),
                     [this] { au_clic_exporter(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Temps ÷ 2"),
                     QStringLiteral("Divise par 2 l'intervalle de temps"),
                     [this] { changer_intervalle(-1); });
    ajouter_commande(QStringLiteral("Temps × 2"), QStringLiteral("Doubler l'intervalle de temps"),
                     [this] { changer_intervalle(1); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Valeurs"), QStringLiteral("valeurs particulières"), [this] {
        if (ctx_.sys.etudes.etude_temps_choisie != entree_temps::aucune) lecture_->ouvrir();
    });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
    ajouter_ligne_etat();

    connect(image_, &image_trace::souris_deplacee, this, [this](QPoint p) {
        const QSize t = image_->image().deviceIndependentSize().toSize();
        const std::string texte =
            coordonnees_temporel(ctx_.reg.temps, t.width(), t.height(), p.x(), p.y());
        if (texte.empty())
            ligne_etat()->clearMessage();
        else
            ligne_etat()->showMessage(QString::fromStdString(texte));
    });
    connect(image_, &image_trace::souris_sortie, this, [this] { ligne_etat()->clearMessage(); });
    connect(image_, &image_trace::souris_enfoncee, this, [this](QPoint p, Qt::MouseButton b) {
        if (b != Qt::LeftButton || !lecture_->isVisible()) return;
        const QSize t = image_->image().deviceIndependentSize().toSize();
        if (const std::optional<double> instant = temps_clique(
                ctx_.reg.temps, ctx_.sys.etudes.etude_temps_choisie, t.width(), t.height(), p.x()))
            lecture_->placer(*instant);
    });
}

void fenetre_temporelle::ouvrir() {
    ctx_.sys.etudes.temps_ouverte = true;
    image_->show();
    montrer();
    redessiner();
}

int fenetre_temporelle::nb_points() const {
    return isVisible() && !isMinimized() ? nb_points_fenetre(taille_exterieure().width())
                                         : nb_points_defaut;
}

void fenetre_temporelle::rafraichir(bool reprendre_echelles, bool recalculer) {
    if (recalculer) calculer(reprendre_echelles);
    redessiner();
}

void fenetre_temporelle::calculer(bool reprendre_echelles) {
    ctx_.reg.temps.nb_points = nb_points();
    ctx_.pilote.calculer_avec_attente([&](const rapport_progression& progression) {
        calculer_reponse_temps(ctx_.reg.temps, reprendre_echelles, ctx_.sys, ctx_.reg, progression);
    });
}

void fenetre_temporelle::redessiner() {
    const QSize t = taille_exterieure();
    const zone_trace z = zone_temps(t.width(), t.height());
    image_->dessiner(z.largeur, z.hauteur, [this](surface& s) {
        tracer_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg);
    });
    if (lecture_->isVisible()) lecture_->actualiser();
}

void fenetre_temporelle::cacher_contenu() {
    lecture_->reject();
    image_->hide();
}

void fenetre_temporelle::hideEvent(QHideEvent* e) {
    // The readout belongs to the plot it marks: it does not outlive it on screen.
    lecture_->reject();
    fenetre_etude::hideEvent(e);
}

void fenetre_temporelle::resizeEvent(QResizeEvent* e) {
    fenetre_etude::resizeEvent(e);
    const QSize t = taille_exterieure();
    if (ctx_.sys.systeme_saisi && ctx_.sys.etudes.temps_ouverte &&
        ctx_.sys.etudes.etude_temps_choisie != entree_temps::aucune &&
        assez_grand(zone_temps(t.width(), t.height())))
        redessiner();
}

void fenetre_temporelle::choisir(entree_temps entree) {
    echelle_temps_ = 0;
    ctx_.sys.etudes.etude_temps_choisie = entree;
    rafraichir(true, true);
}

void fenetre_temporelle::choisir_periodique(entree_temps entree, const QString& titre) {
    ctx_.sys.etudes.etude_temps_choisie = entree;
    // However the dialog is closed, the response is computed with the values it accepted.
    periodique_->saisir(titre);
    rafraichir(true, true);
}

void fenetre_temporelle::changer_intervalle(int sens) {
    if (ctx_.sys.etudes.etude_temps_choisie == entree_temps::aucune) return;
    if (sens < 0 && echelle_temps_ > -echelle_temps_max) {
        --echelle_temps_;
        ctx_.pilote.calculer_avec_attente([this](const rapport_progression& progression) {
            diviser_intervalle(ctx_.reg.temps, ctx_.sys, ctx_.reg, progression);
        });
    } else if (sens > 0 && echelle_temps_ < echelle_temps_max) {
        ++echelle_temps_;
        ctx_.pilote.calculer_avec_attente([this](const rapport_progression& progression) {
            doubler_intervalle(ctx_.reg.temps, ctx_.sys, ctx_.reg, progression);
        });
    } else {
        return;
    }
    redessiner();
}

void fenetre_temporelle::au_clic_copier() {
    ctx_.plat.copier_dessin(ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, [this](surface& s) {
        copier_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg);
    });
}

void fenetre_temporelle::au_clic_exporter() {
    exporter([this](surface& s) { copier_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg); },
             [this] { return csv_temporel(ctx_.reg.temps, ctx_.sys, ctx_.reg); });
}

} // namespace varlem
