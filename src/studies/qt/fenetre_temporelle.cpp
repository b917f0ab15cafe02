#include "studies/qt/fenetre_temporelle.h"

#include "analysis/temps.h"
#include "analysis/trace_temporel.h"
#include "document/etude_parametree.h"
#include "studies/qt/image_trace.h"
#include "studies/zones_trace.h"

#include <QVBoxLayout>

namespace varlem {

namespace {

constexpr int echelle_temps_max = 10;

} // namespace

fenetre_temporelle::fenetre_temporelle(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Etude temporelle"), QSize(640, 480), parent),
      image_(new image_trace(QStringLiteral("Réponse temporelle"), this)) {
    ajouter_commande(QStringLiteral("Impulsion"), QStringLiteral("Réponse impulsionnelle"),
                     [this] { choisir('I'); });
    ajouter_commande(QStringLiteral("Échelon"), QStringLiteral("Réponse indicielle"),
                     [this] { choisir('E'); });
    ajouter_commande(QStringLiteral("Rampe"), QStringLiteral("Réponse à une rampe"),
                     [this] { choisir('R'); });
    ajouter_commande(QStringLiteral("Sinusoïde"), QStringLiteral("Réponse à une sinusoïde"),
                     [this] { choisir('S'); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Copier"), QStringLiteral("Copier en métafile"),
                     [this] { au_clic_copier(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Temps ÷ 2"), QStringLiteral("Divise par 2 l'intervalle de temps"),
                     [this] { changer_intervalle(-1); });
    ajouter_commande(QStringLiteral("Temps × 2"), QStringLiteral("Doubler l'intervalle de temps"),
                     [this] { changer_intervalle(1); });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
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
    if (recalculer) {
        ctx_.reg.temps.nb_points = nb_points();
        calculer_reponse_temps(ctx_.reg.temps, reprendre_echelles, ctx_.sys, ctx_.reg);
    }
    redessiner();
}

void fenetre_temporelle::redessiner() {
    const QSize t = taille_exterieure();
    const zone_trace z = zone_temps(t.width(), t.height());
    image_->dessiner(z.largeur, z.hauteur, [this](surface& s) {
        tracer_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg);
    });
}

void fenetre_temporelle::cacher_contenu() { image_->hide(); }

void fenetre_temporelle::resizeEvent(QResizeEvent* e) {
    fenetre_etude::resizeEvent(e);
    const QSize t = taille_exterieure();
    if (ctx_.sys.systeme_saisi && ctx_.sys.etudes.temps_ouverte &&
        ctx_.sys.etudes.etude_temps_choisie != '0' && assez_grand(zone_temps(t.width(), t.height())))
        redessiner();
}

void fenetre_temporelle::choisir(char entree) {
    echelle_temps_ = 0;
    ctx_.sys.etudes.etude_temps_choisie = entree;
    rafraichir(true, true);
}

void fenetre_temporelle::changer_intervalle(int sens) {
    if (ctx_.sys.etudes.etude_temps_choisie == '0') return;
    if (sens < 0 && echelle_temps_ > -echelle_temps_max) {
        --echelle_temps_;
        diviser_intervalle(ctx_.reg.temps, ctx_.sys, ctx_.reg);
    } else if (sens > 0 && echelle_temps_ < echelle_temps_max) {
        ++echelle_temps_;
        doubler_intervalle(ctx_.reg.temps, ctx_.sys, ctx_.reg);
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

} // namespace varlem
