#include "settings/qt/onglet_graphique.h"

#include "document/reglages_systeme.h"
#include "settings/qt/elements_reglages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varlem {

onglet_graphique::onglet_graphique(contexte_fenetres& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    creer_couleurs();
    creer_choix();
    auto* police = new QPushButton(QStringLiteral("P&olice et taille des graduations "));
    police->setAccessibleName(QStringLiteral("Police et taille des graduations"));
    connect(police, &QPushButton::clicked, this, &onglet_graphique::au_clic_police);

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(axes_);
    gauche->addWidget(longueur_);
    gauche->addWidget(inclure_zero_);
    gauche->addWidget(quadrillage_);
    gauche->addWidget(groupe_choix(QStringLiteral("Type de quadrillage"), plein_, pointilles_));
    gauche->addWidget(
        groupe_choix(QStringLiteral("Visualisation des courbes"), courante_, toutes_));
    gauche->addStretch(1);

    auto* couleurs = new QGridLayout;
    couleurs->addWidget(new QLabel(QStringLiteral("Couleurs des courbes :")), 0, 0, 1, 2);
    for (std::size_t i = 0; i < courbes_.size(); ++i)
        couleurs->addWidget(courbes_[i], 1 + int(i % 4), int(i / 4));
    couleurs->addWidget(entree_, 5, 0, 1, 2);
    auto* droite = new QVBoxLayout;
    droite->addLayout(couleurs);
    droite->addStretch(1);
    droite->addWidget(police, 0, Qt::AlignLeft);

    auto* page = new QHBoxLayout(this);
    page->addLayout(gauche);
    page->addSpacing(16);
    page->addLayout(droite);
}

void onglet_graphique::creer_couleurs() {
    param& p = ctx_.reg.graphe;
    axes_ = etiquette_couleur(QStringLiteral("Couleur axes"), QLatin1Char('a'),
                              [&p]() -> couleur& { return p.couleur_axes; });
    longueur_ = new etiquette_cliquable(texte_qt(texte_longueur_graduations(3)), QLatin1Char('L'));
    connect(longueur_, &QPushButton::clicked, this, &onglet_graphique::au_clic_longueur);
    for (std::size_t i = 0; i < courbes_.size(); ++i)
        courbes_[i] = etiquette_couleur(QStringLiteral("Couleur courbe %1").arg(i + 1),
                                        QChar(static_cast<char16_t>(u'1' + i)),
                                        [&p, i]() -> couleur& { return p.couleurs[i + 1]; });
    entree_ = etiquette_couleur(QStringLiteral("Couleur entrée temps"), QLatin1Char('e'),
                                [&p]() -> couleur& { return p.couleur_entree; });
    // The one colour label that shows no hand.
    entree_->unsetCursor();
}

void onglet_graphique::creer_choix() {
    inclure_zero_ = case_a_cocher(QStringLiteral("&Inclure zero"));
    inclure_zero_->setChecked(true);
    connect(inclure_zero_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher_inclure_zero(ctx_.reg.graphe, coche));
    });
    quadrillage_ = case_a_cocher(QStringLiteral("&Quadrillage"));
    connect(quadrillage_, &QCheckBox::toggled, this, [this](bool coche) {
        appliquer(ctx_, this, cocher(ctx_.reg.graphe.quadrillage, coche));
    });
    plein_ = new QRadioButton(QStringLiteral("&Plein"));
    pointilles_ = new QRadioButton(QStringLiteral("Poin&tillés"));
    pointilles_->setChecked(true);
    connect(plein_, &QRadioButton::toggled, this, [this](bool plein) {
        appliquer(ctx_, this, choisir_quadrillage_plein(ctx_.reg.graphe, plein));
    });
    courante_ = new QRadioButton(QStringLiteral("Fonction &courante "));
    toutes_ = new QRadioButton(QStringLiteral("Toutes les &fonctions"));
    toutes_->setChecked(true);
    connect(toutes_, &QRadioButton::toggled, this, [this](bool toutes) {
        appliquer(ctx_, this, choisir_toutes_fonctions(ctx_.sys.etudes, toutes));
    });
}

etiquette_cliquable* onglet_graphique::etiquette_couleur(const QString& texte, QChar mnemonique,
                                                         std::function<couleur&()> reglage) {
    auto* e = new etiquette_cliquable(texte, mnemonique);
    connect(e, &QPushButton::clicked, this, [this, e, reglage = std::move(reglage)] {
        couleur& c = reglage();
        const effet_reglage effet = changer_couleur(c, ctx_.plat.choisir_couleur(this, c));
        if (effet.accepte) e->changer_couleur(c);
        appliquer(ctx_, this, effet);
    });
    return e;
}

void onglet_graphique::au_clic_longueur() {
    param& p = ctx_.reg.graphe;
    const std::string texte =
        demander_valeur(ctx_, this, QStringLiteral("Longueur des graduations"),
                        QStringLiteral("Entrer la longueur des graduations < 30"),
                        std::to_string(p.longueur_graduations));
    const effet_reglage e = saisir_longueur_graduations(p, texte);
    etiqueter(longueur_, e);
    appliquer(ctx_, this, e);
}

void onglet_graphique::au_clic_police() {
    param& p = ctx_.reg.graphe;
    const QFont initiale(texte_qt(p.police), p.taille_police);
    std::optional<police_graduations> choisie;
    if (const std::optional<QFont> f = ctx_.plat.choisir_police(this, initiale))
        choisie = police_graduations{f->family().toStdString(), f->pointSize()};
    appliquer(ctx_, this, changer_police(p, choisie));
}

void onglet_graphique::afficher() {
    const param& p = ctx_.reg.graphe;
    axes_->changer_couleur(p.couleur_axes);
    longueur_->changer_texte(texte_qt(texte_longueur_graduations(p.longueur_graduations)));
    for (std::size_t i = 0; i < courbes_.size(); ++i)
        courbes_[i]->changer_couleur(p.couleurs[i + 1]);
    entree_->changer_couleur(p.couleur_entree);
    cocher_sans_signal(inclure_zero_, p.inclure_zero);
    cocher_sans_signal(quadrillage_, p.quadrillage);
    montrer_choix(plein_, pointilles_, !p.pointilles);
    montrer_choix(courante_, toutes_, !ctx_.sys.etudes.toutes_fonctions);
}

} // namespace varlem
