#include "studies/qt/fenetre_temporelle.h"

#include "document/etude_parametree.h"
#include "document/etudes_systeme.h"
#include "studies/coordonnees_trace.h"
#include "studies/export_csv.h"
#include "studies/lecture_temporelle.h"
#include "studies/qt/dialogue_lecture_temporelle.h"
#include "studies/qt/dialogue_periodique.h"
#include "studies/qt/image_trace.h"
#include "studies/trace_temporel.h"

#include <QVBoxLayout>

namespace varlem {

fenetre_temporelle::fenetre_temporelle(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Etude temporelle"), QSize(900, 620),
                    {QStringLiteral("&Temporelle"), QStringLiteral("Etude temporelle"),
                     QStringLiteral("etude_temporelle")},
                    parent),
      image_(new image_trace(QStringLiteral("Réponse temporelle"), this)),
      periodique_(new dialogue_periodique(ctx, this)), lecture_(new dialogue_lecture_temporelle(
                                                           ctx, [this] { redessiner(); }, this)) {
    const std::tuple<const char*, const char*, const char*, entree_temps> exactes[] = {
        {"Impulsion", "Réponse impulsionnelle", "impulsion", entree_temps::impulsion},
        {"Échelon", "Réponse indicielle", "echelon", entree_temps::echelon},
        {"Rampe", "Réponse à une rampe", "rampe", entree_temps::rampe},
        {"Sinusoïde", "Réponse à une sinusoïde", "sinusoide", entree_temps::sinus}};
    for (const auto& [texte, bulle, icone, entree] : exactes)
        ajouter_commande(QString::fromUtf8(texte), QString::fromUtf8(bulle),
                         QString::fromLatin1(icone), [this, entree = entree] { choisir(entree); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Carré"), QStringLiteral("Réponse à un signal carré"),
                     QStringLiteral("carre"), [this] {
                         choisir_periodique(entree_temps::carre,
                                            QStringLiteral("Entrée parametres signal carré"));
                     });
    ajouter_commande(QStringLiteral("Triangle"), QStringLiteral("Réponse à un signal triangle"),
                     QStringLiteral("triangle"), [this] {
                         choisir_periodique(entree_temps::triangle,
                                            QStringLiteral("Entrée parametres signal triangle"));
                     });
    ajouter_separateur();
    ajouter_copie_export(
        QStringLiteral("Copier en métafile"),
        QStringLiteral("Enregistrer le tracé (PNG, SVG, PDF) ou ses valeurs (CSV)"));
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Temps ÷ 2"),
                     QStringLiteral("Divise par 2 l'intervalle de temps"),
                     QStringLiteral("temps_divise"), [this] { changer_intervalle(-1); });
    ajouter_commande(QStringLiteral("Temps × 2"), QStringLiteral("Doubler l'intervalle de temps"),
                     QStringLiteral("temps_double"), [this] { changer_intervalle(1); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Valeurs"), QStringLiteral("valeurs particulières"),
                     QStringLiteral("valeurs"), [this] {
                         if (ctx_.sys.etudes.etude_temps_choisie != entree_temps::aucune)
                             lecture_->ouvrir();
                     });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
    ajouter_ligne_etat();
    suivre_pointeur(image_);
    connect(image_, &image_trace::souris_enfoncee, this, [this](QPoint p, Qt::MouseButton b) {
        if (b != Qt::LeftButton || !lecture_->isVisible()) return;
        const QSize t = image_->image().deviceIndependentSize().toSize();
        if (const std::optional<double> instant = temps_clique(
                ctx_.reg.temps, ctx_.sys.etudes.etude_temps_choisie, t.width(), t.height(), p.x()))
            lecture_->placer(*instant);
    });
    inscrire_lecture(lecture_);
}

void fenetre_temporelle::ouvrir() {
    ctx_.sys.etudes.temps_ouverte = true;
    image_->show();
    montrer();
    redessiner();
}

bool fenetre_temporelle::ouverte() const {
    return ctx_.sys.etudes.temps_ouverte;
}

int fenetre_temporelle::nb_points() const {
    return isVisible() && !isMinimized() ? nb_points_fenetre(taille_exterieure().width())
                                         : nb_points_defaut;
}

void fenetre_temporelle::rafraichir(bool reprendre_echelles, bool recalculer) {
    if (recalculer) calculer(reprendre_echelles);
    redessiner();
}

void fenetre_temporelle::calculer(bool reprendre_echelles) {
    ctx_.reg.temps.nb_points = nb_points();
    ctx_.pilote.calculer_avec_attente([&](const rapport_progression& progression) {
        calculer_reponse_temps(ctx_.reg.temps, reprendre_echelles, ctx_.sys, ctx_.reg, progression);
    });
}

void fenetre_temporelle::redessiner() {
    const zone_trace z = zone(taille_exterieure());
    image_->dessiner(z.largeur, z.hauteur, [this](surface& s) {
        tracer_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg);
    });
    if (lecture_->isVisible()) lecture_->actualiser();
}

dessin fenetre_temporelle::dessin_copie() const {
    return [this](surface& s) { copier_temporel(s, ctx_.reg.temps, ctx_.sys, ctx_.reg); };
}

std::string fenetre_temporelle::valeurs_csv() const {
    return csv_temporel(ctx_.reg.temps, ctx_.sys, ctx_.reg);
}

std::string fenetre_temporelle::coordonnees(const image_trace* image, QPoint p) const {
    const QSize t = image->image().deviceIndependentSize().toSize();
    return coordonnees_temporel(ctx_.reg.temps, t.width(), t.height(), p.x(), p.y());
}

zone_trace fenetre_temporelle::zone(QSize taille) const {
    return zone_temps(taille.width(), taille.height());
}

bool fenetre_temporelle::montre_un_trace() const {
    return ctx_.sys.etudes.etude_temps_choisie != entree_temps::aucune;
}

void fenetre_temporelle::cacher_contenu() {
    image_->hide();
}

void fenetre_temporelle::choisir(entree_temps entree) {
    choisir_entree_temps(ctx_.sys.etudes, entree);
    rafraichir(true, true);
}

void fenetre_temporelle::choisir_periodique(entree_temps entree, const QString& titre) {
    choisir_entree_temps(ctx_.sys.etudes, entree);
    // However the dialog is closed, the response is computed with the values it accepted.
    periodique_->saisir(titre);
    rafraichir(true, true);
}

void fenetre_temporelle::changer_intervalle(int sens) {
    bool change = false;
    ctx_.pilote.calculer_avec_attente([&](const rapport_progression& progression) {
        change = changer_echelle_temps(ctx_.reg.temps, ctx_.sys, ctx_.reg, sens, progression);
    });
    if (change) redessiner();
}

} // namespace varlem
