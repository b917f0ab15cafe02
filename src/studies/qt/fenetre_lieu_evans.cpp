#include "studies/qt/fenetre_lieu_evans.h"

#include "document/gain_lieu.h"
#include "plot/qt/textes_qt.h"
#include "studies/qt/image_trace.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace varlem {

fenetre_lieu_evans::fenetre_lieu_evans(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Lieu d'Evans"), QSize(820, 640),
                    {QStringLiteral("&Lieu d'Evans"),
                     QStringLiteral("Lieu d'Evans : les pôles de la boucle fermée quand le gain "
                                    "varie"),
                     QStringLiteral("lieu_evans")},
                    parent),
      image_(new image_trace(QStringLiteral("Lieu d'Evans"), this)), point_(new QLabel(this)) {
    ajouter_commande(QStringLiteral("Échelle auto"), QStringLiteral("Echelle automatique"),
                     QStringLiteral("echelle_auto"), [this] {
                         desarmer_zoom();
                         changer_vue(std::nullopt);
                     });
    ajouter_commande(QStringLiteral("Zoom avant"),
                     QStringLiteral("Tracer à la souris le rectangle à agrandir"),
                     QStringLiteral("zoom_avant"), [this] { au_clic_zoom_avant(); });
    ajouter_commande(QStringLiteral("Zoom arrière"), QStringLiteral("Zoom arrière"),
                     QStringLiteral("zoom_arriere"), [this] {
                         desarmer_zoom();
                         if (lieu_)
                             if (const std::optional<vue_plan> v = vue_elargie(echelle_image()))
                                 changer_vue(v);
                     });
    ajouter_separateur();
    fixer_p_ = ajouter_commande(
        QStringLiteral("Fixer P"),
        QStringLiteral("Donner au gain P du correcteur le gain K du point choisi sur le lieu"),
        QStringLiteral("fixer_p"), [this] { au_clic_fixer_p(); });
    ajouter_separateur();
    ajouter_copie_export(
        QStringLiteral("Copier le lieu en vectoriel"),
        QStringLiteral("Enregistrer le lieu (PNG, SVG, PDF) ou ses branches (CSV)"));
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
    ajouter_ligne_etat();
    point_->setAccessibleName(QStringLiteral("Point du lieu"));
    point_->setObjectName(point_->accessibleName());
    point_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ligne_etat()->addPermanentWidget(point_);
    // Tab reaches the picture, whose arrow keys walk along the locus.
    image_->setFocusPolicy(Qt::StrongFocus);
    suivre_pointeur(image_);
    connect(image_, &image_trace::souris_enfoncee, this,
            [this](QPoint p, Qt::MouseButton b) { souris_enfoncee(p, b); });
    connect(image_, &image_trace::souris_deplacee, this, [this](QPoint p) { souris_deplacee(p); });
    connect(image_, &image_trace::souris_relachee, this,
            [this](QPoint p, Qt::MouseButton b) { souris_relachee(p, b); });
    fixer_p_->setEnabled(false);
}

void fenetre_lieu_evans::ouvrir() {
    marquer_ouverte();
    image_->show();
    titrer();
    montrer();
    suivre_boucle(true);
    redessiner();
}

void fenetre_lieu_evans::rafraichir(bool reprendre_echelles, bool) {
    titrer();
    suivre_boucle(reprendre_echelles);
    redessiner();
}

void fenetre_lieu_evans::changer_mode() {
    titrer();
    fixer_p_->setEnabled(gain_applicable(ctx_.sys, choix_));
}

void fenetre_lieu_evans::titrer() {
    setWindowTitle(ctx_.sys.systeme_saisi && ctx_.sys.nb_fonctions > 0
                       ? texte_qt(titre_lieu(ctx_.sys))
                       : QStringLiteral("Lieu d'Evans"));
}

void fenetre_lieu_evans::suivre_boucle(bool reprendre_echelles) {
    const std::optional<boucle_stabilite> b = boucle_stabilite_systeme(ctx_.sys);
    if (!b) {
        lieu_.reset();
        choisir(std::nullopt);
        return;
    }
    if (lieu_ && meme_lieu(*lieu_, *b, choix_.zoom)) {
        // The gain alone moved: the closed-loop poles are found again at the drawing.
        lieu_->boucle = *b;
        montrer_point();
        return;
    }
    // Another loop: the point picked is no longer on its locus, and a new system or function
    // takes the automatic view again.
    if (reprendre_echelles) choix_.zoom.reset();
    choix_.choisi.reset();
    lieu_ = calculer_lieu_boucle(*b, choix_.zoom);
    montrer_point();
}

void fenetre_lieu_evans::changer_vue(const std::optional<vue_plan>& v) {
    choix_.zoom = v;
    // The steps of the branches are bounded by the view: a new view computes them again.
    if (lieu_) lieu_ = calculer_lieu_boucle(lieu_->boucle, v);
    redessiner();
}

