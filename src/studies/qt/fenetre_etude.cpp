#include "studies/qt/fenetre_etude.h"

#include "plot/qt/textes_qt.h"
#include "studies/qt/commandes_qt.h"
#include "studies/qt/fenetres_possedees.h"
#include "studies/qt/image_trace.h"
#include "studies/qt/impression.h"
#include "studies/qt/texte_imprime.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace varlem {

namespace {

const choix_fichier choix_export{
    QStringLiteral("Exporter"),
    QStringLiteral("Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf);;"
                   "Valeurs CSV (*.csv)")};

bool ecrire_texte(const QString& chemin, const std::string& texte) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const auto n = static_cast<qint64>(texte.size());
    return f.write(texte.data(), n) == n && f.flush();
}

// The message of a drawing that could not be exported; empty when it was.
QString message_export(resultat_export r, const QString& chemin) {
    switch (r) {
    case resultat_export::reussi:
        break;
    case resultat_export::extension_inconnue:
        return QStringLiteral("Format inconnu : le nom du fichier doit finir par "
                              ".png, .svg, .pdf ou .csv");
    case resultat_export::taille_invalide:
        return QStringLiteral("La taille de copie des courbes est invalide");
    case resultat_export::erreur_ecriture:
        return QStringLiteral("Impossible d'écrire le fichier %1").arg(chemin);
    }
    return {};
}

// Side of the tool bar's icons: the drawings' grid, sharp at device pixel ratios 1 and 2.
constexpr int taille_icones = 24;

} // namespace

fenetre_etude::fenetre_etude(contexte_fenetres& ctx, const QString& titre, QSize taille,
                             const commande_etude& commande, QWidget* parent)
    : QWidget(parent, drapeaux_fenetre_possedee()), ctx_(ctx), barre_(new QToolBar(this)),
      disposition_(new QVBoxLayout(this)),
      commande_(nouvelle_commande(this, commande.texte, commande.infobulle, {}, commande.icone)) {
    setWindowTitle(titre);
    resize(taille);
    barre_->setAccessibleName(titre);
    barre_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barre_->setIconSize(QSize(taille_icones, taille_icones));
    disposition_->setContentsMargins(0, 0, 0, 0);
    disposition_->setSpacing(0);
    disposition_->addWidget(barre_);
    setWindowState(Qt::WindowMinimized);
    connect(commande_, &QAction::triggered, this, [this] { ouvrir(); });
}

void fenetre_etude::reinitialiser() {
    ouverte_ = false;
    setWindowState(windowState() | Qt::WindowMinimized);
    fermer_lectures();
    cacher_contenu();
    setEnabled(false);
}

void fenetre_etude::activer(bool actif) {
    commande_->setEnabled(actif);
}

