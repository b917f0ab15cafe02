#include "document/qt/curseur_etiquete.h"
#include "plot/qt/textes_qt.h"

#include "settings/qt/elements_reglages.h"
#include "studies/qt/etiquette_valeur.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace varlem {

curseur_etiquete::curseur_etiquete(const QString& nom, QChar mnemonique, QWidget* parent)
    : QWidget(parent), curseur_(new QSlider(Qt::Vertical)),
      haut_(new etiquette_cliquable(QString(), mnemonique)),
      valeur_(new etiquette_valeur(QStringLiteral("Valeur de %1").arg(nom))),
      bas_(new etiquette_valeur(QStringLiteral("Minimum de %1").arg(nom))),
      nom_haut_(QStringLiteral("Maximum de %1").arg(nom)) {
    setAccessibleName(nom);
    curseur_->setAccessibleName(nom);
    // Position 0 at the top gives the largest value.
    curseur_->setInvertedAppearance(true);
    curseur_->setInvertedControls(true);
    curseur_->setTickPosition(QSlider::TicksLeft);
    curseur_->setPageStep(10);
    curseur_->setMinimumHeight(100);
    haut_->setObjectName(nom_haut_);
    haut_->nommer(nom_haut_);
    valeur_->setMinimumWidth(valeur_->fontMetrics().horizontalAdvance(QStringLiteral("0.00000")));
    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(2);
    g->addWidget(haut_, 0, 0, 1, 2, Qt::AlignLeft);
    g->addWidget(curseur_, 1, 0, Qt::AlignHCenter);
    g->addWidget(valeur_, 1, 1, Qt::AlignVCenter);
    g->addWidget(bas_, 2, 0, 1, 2, Qt::AlignLeft);
    connect(curseur_, &QSlider::valueChanged, this, &curseur_etiquete::deplace);
    connect(haut_, &QPushButton::clicked, this, [this] {
        if (cliquable_) emit haut_clique();
    });
}

void curseur_etiquete::regler(const etat_curseur& e) {
    etiqueter(e.haut, e.valeur, e.bas);
    regler_plage(e.maximum, e.graduation);
    placer(e.position);
}

void curseur_etiquete::regler_plage(int maximum, int graduation) {
    curseur_->setRange(0, maximum);
    curseur_->setTickInterval(graduation);
}

void curseur_etiquete::placer(int position) {
    curseur_->setValue(position);
}

int curseur_etiquete::position() const {
    return curseur_->value();
}

void curseur_etiquete::etiqueter(const std::string& haut, const std::string& valeur,
                                 const std::string& bas) {
    montrer_haut(haut);
    montrer_valeur(valeur);
    bas_->setText(texte_qt(bas));
}

void curseur_etiquete::montrer_valeur(const std::string& valeur) {
    valeur_->setText(texte_qt(valeur));
}

void curseur_etiquete::montrer_haut(const std::string& haut) {
    haut_->changer_texte(texte_qt(haut));
    haut_->nommer(nom_avec_valeur(nom_haut_, haut_->texte()));
}

void curseur_etiquete::haut_cliquable(bool oui) {
    cliquable_ = oui;
    haut_->setFocusPolicy(oui ? Qt::StrongFocus : Qt::NoFocus);
    haut_->setCursor(oui ? Qt::PointingHandCursor : Qt::ArrowCursor);
    haut_->setToolTip(oui ? QString::fromUtf8(aide_etiquette) : QString());
}

} // namespace varlem
