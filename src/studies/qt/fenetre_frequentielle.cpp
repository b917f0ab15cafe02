#include "studies/qt/fenetre_frequentielle.h"

#include "analysis/frequences.h"
#include "document/etudes_systeme.h"
#include "plot/qt/textes_qt.h"
#include "studies/coordonnees_trace.h"
#include "studies/export_csv.h"
#include "studies/lecture_frequentielle.h"
#include "studies/qt/dialogue_lecture_frequentielle.h"
#include "studies/qt/image_trace.h"
#include "studies/titres_etudes.h"
#include "studies/trace_frequentiel.h"

#include <QKeyEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace varlem {

fenetre_frequentielle::fenetre_frequentielle(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Etude frequentielle"), QSize(1040, 660),
                    {QStringLiteral("&Fréquentielle"), QStringLiteral("Etude fréquentielle"),
                     QStringLiteral("etude_frequentielle")},
                    parent),
      image_(new image_trace(QStringLiteral("Diagramme fréquentiel"), this)),
      image_phase_(new image_trace(QStringLiteral("Diagramme de la phase"), this)),
      lecture_(new dialogue_lecture_frequentielle(
          ctx, [this] { redessiner(); }, this)) {
    ajouter_commande(QStringLiteral("Gain"), QStringLiteral("Tracé du gain"),
                     QStringLiteral("gain"), [this] { choisir(diagramme::gain); });
    ajouter_commande(QStringLiteral("Phase"), QStringLiteral("tracé de la phase"),
                     QStringLiteral("phase"), [this] { choisir(diagramme::phase); });
    ajouter_commande(QStringLiteral("Bode"), QStringLiteral("Diagramme de Bode"),
                     QStringLiteral("bode"), [this] { choisir_bode(); });
    ajouter_commande(QStringLiteral("Module"), QStringLiteral("Module"), QStringLiteral("module"),
                     [this] { choisir(diagramme::module); });
    ajouter_commande(QStringLiteral("Black"), QStringLiteral("Black"), QStringLiteral("black"),
                     [this] { choisir(diagramme::black); });
    ajouter_commande(QStringLiteral("Nyquist"), QStringLiteral("Nyquist"),
                     QStringLiteral("nyquist"), [this] { choisir(diagramme::nyquist); });
    ajouter_separateur();
    ajouter_copie_export(
        QStringLiteral("Copier courbes (metafile)"),
        QStringLiteral("Enregistrer le tracé (PNG, SVG, PDF) ou ses valeurs (CSV)"));
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Zoom avant"), QStringLiteral("Zoom avant"),
                     QStringLiteral("zoom_avant"), [this] { au_clic_zoom_avant(); });
    ajouter_commande(QStringLiteral("Zoom arrière"), QStringLiteral("Zoom arriere"),
                     QStringLiteral("zoom_arriere"), [this] { au_clic_zoom_arriere(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Décade −"), QStringLiteral("intervalle etude elargi vers bas"),
                     QStringLiteral("decade_moins"), [this] { elargir(true); });
    ajouter_commande(QStringLiteral("Décade +"), QStringLiteral("Intervalle etude elargi vers ht"),
                     QStringLiteral("decade_plus"), [this] { elargir(false); });
    ajouter_commande(QStringLiteral("Échelle auto"), QStringLiteral("Echelle auto"),
                     QStringLiteral("echelle_auto"), [this] { au_clic_echelle_auto(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Valeurs"), QStringLiteral("Valeurs particulières"),
                     QStringLiteral("valeurs"), [this] {
                         if (ctx_.sys.nb_fonctions > 0) lecture_->ouvrir();
                     });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
    ajouter_ligne_etat();
    // The phase picture of the Bode view is placed by hand in the lower half.
    image_phase_->hide();
    relier_souris(image_);
    relier_souris(image_phase_);
    inscrire_lecture(lecture_);
}

void fenetre_frequentielle::ouvrir() {
    ctx_.sys.etudes.frequence_ouverte = true;
    image_->show();
    setWindowTitle(texte_qt(titre_frequentiel(ctx_.sys.etudes)));
    montrer();
    redessiner();
}

bool fenetre_frequentielle::ouverte() const {
    return ctx_.sys.etudes.frequence_ouverte;
}

void fenetre_frequentielle::changer_mode() {
    // Like every study window, it takes commands once opened from the main window.
    setEnabled(ctx_.sys.systeme_saisi && ctx_.sys.etudes.frequence_ouverte);
    setWindowTitle(texte_qt(titre_frequentiel(ctx_.sys.etudes)));
}

void fenetre_frequentielle::rafraichir(bool, bool) {
    redessiner();
}

void fenetre_frequentielle::redessiner() {
    const etat_etudes& e = ctx_.sys.etudes;
    const QSize t = taille_exterieure();
    const auto trace = [this](diagramme genre) {
        return [this, genre](surface& s) {
            tracer_frequentiel(s, ctx_.reg.frequence, ctx_.reg.graphe, ctx_.sys, genre, &memoire_);
        };
    };
    if (!e.bode_double) {
        image_phase_->hide();
        const zone_trace z = zone_frequentiel(t.width(), t.height());
        image_->dessiner(z.largeur, z.hauteur, trace(e.etude_freq_choisie));
    } else {
        const zone_trace z = zone_bode(t.width(), t.height());
        image_->dessiner(z.largeur, z.hauteur, trace(diagramme::gain));
        image_phase_->dessiner(z.largeur, z.hauteur, trace(diagramme::phase));
        image_phase_->move(image_->x(), haut_bode_phase(t.height()));
        image_phase_->setVisible(z.utilisable() && image_->isVisible());
    }
    if (!lecture_->isVisible()) return;
    // A system emptied (a file of no function) leaves nothing to read.
    if (ctx_.sys.nb_fonctions > 0)
        lecture_->actualiser();
    else
        lecture_->reject();
}

dessin fenetre_frequentielle::dessin_copie() const {
    return [this](surface& s) {
        copier_frequentiel(s, ctx_.reg.frequence, ctx_.reg.graphe, ctx_.sys);
    };
}

std::string fenetre_frequentielle::valeurs_csv() const {
    return csv_frequentiel(ctx_.reg.frequence, ctx_.sys);
}

zone_trace fenetre_frequentielle::zone(QSize taille) const {
    return zone_frequentiel(taille.width(), taille.height());
}

bool fenetre_frequentielle::montre_un_trace() const {
    const etat_etudes& e = ctx_.sys.etudes;
    return e.etude_freq_choisie != diagramme::aucun || e.bode_double;
}

void fenetre_frequentielle::cacher_contenu() {
    memoire_.vider();
    desarmer_zoom();
    image_->hide();
    image_phase_->hide();
    ctx_.sys.etudes.etude_freq_choisie = diagramme::aucun;
}

void fenetre_frequentielle::keyPressEvent(QKeyEvent* e) {
    // Escape gives up an armed zoom.
    if (e->key() == Qt::Key_Escape && zoom_actif_) {
        desarmer_zoom();
        redessiner();
        return;
    }
    fenetre_etude::keyPressEvent(e);
}

void fenetre_frequentielle::choisir(diagramme genre) {
    choisir_diagramme(ctx_.sys.etudes, genre);
    redessiner();
}

void fenetre_frequentielle::choisir_bode() {
    choisir_vue_bode(ctx_.sys.etudes);
    redessiner();
}

void fenetre_frequentielle::elargir(bool vers_le_bas) {
    if (elargir_intervalle(ctx_.reg.frequence, ctx_.sys, vers_le_bas)) redessiner();
}

void fenetre_frequentielle::au_clic_echelle_auto() {
    ctx_.reg.graphe.inclure_zero = true;
    preparer_frequences(ctx_.reg.frequence, true, ctx_.sys);
    redessiner();
}

void fenetre_frequentielle::au_clic_zoom_avant() {
    const etat_etudes& e = ctx_.sys.etudes;
    if (e.etude_freq_choisie == diagramme::aucun || e.bode_double) return;
    zoom_actif_ = true;
    image_->setCursor(Qt::CrossCursor);
    ligne_etat()->showMessage(QStringLiteral("Tracez le rectangle à agrandir avec la souris"));
}

void fenetre_frequentielle::desarmer_zoom() {
    zoom_actif_ = false;
    glissement_ = false;
    image_->cacher_rectangle();
    image_->unsetCursor();
}

void fenetre_frequentielle::au_clic_zoom_arriere() {
    // The stacked Bode view keeps its ranges.
    if (ctx_.sys.etudes.bode_double) return;
    if (zoom_arriere(ctx_.reg.frequence, ctx_.sys.etudes.etude_freq_choisie,
                     ctx_.reg.graphe.inclure_zero))
        redessiner();
}

diagramme fenetre_frequentielle::diagramme_de(const image_trace* image) const {
    if (!ctx_.sys.etudes.bode_double) return ctx_.sys.etudes.etude_freq_choisie;
    return image == image_ ? diagramme::gain : diagramme::phase;
}

std::string fenetre_frequentielle::coordonnees(const image_trace* image, QPoint p) const {
    const QSize t = image->image().deviceIndependentSize().toSize();
    return coordonnees_frequentiel(ctx_.reg.frequence, diagramme_de(image), t.width(), t.height(),
                                   p.x(), p.y());
}

void fenetre_frequentielle::relier_souris(image_trace* image) {
    suivre_pointeur(image);
    connect(image, &image_trace::souris_enfoncee, this,
            [=, this](QPoint p, Qt::MouseButton b) { souris_enfoncee(image, p, b); });
    connect(image, &image_trace::souris_deplacee, this,
            [=, this](QPoint p) { souris_deplacee(image, p); });
    connect(image, &image_trace::souris_relachee, this,
            [=, this](QPoint p, Qt::MouseButton b) { souris_relachee(image, p, b); });
}

void fenetre_frequentielle::souris_enfoncee(image_trace* image, QPoint p, Qt::MouseButton b) {
    if (b != Qt::LeftButton) return;
    if (zoom_actif_ && image == image_) {
        glissement_ = true;
        rectangle_ = {p.x(), p.y(), p.x(), p.y()};
        return;
    }
    if (!lecture_->isVisible()) return;
    const QSize t = image->image().deviceIndependentSize().toSize();
    if (const std::optional<double> w = pulsation_cliquee(
            ctx_.reg.frequence, ctx_.sys, diagramme_de(image), t.width(), t.height(), p.x(), p.y()))
        lecture_->placer(*w);
}

void fenetre_frequentielle::souris_deplacee(image_trace* image, QPoint p) {
    if (!zoom_actif_ || !glissement_ || image != image_) return;
    rectangle_.x1 = p.x();
    rectangle_.y1 = p.y();
    image_->montrer_rectangle(QPoint(rectangle_.x0, rectangle_.y0), p);
}

void fenetre_frequentielle::souris_relachee(image_trace* image, QPoint p, Qt::MouseButton b) {
    if (b != Qt::LeftButton || !zoom_actif_ || image != image_) return;
    const bool glisse = glissement_;
    desarmer_zoom();
    if (!glisse) return;
    rectangle_.x1 = p.x();
    rectangle_.y1 = p.y();
    const QSize t = image->image().deviceIndependentSize().toSize();
    if (zoom_souris(ctx_.reg.frequence, diagramme_de(image), t.width(), t.height(), rectangle_,
                    ctx_.reg.graphe.inclure_zero))
        redessiner();
}

} // namespace varlem
