#include "studies/qt/fenetre_poles_zeros.h"

#include "analysis/echelle_poles_zeros.h"
#include "studies/carte_poles_zeros.h"
#include "studies/export_csv.h"
#include "studies/qt/image_trace.h"
#include "studies/zones_trace.h"

#include <QVBoxLayout>

namespace varlem {

fenetre_poles_zeros::fenetre_poles_zeros(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Poles et zéros de la fonction"), QSize(639, 425), parent),
      image_(new image_trace(QStringLiteral("Carte des pôles et des zéros"), this)) {
    ajouter_commande(QStringLiteral("Échelle auto"), QStringLiteral("Echelle Automatique"),
                     [this] { au_clic_echelle_auto(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Copier"), QStringLiteral("Copier les courbes en vectoriel"),
                     [this] { au_clic_copier(); });
    ajouter_commande(QStringLiteral("Exporter…"),
                     QStringLiteral("Enregistrer la carte (PNG, SVG, PDF) ou les racines (CSV)"),
                     [this] { exporter(carte(), [this] { return csv_poles_zeros(ctx_.sys); }); });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
}

const fdt_travail& fenetre_poles_zeros::fonction_montree() const {
    return ctx_.sys.fonctions[static_cast<std::size_t>(ctx_.sys.slot_etudie())];
}

void fenetre_poles_zeros::ouvrir() {
    ctx_.sys.etudes.poles_zeros_ouverte = true;
    image_->show();
    if (!ctx_.sys.etudes.mode_filtre && !ctx_.sys.etudes.boucle_fermee)
        echelle_auto_pz(fonction_montree(), ctx_.reg.pz);
    // The caption names the function shown from the first opening on.
    titrer();
    montrer();
    redessiner();
}

void fenetre_poles_zeros::rafraichir() {
    const systeme& s = ctx_.sys;
    titrer();
    if (!s.etudes.boucle_fermee && !s.etudes.mode_filtre)
        echelle_auto_pz(fonction_montree(), ctx_.reg.pz);
    redessiner();
}

void fenetre_poles_zeros::titrer() {
    const systeme& s = ctx_.sys;
    setWindowTitle(
        s.etudes.boucle_fermee
            ? QStringLiteral("Poles et zéros de la fonction n°%1 bouclée").arg(s.courante_sauvee)
            : QStringLiteral("Poles et zéros de la fonction n°%1").arg(s.fonction_courante));
}

dessin fenetre_poles_zeros::carte() const {
    return [this](surface& s) {
        tracer_poles_zeros(s, fonction_montree(), ctx_.reg.pz, ctx_.reg.graphe);
    };
}

void fenetre_poles_zeros::redessiner() {
    const QSize t = taille_exterieure();
    const zone_trace z = zone_poles_zeros(t.width(), t.height());
    image_->dessiner(z.largeur, z.hauteur, carte());
}

void fenetre_poles_zeros::cacher_contenu() {
    image_->hide();
}

void fenetre_poles_zeros::resizeEvent(QResizeEvent* e) {
    fenetre_etude::resizeEvent(e);
    const QSize t = taille_exterieure();
    if (ctx_.sys.systeme_saisi && ctx_.sys.etudes.poles_zeros_ouverte &&
        assez_grand(zone_poles_zeros(t.width(), t.height())))
        redessiner();
}

void fenetre_poles_zeros::au_clic_echelle_auto() {
    echelle_auto_pz(fonction_montree(), ctx_.reg.pz);
    redessiner();
}

void fenetre_poles_zeros::au_clic_copier() {
    ctx_.plat.copier_dessin(ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, carte());
}

} // namespace varlem
