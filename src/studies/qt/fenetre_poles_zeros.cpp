#include "studies/qt/fenetre_poles_zeros.h"

#include "analysis/echelle_poles_zeros.h"
#include "plot/qt/textes_qt.h"
#include "studies/carte_poles_zeros.h"
#include "studies/export_csv.h"
#include "studies/qt/image_trace.h"
#include "studies/titres_etudes.h"

#include <QVBoxLayout>

namespace varlem {

fenetre_poles_zeros::fenetre_poles_zeros(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Poles et zéros de la fonction"), QSize(639, 425),
                    {QStringLiteral("Pôles et &zéros"), QStringLiteral("Poles, zéros et résidus"),
                     QStringLiteral("etude_poles_zeros")},
                    parent),
      image_(new image_trace(QStringLiteral("Carte des pôles et des zéros"), this)) {
    ajouter_commande(QStringLiteral("Échelle auto"), QStringLiteral("Echelle Automatique"),
                     QStringLiteral("echelle_auto"), [this] { au_clic_echelle_auto(); });
    ajouter_separateur();
    ajouter_copie_export(
        QStringLiteral("Copier les courbes en vectoriel"),
        QStringLiteral("Enregistrer la carte (PNG, SVG, PDF) ou les racines (CSV)"));
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
}

void fenetre_poles_zeros::ouvrir() {
    ctx_.sys.etudes.poles_zeros_ouverte = true;
    image_->show();
    suivre_echelle_pz(ctx_.sys, ctx_.reg.pz);
    // The caption names the function shown from the first opening on.
    titrer();
    montrer();
    redessiner();
}

bool fenetre_poles_zeros::ouverte() const {
    return ctx_.sys.etudes.poles_zeros_ouverte;
}

void fenetre_poles_zeros::rafraichir(bool, bool) {
    titrer();
    suivre_echelle_pz(ctx_.sys, ctx_.reg.pz);
    redessiner();
}

void fenetre_poles_zeros::titrer() {
    setWindowTitle(texte_qt(titre_poles_zeros(ctx_.sys)));
}

dessin fenetre_poles_zeros::dessin_copie() const {
    return [this](surface& s) {
        tracer_poles_zeros(s, fonction_carte(ctx_.sys), ctx_.reg.pz, ctx_.reg.graphe);
    };
}

std::string fenetre_poles_zeros::valeurs_csv() const {
    return csv_poles_zeros(ctx_.sys);
}

zone_trace fenetre_poles_zeros::zone(QSize taille) const {
    return zone_poles_zeros(taille.width(), taille.height());
}

void fenetre_poles_zeros::redessiner() {
    const zone_trace z = zone(taille_exterieure());
    image_->dessiner(z.largeur, z.hauteur, dessin_copie());
}

void fenetre_poles_zeros::cacher_contenu() {
    image_->hide();
}

void fenetre_poles_zeros::au_clic_echelle_auto() {
    echelle_auto_pz(fonction_carte(ctx_.sys), ctx_.reg.pz);
    redessiner();
}

} // namespace varlem
