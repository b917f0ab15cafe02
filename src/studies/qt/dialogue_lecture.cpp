#include "studies/qt/dialogue_lecture.h"

#include "plot/qt/surface_qt.h"
#include "plot/qt/textes_qt.h"
#include "studies/lecture_frequentielle.h"
#include "studies/qt/etiquette_valeur.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varlem {

dialogue_lecture::dialogue_lecture(contexte_fenetres& ctx, genre_lecture genre,
                                   const QString& titre, std::function<void()> redessiner,
                                   QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ctx_(ctx),
      genre_(genre), redessiner_(std::move(redessiner)),
      reponse_(new QLabel(QStringLiteral("Réponse en cours"))),
      fonction_(new QLabel(QStringLiteral("Fonction n°"))), valeurs_(new QGridLayout),
      boutons_(new QGridLayout), page_(new QVBoxLayout(this)) {
    setWindowTitle(titre);
    setAccessibleName(titre);
    reponse_->setObjectName(QStringLiteral("reponse"));
    fonction_->setObjectName(QStringLiteral("fonction"));
    QFont gras = reponse_->font();
    gras.setBold(true);
    reponse_->setFont(gras);
    page_->addWidget(reponse_);
    page_->addWidget(fonction_);
    page_->addLayout(valeurs_);
    page_->addLayout(boutons_);
    page_->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* dialogue_lecture::ajouter_groupe(const QString& titre,
                                            std::vector<ligne_lecture>& lignes, int n) {
    auto* groupe = new QGroupBox(titre);
    groupe->setAccessibleName(titre);
    auto* g = new QGridLayout(groupe);
    for (int i = 0; i < n; ++i) {
        ligne_lecture l{new QLabel, new QLabel};
        l.valeur->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        g->addWidget(l.libelle, i, 0);
        g->addWidget(l.valeur, i, 1);
        lignes.push_back(l);
    }
    page_->addWidget(groupe);
    return groupe;
}

void dialogue_lecture::montrer_ligne(const ligne_lecture& l, const std::string& libelle,
                                     const std::string& valeur) {
    l.libelle->setText(texte_qt(libelle) + QStringLiteral(" :"));
    l.valeur->setText(texte_qt(valeur));
    l.valeur->setObjectName(texte_qt(libelle));
    nommer_valeur(l.valeur, texte_qt(libelle), l.valeur->text());
}

etiquette_valeur* dialogue_lecture::ajouter_valeur(const QString& invite, const QString& nom,
                                                   const QString& unite) {
    const int ligne = valeurs_->rowCount();
    auto* valeur = new etiquette_valeur(nom);
    valeur->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0.000000000E+000")));
    valeur->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    valeurs_->addWidget(new QLabel(invite), ligne, 0);
    valeurs_->addWidget(valeur, ligne, 1);
    valeurs_->addWidget(new QLabel(unite), ligne, 2);
    return valeur;
}

QPushButton* dialogue_lecture::ajouter_bouton(const QString& texte, const QString& nom,
                                              const std::function<void()>& action, int ligne,
                                              int colonne) {
    auto* b = new QPushButton(texte);
    b->setAccessibleName(nom);
    b->setToolTip(nom);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [action] { action(); });
    boutons_->addWidget(b, ligne, colonne);
    return b;
}

void dialogue_lecture::montrer_fonction(const std::string& reponse, int k) {
    reponse_->setText(texte_qt(reponse));
    fonction_->setText(texte_qt(texte_fonction_lecture(k)));
    QPalette p = fonction_->palette();
    p.setColor(
        QPalette::WindowText,
        couleur_qt(ctx_.reg.graphe.couleurs[static_cast<std::size_t>(std::clamp(k, 0, 15))]));
    fonction_->setPalette(p);
}

std::vector<ligne_caracteristique> dialogue_lecture::lignes() const {
    return lignes_lecture(genre_, ctx_.sys);
}

void dialogue_lecture::afficher() {
    show();
    raise();
    activateWindow();
}

void dialogue_lecture::reject() {
    const bool ouvert = isVisible();
    QDialog::reject();
    if (ouvert) ctx_.pilote.executer(fermer_lecture(genre_, ctx_.sys.lecture));
}

} // namespace varlem
