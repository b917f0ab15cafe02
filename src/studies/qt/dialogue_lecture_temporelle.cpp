#include "studies/qt/dialogue_lecture_temporelle.h"

#include "plot/qt/textes_qt.h"
#include "studies/lecture_temporelle.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace varlem {

dialogue_lecture_temporelle::dialogue_lecture_temporelle(contexte_fenetres& ctx,
                                                         std::function<void()> redessiner,
                                                         QWidget* parent)
    : dialogue_lecture(ctx, genre_lecture::temporelle, QStringLiteral("Valeurs temporelles"),
                       std::move(redessiner), parent),
      t_(ajouter_valeur(QStringLiteral("t ="), QStringLiteral("Valeur du temps"),
                        QStringLiteral("s"))),
      y_(ajouter_valeur(QStringLiteral("y ="), QStringLiteral("Valeur de la réponse"), QString())) {
    ajouter_bouton(
        QStringLiteral("-"), QStringLiteral("Instant précédent"),
        [this] {
            reculer_lecture_tps(ctx_.sys.lecture, ctx_.reg.temps);
            apres_deplacement();
        },
        0, 0);
    ajouter_bouton(
        QStringLiteral("+"), QStringLiteral("Instant suivant"),
        [this] {
            avancer_lecture_tps(ctx_.sys.lecture, ctx_.reg.temps,
                                ctx_.sys.etudes.etude_temps_choisie);
            apres_deplacement();
        },
        0, 1);
    detail_ = ajouter_bouton(
        QStringLiteral("Détaillé"), QStringLiteral("Pas fin ou rapide"),
        [this] {
            basculer_detail_tps(ctx_.sys.lecture);
            actualiser();
        },
        1, 0);
    ajouter_bouton(
        QStringLiteral("Fin"), QStringLiteral("Fin"), [this] { reject(); }, 1, 1)
        ->setDefault(true);
    indicielle_ = ajouter_groupe(QStringLiteral("Réponse indicielle"), lignes_, 4);
}

void dialogue_lecture_temporelle::ouvrir() {
    ouvrir_lecture_tps(ctx_.sys.lecture, ctx_.reg.temps);
    apres_deplacement();
    afficher();
}

void dialogue_lecture_temporelle::placer(double t) {
    ctx_.sys.lecture.t_lecture = t;
    apres_deplacement();
}

void dialogue_lecture_temporelle::apres_deplacement() {
    redessiner_();
    actualiser();
}

void dialogue_lecture_temporelle::actualiser() {
    montrer_fonction(
        texte_reponse_tps(ctx_.sys.etudes.etude_temps_choisie, reponse_->text().toStdString()),
        ctx_.sys.slot_etudie());
    const textes_lecture_tps t = textes_valeurs_tps(ctx_.reg.temps, ctx_.sys);
    t_->setText(texte_qt(t.t));
    y_->setText(texte_qt(t.y));
    detail_->setText(texte_qt(texte_bouton_detail(ctx_.sys.lecture)));
    // The step response's characteristics, computed exactly, beside the values read.
    const std::vector<ligne_caracteristique> textes = lignes();
    indicielle_->setVisible(!textes.empty());
    for (std::size_t i = 0; i < std::min(lignes_.size(), textes.size()); ++i)
        montrer_ligne(lignes_[i], textes[i].libelle, textes[i].valeur);
}

} // namespace varlem
