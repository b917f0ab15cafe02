#include "studies/qt/fenetre_frequentielle.h"

#include "analysis/frequences.h"
#include "analysis/trace_frequentiel.h"
#include "plot/echelles.h"
#include "studies/qt/image_trace.h"
#include "studies/zones_trace.h"
#include "studies/zoom_frequentiel.h"

#include <QAction>
#include <QVBoxLayout>

namespace varlem {

fenetre_frequentielle::fenetre_frequentielle(contexte_fenetres& ctx, QWidget* parent)
    : fenetre_etude(ctx, QStringLiteral("Etude frequentielle"), QSize(640, 480), parent),
      image_(new image_trace(QStringLiteral("Diagramme fréquentiel"), this)),
      image_phase_(new image_trace(QStringLiteral("Diagramme de la phase"), this)) {
    ajouter_commande(QStringLiteral("Gain"), QStringLiteral("Tracé du gain"), [this] { choisir('G'); });
    ajouter_commande(QStringLiteral("Phase"), QStringLiteral("tracé de la phase"),
                     [this] { choisir('P'); });
    ajouter_commande(QStringLiteral("Bode"), QStringLiteral("Diagramme de Bode"),
                     [this] { choisir_bode(); });
    ajouter_commande(QStringLiteral("Module"), QStringLiteral("Module"), [this] { choisir('M'); });
    ajouter_commande(QStringLiteral("Black"), QStringLiteral("Black"), [this] { choisir('B'); });
    ajouter_commande(QStringLiteral("Nyquist"), QStringLiteral("Nyquist"), [this] { choisir('N'); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Copier"), QStringLiteral("Copier courbes (metafile)"),
                     [this] { au_clic_copier(); });
    ajouter_commande(QStringLiteral("Zoom arrière"), QStringLiteral("Zoom arriere"),
                     [this] { au_clic_zoom_arriere(); });
    ajouter_separateur();
    ajouter_commande(QStringLiteral("Décade −"),
                     QStringLiteral("intervalle etude elargi vers bas"), [this] { elargir(true); });
    ajouter_commande(QStringLiteral("Décade +"),
                     QStringLiteral("Intervalle etude elargi vers ht"), [this] { elargir(false); });
    ajouter_commande(QStringLiteral("Échelle auto"), QStringLiteral("Echelle auto"),
                     [this] { au_clic_echelle_auto(); });
    disposition_->addWidget(image_, 1, Qt::AlignLeft | Qt::AlignTop);
    // The phase picture of the Bode view is placed by hand in the lower half.
    image_phase_->hide();
}

void fenetre_frequentielle::ouvrir() {
    ctx_.sys.etudes.frequence_ouverte = true;
    image_->show();
    titrer();
    montrer();
    rafraichir();
}

void fenetre_frequentielle::titrer() {
    setWindowTitle(ctx_.sys.etudes.boucle_fermee
                       ? QStringLiteral("Etude fréquentielle (boucle ouverte)")
                       : QStringLiteral("Etude frequentielle"));
}

void fenetre_frequentielle::rafraichir() {
    etat_etudes& e = ctx_.sys.etudes;
    const QSize t = taille_exterieure();
    const auto trace = [this](surface& s) {
        tracer_frequentiel(s, ctx_.reg.frequence, ctx_.reg.graphe, ctx_.sys);
    };
    if (!e.bode_double) {
        image_phase_->hide();
        const zone_trace z = zone_frequentiel(t.width(), t.height());
        image_->dessiner(z.largeur, z.hauteur, trace);
        return;
    }
    const zone_trace z = zone_bode(t.width(), t.height());
    e.etude_freq_choisie = 'G';
    image_->dessiner(z.largeur, z.hauteur, trace);
    e.etude_freq_choisie = 'P';
    image_phase_->dessiner(z.largeur, z.hauteur, trace);
    image_phase_->move(image_->x(), haut_bode_phase(t.height()));
    image_phase_->setVisible(z.utilisable() && image_->isVisible());
}

void fenetre_frequentielle::cacher_contenu() {
    image_->hide();
    image_phase_->hide();
    ctx_.sys.etudes.etude_freq_choisie = '0';
}

void fenetre_frequentielle::resizeEvent(QResizeEvent* e) {
    fenetre_etude::resizeEvent(e);
    const QSize t = taille_exterieure();
    const etat_etudes& etat = ctx_.sys.etudes;
    if (ctx_.sys.systeme_saisi && etat.frequence_ouverte && etat.etude_freq_choisie != '0' &&
        assez_grand(zone_frequentiel(t.width(), t.height())))
        rafraichir();
}

void fenetre_frequentielle::choisir(char genre) {
    ctx_.sys.etudes.etude_freq_choisie = genre;
    ctx_.sys.etudes.bode_double = false;
    rafraichir();
}

void fenetre_frequentielle::choisir_bode() {
    ctx_.sys.etudes.bode_double = true;
    rafraichir();
}

void fenetre_frequentielle::elargir(bool vers_le_bas) {
    etude_frequence& f = ctx_.reg.frequence;
    if (vers_le_bas) {
        if (f.decade_min <= -decade_limite) return;
        --f.decade_min;
        f.w_min = puissance_dix(f.decade_min);
    } else {
        if (f.decade_max >= decade_limite) return;
        ++f.decade_max;
        f.w_max = puissance_dix(f.decade_max);
    }
    preparer_frequences(f, false, ctx_.sys);
    rafraichir();
}

void fenetre_frequentielle::au_clic_echelle_auto() {
    ctx_.reg.graphe.inclure_zero = true;
    preparer_frequences(ctx_.reg.frequence, true, ctx_.sys);
    rafraichir();
}

void fenetre_frequentielle::au_clic_zoom_arriere() {
    // The stacked Bode view keeps its ranges.
    if (ctx_.sys.etudes.bode_double) return;
    if (zoom_arriere(ctx_.reg.frequence, ctx_.sys.etudes.etude_freq_choisie,
                     ctx_.reg.graphe.inclure_zero))
        rafraichir();
}

void fenetre_frequentielle::au_clic_copier() {
    ctx_.plat.copier_dessin(ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, [this](surface& s) {
        copier_frequentiel(s, ctx_.reg.frequence, ctx_.reg.graphe, ctx_.sys);
    });
}

} // namespace varlem