void fenetre_etude::montrer() {
    if (!placee_) {
        placee_ = true;
        ctx_.pilote.placer_fenetre_etude(*this);
    }
    setEnabled(true);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QSize fenetre_etude::taille_exterieure() const {
    QSize t = frameGeometry().size();
    // The status line is added below what the drawing areas are measured against, and so are
    // the icons above the tool bar's captions.
    if (etat_) t.rheight() -= etat_->sizeHint().height();
    t.rheight() -= barre_->iconSize().height();
    return t;
}

void fenetre_etude::ajouter_ligne_etat() {
    etat_ = new QStatusBar(this);
    etat_->setAccessibleName(QStringLiteral("Ligne d'état"));
    etat_->setSizeGripEnabled(false);
    disposition_->addWidget(etat_);
}

bool fenetre_etude::event(QEvent* e) {
    // A plain window has no status line of its own to show the hints of its commands.
    if (e->type() == QEvent::StatusTip && etat_) {
        etat_->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QWidget::event(e);
}

void fenetre_etude::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (ctx_.sys.systeme_saisi && ouverte() && montre_un_trace() &&
        assez_grand(zone(taille_exterieure())))
        redessiner();
}

void fenetre_etude::hideEvent(QHideEvent* e) {
    // A readout belongs to the plot it marks: it does not outlive it on screen.
    fermer_lectures();
    QWidget::hideEvent(e);
}

zone_trace fenetre_etude::zone(QSize) const {
    return {};
}

std::string fenetre_etude::coordonnees(const image_trace*, QPoint) const {
    return {};
}

void fenetre_etude::inscrire_lecture(QDialog* lecture) {
    lectures_.push_back(lecture);
}

void fenetre_etude::fermer_lectures() {
    for (QDialog* l : lectures_) l->reject();
}

void fenetre_etude::suivre_pointeur(image_trace* image) {
    connect(image, &image_trace::souris_deplacee, this, [this, image](QPoint p) {
        const std::string texte = coordonnees(image, p);
        if (texte.empty())
            etat_->clearMessage();
        else
            etat_->showMessage(texte_qt(texte));
    });
    connect(image, &image_trace::souris_sortie, this, [this] { etat_->clearMessage(); });
}

void fenetre_etude::ajouter_copie_export(const QString& bulle_copie, const QString& bulle_export) {
    ajouter_commande(QStringLiteral("Copier"), bulle_copie, QStringLiteral("copier_courbes"),
                     [this] { copier(); });
    ajouter_commande(QStringLiteral("Exporter…"), bulle_export, QStringLiteral("exporter"),
                     [this] { exporter(); });
    ajouter_impression();
}

void fenetre_etude::ajouter_impression() {
    QAction* a = ajouter_commande(QStringLiteral("Imprimer…"), QStringLiteral("Imprimer le tracé"),
                                  QStringLiteral("imprimer"), [this] { imprimer(); });
    a->setShortcut(QKeySequence::Print);
    a->setShortcutContext(Qt::WindowShortcut);
}

void fenetre_etude::ajouter_copie_texte(const QPlainTextEdit* texte) {
    texte_imprime_ = texte;
    ajouter_commande(QStringLiteral("Copier le texte"),
                     QStringLiteral("Copier tout le texte dans le presse-papiers"),
                     QStringLiteral("copier"),
                     [this] { ctx_.plat.copier_texte(texte_imprime_->toPlainText()); });
    ajouter_impression();
}

dessin fenetre_etude::dessin_impression(QSize& taille) const {
    if (texte_imprime_) return dessin_texte(*texte_imprime_, taille);
    taille = QSize(ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie);
    return dessin_copie();
}

void fenetre_etude::imprimer() {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(windowTitle());
    if (!ctx_.plat.choisir_imprimante(this, imprimante)) return;
    QSize taille;
    const dessin d = dessin_impression(taille);
    QPainter peintre;
    if (!peintre.begin(&imprimante)) {
        ctx_.plat.erreur(this,
                         QStringLiteral("Impossible d'imprimer : l'imprimante ne répond pas"));
        return;
    }
    // The painter's origin is the printable area's corner.
    peindre_page(peintre, QRectF(0, 0, imprimante.width(), imprimante.height()), windowTitle(),
                 taille, d);
}

void fenetre_etude::copier() {
    ctx_.plat.copier_dessin(ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, dessin_copie());
}

void fenetre_etude::exporter() {
    const std::optional<QString> chemin = ctx_.plat.fichier_a_enregistrer(this, choix_export);
    if (!chemin) return;
    if (QFileInfo(*chemin).suffix().toLower() == QLatin1String("csv")) {
        if (!ecrire_texte(*chemin, valeurs_csv()))
            ctx_.plat.erreur(this,
                             QStringLiteral("Impossible d'écrire le fichier %1").arg(*chemin));
        return;
    }
    const QString message = message_export(
        enregistrer_dessin(*chemin, ctx_.reg.largeur_copie, ctx_.reg.hauteur_copie, dessin_copie()),
        *chemin);
    if (!message.isEmpty()) ctx_.plat.erreur(this, message);
}

QAction* fenetre_etude::ajouter_commande(const QString& texte, const QString& infobulle,
                                         const QString& icone, std::function<void()> action) {
    QAction* a = nouvelle_commande(this, texte, infobulle, {}, icone);
    barre_->addAction(a);
    connect(a, &QAction::triggered, this, [action = std::move(action)] { action(); });
    // Reachable with Tab and pressed with Space, like any button.
    if (QWidget* b = barre_->widgetForAction(a)) b->setFocusPolicy(Qt::TabFocus);
    return a;
}

void fenetre_etude::ajouter_separateur() {
    barre_->addSeparator();
}

} // namespace varlem