void fenetre_lieu_evans::choisir(const std::optional<point_lieu>& p) {
    choix_.choisi = p;
    montrer_point();
}

void fenetre_lieu_evans::montrer_point() {
    point_->setText(choix_.choisi ? texte_qt(texte_point_lieu(*choix_.choisi)) : QString());
    fixer_p_->setEnabled(gain_applicable(ctx_.sys, choix_));
}

void fenetre_lieu_evans::au_clic_fixer_p() {
    if (!choix_.choisi || !gain_applicable(ctx_.sys, choix_)) return;
    const reglage_gain_lieu r = regler_gain_lieu(ctx_.sys, choix_.choisi->k);
    if (!r.effectue) return;
    ctx_.pilote.montrer_gain_lieu(r);
    ctx_.pilote.executer(r.rafraichir);
}

dessin fenetre_lieu_evans::dessin_copie() const {
    return [this](surface& s) {
        if (lieu_) tracer_lieu_systeme(s, *lieu_, choix_, ctx_.reg.graphe);
    };
}

std::string fenetre_lieu_evans::valeurs_csv() const {
    return lieu_ ? csv_lieu(lieu_->lieu) : csv_lieu(lieu_evans{});
}

zone_trace fenetre_lieu_evans::zone(QSize taille) const {
    return zone_lieu(taille.width(), taille.height());
}

void fenetre_lieu_evans::redessiner() {
    const zone_trace z = zone(taille_exterieure());
    image_->dessiner(z.largeur, z.hauteur, dessin_copie());
}

void fenetre_lieu_evans::cacher_contenu() {
    desarmer_zoom();
    image_->hide();
    lieu_.reset();
    choix_ = {};
    montrer_point();
}

echelle_lieu fenetre_lieu_evans::echelle_image() const {
    const QSize t = image_->image().deviceIndependentSize().toSize();
    return echelle_etat_lieu(*lieu_, choix_, t.width(), t.height());
}

std::string fenetre_lieu_evans::coordonnees(const image_trace* image, QPoint p) const {
    if (!lieu_ || !lieu_->lieu.valide) return {};
    const QSize t = image->image().deviceIndependentSize().toSize();
    return coordonnees_lieu(echelle_image(), t.width(), t.height(), p.x(), p.y());
}

void fenetre_lieu_evans::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Escape:
        if (!zoom_actif_) break;
        desarmer_zoom();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!lieu_) break;
        const int sens = e->key() == Qt::Key_Right || e->key() == Qt::Key_Up ? 1 : -1;
        if (const std::optional<point_lieu> p =
                point_suivant(lieu_->lieu, choix_.choisi, sens, lieu_->boucle.etudiee.k)) {
            choisir(p);
            redessiner();
        }
        return;
    }
    default:
        break;
    }
    fenetre_etude::keyPressEvent(e);
}

void fenetre_lieu_evans::au_clic_zoom_avant() {
    if (!lieu_) return;
    zoom_actif_ = true;
    image_->setCursor(Qt::CrossCursor);
    ligne_etat()->showMessage(QStringLiteral("Tracez le rectangle à agrandir avec la souris"));
}

void fenetre_lieu_evans::desarmer_zoom() {
    zoom_actif_ = false;
    glissement_ = false;
    image_->cacher_rectangle();
    image_->unsetCursor();
}

void fenetre_lieu_evans::souris_enfoncee(QPoint p, Qt::MouseButton b) {
    if (b != Qt::LeftButton || !lieu_) return;
    if (zoom_actif_) {
        glissement_ = true;
        rectangle_ = {p.x(), p.y(), p.x(), p.y()};
        return;
    }
    const QSize t = image_->image().deviceIndependentSize().toSize();
    if (const std::optional<point_lieu> c =
            point_clique(*lieu_, echelle_image(), t.width(), t.height(), p.x(), p.y())) {
        choisir(c);
        redessiner();
    }
}

void fenetre_lieu_evans::souris_deplacee(QPoint p) {
    if (!zoom_actif_ || !glissement_) return;
    rectangle_.x1 = p.x();
    rectangle_.y1 = p.y();
    image_->montrer_rectangle(QPoint(rectangle_.x0, rectangle_.y0), p);
}

void fenetre_lieu_evans::souris_relachee(QPoint p, Qt::MouseButton b) {
    if (b != Qt::LeftButton || !zoom_actif_) return;
    const bool glisse = glissement_;
    desarmer_zoom();
    if (!glisse || !lieu_) return;
    const QSize t = image_->image().deviceIndependentSize().toSize();
    if (const std::optional<vue_plan> v = vue_rectangle(echelle_image(), t.width(), t.height(),
                                                        rectangle_.x0, rectangle_.y0, p.x(), p.y()))
        changer_vue(v);
}

} // namespace varlem
