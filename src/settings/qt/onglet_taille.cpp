#include "settings/qt/onglet_taille.h"

#include "settings/qt/elements_reglages.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace varlem {

onglet_taille::onglet_taille(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx),
      largeur_(new etiquette_cliquable(texte_qt(texte_taille_copie(ctx.reg.largeur_copie)), {})),
      hauteur_(new etiquette_cliquable(texte_qt(texte_taille_copie(ctx.reg.hauteur_copie)), {})) {
    largeur_->nommer(QStringLiteral("Largeur en cm"));
    hauteur_->nommer(QStringLiteral("Hauteur en cm"));
    connect(largeur_, &QPushButton::clicked, this, [this] {
        const std::string texte = demander_valeur(ctx_, this, QStringLiteral("Entrer la largeur"),
                                                  QStringLiteral("Largeur en cm < 30"),
                                                  texte_centimetres(ctx_.reg.largeur_copie));
        etiqueter(largeur_, saisir_largeur_copie(ctx_.reg, texte));
    });
    connect(hauteur_, &QPushButton::clicked, this, [this] {
        const std::string texte = demander_valeur(ctx_, this, QStringLiteral("Entrer la hauteur"),
                                                  QStringLiteral("hauteur en cm < 30"),
                                                  texte_centimetres(ctx_.reg.hauteur_copie));
        etiqueter(hauteur_, saisir_hauteur_copie(ctx_.reg, texte));
    });

    auto* largeur = new QLabel(QStringLiteral("&Largeur en cm :"));
    largeur->setBuddy(largeur_);
    auto* hauteur = new QLabel(QStringLiteral("&Hauteur en cm :"));
    hauteur->setBuddy(hauteur_);
    auto* titre = new QLabel(
        QStringLiteral("Taille du bitmap ou du métafichier copié dans le presse-papiers"));
    titre->setWordWrap(true);

    auto* grille = new QGridLayout;
    grille->addWidget(largeur, 0, 0);
    grille->addWidget(largeur_, 0, 1);
    grille->addWidget(hauteur, 1, 0);
    grille->addWidget(hauteur_, 1, 1);
    grille->setColumnStretch(2, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(titre);
    page->addSpacing(8);
    page->addLayout(grille);
    page->addStretch(1);
}

void onglet_taille::afficher() {
    largeur_->changer_texte(texte_qt(texte_taille_copie(ctx_.reg.largeur_copie)));
    hauteur_->changer_texte(texte_qt(texte_taille_copie(ctx_.reg.hauteur_copie)));
}

} // namespace varlem
