#include "settings/qt/onglet_poles_zeros.h"

#include "settings/qt/elements_reglages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace varlem {

namespace {

// Smallest point size the "Taille" label is drawn at: below it the text cannot be read.
constexpr int taille_lisible_min = 6;

} // namespace

onglet_poles_zeros::onglet_poles_zeros(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), ouverte_(image_boucle(false)), fermee_(image_boucle(true)) {
    fermee_->hide();
    taille_ = new etiquette_cliquable(QStringLiteral("Taille"), QLatin1Char('T'));
    connect(taille_, &QPushButton::clicked, this, &onglet_poles_zeros::au_clic_taille);
    zeros_ = etiquette_couleur(QStringLiteral("Couleur des zéros"), ctx_.reg.pz.couleur_zeros);
    poles_ = etiquette_couleur(QStringLiteral("Couleur des pôles"), ctx_.reg.pz.couleur_poles);

    auto* indication_zeros = new QLabel(QStringLiteral("Indication des &zéros:"));
    indication_zeros->setBuddy(zeros_);
    auto* indication_poles = new QLabel(QStringLiteral("Indication des &pôles:"));
    indication_poles->setBuddy(poles_);

    auto* grille = new QGridLayout;
    grille->addWidget(indication_zeros, 0, 0);
    grille->addWidget(zeros_, 0, 1);
    grille->addWidget(indication_poles, 1, 0);
    grille->addWidget(poles_, 1, 1);
    grille->setColumnStretch(2, 1);

    auto* haut = new QHBoxLayout;
    haut->addWidget(taille_);
    haut->addStretch(1);
    haut->addWidget(ouverte_);
    haut->addWidget(fermee_);

    auto* page = new QVBoxLayout(this);
    page->addLayout(haut);
    page->addSpacing(12);
    page->addLayout(grille);
    page->addStretch(1);
}

etiquette_cliquable* onglet_poles_zeros::etiquette_couleur(const QString& nom, couleur& reglage) {
    auto* e = new etiquette_cliquable(QStringLiteral("Couleur"), QChar());
    e->nommer(nom);
    connect(e, &QPushButton::clicked, this, [this, e, &reglage] {
        const effet_reglage effet =
            changer_couleur(reglage, ctx_.plat.choisir_couleur(this, reglage));
        appliquer(ctx_, this, effet);
        if (effet.accepte) e->changer_couleur(reglage);
    });
    return e;
}

void onglet_poles_zeros::au_clic_taille() {
    reglages_pz& pz = ctx_.reg.pz;
    const std::string texte =
        demander_valeur(ctx_, this, QStringLiteral("Entrée de la taille"),
                        QStringLiteral("taille des o et * : "), std::to_string(pz.taille_symboles));
    const effet_reglage e = saisir_taille_symboles(pz, texte);
    if (e.accepte) montrer_taille();
    appliquer(ctx_, this, e);
}

void onglet_poles_zeros::montrer_taille() {
    QFont f = taille_->font();
    f.setPointSize(std::max(ctx_.reg.pz.taille_symboles, taille_lisible_min));
    taille_->setFont(f);
    taille_->updateGeometry();
}

void onglet_poles_zeros::afficher() {
    ouverte_->setVisible(!ctx_.sys.etudes.boucle_fermee);
    fermee_->setVisible(ctx_.sys.etudes.boucle_fermee);
    zeros_->changer_couleur(ctx_.reg.pz.couleur_zeros);
    poles_->changer_couleur(ctx_.reg.pz.couleur_poles);
    montrer_taille();
}

} // namespace varlem
