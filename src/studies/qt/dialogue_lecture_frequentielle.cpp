#include "studies/qt/dialogue_lecture_frequentielle.h"

#include "plot/qt/textes_qt.h"
#include "studies/lecture_cours.h"
#include "studies/lecture_frequentielle.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace varlem {

dialogue_lecture_frequentielle::dialogue_lecture_frequentielle(contexte_fenetres& ctx,
                                                               std::function<void()> redessiner,
                                                               QWidget* parent)
    : dialogue_lecture(ctx, genre_lecture::frequentielle, QStringLiteral("Valeurs fréquentielles"),
                       std::move(redessiner), parent),
      w_(ajouter_valeur(QStringLiteral("w ="), QStringLiteral("Valeur de la pulsation"),
                        QStringLiteral("rad/s"))),
      gain_(ajouter_valeur(QStringLiteral("G="), QStringLiteral("Valeur du gain"),
                           QStringLiteral("dB"))),
      phase_(ajouter_valeur(QStringLiteral("Arg="), QStringLiteral("Valeur de la phase"),
                            QStringLiteral("rad"))) {
    boutons_->addWidget(new QLabel(QStringLiteral("Déplacement")), 0, 0, 1, 2, Qt::AlignCenter);
    ajouter_bouton(
        QStringLiteral("-"), QStringLiteral("Pulsation précédente"), [this] { deplacer(-1); }, 1,
        0);
    ajouter_bouton(
        QStringLiteral("+"), QStringLiteral("Pulsation suivante"), [this] { deplacer(1); }, 1, 1);
    ajouter_bouton(
        QStringLiteral("- rapide"), QStringLiteral("Pas divisé par deux"),
        [this] { changer_pas_lecture_frq(ctx_.sys.lecture, false); }, 2, 0);
    ajouter_bouton(
        QStringLiteral("+ rapide"), QStringLiteral("Pas doublé"),
        [this] { changer_pas_lecture_frq(ctx_.sys.lecture, true); }, 2, 1);
    ajouter_bouton(
        QStringLiteral("Fin"), QStringLiteral("Fin"), [this] { reject(); }, 3, 0)
        ->setDefault(true);
    ajouter_groupe(QStringLiteral("Marges"), marges_, 3);
    groupe_boucle_fermee_ = ajouter_groupe(QStringLiteral("Boucle fermée"), boucle_fermee_, 2);
    groupe_asymptotes_ = ajouter_groupe(QStringLiteral("Asymptotes"), asymptotes_, 2);
    groupe_boucle_fermee_->hide();
    groupe_asymptotes_->hide();
}

void dialogue_lecture_frequentielle::ouvrir() {
    ouvrir_lecture_frq(ctx_.sys.lecture, ctx_.reg.frequence);
    redessiner_();
    actualiser();
    afficher();
}

void dialogue_lecture_frequentielle::placer(double w) {
    ctx_.sys.lecture.w_lecture = w;
    redessiner_();
    actualiser();
}

void dialogue_lecture_frequentielle::deplacer(int sens) {
    deplacer_lecture_frq(ctx_.sys.lecture, sens);
    redessiner_();
    actualiser();
}

void dialogue_lecture_frequentielle::actualiser() {
    const etat_etudes& e = ctx_.sys.etudes;
    montrer_fonction(texte_reponse_frq(e.etude_freq_choisie, e.bode_double),
                     fonction_lue(ctx_.sys));
    const textes_lecture_frq t = textes_valeurs_frq(ctx_.sys);
    w_->setText(texte_qt(t.w));
    gain_->setText(texte_qt(t.gain));
    phase_->setText(texte_qt(t.phase));
    const auto montrer_groupe = [](QGroupBox* groupe, const std::vector<ligne_lecture>& lignes,
                                   const std::vector<ligne_caracteristique>& textes) {
        if (groupe) groupe->setVisible(!textes.empty());
        for (std::size_t i = 0; i < std::min(lignes.size(), textes.size()); ++i)
            montrer_ligne(lignes[i], textes[i].libelle, textes[i].valeur);
    };
    montrer_groupe(nullptr, marges_, lignes());
    montrer_groupe(groupe_boucle_fermee_, boucle_fermee_, lignes_boucle_fermee_lecture(ctx_.sys));
    montrer_groupe(groupe_asymptotes_, asymptotes_,
                   lignes_asymptotes_lecture(ctx_.sys, ctx_.reg.frequence));
}

} // namespace varlem
